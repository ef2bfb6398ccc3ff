#include "engine/Tokenizer.h"

#include "engine/CharClass.h"

#include <algorithm>
#include <limits>

namespace brevlin {

namespace {

constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

bool HasAnchor(TextView text) {
    return std::any_of(text.begin(), text.end(), chars::IsAnchor);
}

// End of the last occurrence of `needle` in `text`, or 0 when it does not occur.
std::size_t LastEnd(TextView text, TextView needle, bool ignoreCase) {
    if (needle.size() > text.size())
        return 0;
    for (std::size_t i = text.size() - needle.size() + 1; i-- > 0;) {
        bool equal = true;
        for (std::size_t k = 0; k < needle.size() && equal; ++k) {
            equal = ignoreCase ? chars::Fold(text[i + k]) == chars::Fold(needle[k])
                               : text[i + k] == needle[k];
        }
        if (equal)
            return i + needle.size();
    }
    return 0;
}

} // namespace

Tokenizer::Tokenizer(const Language& language, TextView text)
    : m_text(text), m_ignoreCase(language.IgnoreCase()), m_nextDeath(kNever) {
    m_regex.SetGlobal(true);
    m_regex.SetIgnoreCase(m_ignoreCase);
    for (const auto& rule : language.Comments()) {
        const Text& start = rule->ClauseStart();
        if (start.empty())
            continue; // such a rule never starts a token
        RuleInfo info;
        info.rule = rule.get();
        info.anyFirst = chars::IsAnchor(start[0]);
        info.first = m_ignoreCase ? chars::Fold(start[0]) : start[0];
        const Text& end = rule->ClauseEnd();
        if (!end.empty() && !HasAnchor(end)) {
            const std::size_t lastEnd = LastEnd(text, end, m_ignoreCase);
            // Anchors in the start clause take no character.
            const std::size_t need =
                static_cast<std::size_t>(std::count_if(
                    start.begin(), start.end(), [](char16_t c) { return !chars::IsAnchor(c); })) +
                end.size();
            info.canDie = true;
            info.deadAt = lastEnd >= need ? lastEnd - need + 1 : 0;
        }
        m_rules.push_back(info);
    }
    for (RuleInfo& info : m_rules) {
        if (info.canDie && info.deadAt == 0)
            info.alive = false;
    }
    RebuildPattern();
}

void Tokenizer::RebuildPattern() {
    m_nextDeath = kNever;
    std::vector<const Comment*> live;
    for (const RuleInfo& info : m_rules) {
        if (!info.alive)
            continue;
        live.push_back(info.rule);
        if (info.canDie)
            m_nextDeath = std::min(m_nextDeath, info.deadAt);
    }
    m_regex.SetPattern(BuildWordSeperatePattern(live));
}

bool Tokenizer::CandidateAt(std::size_t position) const {
    const char16_t c = m_ignoreCase ? chars::Fold(m_text[position]) : m_text[position];
    for (const RuleInfo& info : m_rules) {
        if (info.alive && (info.anyFirst || info.first == c))
            return true;
    }
    return false;
}

std::size_t Tokenizer::FixedToken(std::size_t position) const {
    const auto runOf = [&](bool (*in)(char16_t)) {
        std::size_t end = position;
        while (end < m_text.size() && in(m_text[end]))
            ++end;
        return end - position;
    };
    const char16_t c = m_text[position];
    if (chars::IsWordOrHash(c))
        return runOf(chars::IsWordOrHash);
    if (chars::IsSpace(c))
        return runOf(chars::IsSpace);
    return 1;
}

bool Tokenizer::Next(RegExpMatch& token) {
    if (m_done)
        return false;
    if (m_position >= m_nextDeath) {
        for (RuleInfo& info : m_rules) {
            if (info.canDie && info.alive && m_position >= info.deadAt)
                info.alive = false;
        }
        RebuildPattern();
    }
    // Whatever matches at the end of the text is empty, which is no token.
    if (m_position >= m_text.size()) {
        m_done = true;
        return false;
    }
    if (!CandidateAt(m_position)) {
        token.FirstIndex = m_position;
        token.Length = FixedToken(m_position);
        m_position += token.Length;
        return true;
    }
    // The fixed alternatives match anywhere, so the match starts here.
    if (!m_regex.FindFrom(m_text, m_position, token)) {
        m_done = true;
        return false;
    }
    // An empty match (anchors only) would leave this character in no token.
    if (token.Length == 0)
        token.Length = FixedToken(token.FirstIndex);
    m_position = token.FirstIndex + token.Length;
    return true;
}

} // namespace brevlin
