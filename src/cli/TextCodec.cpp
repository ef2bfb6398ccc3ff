#include "TextCodec.h"

#include "engine/BrevlinError.h"
#include "engine/TextRoutines.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) && defined(__GNUC__)
#include <emmintrin.h>
#endif

namespace brevlin::cli {

namespace {

// Word-at-a-time tests for the ASCII fast paths.
constexpr std::uint64_t kBytes01 = 0x0101010101010101ull;
constexpr std::uint64_t kBytes80 = 0x8080808080808080ull;
constexpr std::uint64_t kUnits0001 = 0x0001000100010001ull;
constexpr std::uint64_t kUnits8000 = 0x8000800080008000ull;

bool HasByte(std::uint64_t word, unsigned char value) {
    const std::uint64_t x = word ^ (kBytes01 * value);
    return ((x - kBytes01) & ~x & kBytes80) != 0;
}

bool HasUnit(std::uint64_t word, char16_t value) {
    const std::uint64_t x = word ^ (kUnits0001 * value);
    return ((x - kUnits0001) & ~x & kUnits8000) != 0;
}

#if defined(__SSE2__) && defined(__GNUC__)
// Copies the ASCII bytes from b[i] on, up to the first byte that is not ASCII (or is an LF
// when `stopAtLf`), widening them to o[n]; returns the new i.
std::size_t WidenAscii(const unsigned char* b, std::size_t size, std::size_t i, char16_t* o,
                       std::size_t& n, bool stopAtLf) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lf = _mm_set1_epi8('\n');
    while (i + 16 <= size) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        int mask = _mm_movemask_epi8(v);
        if (stopAtLf)
            mask |= _mm_movemask_epi8(_mm_cmpeq_epi8(v, lf));
        if (mask != 0) {
            const int k = __builtin_ctz(static_cast<unsigned>(mask));
            for (int j = 0; j < k; ++j)
                o[n + static_cast<std::size_t>(j)] = b[i + static_cast<std::size_t>(j)];
            n += static_cast<std::size_t>(k);
            return i + static_cast<std::size_t>(k);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + n), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + n + 8), _mm_unpackhi_epi8(v, zero));
        n += 16;
        i += 16;
    }
    return i;
}

// Copies the ASCII code units from t[i] on, up to the first one that is not ASCII (or is a
// CR when `stopAtCr`), as bytes to o[n]; returns the new i.
std::size_t NarrowAscii(const char16_t* t, std::size_t size, std::size_t i, unsigned char* o,
                        std::size_t& n, bool stopAtCr) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i cr = _mm_set1_epi16(u'\r');
    while (i + 8 <= size) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, high), zero)) ^ 0xFFFF;
        if (stopAtCr)
            mask |= _mm_movemask_epi8(_mm_cmpeq_epi16(v, cr));
        if (mask != 0) {
            const int k = __builtin_ctz(static_cast<unsigned>(mask)) / 2;
            for (int j = 0; j < k; ++j)
                o[n + static_cast<std::size_t>(j)] =
                    static_cast<unsigned char>(t[i + static_cast<std::size_t>(j)]);
            n += static_cast<std::size_t>(k);
            return i + static_cast<std::size_t>(k);
        }
        _mm_storel_epi64(reinterpret_cast<__m128i*>(o + n), _mm_packus_epi16(v, v));
        n += 8;
        i += 8;
    }
    return i;
}
#else
std::size_t WidenAscii(const unsigned char*, std::size_t, std::size_t i, char16_t*, std::size_t&,
                       bool) {
    return i;
}
std::size_t NarrowAscii(const char16_t*, std::size_t, std::size_t i, unsigned char*, std::size_t&,
                        bool) {
    return i;
}
#endif

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
        else if (!cp932 && (c & 0xC0) == 0x80)
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
        if (c >= 0xD800 && c < 0xDC00) {
            if (i + 1 >= units || unit(i + 1) < 0xDC00 || unit(i + 1) >= 0xE000)
                invalid(i, "a high surrogate without its low one");
            out += c;
            out += unit(++i);
            ++column;
            continue;
        }
        if (c >= 0xDC00 && c < 0xE000)
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
    Text out;
    // Room for every code unit plus a CR per LF, no more: the result is as big as the input.
    std::size_t lineFeeds = 0;
    if (lfToCrLf)
        lineFeeds = static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
    out.resize(s.size() + lineFeeds);
    std::size_t n = 0;
    std::size_t i = 0;
    if (s.size() >= 3 && s.substr(0, 3) == "\xEF\xBB\xBF")
        i = 3;
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t size = s.size();
    char16_t* o = out.data();
    while (i < size) {
        // Runs of ASCII without LF: sixteen, then eight bytes at a time.
        i = WidenAscii(b, size, i, o, n, lfToCrLf);
        while (i + 8 <= size) {
            std::uint64_t w;
            std::memcpy(&w, b + i, 8);
            if ((w & kBytes80) != 0 || (lfToCrLf && HasByte(w, '\n')))
                break;
            for (std::size_t k = 0; k < 8; ++k)
                o[n + k] = b[i + k];
            n += 8;
            i += 8;
        }
        if (i >= size)
            break;
        const unsigned c = b[i];
        if (c < 0x80) {
            if (c == '\n' && lfToCrLf && (n == 0 || out[n - 1] != u'\r'))
                out[n++] = u'\r';
            out[n++] = static_cast<char16_t>(c);
            ++i;
            continue;
        }
        const auto cont = [&](std::size_t k) { return i + k < size && (b[i + k] & 0xC0) == 0x80; };
        char32_t cp;
        std::size_t len;
        if (c >= 0xC2 && c <= 0xDF && cont(1)) {
            cp = ((c & 0x1F) << 6) | (b[i + 1] & 0x3F);
            len = 2;
        } else if ((c & 0xF0) == 0xE0 && cont(1) && cont(2)) {
            cp = ((c & 0x0F) << 12) | ((b[i + 1] & 0x3F) << 6) | (b[i + 2] & 0x3F);
            len = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))
                ThrowInvalid("UTF-8", s, i);
        } else if (c >= 0xF0 && c <= 0xF4 && cont(1) && cont(2) && cont(3)) {
            cp = ((c & 0x07) << 18) | ((b[i + 1] & 0x3F) << 12) | ((b[i + 2] & 0x3F) << 6) |
                 (b[i + 3] & 0x3F);
            len = 4;
            if (cp < 0x10000 || cp > 0x10FFFF)
                ThrowInvalid("UTF-8", s, i);
        } else {
            ThrowInvalid("UTF-8", s, i);
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out[n++] = static_cast<char16_t>(0xD800 + (cp >> 10));
            out[n++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out[n++] = static_cast<char16_t>(cp);
        }
        i += len;
    }
    out.resize(n);
    return out;
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

std::string TextCodec::EncodeUtf8(TextView t, bool crLfToLf) {
    std::string out;
    AppendUtf8(out, t, crLfToLf);
    return out;
}

void TextCodec::AppendUtf8(std::string& out, TextView t, bool crLfToLf) {
    const std::size_t start = out.size();
    out.resize(start + 3 * t.size());
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    std::size_t n = start;
    const std::size_t size = t.size();
    for (std::size_t i = 0; i < size; ++i) {
        // Runs of ASCII without CR: eight, then four code units at a time.
        i = NarrowAscii(t.data(), size, i, o, n, crLfToLf);
        while (i + 4 <= size) {
            std::uint64_t w;
            std::memcpy(&w, t.data() + i, 8);
            if ((w & 0xFF80FF80FF80FF80ull) != 0 || (crLfToLf && HasUnit(w, u'\r')))
                break;
            for (std::size_t k = 0; k < 4; ++k)
                o[n + k] = static_cast<unsigned char>(t[i + k]);
            n += 4;
            i += 4;
        }
        if (i >= size)
            break;
        char32_t cp = t[i];
        if (cp < 0x80) {
            if (!(crLfToLf && cp == u'\r' && i + 1 < size && t[i + 1] == u'\n'))
                o[n++] = static_cast<unsigned char>(cp);
            continue;
        }
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < size && t[i + 1] >= 0xDC00 &&
            t[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (t[i + 1] - 0xDC00);
            ++i;
            o[n++] = static_cast<unsigned char>(0xF0 | (cp >> 18));
            o[n++] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            o[n++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            o[n++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            continue;
        }
        if (cp >= 0xD800 && cp < 0xE000)
            cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        if (cp < 0x800) {
            o[n++] = static_cast<unsigned char>(0xC0 | (cp >> 6));
        } else {
            o[n++] = static_cast<unsigned char>(0xE0 | (cp >> 12));
            o[n++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        }
        o[n++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
    out.resize(n);
}

} // namespace brevlin::cli
