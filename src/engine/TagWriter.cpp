#include "engine/TagWriter.h"

namespace brevlin {

TagWriter::TagWriter(const Text& keywordStart, const Text& keywordEnd, bool optimizeTags,
                     std::size_t expectedSize, const HtmlSink* sink)
    : m_sink(sink), m_keywordStart(keywordStart), m_keywordEnd(keywordEnd),
      m_optimizeTags(optimizeTags) {
    m_out.reserve(sink ? 2 * kPiece : expectedSize + expectedSize / 2 + 16);
}

void TagWriter::Flush() {
    const std::size_t ready = m_runOpen ? m_runEnd : m_out.size();
    if (ready == 0)
        return;
    (*m_sink)(TextView(m_out).substr(0, ready));
    m_out.erase(0, ready);
    m_runEnd = 0;
}

void TagWriter::AppendLongText(TextView token) {
    for (std::size_t at = 0; at < token.size(); at += kPiece) {
        AppendEscapedHtml(m_out, token.substr(at, kPiece));
        Handover();
    }
}

void TagWriter::CloseRun() {
    if (!m_runOpen)
        return;
    m_out.insert(m_runEnd, m_keywordEnd);
    m_runOpen = false;
}

Text TagWriter::Finish() {
    if (m_optimizeTags)
        CloseRun();
    if (!m_sink)
        return std::move(m_out);
    if (!m_out.empty())
        (*m_sink)(m_out);
    return {};
}

} // namespace brevlin
