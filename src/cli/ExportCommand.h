#pragma once

#include <string>
#include <vector>

namespace brevlin::cli {

// brevlin export NAME [FILE]: writes the stored language to a language file; FILE defaults to
// the name without the characters file names cannot hold, plus ".bvl", in the current folder.
class ExportCommand {
public:
    static int Run(const std::vector<std::string>& arguments);
    static const char* Usage();
};

} // namespace brevlin::cli
