#include "engine/FastTokenizer.h"

#include "engine/CharClass.h"

#include <algorithm>
#include <map>

namespace brevlin {

namespace {

bool IsLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

FastTokenizer::FastTokenizer(const Language& language, TextView text, bool general)
    : m_text(text), m_ignoreCase(language.IgnoreCase()) {
    // Line rules are tried before block rules at every position, each kind in collection
    // order. A rule without a start clause never starts a token.
    List lines;
    List blocks;
    for (const auto& rule : language.Comments()) {
        if (rule->ClauseStart().empty())
            continue;
        if (rule->ClauseEnd().empty()) {
            lines.push_back({true, static_cast<std::uint32_t>(m_lines.size())});
            m_lines.push_back(
                {ClauseMatcher(rule->ClauseStart(), m_ignoreCase), rule->MatchWord()});
        } else {
            blocks.push_back({false, static_cast<std::uint32_t>(m_blocks.size())});
            m_blocks.push_back(std::make_unique<BlockScanner>(*rule, m_ignoreCase, text, general));
        }
    }
    m_all = lines;
    m_all.insert(m_all.end(), blocks.begin(), blocks.end());

    const auto startOf = [this](const Alternative& a) -> const ClauseMatcher& {
        return a.line ? m_lines[a.index].start : m_blocks[a.index]->Start();
    };
    std::map<char16_t, List> byFirst;
    for (const Alternative& a : m_all) {
        const ClauseMatcher& start = startOf(a);
        if (start.StartsWithLiteral())
            byFirst[start.FirstLiteral()].push_back(a);
    }
    m_lists.emplace_back();
    const auto addList = [this](List list) {
        m_lists.push_back(std::move(list));
        return static_cast<std::uint32_t>(m_lists.size() - 1);
    };
    for (auto& [first, list] : byFirst) {
        const std::uint32_t id = addList(std::move(list));
        if (first < 128) {
            m_ascii[first] = id;
            // Folded keys: the upper-case letter finds the same list.
            if (m_ignoreCase && first >= u'a' && first <= u'z')
                m_ascii[first - (u'a' - u'A')] = id;
        } else {
            m_other.emplace_back(first, id);
        }
    }
}

const FastTokenizer::List& FastTokenizer::OtherCandidates(char16_t c) const {
    if (m_other.empty())
        return m_lists[0];
    const auto it = std::lower_bound(
        m_other.begin(), m_other.end(), c,
        [](const std::pair<char16_t, std::uint32_t>& e, char16_t key) { return e.first < key; });
    return it != m_other.end() && it->first == c ? m_lists[it->second] : m_lists[0];
}

bool FastTokenizer::MatchLine(const LineRule& rule, std::size_t pos, std::size_t& end) const {
    const std::size_t n = m_text.size();
    if (rule.matchWord) {
        const bool before = pos > 0 && chars::IsWord(m_text[pos - 1]);
        const bool after = pos < n && chars::IsWord(m_text[pos]);
        if (before == after)
            return false;
    }
    std::size_t q = 0;
    if (!rule.start.MatchAt(m_text, pos, q))
        return false;
    if (rule.matchWord) {
        while (q < n && chars::IsSpace(m_text[q]))
            ++q;
    }
    while (q < n && !IsLineEnd(m_text[q]))
        ++q;
    end = q;
    return true;
}

bool FastTokenizer::TryList(const List& list, std::size_t pos, std::size_t& end) {
    for (const Alternative& a : list) {
        if (a.line ? MatchLine(m_lines[a.index], pos, end) : m_blocks[a.index]->Match(pos, end))
            return true;
    }
    return false;
}

bool FastTokenizer::NextAnywhere(RegExpMatch& token) {
    const std::size_t n = m_text.size();
    const std::size_t pos = m_position;
    // Whatever matches at the end of the text is empty, which is no token.
    if (pos >= n)
        return false;
    std::size_t end = pos;
    bool rule = false;
    if (pos == 0) {
        // A start clause beginning with "^" can match here and nowhere else.
        rule = TryList(m_all, pos, end);
    } else {
        const List& list = Candidates(m_text[pos]);
        rule = !list.empty() && TryList(list, pos, end);
    }
    // An empty match (anchors only) would leave this character in no token.
    if (rule && end > pos)
        m_kind = Kind::Rule;
    else
        end = FixedEnd(pos);
    token.FirstIndex = pos;
    token.Length = end - pos;
    m_position = end;
    return true;
}

} // namespace brevlin
