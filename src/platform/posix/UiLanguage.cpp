#include "platform/UiLanguage.h"

#include <cstdlib>

namespace brevlin::platform {

namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

std::string UiLanguage::SystemCode() {
    // gettext's order: the first locale variable set names the locale of messages; LANGUAGE,
    // a list of languages by preference, counts only where that locale is not C.
    std::string_view locale = Variable("LC_ALL");
    if (locale.empty())
        locale = Variable("LC_MESSAGES");
    if (locale.empty())
        locale = Variable("LANG");
    const std::string code = CodeOf(locale);
    if (code.empty() || locale == "C" || locale == "POSIX" || locale.substr(0, 2) == "C.")
        return code;
    const std::string preferred = CodeOf(Variable("LANGUAGE"));
    return preferred.empty() ? code : preferred;
}

} // namespace brevlin::platform
