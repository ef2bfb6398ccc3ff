#include "cli/TextCodec.h"

#include "engine/TextRoutines.h"
#include "platform/CodePage.h"
#include "text/BrevlinError.h"
#include "text/Surrogates.h"
#include "text/Utf8.h"

#include <utility>

namespace brevlin::cli {

namespace {

bool IsCp932Lead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Where the byte at `offset` is, as an editor shows it: line and column (in characters) from
// 1. An LF, or a CR without one, ends a line.
std::string Position(std::string_view s, std::size_t offset, bool cp932) {
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (s[i] == '\n' || (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    std::size_t column = 1;
    for (std::size_t i = lineStart; i < offset; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (cp932 && IsCp932Lead(c))
            ++i; // its second byte
        else if (!cp932 && Utf8::IsContinuationByte(c))
            continue; // a continuation byte of UTF-8
        ++column;
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column) +
           " (byte offset " + std::to_string(offset) + ")";
}

[[noreturn]] void ThrowInvalid(const char* encoding, std::string_view s, std::size_t offset) {
    const bool utf8 = std::string_view(encoding) == "UTF-8";
    throw BrevlinError(errors::InputOutput,
                       std::string("input is not valid ") + encoding + " at " +
                           Position(s, offset, !utf8) +
                           (utf8 ? "; if it is Shift_JIS, convert it with --encoding cp932" : ""));
}

// Text after a UTF-16 byte-order mark, as Windows editors save "Unicode" files.
Text DecodeUtf16(std::string_view s, bool lfToCrLf) {
    const bool littleEndian = s[0] == '\xFF';
    const std::size_t units = (s.size() - 2) / 2;
    Text out;
    out.reserve(units + (lfToCrLf ? units / 8 : 0));
    std::size_t line = 1;
    std::size_t column = 1;
    const auto invalid = [&](std::size_t i, const char* what) {
        throw BrevlinError(errors::InputOutput, "input is not valid UTF-16 at line " +
                                                    std::to_string(line) + ", column " +
                                                    std::to_string(column) + " (byte offset " +
                                                    std::to_string(2 + 2 * i) + "): " + what);
    };
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(s[2 + 2 * i]);
        const auto b = static_cast<unsigned char>(s[3 + 2 * i]);
        return static_cast<char16_t>(littleEndian ? a | (b << 8) : (a << 8) | b);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t c = unit(i);
        if (surrogates::IsHigh(c)) {
            if (i + 1 >= units || !surrogates::IsLow(unit(i + 1)))
                invalid(i, "a high surrogate without its low one");
            out += c;
            out += unit(++i);
            ++column;
            continue;
        }
        if (surrogates::IsLow(c))
            invalid(i, "a low surrogate without its high one");
        if (c == u'\n' && lfToCrLf && (out.empty() || out.back() != u'\r'))
            out += u'\r';
        out += c;
        if (c == u'\n' || (c == u'\r' && (i + 1 >= units || unit(i + 1) != u'\n'))) {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    if (s.size() % 2 != 0)
        invalid(units, "the last character is cut (an odd number of bytes)");
    return out;
}

Text DecodeUtf8(std::string_view s, bool lfToCrLf) {
    std::size_t offset = 0;
    auto text = Utf8::Decode(s, &offset, {.skipByteOrderMark = true, .lfToCrLf = lfToCrLf});
    if (!text)
        ThrowInvalid("UTF-8", s, offset);
    return std::move(*text);
}

Text DecodeCp932(std::string_view s) {
    Text text = platform::CodePage::FromCp932(s);
    if (text.find(u'\uFFFD') == Text::npos)
        return text; // CP932 has no U+FFFD of its own: no replacement, no error
    // Find the first byte sequence that did not convert, to name its offset.
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::size_t len = IsCp932Lead(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + len > s.size() ||
            platform::CodePage::FromCp932(s.substr(i, len)).find(u'\uFFFD') != Text::npos)
            ThrowInvalid("CP932", s, i);
        i += len - 1;
    }
    ThrowInvalid("CP932", s, s.size());
}

} // namespace

Text TextCodec::Decode(std::string_view bytes, InputEncoding encoding, bool lfToCrLf) {
    // A byte-order mark says what the text is; neither UTF-8 nor CP932 text starts so.
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
        return DecodeUtf16(bytes, lfToCrLf);
    if (encoding == InputEncoding::Utf8)
        return DecodeUtf8(bytes, lfToCrLf);
    const Text text = DecodeCp932(bytes);
    return lfToCrLf ? brevlin::ToCrLf(text) : text;
}

} // namespace brevlin::cli
