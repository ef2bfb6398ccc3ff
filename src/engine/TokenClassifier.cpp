#include "engine/TokenClassifier.h"

#include "engine/CharClass.h"
#include "text/BrevlinError.h"
#include "text/UiText.h"

#include <algorithm>

namespace brevlin {

namespace {

bool HasAnchor(TextView text) {
    return std::any_of(text.begin(), text.end(), chars::IsAnchor);
}

bool IsPlainKeyword(const Text& keyword) {
    return std::all_of(keyword.begin(), keyword.end(), chars::IsWordOrHash);
}

} // namespace

std::unique_ptr<RegExp> CompileKeywordMatcher(const Language& language) {
    auto matcher = std::make_unique<RegExp>();
    matcher->SetIgnoreCase(language.IgnoreCase());
    matcher->SetPattern(language.Keywords().MatchPattern());
    try {
        matcher->Test(u"");
    } catch (const BrevlinError&) {
        // Name the keyword that breaks the pattern.
        RegExp single;
        for (const Text& keyword : language.Keywords().GetAllItems()) {
            single.SetPattern(u"^" + keyword + u"$");
            try {
                single.Test(u"");
            } catch (const BrevlinError& error) {
                throw BrevlinError(
                    error.Number(),
                    UiText::Fill(
                        UiText::Translate(
                            "TokenClassifier",
                            "言語「%1」のキーワード「%2」が正しいパターンではありません。"),
                        {ToUtf8(language.Name()), ToUtf8(keyword)}));
            }
        }
        throw;
    }
    return matcher;
}

TokenClassifier::TokenClassifier(const Language& language) : m_ignoreCase(language.IgnoreCase()) {
    for (const auto& rule : language.Comments()) {
        // A rule without a start clause would match every token; it never starts.
        if (rule->ClauseStart().empty())
            continue;
        RuleTest test;
        test.rule = rule.get();
        if (HasAnchor(rule->ClauseStart()) || HasAnchor(rule->ClauseEnd())) {
            test.regex = std::make_unique<RegExp>();
            test.regex->SetIgnoreCase(m_ignoreCase);
            test.regex->SetPattern(rule->MatchPattern());
            test.regex->Test(u""); // compile now, before any output
        }
        test.anyFirst = chars::IsAnchor(rule->ClauseStart()[0]);
        test.first = m_ignoreCase ? chars::Fold(rule->ClauseStart()[0]) : rule->ClauseStart()[0];
        m_rules.push_back(std::move(test));
    }

    const Keywords& keywords = language.Keywords();
    m_hasKeywords = keywords.Count() > 0;
    if (!m_hasKeywords)
        return;
    const std::vector<Text> items = keywords.GetAllItems();
    m_plainKeywords = std::all_of(items.begin(), items.end(), IsPlainKeyword);
    if (m_plainKeywords) {
        for (const Text& keyword : items)
            m_keywordSet.insert(KeyOf(keyword));
        return;
    }
    m_keywordRegex = CompileKeywordMatcher(language);
}

TokenClassifier::~TokenClassifier() = default;

Text TokenClassifier::KeyOf(TextView token) const {
    Text key(token);
    if (m_ignoreCase) {
        for (char16_t& c : key)
            c = chars::Fold(c);
    }
    return key;
}

bool TokenClassifier::StartsWith(TextView token, TextView prefix) const {
    if (token.size() < prefix.size())
        return false;
    if (!m_ignoreCase)
        return token.substr(0, prefix.size()) == prefix;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (chars::Fold(token[i]) != chars::Fold(prefix[i]))
            return false;
    }
    return true;
}

bool TokenClassifier::EndsWith(TextView token, TextView suffix) const {
    return token.size() >= suffix.size() &&
           StartsWith(token.substr(token.size() - suffix.size()), suffix);
}

bool TokenClassifier::DirectTest(const Comment& rule, TextView token) const {
    const Text& start = rule.ClauseStart();
    if (!StartsWith(token, start))
        return false;
    const Text& end = rule.ClauseEnd();
    if (!end.empty())
        return token.size() >= start.size() + end.size() && EndsWith(token, end);
    if (!rule.MatchWord())
        return true;
    // "\b" right after the start clause.
    const bool before = chars::IsWord(start.back());
    const bool after = start.size() < token.size() && chars::IsWord(token[start.size()]);
    return before != after;
}

int TokenClassifier::MatchRule(TextView token) {
    const char16_t first =
        m_ignoreCase ? chars::Fold(token.empty() ? 0 : token[0]) : (token.empty() ? 0 : token[0]);
    for (std::size_t i = 0; i < m_rules.size(); ++i) {
        RuleTest& test = m_rules[i];
        if (!test.anyFirst && (token.empty() || test.first != first))
            continue;
        const bool match = test.regex ? test.regex->Test(token) : DirectTest(*test.rule, token);
        if (match)
            return static_cast<int>(i);
    }
    return -1;
}

bool TokenClassifier::IsKeyword(TextView token) {
    if (!m_hasKeywords)
        return false;
    if (m_plainKeywords) {
        if (!std::all_of(token.begin(), token.end(), chars::IsWordOrHash))
            return false;
        return m_keywordSet.count(KeyOf(token)) > 0;
    }
    return m_keywordRegex->Test(token);
}

} // namespace brevlin
