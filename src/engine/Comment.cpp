#include "engine/Comment.h"

#include "engine/TextRoutines.h"

namespace brevlin {

void Comment::SetClauseStart(Text value) {
    m_clauseStart = std::move(value);
    RebuildPattern();
}

void Comment::SetClauseEnd(Text value) {
    m_clauseEnd = std::move(value);
    RebuildPattern();
}

void Comment::SetMatchWord(bool value) {
    m_matchWord = value;
    RebuildPattern();
}

void Comment::RebuildPattern() {
    Text pattern = u"^" + EscapeRegExp(m_clauseStart);
    if (!m_clauseEnd.empty())
        pattern += u"(.|\\n)*" + EscapeRegExp(m_clauseEnd) + u"$";
    else if (m_matchWord)
        pattern += u"\\b";
    m_matchPattern = std::move(pattern);
}

} // namespace brevlin
