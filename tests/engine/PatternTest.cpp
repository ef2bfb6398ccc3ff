#include "ExampleLanguage.h"
#include "engine/TextRoutines.h"

#include <gtest/gtest.h>

using namespace brevlin;
using brevlin::test::AddRule;

TEST(EscapeRegExp, EscapesTheTwelveCharactersOnce) {
    EXPECT_EQ(EscapeRegExp(u"\\?*+.|{}[]()"), u"\\\\\\?\\*\\+\\.\\|\\{\\}\\[\\]\\(\\)");
    EXPECT_EQ(EscapeRegExp(u"^$-/#!= あ"), u"^$-/#!= あ");
    EXPECT_EQ(EscapeRegExp(u"/*"), u"/\\*");
}

TEST(Patterns, WorkedExample) {
    Language language;
    test::FillExample(language);
    EXPECT_EQ(language.CreateWordSeperatePattern(),
              u"//[^\\r\\n]*|/\\*([^\\*]/|[^/])*\\*/|\"((\\\\\")|[^\"])*\"|[\\w#]+|\\s+|[^\\w#]");
    EXPECT_EQ(language.Keywords().MatchPattern(), u"^if$|^int$|^return$");
    EXPECT_EQ(language.Comments().Item(1).MatchPattern(), u"^//");
    EXPECT_EQ(language.Comments().Item(2).MatchPattern(), u"^/\\*(.|\\n)*\\*/$");
    EXPECT_EQ(language.Comments().Item(3).MatchPattern(), u"^\"(.|\\n)*\"$");
}

TEST(Patterns, RuleForms) {
    Language language;
    AddRule(language, u"REM", u"", u"", true, u"", u"");
    AddRule(language, u"+", u"", u"", false, u"", u"");
    AddRule(language, u"(", u")", u"\\", false, u"", u"");
    AddRule(language, u"<!--", u"-->", u"x", false, u"", u"");
    EXPECT_EQ(language.Comments().Item(1).MatchPattern(), u"^REM\\b");
    EXPECT_EQ(language.Comments().Item(2).MatchPattern(), u"^\\+");
    EXPECT_EQ(language.CreateWordSeperatePattern(),
              u"\\bREM\\s*[^\\r\\n]*|\\+[^\\r\\n]*|\\(((\\\\\\))|[^\\)])*\\)|"
              u"<!--([^-]-|[^-])*-->|[\\w#]+|\\s+|[^\\w#]");
    Language empty;
    EXPECT_EQ(empty.CreateWordSeperatePattern(), u"[\\w#]+|\\s+|[^\\w#]");
}
