#include "cli/MessageCatalog.h"

#include "platform/FileSystem.h"
#include "platform/UiLanguage.h"
#include "text/Text.h"
#include "text/UiText.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace brevlin::cli {

namespace {

// The layout of lrelease's output: a fixed signature, then blocks of a tag byte and a 32-bit
// big-endian length. The messages block holds records of tagged fields, each record closed
// by End.
constexpr std::string_view Signature{"\x3c\xb8\x64\x18\xca\xef\x9c\x95"
                                     "\xcd\x21\x1c\xbf\x60\xa1\xbd\xdd",
                                     16};
constexpr unsigned char MessagesBlock = 0x69;
enum Field : unsigned char {
    End = 1,
    SourceText16 = 2,
    Translation = 3,
    Context16 = 4,
    Obsolete1 = 5,
    SourceText = 6,
    Context = 7,
    Comment = 8,
    Obsolete2 = 9,
};
// Translation's length for a message that has none.
constexpr std::uint32_t NoText = 0xFFFFFFFF;
// Translation files are small; a larger one is no translation file.
constexpr std::uintmax_t MaxFileSize = 16u * 1024 * 1024;

// Reads from a block, refusing to run past its end.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    bool AtEnd() const { return m_pos == m_bytes.size(); }
    std::optional<unsigned char> Byte() {
        if (m_pos >= m_bytes.size())
            return std::nullopt;
        return static_cast<unsigned char>(m_bytes[m_pos++]);
    }
    std::optional<std::uint32_t> Length() {
        if (m_bytes.size() - m_pos < 4)
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<unsigned char>(m_bytes[m_pos++]);
        return value;
    }
    std::optional<std::string_view> Bytes(std::uint32_t count) {
        if (m_bytes.size() - m_pos < count)
            return std::nullopt;
        const std::string_view taken = m_bytes.substr(m_pos, count);
        m_pos += count;
        return taken;
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

std::string FromUtf16BigEndian(std::string_view bytes) {
    Text text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) |
                                      static_cast<unsigned char>(bytes[i + 1]));
    return ToUtf8(text);
}

MessageCatalog& Installed() {
    static MessageCatalog catalog;
    return catalog;
}

std::string TranslateInstalled(const char* context, const char* text) {
    return Installed().Find(context, text);
}

} // namespace

bool MessageCatalog::Load(const std::filesystem::path& path) {
    m_messages.clear();
    std::string bytes;
    try {
        bytes = platform::FileSystem::ReadWhole(path, MaxFileSize, false);
    } catch (const platform::FileSystem::Error&) {
        return false;
    }
    if (!Parse(bytes)) {
        m_messages.clear();
        return false;
    }
    return true;
}

bool MessageCatalog::Parse(std::string_view bytes) {
    if (bytes.substr(0, Signature.size()) != Signature)
        return false;
    Reader blocks(bytes.substr(Signature.size()));
    bool messages = false;
    while (!blocks.AtEnd()) {
        const auto tag = blocks.Byte();
        const auto length = tag ? blocks.Length() : std::nullopt;
        const auto block = length ? blocks.Bytes(*length) : std::nullopt;
        if (!block)
            return false;
        if (*tag != MessagesBlock)
            continue;
        messages = true;
        Reader fields(*block);
        std::string context;
        std::string source;
        std::optional<std::string> translation;
        while (!fields.AtEnd()) {
            const auto field = fields.Byte();
            if (*field == End) {
                if (translation && !translation->empty())
                    m_messages.try_emplace(Key(context, source), *translation);
                context.clear();
                source.clear();
                translation.reset();
                continue;
            }
            if (*field == Obsolete1) {
                if (!fields.Bytes(4))
                    return false;
                continue;
            }
            const auto size = fields.Length();
            if (!size)
                return false;
            if (*field == Translation && *size == NoText)
                continue;
            const auto value = fields.Bytes(*size);
            if (!value)
                return false;
            switch (*field) {
            case Translation:
                // A message with plural forms has one a form; the first serves here.
                if (!translation)
                    translation = FromUtf16BigEndian(*value);
                break;
            case SourceText:
                source = *value;
                break;
            case Context:
                context = *value;
                break;
            case SourceText16:
            case Context16:
            case Comment:
            case Obsolete2:
                break;
            default:
                return false;
            }
        }
    }
    return messages;
}

std::string MessageCatalog::Key(std::string_view context, std::string_view text) {
    std::string key(context);
    key += '\0';
    key += text;
    return key;
}

std::string MessageCatalog::Find(std::string_view context, std::string_view text) const {
    const auto found = m_messages.find(Key(context, text));
    return found == m_messages.end() ? std::string() : found->second;
}

void MessageCatalog::Install(const std::filesystem::path& program) {
    const std::string language = platform::UiLanguage::Code();
    if (language == "ja")
        return;
    // Beside the program (the Windows build), then the data folder of an installed program
    // (<prefix>/bin beside <prefix>/share) and of one in the build tree.
    const std::filesystem::path folder = program.parent_path();
    const std::filesystem::path data = std::filesystem::path("share") / "brevlin-glosser";
    const std::vector<std::filesystem::path> folders{folder / "translations",
                                                     folder.parent_path() / data / "translations",
                                                     folder / data / "translations"};
    for (const std::string& candidate : {language, std::string("en")}) {
        for (const std::filesystem::path& translations : folders) {
            if (Installed().Load(translations / ("brevlin_" + candidate + ".qm"))) {
                UiText::SetTranslator(&TranslateInstalled);
                return;
            }
        }
    }
}

} // namespace brevlin::cli
