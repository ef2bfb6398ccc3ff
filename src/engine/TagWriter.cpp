#include "TagWriter.h"

#include "CharClass.h"
#include "TextRoutines.h"

#include <algorithm>

namespace brevlin {

TagWriter::TagWriter(const Text& keywordStart, const Text& keywordEnd, bool optimizeTags,
                     std::size_t expectedSize)
    : m_keywordStart(keywordStart), m_keywordEnd(keywordEnd), m_optimizeTags(optimizeTags) {
    m_out.reserve(expectedSize + expectedSize / 2 + 16);
}

void TagWriter::CloseRun() {
    if (!m_runOpen)
        return;
    m_out.insert(m_runEnd, m_keywordEnd);
    m_runOpen = false;
}

void TagWriter::AppendRule(const Text& startTag, TextView token, const Text& endTag) {
    if (m_optimizeTags)
        CloseRun();
    m_out += startTag;
    AppendEscapedHtml(m_out, token);
    m_out += endTag;
}

void TagWriter::AppendKeyword(TextView token) {
    if (!m_optimizeTags) {
        m_out += m_keywordStart;
        AppendEscapedHtml(m_out, token);
        m_out += m_keywordEnd;
        return;
    }
    if (!m_runOpen)
        m_out += m_keywordStart;
    AppendEscapedHtml(m_out, token);
    m_runOpen = true;
    m_runEnd = m_out.size();
}

void TagWriter::AppendOther(TextView token) {
    // Only a token with a character that is not white space closes a keyword run.
    if (m_optimizeTags && m_runOpen &&
        !std::all_of(token.begin(), token.end(), chars::IsSpace))
        CloseRun();
    AppendEscapedHtml(m_out, token);
}

Text TagWriter::Finish() {
    if (m_optimizeTags)
        CloseRun();
    return std::move(m_out);
}

} // namespace brevlin
