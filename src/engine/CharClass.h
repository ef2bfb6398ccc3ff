#pragma once

namespace brevlin::chars {

// The dialect's ASCII classes.
inline bool IsWord(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
}
inline bool IsWordOrHash(char16_t c) { return IsWord(c) || c == u'#'; }
inline bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}
// Case folding of the caseless matcher: ASCII letters only.
inline char16_t Fold(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }
inline bool IsAnchor(char16_t c) { return c == u'^' || c == u'$'; }

} // namespace brevlin::chars
