#pragma once

#include "CharClass.h"
#include "Text.h"
#include "TextRoutines.h"

#include <algorithm>

namespace brevlin {

// Appends classified tokens, escaped and wrapped, to one output buffer. With OptimizeTags,
// keywords separated only by white space share one pair of tags: the end tag of an open
// run is inserted right after its last keyword when something closes the run.
class TagWriter {
public:
    TagWriter(const Text& keywordStart, const Text& keywordEnd, bool optimizeTags,
              std::size_t expectedSize);

    void AppendRule(const Text& startTag, TextView token, const Text& endTag) {
        if (m_optimizeTags)
            CloseRun();
        m_out += startTag;
        AppendEscapedHtml(m_out, token);
        m_out += endTag;
    }
    void AppendKeyword(TextView token) {
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
    void AppendOther(TextView token) {
        // Only a token with a character that is not white space closes a keyword run.
        if (m_runOpen && !std::all_of(token.begin(), token.end(), chars::IsSpace))
            CloseRun();
        AppendEscapedHtml(m_out, token);
    }
    Text Finish();

private:
    void CloseRun();

    const Text& m_keywordStart;
    const Text& m_keywordEnd;
    bool m_optimizeTags;
    Text m_out;
    bool m_runOpen = false;
    std::size_t m_runEnd = 0; // output position right after the run's last keyword
};

} // namespace brevlin
