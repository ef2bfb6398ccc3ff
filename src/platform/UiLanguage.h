#pragma once

#include <string>
#include <string_view>

namespace brevlin::platform {

// The language the programs speak, as a lower-case language code. "ja" is the system's own
// texts, which are Japanese; any other language is served by a translation, and by the
// English one where there is none for it.
class UiLanguage {
public:
    // BREVLIN_UI_LANGUAGE when it names a language, else the user's: on Linux the language of
    // messages as gettext finds it (LC_ALL, LC_MESSAGES, LANG, then LANGUAGE unless the locale
    // is C), on Windows the user's display language.
    static std::string Code();

    // The language code in a locale name: "ja_JP.UTF-8" and "ja-JP" give "ja"; "C", "POSIX",
    // "C.UTF-8" give "en"; an empty name or one that starts with no language gives "".
    static std::string CodeOf(std::string_view locale);

private:
    // The user's language as the operating system tells it (one file per system).
    static std::string SystemCode();
};

} // namespace brevlin::platform
