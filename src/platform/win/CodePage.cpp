#include "platform/CodePage.h"

#include "text/Surrogates.h"

#include <windows.h>

#include <array>

namespace brevlin::platform {

namespace {

constexpr UINT Cp932 = 932;

} // namespace

// Best-fit mappings (a character "like" another) do not count: such text would not come back.
const std::array<unsigned char, 65536>& CodePage::WidthTable() {
    static const std::array<unsigned char, 65536> table = [] {
        std::array<unsigned char, 65536> t{};
        for (unsigned c = 0; c < 65536; ++c) {
            if (surrogates::IsSurrogate(c))
                continue;
            const wchar_t unit = static_cast<wchar_t>(c);
            char bytes[4];
            BOOL usedDefault = FALSE;
            const int n = WideCharToMultiByte(Cp932, WC_NO_BEST_FIT_CHARS, &unit, 1, bytes,
                                              sizeof bytes, nullptr, &usedDefault);
            if (n > 0 && !usedDefault)
                t[c] = static_cast<unsigned char>(n);
        }
        return t;
    }();
    return table;
}

namespace {

std::u16string Widen(const char* bytes, int size) {
    std::u16string out;
    if (size == 0)
        return out;
    const int n = MultiByteToWideChar(Cp932, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0);
    if (n <= 0)
        return out;
    out.resize(static_cast<std::size_t>(n));
    MultiByteToWideChar(Cp932, MB_ERR_INVALID_CHARS, bytes, size,
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

} // namespace

std::optional<std::string> CodePage::ToCp932(std::u16string_view text) {
    const auto& table = WidthTable();
    for (const char16_t c : text) {
        if (table[c] == 0)
            return std::nullopt;
    }
    std::string out;
    if (text.empty())
        return out;
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int n =
        WideCharToMultiByte(Cp932, WC_NO_BEST_FIT_CHARS, units, size, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return std::nullopt;
    out.resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(Cp932, WC_NO_BEST_FIT_CHARS, units, size, out.data(), n, nullptr, nullptr);
    return out;
}

std::u16string CodePage::FromCp932(std::string_view bytes) {
    // The whole at once where it is all CP932; else character by character, each byte that
    // starts no character becoming U+FFFD.
    if (bytes.size() < 0x7FFFFFFF) {
        const std::u16string whole = Widen(bytes.data(), static_cast<int>(bytes.size()));
        if (!whole.empty() || bytes.empty())
            return whole;
    }
    std::u16string result;
    result.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        if (lead < 0x80) {
            result += static_cast<char16_t>(lead);
            ++pos;
            continue;
        }
        if (IsDBCSLeadByteEx(Cp932, lead) && pos + 1 < bytes.size()) {
            const std::u16string pair = Widen(bytes.data() + pos, 2);
            if (pair.size() == 1) {
                result += pair;
                pos += 2;
                continue;
            }
        } else if (!IsDBCSLeadByteEx(Cp932, lead)) {
            const std::u16string single = Widen(bytes.data() + pos, 1);
            if (single.size() == 1) {
                result += single;
                ++pos;
                continue;
            }
        }
        result += u'\uFFFD';
        ++pos;
    }
    return result;
}

} // namespace brevlin::platform
