#include "engine/Highlighter.h"
#include "ExampleLanguage.h"
#include "engine/TextRoutines.h"
#include "text/BrevlinError.h"

#include <gtest/gtest.h>

using namespace brevlin;
using brevlin::test::AddRule;

namespace {

Text Convert(const Language& language, const Text& text, bool optimize = false) {
    return HighlightText(language, text, HighlightOptions{optimize});
}

std::vector<Text> Tokens(const Language& language, const Text& text) {
    std::vector<Text> out;
    for (const RegExpMatch& m : Tokenize(language, text))
        out.push_back(text.substr(m.FirstIndex, m.Length));
    return out;
}

// A language whose keywords show in brackets.
Language Bracketed() {
    Language language;
    language.SetStartTag(u"[");
    language.SetEndTag(u"]");
    return language;
}

} // namespace

TEST(Highlighter, WorkedExampleTwoLines) {
    Language language;
    test::FillExample(language);
    const Text in = u"int  x; // a<b\r\nif (x) return \"a&\\\"b\";";
    EXPECT_EQ(Tokens(language, in),
              (std::vector<Text>{u"int", u"  ", u"x", u";", u" ", u"// a<b", u"\r\n", u"if", u" ",
                                 u"(", u"x", u")", u" ", u"return", u" ", u"\"a&\\\"b\"", u";"}));
    const Text out = u"<b>int</b>  x; <i>// a&lt;b</i>\r\n<b>if</b> (x) <b>return</b> "
                     u"<tt>&quot;a&amp;\\&quot;b&quot;</tt>;";
    EXPECT_EQ(Convert(language, in, false), out);
    EXPECT_EQ(Convert(language, in, true), out);
}

TEST(Highlighter, WorkedExampleOptimizeAndTabs) {
    Language language;
    test::FillExample(language);
    language.Keywords().Clear();
    language.Keywords().Add(u"static");
    language.Keywords().Add(u"int");
    const Text in = u"static int  x;\tint y /* c */";
    EXPECT_EQ(Convert(language, in, false),
              u"<b>static</b> <b>int</b>  x;\t<b>int</b> y <i>/* c */</i>");
    EXPECT_EQ(Convert(language, in, true), u"<b>static int</b>  x;\t<b>int</b> y <i>/* c */</i>");
    language.SetReplaceTab(true);
    language.SetTabColumns(4);
    EXPECT_EQ(Convert(language, in, true), u"<b>static int</b>  x;  <b>int</b> y <i>/* c */</i>");
}

TEST(Highlighter, BlockAndStringEdgeCases) {
    Language language;
    test::FillExample(language);
    // The body of a block comment cannot start with the slash.
    EXPECT_EQ(Tokens(language, u"/*/ x */").front(), u"/");
    // An unterminated string: the quote alone, then the word.
    EXPECT_EQ(Tokens(language, u"\"abc"), (std::vector<Text>{u"\"", u"abc"}));
    // Two backslashes before the quote: the literal runs on to the next quote.
    EXPECT_EQ(Tokens(language, u"\"a\\\\\" b\"").front(), u"\"a\\\\\" b\"");
}

TEST(Highlighter, WholeWordLineRule) {
    Language language;
    AddRule(language, u"REM", u"", u"", true, u"<i>", u"</i>");
    EXPECT_EQ(Convert(language, u"REM hi\r\nx"), u"<i>REM hi</i>\r\nx");
    EXPECT_EQ(Convert(language, u"REMARK x"), u"REMARK x");
    EXPECT_EQ(Convert(language, u"REM\r\nPRINT x"), u"<i>REM\r\nPRINT x</i>");
    language.SetIgnoreCase(true);
    EXPECT_EQ(Convert(language, u"rem a"), u"<i>rem a</i>");
}

TEST(Highlighter, ClassificationOrderAndCase) {
    Language language;
    test::FillExample(language);
    // Keywords inside comments and literals stay untagged; & " < > escaped inside tags.
    EXPECT_EQ(Convert(language, u"\"if <x>\" // int & \""),
              u"<tt>&quot;if &lt;x&gt;&quot;</tt> <i>// int &amp; &quot;</i>");
    // Two rules matching the same token: the earlier one wins.
    Language two;
    AddRule(two, u"#", u"", u"", false, u"<a>", u"</a>");
    AddRule(two, u"#", u"", u"", false, u"<b>", u"</b>");
    EXPECT_EQ(Convert(two, u"# x"), u"<a># x</a>");

    language.SetIgnoreCase(true);
    EXPECT_EQ(Convert(language, u"INT Int int"), u"<b>INT</b> <b>Int</b> <b>int</b>");
    language.SetIgnoreCase(false);
    EXPECT_EQ(Convert(language, u"INT int"), u"INT <b>int</b>");
}

TEST(Highlighter, OptimizeTagsRuns) {
    Language language;
    test::FillExample(language);
    EXPECT_EQ(Convert(language, u"int\r\nif, return", true), u"<b>int\r\nif</b>, <b>return</b>");
    EXPECT_EQ(Convert(language, u"int \t if", true), u"<b>int \t if</b>");
    EXPECT_EQ(Convert(language, u"int if", false), u"<b>int</b> <b>if</b>");
    // The ideographic space is not white space and closes the run.
    EXPECT_EQ(Convert(language, u"int\u3000if", true), u"<b>int</b>\u3000<b>if</b>");
    // A comment closes the run; white space after the last keyword stays outside.
    EXPECT_EQ(Convert(language, u"int  //c", true), u"<b>int</b>  <i>//c</i>");
}

TEST(Highlighter, LanguagesWithoutRulesOrKeywords) {
    Language plain;
    plain.SetStartTag(u"<b>");
    plain.SetEndTag(u"</b>");
    EXPECT_EQ(Convert(plain, u"a & \"b\" <c> 'd' é"), u"a &amp; &quot;b&quot; &lt;c&gt; 'd' é");
    EXPECT_EQ(Convert(plain, u""), u"");
    EXPECT_EQ(Tokens(plain, u"#include <x>  y"),
              (std::vector<Text>{u"#include", u" ", u"<", u"x", u">", u"  ", u"y"}));
}

TEST(Highlighter, KeywordsFromFilesKeepPatternMeaning) {
    Language language = Bracketed();
    language.Keywords().Add(u"a.c");
    language.Keywords().Add(u"Left$");
    EXPECT_EQ(Convert(language, u"abc Left"), u"[abc] [Left]");

    Language broken;
    broken.SetName(u"Broken");
    broken.Keywords().Add(u"(");
    try {
        Convert(broken, u"x");
        FAIL() << "an invalid keyword pattern converted";
    } catch (const BrevlinError& error) {
        EXPECT_NE(error.Description().find("Broken"), std::string::npos);
        EXPECT_NE(error.Description().find("「(」"), std::string::npos);
    }
}

TEST(Highlighter, KeywordPatternsThatMatchWhiteSpaceTagItOnBothEngines) {
    Language language = Bracketed();
    language.Keywords().Add(u"\\s+");
    language.Keywords().Add(u"if");
    for (const HighlightEngine engine : {HighlightEngine::Fast, HighlightEngine::Regex}) {
        EXPECT_EQ(HighlightText(language, u"if\r\nx y", HighlightOptions{false, engine}),
                  u"[if][\r\n]x[ ]y");
        EXPECT_EQ(HighlightText(language, u"x  if", HighlightOptions{true, engine}), u"x[  if]");
    }
}

TEST(Highlighter, EmptyStartClauseIsIgnoredAndTextStillTiles) {
    Language language;
    AddRule(language, u"", u"", u"", false, u"<i>", u"</i>");
    AddRule(language, u"", u"x", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Convert(language, u"a\r\n\r\nb<"), u"a\r\n\r\nb&lt;");
}

TEST(Highlighter, UnclosedOpenersAndAnchors) {
    Language language;
    test::FillExample(language);
    Text many;
    for (int i = 0; i < 2000; ++i)
        many += u"/* x\r\n";
    EXPECT_EQ(Convert(language, many), many);
    // A closer at the end: the first opener takes everything.
    EXPECT_EQ(Convert(language, many + u"*/"), u"<i>" + many + u"*/</i>");
    // "$" in an end clause is an anchor: the literal runs to the end of the text.
    Language anchored;
    AddRule(anchored, u"@", u"$", u"", false, u"<i>", u"</i>");
    EXPECT_EQ(Convert(anchored, u"a @b c"), u"a <i>@b c</i>");
}

TEST(ExpandTabs, CountsCp932BytesPerCrLfLine) {
    Text text = u"\tx";
    ExpandTabs(text, 4);
    EXPECT_EQ(text, u"    x");
    text = u"a\tb";
    ExpandTabs(text, 4);
    EXPECT_EQ(text, u"a   b");
    text = u"\u3042\t\tb"; // one full-width character: 2 + 4
    ExpandTabs(text, 4);
    EXPECT_EQ(text, u"\u3042      b");
    text = u"ab\n\tc"; // a lone LF does not end the line
    ExpandTabs(text, 4);
    EXPECT_EQ(text, u"ab\n c");
    text = u"ab\r\n\tc";
    ExpandTabs(text, 4);
    EXPECT_EQ(text, u"ab\r\n    c");
    text = u"\U0001F600\tz"; // no CP932 form: counts 1
    ExpandTabs(text, 4);
    EXPECT_EQ(text, u"\U0001F600   z");
}

TEST(LineEnds, LoneLfBecomesCrLfAndCrLfBecomesLf) {
    EXPECT_EQ(ToCrLf(u"a\nb\r\nc\rd\n"), u"a\r\nb\r\nc\rd\r\n");
    EXPECT_EQ(ToCrLf(u"\n\n"), u"\r\n\r\n");
    EXPECT_EQ(ToLf(u"a\r\nb\r\rc\r\n\r"), u"a\nb\r\rc\n\r");
    EXPECT_EQ(ToLf(ToCrLf(u"x\ny\n")), u"x\ny\n");
}

TEST(EscapeHtml, FourCharactersOnly) {
    EXPECT_EQ(EscapeHtml(u"&amp; \"<>' é"), u"&amp;amp; &quot;&lt;&gt;' é");
}

TEST(HighlightTextTo, PiecesJoinToTheWholeResult) {
    Language language;
    test::FillExample(language);
    // Keyword runs with white space long enough to span pieces while a run is open.
    Text text;
    for (int i = 0; text.size() < 600000; ++i) {
        text += u"int";
        text.append(static_cast<std::size_t>(i % 7 == 0 ? 70000 : i % 5), i % 3 ? u' ' : u'\n');
        // After a long stretch, a closing token: the end tag belongs before the stretch.
        text += i % 7 == 0 ? u"x" : i % 4 == 0 ? u"if x < y && /* a \"c\" */ return" : u"return";
        if (i % 11 == 0)
            text += u";\r\n";
    }
    for (const HighlightEngine engine : {HighlightEngine::Fast, HighlightEngine::Regex}) {
        for (const bool optimize : {false, true}) {
            const HighlightOptions options{optimize, engine};
            Text joined;
            int pieces = 0;
            HighlightTextTo(language, text, options, [&](TextView piece) {
                joined += piece;
                ++pieces;
            });
            EXPECT_TRUE(joined == HighlightText(language, text, options)) << optimize;
            EXPECT_GT(pieces, 5);
        }
    }
}
