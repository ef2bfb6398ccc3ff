#include "cli/FileIO.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "text/BrevlinError.h"

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
    try {
        return platform::FileSystem::ReadWhole(platform::FilePath::FromUtf8(path),
                                               std::string::npos, false);
    } catch (const platform::FileSystem::Error& error) {
        throw BrevlinError(errors::InputOutput, "cannot read " + path + ": " + error.what());
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
