#include "platform/CodePage.h"

#include "text/Surrogates.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <mutex>
#include <stdexcept>

namespace brevlin::platform {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert to ") + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `in`; returns false at the first sequence that has no form.
    bool Run(const char* in, std::size_t inBytes, std::string& out, std::size_t& consumed) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        std::size_t left = inBytes;
        std::array<char, 4096> buffer{};
        while (left > 0) {
            char* dst = buffer.data();
            std::size_t room = buffer.size();
            const std::size_t rc = iconv(m_cd, &src, &left, &dst, &room);
            out.append(buffer.data(), buffer.size() - room);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                consumed = inBytes - left;
                return false;
            }
        }
        char* dst = buffer.data();
        std::size_t room = buffer.size();
        iconv(m_cd, nullptr, nullptr, &dst, &room);
        out.append(buffer.data(), buffer.size() - room);
        consumed = inBytes;
        return true;
    }

private:
    iconv_t m_cd;
};

} // namespace

// Only forms that read back count, as on Windows, which converts without best-fit mappings:
// glibc also writes U+00A2, U+00A5, U+2014, U+2212 and a few more one way, as the bytes of a
// look-alike.
const std::array<unsigned char, 65536>& CodePage::WidthTable() {
    static const std::array<unsigned char, 65536> table = [] {
        std::array<unsigned char, 65536> t{};
        Converter toCp932("CP932", "UTF-16LE");
        Converter fromCp932("UTF-16LE", "CP932");
        for (unsigned c = 0; c < 65536; ++c) {
            if (surrogates::IsSurrogate(c))
                continue;
            const char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
            std::string out;
            std::size_t consumed = 0;
            if (!toCp932.Run(in, 2, out, consumed) || out.empty())
                continue;
            std::string back;
            if (fromCp932.Run(out.data(), out.size(), back, consumed) &&
                back == std::string_view(in, 2))
                t[c] = static_cast<unsigned char>(out.size());
        }
        return t;
    }();
    return table;
}

namespace {

std::mutex& ConverterMutex() {
    static std::mutex m;
    return m;
}

} // namespace

std::optional<std::string> CodePage::ToCp932(std::u16string_view text) {
    const auto& table = WidthTable();
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t c : text) {
        if (table[c] == 0)
            return std::nullopt;
    }
    std::lock_guard lock(ConverterMutex());
    static Converter conv("CP932", "UTF-16LE");
    std::size_t consumed = 0;
    if (!conv.Run(reinterpret_cast<const char*>(text.data()), text.size() * 2, out, consumed))
        return std::nullopt;
    return out;
}

std::u16string CodePage::FromCp932(std::string_view bytes) {
    std::lock_guard lock(ConverterMutex());
    static Converter conv("UTF-16LE", "CP932");
    std::u16string result;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::string out;
        std::size_t consumed = 0;
        const bool ok = conv.Run(bytes.data() + pos, bytes.size() - pos, out, consumed);
        for (std::size_t i = 0; i + 1 < out.size(); i += 2) {
            result += static_cast<char16_t>(static_cast<unsigned char>(out[i]) |
                                            (static_cast<unsigned char>(out[i + 1]) << 8));
        }
        pos += consumed;
        if (ok)
            break;
        result += u'\uFFFD';
        pos += 1;
    }
    return result;
}

} // namespace brevlin::platform
