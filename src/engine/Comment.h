#pragma once

#include "text/Text.h"

namespace brevlin {

// One comment or literal rule. Assigning a clause or MatchWord rebuilds MatchPattern.
class Comment {
public:
    int Index() const { return m_index; }
    void SetIndex(int index) { m_index = index; }

    const Text& EscapeChar() const { return m_escapeChar; }
    void SetEscapeChar(Text value) { m_escapeChar = std::move(value); }
    const Text& StartTag() const { return m_startTag; }
    void SetStartTag(Text value) { m_startTag = std::move(value); }
    const Text& EndTag() const { return m_endTag; }
    void SetEndTag(Text value) { m_endTag = std::move(value); }

    const Text& ClauseStart() const { return m_clauseStart; }
    void SetClauseStart(Text value);
    const Text& ClauseEnd() const { return m_clauseEnd; }
    void SetClauseEnd(Text value);
    bool MatchWord() const { return m_matchWord; }
    void SetMatchWord(bool value);

    const Text& MatchPattern() const { return m_matchPattern; }

private:
    void RebuildPattern();

    int m_index = 0;
    Text m_escapeChar;
    Text m_startTag;
    Text m_endTag;
    Text m_clauseStart;
    Text m_clauseEnd;
    bool m_matchWord = false;
    Text m_matchPattern;
};

} // namespace brevlin
