#pragma once

#include <cstddef>
#include <string_view>

namespace brevlin::surrogates {

// UTF-16 surrogate pairs: a code point above U+FFFF is a high (lead) unit followed by a low
// (trail) one. A surrogate that is not part of such a pair is "lone".

constexpr char32_t FirstSupplementary = 0x10000;

constexpr bool IsHigh(char32_t c) {
    return c >= 0xD800 && c < 0xDC00;
}
constexpr bool IsLow(char32_t c) {
    return c >= 0xDC00 && c < 0xE000;
}
constexpr bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c < 0xE000;
}

// The code point of a high and a low unit.
constexpr char32_t Combine(char16_t high, char16_t low) {
    return FirstSupplementary + ((static_cast<char32_t>(high) - 0xD800) << 10) +
           (static_cast<char32_t>(low) - 0xDC00);
}
// The units of a code point from U+10000 to U+10FFFF.
constexpr char16_t High(char32_t cp) {
    return static_cast<char16_t>(0xD800 + ((cp - FirstSupplementary) >> 10));
}
constexpr char16_t Low(char32_t cp) {
    return static_cast<char16_t>(0xDC00 + ((cp - FirstSupplementary) & 0x3FF));
}

// A pair starts at text[i].
constexpr bool IsPairAt(std::u16string_view text, std::size_t i) {
    return IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1]);
}
// text[i] is the low unit of a pair.
constexpr bool IsPairTailAt(std::u16string_view text, std::size_t i) {
    return IsLow(text[i]) && i > 0 && IsHigh(text[i - 1]);
}
// The code point at text[i]: that of the pair that starts there, else the unit itself (a
// lone surrogate stays what it is).
constexpr char32_t CodePointAt(std::u16string_view text, std::size_t i) {
    return IsPairAt(text, i) ? Combine(text[i], text[i + 1]) : text[i];
}

} // namespace brevlin::surrogates
