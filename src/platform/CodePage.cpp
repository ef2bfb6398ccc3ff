#include "platform/CodePage.h"

#include "text/Surrogates.h"

namespace brevlin::platform {

std::size_t CodePage::ByteWidth(std::u16string_view text) {
    const auto& table = WidthTable();
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (surrogates::IsPairAt(text, i)) {
            ++i; // a pair outside the BMP is one unrepresentable character
            width += 1;
            continue;
        }
        const unsigned char w = table[text[i]];
        width += w == 0 ? 1 : w;
    }
    return width;
}

std::size_t CodePage::CharWidth(char16_t c) {
    const unsigned char w = WidthTable()[c];
    return w == 0 ? 1 : w;
}

std::string CodePage::ToCp932Lossy(std::u16string_view text) {
    const auto& table = WidthTable();
    std::u16string clean;
    clean.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (surrogates::IsPairAt(text, i)) {
            ++i; // one mark for the pair, which is one character
            clean += u'?';
            continue;
        }
        clean += table[text[i]] == 0 ? u'?' : text[i];
    }
    return ToCp932(clean).value_or(std::string());
}

} // namespace brevlin::platform
