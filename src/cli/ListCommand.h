#pragma once

#include <string>
#include <vector>

namespace brevlin::cli {

// brevlin list: the stored languages in order, one name a line.
class ListCommand {
public:
    static int Run(const std::vector<std::string>& arguments);
    static const char* Usage();
};

} // namespace brevlin::cli
