// A conversion's copy of its language, taken on the user-interface thread.
#include "ui/common/LanguageSnapshot.h"
#include "engine/Highlighter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brevlin {
namespace {

TEST(LanguageSnapshot, ConvertsLikeTheOriginalAndIsIndependentOfIt) {
    Language language;
    language.SetName(u"C");
    language.SetStartTag(u"<b>");
    language.SetEndTag(u"</b>");
    language.SetIgnoreCase(true);
    language.SetReplaceTab(true);
    language.SetTabColumns(2);
    language.Keywords().Add(u"int");
    language.Keywords().Add(u"if");
    // An in-place edit leaves the list out of order; the copy keeps that order.
    language.Keywords().SetItem(1, u"while");
    Comment& rule = language.Comments().Add();
    rule.SetClauseStart(u"\"");
    rule.SetClauseEnd(u"\"");
    rule.SetEscapeChar(u"\\");
    rule.SetStartTag(u"<s>");
    rule.SetEndTag(u"</s>");

    auto copy = LanguageSnapshot::Of(language);
    ASSERT_EQ(copy->Keywords().Count(), 2);
    EXPECT_EQ(copy->Keywords().Item(1), u"while");
    EXPECT_EQ(copy->Keywords().MatchPattern(), language.Keywords().MatchPattern());
    EXPECT_EQ(copy->CreateWordSeperatePattern(), language.CreateWordSeperatePattern());

    const Text input = u"INT\tx = \"a\\\"b\";\r\nWhile";
    const HighlightOptions options{true};
    const Text expected = HighlightText(language, input, options);
    EXPECT_EQ(HighlightText(*copy, input, options), expected);

    language.SetStartTag(u"<i>");
    language.Comments().Clear();
    EXPECT_EQ(HighlightText(*copy, input, options), expected);
}

TEST(LanguageSnapshot, TakesALongKeywordListWhole) {
    // Every conversion takes a snapshot on the user-interface thread; a list of this size
    // copied keyword by keyword, rebuilding the pattern each time, would freeze the tray.
    Language language;
    std::vector<Text> keywords;
    for (int i = 0; i < 200000; ++i) {
        const std::string word = "k" + std::to_string(i);
        keywords.emplace_back(word.begin(), word.end());
    }
    language.Keywords().AddRange(keywords);
    auto copy = LanguageSnapshot::Of(language);
    EXPECT_EQ(copy->Keywords().GetAllItems(), language.Keywords().GetAllItems());
    EXPECT_EQ(copy->Keywords().MatchPattern(), language.Keywords().MatchPattern());
}

} // namespace
} // namespace brevlin
