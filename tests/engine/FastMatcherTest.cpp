// The subtle cases of the generated patterns, each with the tokens the backtracking engine
// gives, checked on both engines.

#include "ExampleLanguage.h"
#include "Reference.h"
#include "engine/Highlighter.h"

#include <gtest/gtest.h>

#include <random>

using namespace brevlin;
using brevlin::test::AddRule;

namespace {

std::vector<Text> Pieces(TextView text, const std::vector<RegExpMatch>& tokens) {
    std::vector<Text> out;
    for (const RegExpMatch& m : tokens)
        out.push_back(Text(text.substr(m.FirstIndex, m.Length)));
    return out;
}

// Tokens of the fast path, after checking that the regex path and the general block matcher
// give the same.
std::vector<Text> Tokens(const Language& language, const Text& text) {
    const auto fast = Pieces(text, Tokenize(language, text, HighlightEngine::Fast));
    EXPECT_EQ(Pieces(text, Tokenize(language, text, HighlightEngine::Regex)), fast);
    EXPECT_EQ(Pieces(text, test::FastTokens(language, text, true)), fast);
    return fast;
}

// Where two long texts differ, without printing megabytes.
std::string FirstDifference(TextView a, TextView b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
           ", first difference at " + std::to_string(i) + ": ..." + ToUtf8(a.substr(i, 40)) +
           " / ..." + ToUtf8(b.substr(i, 40));
}

Text Convert(const Language& language, const Text& text, bool optimize = false) {
    const Text fast =
        HighlightText(language, text, HighlightOptions{optimize, HighlightEngine::Fast});
    const Text regex =
        HighlightText(language, text, HighlightOptions{optimize, HighlightEngine::Regex});
    EXPECT_TRUE(fast == regex) << FirstDifference(fast, regex);
    return fast;
}

#define EXPECT_SAME_TEXT(a, b)                                                                     \
    do {                                                                                           \
        const Text x_ = (a), y_ = (b);                                                             \
        EXPECT_TRUE(x_ == y_) << FirstDifference(x_, y_);                                          \
    } while (false)

using Texts = std::vector<Text>;

} // namespace

TEST(FastMatcher, AnchorsInClauseText) {
    Language start;
    AddRule(start, u"^#", u"", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Tokens(start, u"#x\r\n#y"), (Texts{u"#x", u"\r\n", u"#y"}));

    // "$" as an end clause runs to the end of the text, across lines.
    Language toEnd;
    AddRule(toEnd, u"@", u"$", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Tokens(toEnd, u"a @b\r\nc"), (Texts{u"a", u" ", u"@b\r\nc"}));
    // ... but not when a "$" character stops the body [^$].
    EXPECT_EQ(Tokens(toEnd, u"@b$c"), (Texts{u"@", u"b", u"$", u"c"}));

    // The second end character as an anchor: the body [^$] stops at a "$" character, and
    // [^x]$ cannot step over it unless it is the last one.
    Language anchoredPair;
    AddRule(anchoredPair, u"<", u"x$", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Tokens(anchoredPair, u"<ab x"), (Texts{u"<ab x"}));
    EXPECT_EQ(Tokens(anchoredPair, u"<a$b x"), (Texts{u"<", u"a", u"$", u"b", u" ", u"x"}));
    EXPECT_EQ(Tokens(anchoredPair, u"<a$"), (Texts{u"<", u"a", u"$"}));
}

// A start clause of anchors can match the empty text: the fixed alternatives then give the
// token, and at the end of the text there is none, so no character is lost and no empty
// pair of tags is written.
TEST(FastMatcher, EmptyMatchesGiveWayToTheFixedAlternatives) {
    Language block;
    AddRule(block, u"^", u"^", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Tokens(block, u"a $x ^y^ z"),
              (Texts{u"a", u" ", u"$", u"x", u" ", u"^", u"y", u"^", u" ", u"z"}));
    EXPECT_EQ(Convert(block, u"a $x ^y^ z"), u"a $x ^y^ z");
    EXPECT_EQ(Tokens(block, u"\u3042\u3042 "), (Texts{u"\u3042", u"\u3042", u" "}));
    EXPECT_EQ(Pieces(u"a $x ^y^ z", test::LiteralTokens(block, u"a $x ^y^ z")),
              Tokens(block, u"a $x ^y^ z"));
    // The token that takes the place of the empty match is classified like any other.
    block.SetStartTag(u"<b>");
    block.SetEndTag(u"</b>");
    block.Keywords().Add(u"ab");
    EXPECT_EQ(Convert(block, u"ab ab;"), u"<b>ab</b> <b>ab</b>;");
    EXPECT_EQ(Convert(block, u"ab ab;", true), u"<b>ab ab</b>;");

    // "^" before a line end: the white-space run is the token, the CR included. The rule
    // pattern "^^" matches every token.
    Language caret;
    AddRule(caret, u"^", u"", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Tokens(caret, u"\r\nab"), (Texts{u"\r\n", u"ab"}));
    EXPECT_EQ(Convert(caret, u"\r\nab"), u"<i>\r\n</i><i>ab</i>");
    EXPECT_EQ(Tokens(caret, u"\n"), (Texts{u"\n"}));

    // "$" as a start clause matches only at the very end: no token there.
    Language dollar;
    AddRule(dollar, u"$", u"", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Tokens(dollar, u"ab"), (Texts{u"ab"}));
    EXPECT_EQ(Convert(dollar, u"ab"), u"ab");
    EXPECT_EQ(Convert(dollar, u""), u"");
    Language dollarBlock;
    AddRule(dollarBlock, u"$", u"$", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Tokens(dollarBlock, u"a;"), (Texts{u"a", u";"}));
    EXPECT_EQ(Convert(dollarBlock, u"a;"), u"a;");

    Language onEmpty;
    AddRule(onEmpty, u"^$", u"", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Tokens(onEmpty, u""), Texts{});
    EXPECT_EQ(Convert(onEmpty, u""), u"");
}

TEST(FastMatcher, UnterminatedLiteralEndsAtTheLastEscapedPair) {
    Language language;
    test::FillExample(language);
    EXPECT_EQ(Tokens(language, u"x = \"ab\\\"cd\\\"ef"),
              (Texts{u"x", u" ", u"=", u" ", u"\"ab\\\"cd\\\"", u"ef"}));
    // Without an escaped pair it is no literal at all.
    EXPECT_EQ(Tokens(language, u"\"ab\\c"), (Texts{u"\"", u"ab", u"\\", u"c"}));
    // An escaped escape character does not protect the quote after it.
    EXPECT_EQ(Tokens(language, u"\"a\\\\\" b"), (Texts{u"\"a\\\\\"", u" ", u"b"}));

    // Escape character equal to the end character (doubled quotes): an unterminated literal
    // closes at the first quote of the last pair.
    Language doubled;
    AddRule(doubled, u"'", u"'", u"'", false, u"<s>", u"</s>");
    EXPECT_EQ(Tokens(doubled, u"'it''s' x"), (Texts{u"'it''s'", u" ", u"x"}));
    EXPECT_EQ(Tokens(doubled, u"'ab''cd"), (Texts{u"'ab'", u"'", u"cd"}));

    // A two-character escape runs on the general matcher.
    Language longEscape;
    AddRule(longEscape, u"\"", u"\"", u"\\\\", false, u"<s>", u"</s>");
    EXPECT_EQ(Tokens(longEscape, u"\"a\\\\\"b\\\\\"c"), (Texts{u"\"a\\\\\"b\\\\\"", u"c"}));
}

TEST(FastMatcher, TwoCharacterEndBodyRules) {
    Language language;
    test::FillExample(language);
    // The body cannot start with the second end character alone ...
    EXPECT_EQ(Tokens(language, u"/*/ x */").front(), u"/");
    // ... but may start with two of them, and "*/" followed by "/" does not close.
    EXPECT_EQ(Tokens(language, u"/*//*/"), (Texts{u"/*//*/"}));
    EXPECT_EQ(Tokens(language, u"/* a *// b */ c"), (Texts{u"/* a *// b */", u" ", u"c"}));
    EXPECT_EQ(Tokens(language, u"/* a */ b */"), (Texts{u"/* a */", u" ", u"b", u" ", u"*", u"/"}));
    // "*" before an even run of "/" closes only when nothing later does: then the last one.
    EXPECT_EQ(Tokens(language, u"/* a *// b"), (Texts{u"/* a */", u"/", u" ", u"b"}));
    EXPECT_EQ(Tokens(language, u"/* a *// b *//// c"), (Texts{u"/* a *// b */", u"/// c"}));
    // Before an odd run it closes at once.
    EXPECT_EQ(Tokens(language, u"/* a */// b */"), (Texts{u"/* a */", u"// b */"}));

    // Equal end characters, and an end clause longer than two.
    // With F = R = "-" the body can never hold "--".
    Language html;
    AddRule(html, u"<!--", u"-->", u"", false, u"<c>", u"</c>");
    EXPECT_EQ(Tokens(html, u"<!-- a - b --> c"), (Texts{u"<!-- a - b -->", u" ", u"c"}));
    EXPECT_EQ(Tokens(html, u"<!-- a -- b -->").front(), u"<");
    Tokens(html, u"<!-- a --- b ---> c");
    Tokens(html, u"<!----><!-- x ->-->");
    Language dashes;
    AddRule(dashes, u"{", u"--", u"", false, u"<c>", u"</c>");
    Tokens(dashes, u"{a---b-- c-");
}

TEST(FastMatcher, CaselessClausesAndClasses) {
    Language language;
    language.SetIgnoreCase(true);
    AddRule(language, u"rem", u"", u"", false, u"<i>", u"</i>");
    AddRule(language, u"(", u"x", u"", false, u"<p>", u"</p>");
    EXPECT_EQ(Convert(language, u"REM a\r\nReM b"), u"<i>REM a</i>\r\n<i>ReM b</i>");
    // The class [^x] excludes X as well.
    EXPECT_EQ(Tokens(language, u"(aXb"), (Texts{u"(aX", u"b"}));
    // Only ASCII letters fold.
    Language accented;
    accented.SetIgnoreCase(true);
    AddRule(accented, u"\u00e9", u"", u"", false, u"<i>", u"</i>");
    AddRule(accented, u"\uff41", u"", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Convert(accented, u"\u00c9 \uff21 \u00e9"), u"\u00c9 \uff21 <i>\u00e9</i>");
}

TEST(FastMatcher, WordBoundaryBeforeWholeWordClause) {
    Language language;
    AddRule(language, u"-", u"", u"", true, u"<i>", u"</i>");
    // "\b-" needs a word character before the dash.
    EXPECT_EQ(Tokens(language, u"a-b c"), (Texts{u"a", u"-b c"}));
    EXPECT_EQ(Tokens(language, u" -b"), (Texts{u" ", u"-", u"b"}));
    EXPECT_EQ(Tokens(language, u"-b"), (Texts{u"-", u"b"}));
    // The classification tests "\b" after the clause within the token: "-b" is not a match.
    EXPECT_EQ(Convert(language, u"a-b"), u"a<i>-b</i>");
    EXPECT_EQ(Tokens(language, u"a- b"), (Texts{u"a", u"- b"}));
    EXPECT_EQ(Convert(language, u"a- b"), u"a- b");
}

// Long failing runs of the general matcher are remembered; later starts must still get the
// same tokens as the backtracking engine.
TEST(FastMatcher, RememberedFailuresKeepResults) {
    std::mt19937 random(7);
    static constexpr TextView alphabet = u"(*)x y\r\n";
    for (int round = 0; round < 40; ++round) {
        Language language;
        AddRule(language, u"(*", u"*)x", u"", false, u"<c>", u"</c>");
        AddRule(language, u"(", u")", u"**", false, u"<p>", u"</p>");
        Text text;
        const int length = 300 + static_cast<int>(random() % 3000);
        while (static_cast<int>(text.size()) < length) {
            const std::size_t pick = random() % (alphabet.size() + 2);
            if (pick == alphabet.size())
                text += u"(*";
            else if (pick > alphabet.size())
                text.append(random() % 400, u'y');
            else
                text += alphabet[pick];
        }
        text += u"*)x";
        SCOPED_TRACE(round);
        Tokens(language, text);
    }
}

TEST(FastMatcher, PathologicalInputsConvertCompletely) {
    Language language;
    test::FillExample(language);
    const std::size_t size = 1 << 20;

    Text comment = u"/* ";
    for (std::size_t i = 0; comment.size() < size; ++i)
        comment += (i % 61 == 60) ? u"\r\n" : u"ab/c*d ";
    comment += u" */";
    EXPECT_SAME_TEXT(Convert(language, comment), u"<i>" + comment + u"</i>");

    // Unterminated: the literal ends at the last escaped quote.
    Text string = u"\"";
    while (string.size() < size)
        string += u"ab\\\"";
    EXPECT_SAME_TEXT(Convert(language, string + u"cd"), u"<tt>" + EscapeHtml(string) + u"</tt>cd");

    Text openers;
    for (int i = 0; i < 20000; ++i)
        openers += u"/* x ";
    EXPECT_SAME_TEXT(Convert(language, openers), openers);

    const Text letters(size, u'q');
    EXPECT_SAME_TEXT(Convert(language, letters), letters);

    Text keywords;
    for (int i = 0; i < 100000; ++i)
        keywords += u"int if ";
    EXPECT_SAME_TEXT(Convert(language, keywords, true),
                     u"<b>" + keywords.substr(0, keywords.size() - 1) + u"</b> ");
}

// Clauses from language files can be long; chains of anchors must not nest calls. The
// patterns are then too large for PCRE2, so only the fast path can be checked.
TEST(FastMatcher, LongClausesFromFiles) {
    Language language;
    AddRule(language, u"(", u")", Text(300000, u'^'), false, u"<p>", u"</p>");
    AddRule(language, u"[", u"]" + Text(300000, u'$'), u"", false, u"<q>", u"</q>");
    for (const bool general : {false, true}) {
        const Text a = u"(a) [b]";
        EXPECT_EQ(Pieces(a, test::FastTokens(language, a, general)), (Texts{u"(a)", u" ", u"[b]"}));
        const Text b = u"[b] x";
        EXPECT_EQ(Pieces(b, test::FastTokens(language, b, general)),
                  (Texts{u"[", u"b", u"]", u" ", u"x"}));
    }
}
