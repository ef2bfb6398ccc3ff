#include "engine/FastClassifier.h"

#include "engine/CharClass.h"
#include "engine/TokenClassifier.h"

#include <algorithm>
#include <map>

namespace brevlin {

FastClassifier::FastClassifier(const Language& language) {
    const bool ignoreCase = language.IgnoreCase();
    for (const auto& rule : language.Comments()) {
        // A rule without a start clause never starts a token (as in the tokenizer).
        if (rule->ClauseStart().empty())
            continue;
        RuleTest test;
        test.rule = rule.get();
        test.start = ClauseMatcher(rule->ClauseStart(), ignoreCase);
        if (!rule->ClauseEnd().empty()) {
            test.form = Form::Block;
            test.end = ClauseMatcher(rule->ClauseEnd(), ignoreCase);
        } else if (rule->MatchWord()) {
            test.form = Form::Word;
        }
        m_rules.push_back(std::move(test));
    }

    // A token can only match rules whose start clause begins with its first character, or
    // begins with an anchor; lists keep collection order.
    std::map<char16_t, std::vector<std::uint32_t>> byFirst;
    std::vector<std::uint32_t> anchored;
    for (std::size_t i = 0; i < m_rules.size(); ++i) {
        if (m_rules[i].start.StartsWithLiteral())
            byFirst[m_rules[i].start.FirstLiteral()];
        else
            anchored.push_back(static_cast<std::uint32_t>(i));
    }
    m_lists.push_back(anchored);
    for (auto& [first, list] : byFirst) {
        for (std::size_t i = 0; i < m_rules.size(); ++i) {
            const ClauseMatcher& start = m_rules[i].start;
            if (!start.StartsWithLiteral() || start.FirstLiteral() == first)
                list.push_back(static_cast<std::uint32_t>(i));
        }
        m_lists.push_back(std::move(list));
        const auto id = static_cast<std::uint32_t>(m_lists.size() - 1);
        if (first < 128) {
            m_ascii[first] = id;
            if (ignoreCase && first >= u'a' && first <= u'z')
                m_ascii[first - (u'a' - u'A')] = id;
        } else {
            m_other.emplace_back(first, id);
        }
    }

    const Keywords& keywords = language.Keywords();
    m_hasKeywords = keywords.Count() > 0;
    if (!m_hasKeywords)
        return;
    const std::vector<Text> items = keywords.GetAllItems();
    const bool plain = std::all_of(items.begin(), items.end(), [](const Text& keyword) {
        return std::all_of(keyword.begin(), keyword.end(), chars::IsWordOrHash);
    });
    if (plain)
        m_keywordSet = std::make_unique<KeywordSet>(items, ignoreCase);
    else
        m_keywordRegex = CompileKeywordMatcher(language);
}

FastClassifier::~FastClassifier() = default;

const std::vector<std::uint32_t>& FastClassifier::OtherCandidates(TextView token) const {
    if (token.empty())
        return m_lists[0];
    const char16_t c = token[0];
    const auto it = std::lower_bound(
        m_other.begin(), m_other.end(), c,
        [](const std::pair<char16_t, std::uint32_t>& e, char16_t key) { return e.first < key; });
    return it != m_other.end() && it->first == c ? m_lists[it->second] : m_lists[0];
}

bool FastClassifier::Matches(const RuleTest& test, TextView token) const {
    std::size_t after = 0;
    if (!test.start.MatchAt(token, 0, after))
        return false;
    switch (test.form) {
    case Form::Prefix:
        return true;
    case Form::Word: {
        // "\b" right after the start clause, within the token.
        const bool before = after > 0 && chars::IsWord(token[after - 1]);
        const bool next = after < token.size() && chars::IsWord(token[after]);
        return before != next;
    }
    case Form::Block:
        break;
    }
    // (.|\n)* takes whatever lies between; the end clause must end exactly at the token end.
    const std::size_t tail = test.end.Consumed();
    if (after + tail > token.size())
        return false;
    std::size_t end = 0;
    return test.end.MatchAt(token, token.size() - tail, end);
}

bool FastClassifier::IsKeywordSlow(TextView token) {
    if (m_keywordSet) {
        if (!std::all_of(token.begin(), token.end(), chars::IsWordOrHash))
            return false;
        return m_keywordSet->Contains(token);
    }
    return m_keywordRegex->Test(token);
}

} // namespace brevlin
