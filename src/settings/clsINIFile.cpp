#include "settings/clsINIFile.h"

#include "settings/TextFileEncoding.h"
#include "text/BrevlinError.h"

#include "platform/FilePath.h"
#include "platform/SaveFile.h"
#include "text/UiText.h"

namespace brevlin {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' ||
           c == u'\x1A';
}

using platform::FileSystem;

std::string Describe(const std::string& what, const std::filesystem::path& path,
                     const std::string& reason = {}) {
    std::string text = what;
    text += ": " + platform::FilePath::ToUtf8(path);
    if (!reason.empty())
        text += " (" + reason + ")";
    return text;
}

bool HasLineBreak(TextView text) {
    return text.find_first_of(u"\r\n") != TextView::npos;
}

} // namespace

void clsINIFile::SetFilename(const std::filesystem::path& path) {
    m_filename = path;
    m_loaded = false;
    m_cleared = false;
    m_document.Clear();
}

void clsINIFile::Refresh() {
    if (m_cleared || ((m_updating || m_holdFirstRead) && m_loaded))
        return; // collected writes are not to be replaced by the file's content
    FileSystem::Stamp now;
    try {
        now = FileSystem::StampOf(m_filename);
    } catch (const FileSystem::Error& error) {
        throw BrevlinError(errors::PathFileAccess,
                           Describe(UiText::Translate("clsINIFile", "ファイルを読み込めません"),
                                    m_filename, error.what()));
    }
    // Re-read only a regular file that changed; a pipe can be read only once.
    if (m_loaded && (now == m_stamp ||
                     (now.exists && m_stamp.exists && !FileSystem::IsRegularFile(m_filename))))
        return;
    m_document.Clear();
    m_loaded = true;
    m_stamp = now;
    if (!now.exists)
        return; // a missing file reads as defaults everywhere

    try {
        m_document = IniDocument::Parse(ReadText(m_filename));
    } catch (...) {
        // A refused file counts as not read, so the next access tries again.
        m_loaded = false;
        throw;
    }
}

Text clsINIFile::ReadText(const std::filesystem::path& path) {
    std::string bytes;
    try {
        bytes = FileSystem::ReadWhole(path, MaxFileSize, false);
    } catch (const FileSystem::Error& error) {
        if (error.GetKind() == FileSystem::Error::Kind::TooBig)
            throw BrevlinError(
                errors::PathFileAccess,
                Describe(UiText::Translate("clsINIFile", "ファイルが大きすぎます (16 MiB まで)"),
                         path));
        throw BrevlinError(errors::PathFileAccess,
                           Describe(UiText::Translate("clsINIFile", "ファイルを読み込めません"),
                                    path, error.what()));
    }
    return TextFileEncoding::Decode(bytes);
}

Text clsINIFile::ReadString(const Text& section, const Text& key, const Text& defaultValue) {
    Refresh();
    const auto found = m_document.Find(section, key);
    if (!found)
        return defaultValue;
    TextView value = *found;
    while (!value.empty() && IsBlank(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && IsBlank(value.back()))
        value.remove_suffix(1);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return Text(value);
}

std::optional<std::size_t> clsINIFile::LineOf(const Text& section, const Text& key) {
    Refresh();
    return m_document.LineOf(section, key);
}

void clsINIFile::WriteString(const Text& section, const Text& key, const Text& value) {
    // A line break would end the line early and turn the rest of the value into other keys
    // or sections; such a value cannot be kept in this format, so it is refused.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
        section.find(u']') != Text::npos || key.find(u'=') != Text::npos)
        throw BrevlinError(
            errors::InvalidArgument,
            UiText::Fill(
                UiText::Translate("clsINIFile",
                                  "INI ファイルに書けない文字 (改行など) を含んでいます: [%1] %2"),
                {ToUtf8(section), ToUtf8(key)}));
    Refresh();
    m_document.Set(section, key, value);
    if (!m_updating)
        Save();
}

void clsINIFile::BeginUpdate() {
    m_updating = true;
}

void clsINIFile::EndUpdate() {
    m_updating = false;
    Save();
}

void clsINIFile::Clear() {
    m_document.Clear();
    m_cleared = true;
}

void clsINIFile::Save() {
    const Text text = m_document.Serialize();
    const std::string bytes = TextFileEncoding::Encode(text);
    try {
        platform::SaveFile::Replace(m_filename, bytes);
    } catch (const FileSystem::Error& error) {
        throw BrevlinError(errors::PathFileAccess,
                           Describe(UiText::Translate("clsINIFile", "ファイルに書き込めません"),
                                    m_filename, error.what()));
    }
    m_loaded = true;
    m_cleared = false;
    try {
        m_stamp = FileSystem::StampOf(m_filename);
    } catch (const FileSystem::Error&) {
        m_stamp = {}; // read again next time
    }
}

} // namespace brevlin
