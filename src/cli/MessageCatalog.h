#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace brevlin::cli {

// The translations of one language as lrelease compiles them (a .qm file): each message's
// context, source text and translation. The command line reads them without Qt, which it
// does not link, so that it builds wherever the engine does.
class MessageCatalog {
public:
    // Reads `path`; false, with nothing read, when it cannot be read or is no translation
    // file (one without messages included).
    bool Load(const std::filesystem::path& path);

    // The translation of `text` in `context` (UTF-8), or an empty text for none.
    std::string Find(std::string_view context, std::string_view text) const;
    std::size_t Count() const { return m_messages.size(); }

    // Gives the libraries' messages the language that platform::UiLanguage chooses, from the
    // translations found beside `program` (the running executable); the system's Japanese
    // texts need none. A language without a translation of its own gets the English one.
    static void Install(const std::filesystem::path& program);

private:
    bool Parse(std::string_view bytes);
    static std::string Key(std::string_view context, std::string_view text);

    // By context and source text, joined by a zero byte.
    std::map<std::string, std::string> m_messages;
};

} // namespace brevlin::cli
