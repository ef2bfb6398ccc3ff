// The settings library folds INI names with its own table; Qt's folding, which it replaced,
// is the reference for every code point both know.
#include "settings/CaseFolding.h"

#include <QChar>
#include <QString>
#include <gtest/gtest.h>

using brevlin::CaseFolding;

TEST(CaseFolding, AgreesWithQtForEveryAssignedCodePoint) {
    int differences = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if ((c >= 0xD800 && c < 0xE000) || QChar::unicodeVersion(c) == QChar::Unicode_Unassigned)
            continue;
        const char32_t expected = QChar::toCaseFolded(c);
        if (CaseFolding::Fold(c) != expected && ++differences <= 10)
            ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(c) << " folds to U+"
                          << static_cast<unsigned>(CaseFolding::Fold(c)) << ", not U+"
                          << static_cast<unsigned>(expected);
    }
    EXPECT_EQ(differences, 0);
}

TEST(CaseFolding, TextFoldsPairsAsOneCodePointAndKeepsLoneSurrogates) {
    const std::u16string valid = u"Ab\u00C4\u03A3\uFF21\U00010400";
    EXPECT_EQ(CaseFolding::Fold(valid),
              QString::fromStdU16String(valid).toCaseFolded().toStdU16String());
    // Qt made a lone surrogate U+FFFD, so that two different ones matched; it stays as it is.
    const std::u16string text = valid + u"\xD800x";
    EXPECT_EQ(CaseFolding::Fold(text), u"ab\u00E4\u03C3\uFF41\U00010428\xD800x");
}
