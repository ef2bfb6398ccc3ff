#include "text/Utf8.h"

#include "text/Surrogates.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) && defined(__GNUC__)
#include <emmintrin.h>
#endif

namespace brevlin {

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

// The one decoder. Strict stops at the first sequence that is not UTF-8 and tells where it
// starts; replacing goes on as DecodeReplacing describes.
template <bool replacing>
bool DecodeInto(std::string_view s, Utf8::DecodeOptions options, Text& out,
                std::size_t* errorOffset) {
    const bool lfToCrLf = options.lfToCrLf;
    // Room for every code unit plus a CR per LF, no more: no byte gives more than one unit,
    // and a four-byte sequence two.
    std::size_t lineFeeds = 0;
    if (lfToCrLf)
        lineFeeds = static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
    out.resize(s.size() + lineFeeds);
    std::size_t n = 0;
    std::size_t i = 0;
    if (options.skipByteOrderMark && s.starts_with(Utf8::ByteOrderMark))
        i = Utf8::ByteOrderMark.size();
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
        // The length that the lead byte announces, if its continuation bytes are all there.
        std::size_t len = c < 0xC0 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF8 ? 4 : 0;
        for (std::size_t k = 1; k < len; ++k) {
            if (i + k >= size || !Utf8::IsContinuationByte(b[i + k])) {
                len = 0;
                break;
            }
        }
        char32_t cp = 0;
        bool inRange = false; // neither overlong nor above U+10FFFF
        if (len != 0) {
            constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
            cp = c & (0x7Fu >> len);
            for (std::size_t k = 1; k < len; ++k)
                cp = (cp << 6) | (b[i + k] & 0x3F);
            inRange = cp >= minimum[len] && cp <= 0x10FFFF;
        }
        if (!inRange || surrogates::IsSurrogate(cp)) {
            if constexpr (!replacing) {
                if (errorOffset != nullptr)
                    *errorOffset = i;
                out.resize(n);
                return false;
            }
            if (len == 0) {
                out[n++] = u'\uFFFD';
                ++i;
                continue;
            }
            if (!inRange)
                cp = 0xFFFD;
        }
        if (cp >= surrogates::FirstSupplementary) {
            out[n++] = surrogates::High(cp);
            out[n++] = surrogates::Low(cp);
        } else {
            out[n++] = static_cast<char16_t>(cp);
        }
        i += len;
    }
    out.resize(n);
    return true;
}

} // namespace

std::optional<Text> Utf8::Decode(std::string_view bytes, std::size_t* errorOffset) {
    return Decode(bytes, errorOffset, DecodeOptions());
}

std::optional<Text> Utf8::Decode(std::string_view bytes, std::size_t* errorOffset,
                                 DecodeOptions options) {
    Text text;
    if (!DecodeInto<false>(bytes, options, text, errorOffset))
        return std::nullopt;
    return text;
}

bool Utf8::IsValid(std::string_view bytes) {
    return Decode(bytes).has_value();
}

Text Utf8::DecodeReplacing(std::string_view bytes) {
    return DecodeReplacing(bytes, DecodeOptions());
}

Text Utf8::DecodeReplacing(std::string_view bytes, DecodeOptions options) {
    Text text;
    DecodeInto<true>(bytes, options, text, nullptr);
    return text;
}

std::string Utf8::Encode(TextView text, bool crLfToLf) {
    std::string out;
    Append(out, text, crLfToLf);
    return out;
}

void Utf8::Append(std::string& out, TextView t, bool crLfToLf) {
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
        if (surrogates::IsPairAt(t, i)) {
            cp = surrogates::Combine(t[i], t[i + 1]);
            ++i;
            o[n++] = static_cast<unsigned char>(0xF0 | (cp >> 18));
            o[n++] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            o[n++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            o[n++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            continue;
        }
        if (surrogates::IsSurrogate(cp))
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

} // namespace brevlin
