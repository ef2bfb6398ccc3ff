#pragma once

#include "engine/ClauseMatcher.h"
#include "engine/KeywordSet.h"
#include "engine/Language.h"
#include "engine/RegExp.h"

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace brevlin {

// Classifies tokens without a regular-expression engine wherever the pattern is one the
// engine generates: a rule pattern ^S(.|\n)*E$ is a start, end and length test, ^S and ^S\b
// are start tests; plain keywords are one set lookup. Only the rules whose start clause can
// begin the token are tested. Keywords with pattern characters go through RegExp.
class FastClassifier {
public:
    explicit FastClassifier(const Language& language);
    ~FastClassifier();
    FastClassifier(const FastClassifier&) = delete;
    FastClassifier& operator=(const FastClassifier&) = delete;

    // The first rule in collection order whose pattern matches the token, or null.
    const Comment* MatchRule(TextView token) const {
        for (const std::uint32_t i : Candidates(token)) {
            if (Matches(m_rules[i], token))
                return m_rules[i].rule;
        }
        return nullptr;
    }
    // True when a token can only be a rule token through its first character and only a
    // run of [\w#] can be a keyword: tokens of the fixed alternatives need no rule test.
    bool DecidedByFirstCharacter() const { return m_lists[0].empty() && !m_keywordRegex; }
    // Keywords that are patterns of their own (\s, a dot) can match white space too.
    bool SpaceCanBeKeyword() const { return m_keywordRegex != nullptr; }
    // `wordRun`: the token is known to be a run of [\w#].
    bool IsKeyword(TextView token, bool wordRun) {
        if (m_keywordSet && wordRun)
            return m_keywordSet->Contains(token);
        return m_hasKeywords && IsKeywordSlow(token);
    }

private:
    enum class Form { Block, Word, Prefix };
    struct RuleTest {
        const Comment* rule = nullptr;
        Form form = Form::Prefix;
        ClauseMatcher start;
        ClauseMatcher end;
    };
    bool Matches(const RuleTest& test, TextView token) const;
    bool IsKeywordSlow(TextView token);
    const std::vector<std::uint32_t>& Candidates(TextView token) const {
        return !token.empty() && token[0] < 128 ? m_lists[m_ascii[token[0]]]
                                                : OtherCandidates(token);
    }
    const std::vector<std::uint32_t>& OtherCandidates(TextView token) const;

    std::vector<RuleTest> m_rules;
    std::vector<std::vector<std::uint32_t>> m_lists; // [0]: rules that fit any token
    std::array<std::uint32_t, 128> m_ascii{};
    std::vector<std::pair<char16_t, std::uint32_t>> m_other; // sorted
    bool m_hasKeywords = false;
    std::unique_ptr<KeywordSet> m_keywordSet;
    std::unique_ptr<RegExp> m_keywordRegex;
};

} // namespace brevlin
