#include "platform/CodePage.h"
#include "engine/Cp932Width.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using brevlin::platform::CodePage;

TEST(CodePage, WidthsInCp932Bytes) {
    EXPECT_EQ(CodePage::ByteWidth(u"abc"), 3u);
    EXPECT_EQ(CodePage::ByteWidth(u"\u3042\u6F22"), 4u);     // hiragana, kanji
    EXPECT_EQ(CodePage::ByteWidth(u"\uFF71"), 1u);           // half-width katakana
    EXPECT_EQ(CodePage::ByteWidth(u"\u00E9\U0001F600"), 2u); // no CP932 form: 1 each
    EXPECT_EQ(CodePage::ByteWidth(u"\xD800"), 1u);           // lone surrogate
}

TEST(CodePage, RoundTripAndRefusal) {
    const std::u16string text = u"Name=\u8A00\u8A9E\uFF71\\~";
    const auto bytes = CodePage::ToCp932(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(CodePage::FromCp932(*bytes), text);
    EXPECT_FALSE(CodePage::ToCp932(u"caf\u00E9").has_value());
    EXPECT_EQ(CodePage::ToCp932Lossy(u"a\u00E9\U0001F600b"), "a??b");
    EXPECT_EQ(CodePage::FromCp932("a\x82"), u"a\uFFFD"); // a cut double-byte character
}

// Tab stops count with the engine's own table; it must be the system's conversion, code unit
// for code unit. A best-fit form (U+00A2 as the bytes of U+FFE0) does not count.
TEST(CodePage, EngineWidthTableMatches) {
    EXPECT_EQ(brevlin::Cp932Width::Of(u'\u3042'), 2u);
    EXPECT_EQ(brevlin::Cp932Width::Of(u'\uFFE0'), 2u);
    EXPECT_EQ(brevlin::Cp932Width::Of(u'\u00A2'), 1u);
    std::string differences;
    for (unsigned c = 0; c < 0x10000; ++c) {
        const auto unit = static_cast<char16_t>(c);
        if (brevlin::Cp932Width::Of(unit) != CodePage::CharWidth(unit) &&
            differences.size() < 200) {
            char name[32];
            std::snprintf(name, sizeof name, " U+%04X:%u", c,
                          static_cast<unsigned>(CodePage::CharWidth(unit)));
            differences += name;
        }
    }
    EXPECT_EQ(differences, "");
}
