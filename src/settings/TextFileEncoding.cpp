#include "settings/TextFileEncoding.h"

#include "platform/CodePage.h"
#include "text/Utf8.h"

#include <algorithm>
#include <utility>

namespace brevlin {

namespace {

bool HasNonAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Text saved as "Unicode" by Windows editors; the profile functions read it too.
Text DecodeUtf16(std::string_view bytes, bool littleEndian) {
    Text text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<char16_t>(littleEndian ? first | (second << 8) : (first << 8) | second);
    }
    if (bytes.size() % 2 != 0)
        text += u'\uFFFD';
    return text;
}

std::string EncodeUtf16(TextView text) {
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + text.size() * 2);
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

} // namespace

Text TextFileEncoding::Decode(std::string_view bytes) {
    // After the mark nothing is guessed: what is not UTF-8 there becomes U+FFFD.
    if (bytes.starts_with(Utf8::ByteOrderMark))
        return Utf8::DecodeReplacing(bytes, {.skipByteOrderMark = true});
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
        return DecodeUtf16(bytes.substr(2), bytes[0] == '\xFF');
    if (HasNonAscii(bytes)) {
        if (auto text = Utf8::Decode(bytes))
            return std::move(*text);
    }
    return platform::CodePage::FromCp932(bytes);
}

std::string TextFileEncoding::Encode(TextView text) {
    if (const auto cp932 = platform::CodePage::ToCp932(text)) {
        const bool readsBack = platform::CodePage::FromCp932(*cp932) == text;
        const bool looksLikeUtf8 = HasNonAscii(*cp932) && Utf8::IsValid(*cp932);
        if (readsBack && !looksLikeUtf8)
            return *cp932;
    }
    // Text read from a UTF-16 file may hold what UTF-8 cannot (an unpaired surrogate); such
    // text goes back as UTF-16.
    const std::string utf8 = Utf8::Encode(text);
    if (Utf8::DecodeReplacing(utf8) != text)
        return EncodeUtf16(text);
    return std::string(Utf8::ByteOrderMark) + utf8;
}

} // namespace brevlin
