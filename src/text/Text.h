#pragma once

#include <string>
#include <string_view>

namespace brevlin {

// Text is UTF-16, as the clipboard and the stored settings are.
using Text = std::u16string;
using TextView = std::u16string_view;

// UTF-8 <-> UTF-16 for messages and tests (Utf8::DecodeReplacing and Utf8::Encode): invalid
// UTF-8 and lone surrogates become U+FFFD.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);

} // namespace brevlin
