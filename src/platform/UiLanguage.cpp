#include "platform/UiLanguage.h"

#include <cstdlib>

namespace brevlin::platform {

std::string UiLanguage::CodeOf(std::string_view locale) {
    std::string code;
    for (const char c : locale) {
        if (c == '_' || c == '-' || c == '.' || c == '@' || c == ':')
            break;
        if (!(c >= 'a' && c <= 'z') && !(c >= 'A' && c <= 'Z'))
            return {};
        code += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    // The C locale's messages are the untranslated ones of programs written in English.
    if (code == "c" || code == "posix")
        return "en";
    return code.size() >= 2 && code.size() <= 3 ? code : std::string();
}

std::string UiLanguage::Code() {
    if (const char* chosen = std::getenv("BREVLIN_UI_LANGUAGE")) {
        const std::string code = CodeOf(chosen);
        if (!code.empty())
            return code;
    }
    const std::string code = SystemCode();
    return code.empty() ? "en" : code;
}

} // namespace brevlin::platform
