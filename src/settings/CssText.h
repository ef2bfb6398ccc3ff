#pragma once

#include "engine/CharClass.h"
#include "text/Text.h"

namespace brevlin::css {

// The few character rules that a style sheet and the HTML it styles share.

// White space of CSS and of HTML tags: space, tab, line feed, carriage return, form feed.
inline bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

inline bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Names of properties, elements and at-rules compare in ASCII lower case.
inline Text Lower(TextView text) {
    Text lower(text);
    for (char16_t& c : lower)
        c = chars::Fold(c);
    return lower;
}

inline TextView Trim(TextView text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace brevlin::css
