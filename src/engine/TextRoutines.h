#pragma once

#include "engine/CharClass.h"
#include "text/Text.h"

namespace brevlin {

// Backslash-escapes the twelve characters \?*+.|{}[]() so clause text matches literally.
Text EscapeRegExp(TextView text);

// The system's one HTML escaping: & " < > and nothing else.
Text EscapeHtml(TextView text);
// The part of AppendEscapedHtml from the first of the four, at `first`.
void AppendEscapedHtmlFrom(Text& out, TextView text, std::size_t first);
// Appends `text` escaped; most texts hold none of the four and are appended whole.
inline void AppendEscapedHtml(Text& out, TextView text) {
    std::size_t i = 0;
    while (i < text.size() && !chars::IsHtmlSpecial(text[i]))
        ++i;
    if (i < text.size())
        AppendEscapedHtmlFrom(out, text, i);
    else if (text.size() == 1)
        out.push_back(text[0]);
    else
        out.append(text);
}

// Line ends at the edges: the engine works on CR LF, while files and the clipboard here carry
// LF. Each LF not preceded by CR becomes CR LF.
Text ToCrLf(TextView text);
// Each CR LF becomes LF.
Text ToLf(TextView text);

} // namespace brevlin
