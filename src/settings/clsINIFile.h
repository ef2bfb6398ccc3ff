#pragma once

#include "platform/FileSystem.h"
#include "settings/IniDocument.h"
#include "text/Text.h"

#include <filesystem>

namespace brevlin {

// INI file access with the rules of the profile functions: names match without regard to
// letter case, values are trimmed and lose one pair of enclosing quotes, a key is replaced in
// place or appended to its section, a section is appended at the end, values have any length.
//
// Encoding: a file with a UTF-8 byte-order mark, or one that is valid UTF-8 with non-ASCII
// bytes, is read as UTF-8, anything else as CP932. The file is written in CP932 when every
// character survives that, otherwise in UTF-8 with a byte-order mark (UTF-16 for text that
// UTF-8 cannot hold), so no text is lost. Lines end at CR LF, LF or a lone CR.
// Every write replaces the file whole (temporary file, then rename); a failure is raised.
class clsINIFile {
public:
    // Bigger files are refused: no language file comes near this, and memory stays bounded.
    static constexpr std::size_t MaxFileSize = 16 * 1024 * 1024;
    // The whole file decoded by the rules of language files; errors::PathFileAccess for a file
    // that is too big or cannot be read.
    static Text ReadText(const std::filesystem::path& path);

    const std::filesystem::path& Filename() const { return m_filename; }
    void SetFilename(const std::filesystem::path& path);

    Text ReadString(const Text& section, const Text& key, const Text& defaultValue);
    void WriteString(const Text& section, const Text& key, const Text& value);
    // The file's line that holds the key (the section's header for an empty key), for
    // messages; nothing when there is none.
    std::optional<std::size_t> LineOf(const Text& section, const Text& key);

    // Between BeginUpdate and EndUpdate writes are collected and the file is written once.
    void BeginUpdate();
    void EndUpdate();
    // Forgets the file's content: the next write starts a new file.
    void Clear();
    // From now on, reads keep what the file held when it was first read, even when another
    // program changes it meanwhile: a language is read from one state of its file, and a
    // file that keeps growing is not read again for each value.
    void HoldFirstRead() { m_holdFirstRead = true; }

private:
    void Refresh();
    void Save();

    std::filesystem::path m_filename;
    IniDocument m_document;
    bool m_loaded = false;
    bool m_updating = false;
    bool m_cleared = false;
    bool m_holdFirstRead = false;
    // What the file looked like when it was read or written, to notice a change.
    platform::FileSystem::Stamp m_stamp;
};

} // namespace brevlin
