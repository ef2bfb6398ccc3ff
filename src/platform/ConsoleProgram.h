#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace brevlin::platform {

// What a command-line program sets up before it reads anything: its arguments as UTF-8 (on
// Windows from the wide command line, since the ANSI one loses characters) and standard input
// and output as bytes, untouched by any line-end translation.
class ConsoleProgram {
public:
    static std::vector<std::string> Start(int argc, char** argv);
    // The running executable's path; empty where the system does not tell it.
    static std::filesystem::path ProgramFile();
};

} // namespace brevlin::platform
