#include "text/Text.h"

#include "text/Utf8.h"

namespace brevlin {

Text FromUtf8(std::string_view utf8) {
    return Utf8::DecodeReplacing(utf8);
}

std::string ToUtf8(TextView text) {
    return Utf8::Encode(text);
}

} // namespace brevlin
