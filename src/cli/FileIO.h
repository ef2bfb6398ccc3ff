#pragma once

#include <string>

namespace brevlin::cli {

// Whole-file reading and writing for the command line. Failures raise BrevlinError with the
// path and the system's reason.
class FileIO {
public:
    static std::string ReadFile(const std::string& path);
    static std::string ReadStandardInput();
    static void WriteStandardOutput(const std::string& bytes);
};

} // namespace brevlin::cli
