#pragma once

#include "engine/Language.h"

namespace brevlin::test {

inline Comment& AddRule(Language& language, const Text& start, const Text& end, const Text& escape,
                        bool matchWord, const Text& startTag, const Text& endTag) {
    Comment& rule = language.Comments().Add();
    rule.SetClauseStart(start);
    rule.SetClauseEnd(end);
    rule.SetEscapeChar(escape);
    rule.SetMatchWord(matchWord);
    rule.SetStartTag(startTag);
    rule.SetEndTag(endTag);
    return rule;
}

// The example language: keywords if, int, return; line comment, block comment, string.
inline void FillExample(Language& language) {
    language.SetStartTag(u"<b>");
    language.SetEndTag(u"</b>");
    for (const char16_t* keyword : {u"if", u"int", u"return"})
        language.Keywords().Add(keyword);
    AddRule(language, u"//", u"", u"", false, u"<i>", u"</i>");
    AddRule(language, u"/*", u"*/", u"", false, u"<i>", u"</i>");
    AddRule(language, u"\"", u"\"", u"\\", false, u"<tt>", u"</tt>");
}

} // namespace brevlin::test
