#pragma once

#include <string>
#include <vector>

namespace brevlin::cli {

// brevlin convert (--bvl FILE | --language NAME) [--optimize-tags] [--raw]
//                 [--encoding utf-8|cp932] [--engine fast|regex]
//                 [--standalone | --inline-styles [--stylesheet FILE]] [-o OUTPUT] [INPUT]
class ConvertCommand {
public:
    static int Run(const std::vector<std::string>& arguments);
    static const char* Usage();
};

} // namespace brevlin::cli
