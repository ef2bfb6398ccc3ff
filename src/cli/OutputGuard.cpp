#include "cli/OutputGuard.h"

#include "platform/FilePath.h"
#include "text/BrevlinError.h"
#include "text/UiText.h"

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

void OutputGuard::Refuse(const std::filesystem::path& input, const std::string& what) const {
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
        Refuse(FileSystem::StampOf(FileSystem::StandardInput()),
               UiText::Translate("OutputGuard", "標準入力"));
}

void OutputGuard::Refuse(const FileSystem::Stamp& input, const std::string& what) const {
    if (FileSystem::SameFile(m_output, input))
        throw BrevlinError(
            errors::InvalidArgument,
            UiText::Fill(UiText::Translate("OutputGuard", "出力先が%1と同じファイルです。上書きす"
                                                          "ると失われるため、書き込みません。: %2"),
                         {what, m_name}));
}

} // namespace brevlin::cli
