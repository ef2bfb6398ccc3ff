#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brevlin::platform {

// The fixed ANSI code page of the system: CP932 (Windows-31J).
class CodePage {
public:
    // Bytes that the UTF-16 code unit (or surrogate pair) takes in CP932; a character that
    // CP932 cannot represent counts 1, like the one byte of its replacement character.
    static std::size_t ByteWidth(std::u16string_view text);
    // Bytes of one BMP code unit in CP932: 1 or 2 (1 when it has no CP932 form).
    static std::size_t CharWidth(char16_t c);

    // Text as CP932 bytes, or nothing when some character has no CP932 form.
    static std::optional<std::string> ToCp932(std::u16string_view text);
    // CP932 bytes as text; a byte sequence that is not CP932 becomes U+FFFD.
    static std::u16string FromCp932(std::string_view bytes);
    // Bytes of the text with unrepresentable characters replaced by "?".
    static std::string ToCp932Lossy(std::u16string_view text);

private:
    // Bytes of every BMP code unit in CP932, 0 for none: built once by the system's own
    // conversion (iconv, or Windows' code page 932).
    static const std::array<unsigned char, 65536>& WidthTable();
};

} // namespace brevlin::platform
