#include "OutputGuard.h"

#include "engine/BrevlinError.h"
#include "platform/FilePath.h"

namespace brevlin::cli {

using platform::FileSystem;

OutputGuard::OutputGuard(const std::string& output)
    : OutputGuard(output, platform::FilePath::FromUtf8(output)) {}

OutputGuard::OutputGuard(const std::string& output, const std::filesystem::path& path)
    : m_name(output) {
    try {
        if (FileSystem::IsRegularFile(path))
            m_output = FileSystem::StampOf(path);
    } catch (const FileSystem::Error&) {
        // Not to be looked at: then it is not to be written either, and writing says why.
    }
}

void OutputGuard::Refuse(const std::filesystem::path& input, const char* what) const {
    if (!m_output.exists)
        return;
    FileSystem::Stamp stamp;
    try {
        stamp = FileSystem::StampOf(input);
    } catch (const FileSystem::Error&) {
        return; // reading it fails with its own message
    }
    Refuse(stamp, what);
}

void OutputGuard::RefuseStandardInput() const {
    if (m_output.exists)
        Refuse(FileSystem::StampOf(FileSystem::StandardInput()), "標準入力");
}

void OutputGuard::Refuse(const FileSystem::Stamp& input, const char* what) const {
    if (FileSystem::SameFile(m_output, input))
        throw BrevlinError(
            errors::InvalidArgument,
            "出力先が" + std::string(what) +
                "と同じファイルです。上書きすると失われるため、書き込みません。: " + m_name);
}

} // namespace brevlin::cli
