#pragma once

#include "engine/Language.h"
#include "engine/RegExp.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace brevlin {

// Decides what a token is: the first rule whose pattern matches it, else a keyword, else
// other text. Patterns are compiled once per conversion. Rules of the shape the generator
// makes from plain clause text are tested as prefix/suffix comparisons, plain keywords by a
// set lookup; anything else goes through RegExp, so results never differ from the patterns.
class TokenClassifier {
public:
    explicit TokenClassifier(const Language& language);
    ~TokenClassifier();

    // 0-based index into Rules(), or -1.
    int MatchRule(TextView token);
    bool IsKeyword(TextView token);
    const Comment& Rule(int index) const { return *m_rules[static_cast<std::size_t>(index)].rule; }

private:
    struct RuleTest {
        const Comment* rule = nullptr;
        std::unique_ptr<RegExp> regex; // null when the direct test applies
        bool anyFirst = false;         // cannot skip on the first character
        char16_t first = 0;            // folded first character of ClauseStart
    };
    bool StartsWith(TextView token, TextView prefix) const;
    bool EndsWith(TextView token, TextView suffix) const;
    bool DirectTest(const Comment& rule, TextView token) const;
    Text KeyOf(TextView token) const;

    bool m_ignoreCase;
    std::vector<RuleTest> m_rules;
    bool m_hasKeywords = false;
    bool m_plainKeywords = false;
    std::unordered_set<Text> m_keywordSet;
    std::unique_ptr<RegExp> m_keywordRegex;
};

// The keyword pattern, compiled now; a keyword that breaks it is named in the error.
std::unique_ptr<RegExp> CompileKeywordMatcher(const Language& language);

} // namespace brevlin
