#pragma once

#include "text/Text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brevlin {

// UTF-8 <-> UTF-16, with a fast path for runs of ASCII.
class Utf8 {
public:
    static constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

    struct DecodeOptions {
        // A leading byte-order mark (EF BB BF) is dropped.
        bool skipByteOrderMark = false;
        // Each LF not preceded by CR becomes CR LF on the way.
        bool lfToCrLf = false;
    };

    // Strict: well-formed UTF-8 only (no overlong forms, no surrogates, nothing above
    // U+10FFFF, no sequence cut short). Nothing when the bytes are not; then `errorOffset`
    // (if given) is where the first sequence that is not UTF-8 starts.
    static std::optional<Text> Decode(std::string_view bytes, std::size_t* errorOffset = nullptr);
    static std::optional<Text> Decode(std::string_view bytes, std::size_t* errorOffset,
                                      DecodeOptions options);
    static bool IsValid(std::string_view bytes);
    // A byte that continues a sequence (10xxxxxx), which starts no character of its own.
    static constexpr bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

    // Replacing: never fails. A sequence of the right length whose value is overlong or above
    // U+10FFFF becomes one U+FFFD; one whose value is a surrogate gives that unit (so that
    // surrogates written one by one read back); any other byte that starts no whole sequence
    // becomes one U+FFFD.
    static Text DecodeReplacing(std::string_view bytes);
    static Text DecodeReplacing(std::string_view bytes, DecodeOptions options);

    // A pair becomes one four-byte sequence; a lone surrogate, which UTF-8 cannot hold,
    // becomes U+FFFD. With crLfToLf, each CR LF becomes LF on the way.
    static std::string Encode(TextView text, bool crLfToLf = false);
    // The same, appended to `out`.
    static void Append(std::string& out, TextView text, bool crLfToLf = false);
};

} // namespace brevlin
