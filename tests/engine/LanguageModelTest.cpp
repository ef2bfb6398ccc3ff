#include "engine/Languages.h"
#include "text/BrevlinError.h"

#include <gtest/gtest.h>

using namespace brevlin;

TEST(Keywords, AddKeepsOrdinalOrderAndReportsPosition) {
    Keywords keywords;
    EXPECT_EQ(keywords.Add(u"return"), 1);
    EXPECT_EQ(keywords.Add(u"if"), 1);
    EXPECT_EQ(keywords.Add(u"int"), 2);
    EXPECT_EQ(keywords.Add(u"If"), 1); // upper case sorts first
    EXPECT_EQ(keywords.GetAllItems(), (std::vector<Text>{u"If", u"if", u"int", u"return"}));
    EXPECT_EQ(keywords.Add(u"if"), 3); // after the equal one
    EXPECT_EQ(keywords.Count(), 5);
    EXPECT_EQ(keywords.Add(u"i"), 2); // a prefix sorts before the longer text
}

TEST(Keywords, PatternFollowsEveryChange) {
    Keywords keywords;
    keywords.Add(u"return");
    keywords.Add(u"if");
    keywords.Add(u"int");
    EXPECT_EQ(keywords.MatchPattern(), u"^if$|^int$|^return$");
    keywords.SetItem(1, u"zz"); // stays in place, out of order
    EXPECT_EQ(keywords.Item(1), u"zz");
    EXPECT_EQ(keywords.MatchPattern(), u"^zz$|^int$|^return$");
    EXPECT_EQ(keywords.Add(u"ja"), 1); // scans from the front: "ja" < "zz"
    keywords.Remove(1);
    keywords.Remove(1);
    EXPECT_EQ(keywords.MatchPattern(), u"^int$|^return$");
    keywords.Clear();
    EXPECT_EQ(keywords.Count(), 0);
    EXPECT_EQ(keywords.MatchPattern(), u"");
    keywords.Add(u"x");
    keywords.Remove(1);
    EXPECT_EQ(keywords.MatchPattern(), u"");
    EXPECT_TRUE(keywords.GetAllItems().empty());
}

TEST(Keywords, OutOfRangePositionsRaiseAndChangeNothing) {
    Keywords keywords;
    keywords.Add(u"a");
    EXPECT_THROW(keywords.Item(0), BrevlinError);
    EXPECT_THROW(keywords.Item(2), BrevlinError);
    EXPECT_THROW(keywords.Remove(2), BrevlinError);
    EXPECT_THROW(keywords.SetItem(0, u"b"), BrevlinError);
    EXPECT_EQ(keywords.GetAllItems(), std::vector<Text>{u"a"});
}

TEST(Languages, NamesAreUniqueByExactComparison) {
    Languages languages;
    languages.Add(u"ABC");
    EXPECT_NO_THROW(languages.Add(u"abc"));
    try {
        languages.Add(u"ABC");
        FAIL() << "duplicate accepted";
    } catch (const BrevlinError& error) {
        EXPECT_EQ(error.Number(), 0x800407D2u);
        EXPECT_EQ(error.Description(), "Name重複");
    }
    EXPECT_EQ(languages.Count(), 2);
    EXPECT_EQ(languages.ItemByName(u"abc"), &languages.Item(2));
    EXPECT_EQ(languages.ItemByName(u"Abc"), nullptr);
}

TEST(Languages, RemoveRenumbersFollowingElements) {
    Languages languages;
    for (const char16_t* name : {u"a", u"b", u"c", u"d"})
        languages.Add(name);
    std::shared_ptr<Language> held = languages.ItemShared(2);
    languages.Remove(2);
    EXPECT_EQ(languages.Count(), 3);
    EXPECT_EQ(languages.Item(2).Name(), u"c");
    EXPECT_EQ(languages.Item(2).Index(), 2);
    EXPECT_EQ(languages.Item(3).Index(), 3);
    EXPECT_EQ(held->Name(), u"b"); // a removed language lives on while held
    EXPECT_THROW(languages.Remove(4), BrevlinError);
    EXPECT_EQ(languages.Count(), 3);

    Comments rules;
    for (int i = 0; i < 4; ++i)
        rules.Add().SetStartTag(Text(1, static_cast<char16_t>(u'a' + i)));
    rules.Remove(2);
    EXPECT_EQ(rules.Item(2).StartTag(), u"c");
    EXPECT_EQ(rules.Item(2).Index(), 2);
    EXPECT_EQ(rules.Item(3).Index(), 3);
}

TEST(Comments, NewRuleHasEmptyPatternUntilAssigned) {
    Comments rules;
    Comment& rule = rules.Add();
    EXPECT_EQ(rule.Index(), 1);
    EXPECT_EQ(rule.MatchPattern(), u"");
    EXPECT_FALSE(rule.MatchWord());
    rule.SetClauseStart(u"REM");
    EXPECT_EQ(rule.MatchPattern(), u"^REM");
}
