#include "platform/CodePage.h"

#include <gtest/gtest.h>

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
