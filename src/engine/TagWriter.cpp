#include "TagWriter.h"

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

Text TagWriter::Finish() {
    if (m_optimizeTags)
        CloseRun();
    return std::move(m_out);
}

} // namespace brevlin
