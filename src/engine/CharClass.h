#pragma once

#include <array>
#include <cstdint>

namespace brevlin::chars {

// The dialect's ASCII classes, from one table.
enum : std::uint8_t { kWord = 1, kHash = 2, kSpace = 4, kHtml = 8 };

inline constexpr std::array<std::uint8_t, 128> kClasses = [] {
    std::array<std::uint8_t, 128> table{};
    for (int c = 'a'; c <= 'z'; ++c)
        table[static_cast<std::size_t>(c)] = kWord;
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<std::size_t>(c)] = kWord;
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<std::size_t>(c)] = kWord;
    table['_'] = kWord;
    table['#'] = kHash;
    for (const char c : {' ', '\t', '\n', '\r', '\f', '\v'})
        table[static_cast<std::size_t>(c)] = kSpace;
    for (const char c : {'&', '"', '<', '>'})
        table[static_cast<std::size_t>(c)] = kHtml;
    return table;
}();

inline bool Is(char16_t c, std::uint8_t classes) {
    return c < 128 && (kClasses[c] & classes);
}
inline bool IsWord(char16_t c) {
    return Is(c, kWord);
}
inline bool IsWordOrHash(char16_t c) {
    return Is(c, kWord | kHash);
}
inline bool IsSpace(char16_t c) {
    return Is(c, kSpace);
}
// One of & " < >, which HTML escaping replaces.
inline bool IsHtmlSpecial(char16_t c) {
    return Is(c, kHtml);
}
// Case folding of the caseless matcher: ASCII letters only.
inline char16_t Fold(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c;
}
inline bool IsAnchor(char16_t c) {
    return c == u'^' || c == u'$';
}

} // namespace brevlin::chars
