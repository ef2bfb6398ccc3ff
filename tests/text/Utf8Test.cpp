#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

using brevlin::Text;
using brevlin::Utf8;

namespace {

// Where strict decoding stops, or npos when it does not.
std::size_t ErrorOffset(std::string_view bytes) {
    std::size_t offset = std::string::npos;
    if (Utf8::Decode(bytes, &offset))
        return std::string::npos;
    return offset;
}

} // namespace

TEST(Utf8, StrictDecodingNamesWhereTheFirstBadSequenceStarts) {
    EXPECT_EQ(Utf8::Decode("a\xC3\xBC\xE8\xA8\x80\xF0\x9F\x98\x80"),
              Text(u"a\u00FC\u8A00\U0001F600"));
    // Past a long ASCII run, so that the word-at-a-time path hands over at the right byte.
    const std::string run(21, 'x');
    EXPECT_EQ(ErrorOffset(run + "\xC0\x80"), 21u);         // overlong
    EXPECT_EQ(ErrorOffset(run + "\xC1\xBF"), 21u);         // overlong
    EXPECT_EQ(ErrorOffset(run + "\xE0\x9F\xBF"), 21u);     // overlong
    EXPECT_EQ(ErrorOffset(run + "\xED\xA0\x80"), 21u);     // a surrogate
    EXPECT_EQ(ErrorOffset(run + "\xF4\x90\x80\x80"), 21u); // above U+10FFFF
    EXPECT_EQ(ErrorOffset(run + "\xF5\x80\x80\x80"), 21u);
    EXPECT_EQ(ErrorOffset(run + "\xE8\xA8"), 21u);  // cut short by the end
    EXPECT_EQ(ErrorOffset(run + "\xE8\xA8x"), 21u); // cut short by ASCII
    EXPECT_EQ(ErrorOffset("\xC3\xBC\x80"), 2u);     // a continuation byte alone
    EXPECT_EQ(ErrorOffset("\xEF\xBB\xBF\xFF"), 3u);
    EXPECT_EQ(ErrorOffset("\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF"), std::string::npos);

    // The mark is dropped only when asked; line ends change only when asked, and an LF that
    // already follows a CR keeps it alone.
    EXPECT_EQ(Utf8::Decode("\xEF\xBB\xBF"
                           "a"),
              Text(u"\uFEFFa"));
    EXPECT_EQ(Utf8::Decode("\xEF\xBB\xBF"
                           "a",
                           nullptr, {.skipByteOrderMark = true}),
              Text(u"a"));
    const std::string lines = run + "\n" + run + "\r\n\n\xC3\xBC\n";
    EXPECT_EQ(Utf8::Decode(lines, nullptr, {.lfToCrLf = true}),
              brevlin::FromUtf8(run + "\r\n" + run + "\r\n\r\n\xC3\xBC\r\n"));
}

TEST(Utf8, ReplacingDecodingKeepsItsCountOfReplacements) {
    // One U+FFFD for a sequence of the right length with a bad value; a surrogate written
    // as three bytes reads back as itself; every other byte that starts no sequence, one each.
    EXPECT_EQ(Utf8::DecodeReplacing("a\xC0\x80"
                                    "b"),
              Text(u"a\uFFFDb"));
    EXPECT_EQ(Utf8::DecodeReplacing("\xE0\x80\x80\xF4\x90\x80\x80"), Text(u"\uFFFD\uFFFD"));
    EXPECT_EQ(Utf8::DecodeReplacing("\xED\xA0\x80\xED\xB0\x80"), Text(u"\xD800\xDC00"));
    EXPECT_EQ(Utf8::DecodeReplacing("\xF0\x8D\xBE\xA0"), Text(u"\uFFFD")); // overlong surrogate
    EXPECT_EQ(Utf8::DecodeReplacing("\xE8\xA8x\x80\xFF\xF0\x9F\x98"),
              Text(u"\uFFFD\uFFFDx\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"));
    EXPECT_EQ(Utf8::DecodeReplacing("\xEF\xBB\xBF"
                                    "a"),
              Text(u"\uFEFFa"));
    EXPECT_EQ(brevlin::FromUtf8("\xF8\x88\x80\x80\x80"), Text(5, u'\uFFFD'));
}

TEST(Utf8, EveryCharacterGoesThereAndBack) {
    for (char32_t c = 0; c < 0x110000; c += c < 0x10000 ? 1 : 0x3F) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        Text text;
        if (c < 0x10000) {
            text = Text(1, static_cast<char16_t>(c));
        } else {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        const std::string bytes = Utf8::Encode(text);
        ASSERT_EQ(bytes.size(), c < 0x80      ? 1u
                                : c < 0x800   ? 2u
                                : c < 0x10000 ? 3u
                                              : 4u)
            << static_cast<unsigned>(c);
        ASSERT_EQ(Utf8::Decode(bytes), text) << static_cast<unsigned>(c);
        ASSERT_EQ(Utf8::DecodeReplacing(bytes), text) << static_cast<unsigned>(c);
    }
    // A lone surrogate has no form; CR LF becomes LF only when asked, a lone CR never.
    EXPECT_EQ(Utf8::Encode(u"\xDC00x\xD800"), "\xEF\xBF\xBDx\xEF\xBF\xBD");
    const Text lines = Text(19, u'x') + u"\r\n\r\r\n\u00FC\r\n";
    EXPECT_EQ(Utf8::Encode(lines, true), std::string(19, 'x') + "\n\r\n\xC3\xBC\n");
    std::string out = "kept ";
    Utf8::Append(out, u"\U0001F600", true);
    EXPECT_EQ(out, "kept \xF0\x9F\x98\x80");
}
