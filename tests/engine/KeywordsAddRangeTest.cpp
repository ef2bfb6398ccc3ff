#include "engine/Keywords.h"

#include <gtest/gtest.h>

using namespace brevlin;

namespace {

std::vector<Text> OneByOne(const std::vector<Text>& start, const std::vector<Text>& added) {
    Keywords keywords;
    for (const Text& text : start)
        keywords.Add(text);
    for (const Text& text : added)
        keywords.Add(text);
    return keywords.GetAllItems();
}

} // namespace

TEST(KeywordsAddRange, EqualsAddingOneByOne) {
    const std::vector<Text> start{u"if", u"int", u"return"};
    const std::vector<Text> added{u"while", u"If", u"if", u"", u"a", u"if", u"zz", u"A"};
    Keywords keywords;
    for (const Text& text : start)
        keywords.Add(text);
    keywords.AddRange(added);
    EXPECT_EQ(keywords.GetAllItems(), OneByOne(start, added));
    EXPECT_EQ(keywords.MatchPattern(), u"^$|^A$|^If$|^a$|^if$|^if$|^if$|^int$|^return$|^while$|"
                                       u"^zz$");
}

TEST(KeywordsAddRange, OutOfOrderListIsScannedFromTheFrontLikeAdd) {
    Keywords keywords;
    keywords.Add(u"b");
    keywords.Add(u"d");
    keywords.SetItem(1, u"z"); // z, d: out of order
    keywords.AddRange({u"c", u"a", u"zz"});

    Keywords expected;
    expected.Add(u"b");
    expected.Add(u"d");
    expected.SetItem(1, u"z");
    for (const char16_t* text : {u"c", u"a", u"zz"})
        expected.Add(text);
    EXPECT_EQ(keywords.GetAllItems(), expected.GetAllItems());
    EXPECT_EQ(keywords.MatchPattern(), expected.MatchPattern());
}
