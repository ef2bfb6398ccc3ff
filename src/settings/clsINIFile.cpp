#include "clsINIFile.h"

#include "TextFileEncoding.h"
#include "engine/BrevlinError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace brevlin {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' ||
           c == u'\x1A';
}

std::string Describe(const char* what, const QString& path, const QString& reason = {}) {
    std::string text = what;
    text += ": " + path.toStdString();
    if (!reason.isEmpty())
        text += " (" + reason.toStdString() + ")";
    return text;
}

bool HasLineBreak(TextView text) {
    return text.find_first_of(u"\r\n") != TextView::npos;
}

} // namespace

void clsINIFile::SetFilename(const QString& path) {
    m_filename = path;
    m_loaded = false;
    m_cleared = false;
    m_document.Clear();
}

void clsINIFile::Refresh() {
    if (m_cleared || ((m_updating || m_holdFirstRead) && m_loaded))
        return; // collected writes are not to be replaced by the file's content
    const QFileInfo info(m_filename);
    const bool exists = info.exists();
    if (m_loaded) {
        // Re-read only a regular file that changed; a pipe can be read only once.
        const bool changed =
            exists != m_existed || (exists && info.isFile() &&
                                    (info.size() != m_size || info.lastModified() != m_modified));
        if (!changed)
            return;
    }
    m_document.Clear();
    m_loaded = true;
    m_existed = exists;
    m_size = info.size();
    m_modified = info.lastModified();
    if (!exists)
        return; // a missing file reads as defaults everywhere

    try {
        m_document = IniDocument::Parse(ReadText(m_filename));
    } catch (...) {
        // A refused file counts as not read, so the next access tries again.
        m_loaded = false;
        throw;
    }
}

Text clsINIFile::ReadText(const QString& path) {
    const auto refuse = [&path](const char* what, const QString& reason = {}) {
        return BrevlinError(errors::PathFileAccess, Describe(what, path, reason));
    };
    constexpr const char* TooBig = "ファイルが大きすぎます (16 MiB まで)";
    const QFileInfo info(path);
    if (info.isFile() && info.size() > MaxFileSize)
        throw refuse(TooBig);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw refuse("ファイルを読み込めません", file.errorString());
    // In pieces: a buffer of the largest size for every small file would cost more than the
    // reading, and a pipe has no size to go by.
    QByteArray bytes;
    for (;;) {
        const QByteArray piece = file.read(64 * 1024);
        if (file.error() != QFileDevice::NoError)
            throw refuse("ファイルを読み込めません", file.errorString());
        if (piece.isEmpty())
            break;
        bytes += piece;
        if (bytes.size() > MaxFileSize)
            throw refuse(TooBig);
    }
    return TextFileEncoding::Decode(std::string_view(bytes.constData(), bytes.size()));
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

void clsINIFile::WriteString(const Text& section, const Text& key, const Text& value) {
    // A line break would end the line early and turn the rest of the value into other keys
    // or sections; such a value cannot be kept in this format, so it is refused.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
        section.find(u']') != Text::npos || key.find(u'=') != Text::npos)
        throw BrevlinError(errors::InvalidArgument,
                           "INI ファイルに書けない文字 (改行など) を含んでいます: [" +
                               ToUtf8(section) + "] " + ToUtf8(key));
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
    QSaveFile file(m_filename);
    if (!file.open(QIODevice::WriteOnly))
        throw BrevlinError(errors::PathFileAccess,
                           Describe("ファイルに書き込めません", m_filename, file.errorString()));
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()) || !file.commit())
        throw BrevlinError(errors::PathFileAccess,
                           Describe("ファイルに書き込めません", m_filename, file.errorString()));
    const QFileInfo info(m_filename);
    m_loaded = true;
    m_cleared = false;
    m_existed = true;
    m_size = info.size();
    m_modified = info.lastModified();
}

} // namespace brevlin
