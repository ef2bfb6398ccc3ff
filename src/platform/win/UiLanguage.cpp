#include "platform/UiLanguage.h"

#include <windows.h>

namespace brevlin::platform {

std::string UiLanguage::SystemCode() {
    // The language of Windows' own menus and dialogs for this user, as "ja-JP".
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                         LOCALE_NAME_MAX_LENGTH, 0) == 0)
        return {};
    std::string ascii;
    for (const wchar_t* c = name; *c != L'\0'; ++c)
        ascii += *c < 0x80 ? static_cast<char>(*c) : '?';
    return CodeOf(ascii);
}

} // namespace brevlin::platform
