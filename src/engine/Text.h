#pragma once

#include <string>
#include <string_view>

namespace brevlin {

// The engine works on UTF-16 text, as the clipboard and the stored settings do.
using Text = std::u16string;
using TextView = std::u16string_view;

// UTF-8 <-> UTF-16 for messages and tests. Invalid UTF-8 becomes U+FFFD.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);

} // namespace brevlin
