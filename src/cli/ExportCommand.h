#pragma once

#include <string>
#include <vector>

namespace brevlin::cli {

// brevlin export NAME [FILE | FOLDER/]: writes the stored language to a language file. Its
// name is by default the language's without the characters file names cannot hold, plus
// ".bvl", in the current folder or in FOLDER (a folder that exists, or a path ending in "/").
class ExportCommand {
public:
    static int Run(const std::vector<std::string>& arguments);
    static const char* Usage();
};

} // namespace brevlin::cli
