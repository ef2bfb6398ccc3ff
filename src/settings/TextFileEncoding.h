#pragma once

#include "text/Text.h"

#include <string>
#include <string_view>

namespace brevlin {

// The encoding rules of language files.
class TextFileEncoding {
public:
    // UTF-8 when the bytes start with its byte-order mark (dropped) or are valid UTF-8 with some
    // non-ASCII byte; UTF-16 after its byte-order mark; CP932 otherwise.
    static Text Decode(std::string_view bytes);
    // CP932 when the text comes back unchanged from it and cannot be mistaken for UTF-8 when
    // read; otherwise UTF-8 with a byte-order mark, or UTF-16 (little-endian, with its mark)
    // for text with an unpaired surrogate, which UTF-8 cannot hold.
    static std::string Encode(TextView text);
};

} // namespace brevlin
