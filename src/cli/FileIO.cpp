#include "FileIO.h"

#include "engine/BrevlinError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace brevlin::cli {

namespace {

[[noreturn]] void ThrowIo(const std::string& what, const std::string& path, int error) {
    throw BrevlinError(errors::InputOutput, what + " " + path + ": " + std::strerror(error));
}

std::string ReadAll(std::FILE* file, const std::string& name) {
    std::string data;
    char buffer[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        data.append(buffer, n);
        if (n < sizeof buffer) {
            if (std::ferror(file))
                ThrowIo("cannot read", name, errno);
            break;
        }
    }
    return data;
}

} // namespace

std::string FileIO::ReadFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        ThrowIo("cannot open", path, errno);
    try {
        std::string data = ReadAll(file, path);
        std::fclose(file);
        return data;
    } catch (...) {
        std::fclose(file);
        throw;
    }
}

std::string FileIO::ReadStandardInput() {
    return ReadAll(stdin, "standard input");
}

void FileIO::WriteStandardOutput(const std::string& bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0)
        ThrowIo("cannot write", "standard output", errno);
}

} // namespace brevlin::cli
