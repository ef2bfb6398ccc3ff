// The CP932 decoder and encoder: bytes decode to text that encodes back to bytes that decode
// to the same text, encoded text is a fixed point of decoding and encoding, and the byte
// widths agree with the encoder.

#include "platform/CodePage.h"

#include <cstdio>
#include <cstdlib>

using brevlin::platform::CodePage;

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "CP932: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string decoded = CodePage::FromCp932(bytes);
    const std::string lossy = CodePage::ToCp932Lossy(decoded);
    if (CodePage::FromCp932(lossy).size() != decoded.size())
        Fail("the lossy form has a different length");
    if (const auto encoded = CodePage::ToCp932(decoded)) {
        if (CodePage::FromCp932(*encoded) != decoded)
            Fail("decoded text does not survive encoding");
        if (*encoded != lossy)
            Fail("the lossy form differs where nothing was lost");
    }

    // The same bytes read as UTF-16 code units, unpaired surrogates included.
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string unitsLossy = CodePage::ToCp932Lossy(units);
    if (CodePage::ByteWidth(units) != unitsLossy.size())
        Fail("ByteWidth differs from the encoded length");
    if (const auto encoded = CodePage::ToCp932(units)) {
        // Some characters have a one-way form (U+00A2 becomes the full-width cent sign), so
        // the text need not come back; its bytes, decoded and encoded again, must.
        if (CodePage::ToCp932(CodePage::FromCp932(*encoded)) != encoded)
            Fail("encoded text changes when decoded and encoded again");
        if (*encoded != unitsLossy)
            Fail("the lossy form differs where nothing was lost");
    }
    return 0;
}
