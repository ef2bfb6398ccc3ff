#pragma once

#include "Text.h"

namespace brevlin {

// Backslash-escapes the twelve characters \?*+.|{}[]() so clause text matches literally.
Text EscapeRegExp(TextView text);

// The system's one HTML escaping: & " < > and nothing else.
Text EscapeHtml(TextView text);
void AppendEscapedHtml(Text& out, TextView text);

} // namespace brevlin
