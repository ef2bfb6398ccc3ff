#include "cli/HtmlOutput.h"

#include "platform/FilePath.h"
#include "text/BrevlinError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace brevlin::cli {

namespace {

[[noreturn]] void ThrowWrite(const std::string& path, const std::string& reason) {
    throw BrevlinError(errors::InputOutput, "cannot write " + path + ": " + reason);
}

} // namespace

HtmlOutput::HtmlOutput(const std::optional<std::string>& path) {
    if (!path || *path == "-")
        return;
    m_path = *path;
    try {
        m_file = std::make_unique<platform::SaveFile>(platform::FilePath::FromUtf8(m_path));
    } catch (const platform::FileSystem::Error& error) {
        ThrowWrite(m_path, error.what());
    }
}

void HtmlOutput::Write(const char* data, std::size_t size) {
    if (!m_file) {
        if (std::fwrite(data, 1, size, stdout) != size)
            ThrowWrite("standard output", std::strerror(errno));
        return;
    }
    try {
        m_file->Write(std::string_view(data, size));
    } catch (const platform::FileSystem::Error& error) {
        ThrowWrite(m_path, error.what());
    }
}

void HtmlOutput::Commit() {
    if (!m_file) {
        if (std::fflush(stdout) != 0)
            ThrowWrite("standard output", std::strerror(errno));
        return;
    }
    try {
        m_file->Commit();
    } catch (const platform::FileSystem::Error& error) {
        ThrowWrite(m_path, error.what());
    }
    m_file.reset();
}

} // namespace brevlin::cli
