#include "platform/ConsoleProgram.h"

#include <system_error>

namespace brevlin::platform {

std::vector<std::string> ConsoleProgram::Start(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::filesystem::path ConsoleProgram::ProgramFile() {
    std::error_code failure;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failure);
    return failure ? std::filesystem::path() : program;
}

} // namespace brevlin::platform
