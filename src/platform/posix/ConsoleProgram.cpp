#include "../ConsoleProgram.h"

namespace brevlin::platform {

std::vector<std::string> ConsoleProgram::Start(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace brevlin::platform
