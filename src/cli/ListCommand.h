#pragma once

#include <string>
#include <vector>

namespace brevlin::cli {

// brevlin list: the stored languages in order, one name a line; a note on standard error when
// there is none.
class ListCommand {
public:
    static int Run(const std::vector<std::string>& arguments);
    static const char* Usage();
};

} // namespace brevlin::cli
