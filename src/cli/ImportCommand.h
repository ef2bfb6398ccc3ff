#pragma once

#include <string>
#include <vector>

namespace brevlin::cli {

// brevlin import FILE [--replace]: adds the file's language to the stored set, or with
// --replace puts it in place of the stored language of that name; then saves the whole set.
class ImportCommand {
public:
    static int Run(const std::vector<std::string>& arguments);
    static const char* Usage();
};

} // namespace brevlin::cli
