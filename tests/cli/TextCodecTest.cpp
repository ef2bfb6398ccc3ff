#include "cli/TextCodec.h"
#include "engine/TextRoutines.h"
#include "text/BrevlinError.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

using namespace brevlin;
using brevlin::cli::InputEncoding;
using brevlin::cli::TextCodec;

TEST(TextCodec, Utf8DecodingDropsBomAndNamesBadOffsets) {
    EXPECT_EQ(TextCodec::Decode("\xEF\xBB\xBF"
                                "a\xC3\xA9\xF0\x9F\x98\x80",
                                InputEncoding::Utf8),
              u"a\u00E9\U0001F600");
    EXPECT_EQ(TextCodec::Decode(std::string("a\0b", 3), InputEncoding::Utf8), Text(u"a\0b", 3));
    for (const std::string bad :
         {"ab\xFF", "ab\xC3", "ab\xC0\x80", "ab\xED\xA0\x80", "ab\xF4\x90\x80\x80"}) {
        try {
            TextCodec::Decode(bad, InputEncoding::Utf8);
            FAIL() << "accepted invalid UTF-8";
        } catch (const BrevlinError& error) {
            EXPECT_NE(error.Description().find("byte offset 2"), std::string::npos)
                << error.Description();
        }
    }
}

TEST(TextCodec, Cp932DecodingNamesBadOffsets) {
    EXPECT_EQ(TextCodec::Decode("a\x82\xA0\xB1", InputEncoding::Cp932), u"a\u3042\uFF71");
    try {
        TextCodec::Decode("ab\x82", InputEncoding::Cp932);
        FAIL() << "accepted a cut double-byte character";
    } catch (const BrevlinError& error) {
        EXPECT_NE(error.Description().find("byte offset 2"), std::string::npos);
    }
}

TEST(TextCodec, FusedLineEndTranslationMatchesSeparatePasses) {
    const std::string bytes = "a\nb\r\nc\rd\n\n\xC3\xA9\n";
    EXPECT_EQ(TextCodec::Decode(bytes, InputEncoding::Utf8, true),
              ToCrLf(TextCodec::Decode(bytes, InputEncoding::Utf8)));
    EXPECT_EQ(TextCodec::Decode("\n", InputEncoding::Utf8, true), u"\r\n");
    const Text html = u"x\r\ny\r\r\n\u00E9\U0001F600\xD800\r";
    EXPECT_EQ(Utf8::Encode(html, true), ToUtf8(ToLf(html)));
    EXPECT_EQ(Utf8::Encode(html), ToUtf8(html));
}

TEST(TextCodec, WordAtATimePathsAgreeWithTheCharacterRules) {
    // Long mixed texts, so runs of ASCII meet LF, CR and multi-byte characters at every
    // position within a word.
    const std::vector<std::string> pieces = {"a",
                                             "bcdefghij",
                                             "\n",
                                             "\r",
                                             "\r\n",
                                             "\xC3\xA9",
                                             "\xE3\x81\x82",
                                             "\xF0\x9F\x98\x80",
                                             "0123456",
                                             "klmnopqrstuvwxyzABCDEFGHIJ"};
    std::uint32_t seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        for (int k = 0; k < 60; ++k) {
            seed = seed * 1103515245u + 12345u;
            bytes += pieces[(seed >> 16) % pieces.size()];
        }
        const Text text = FromUtf8(bytes);
        ASSERT_EQ(TextCodec::Decode(bytes, InputEncoding::Utf8), text);
        ASSERT_EQ(TextCodec::Decode(bytes, InputEncoding::Utf8, true), ToCrLf(text));
        ASSERT_EQ(Utf8::Encode(text), bytes);
        ASSERT_EQ(Utf8::Encode(text, true), ToUtf8(ToLf(text)));
    }
}
