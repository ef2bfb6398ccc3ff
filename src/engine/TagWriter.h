#pragma once

#include "engine/CharClass.h"
#include "engine/TextRoutines.h"
#include "text/Text.h"

#include <algorithm>
#include <functional>

namespace brevlin {

// Receives converted text in order, piece by piece.
using HtmlSink = std::function<void(TextView)>;

// Appends classified tokens, escaped and wrapped, to one output buffer. With OptimizeTags,
// keywords separated only by white space share one pair of tags: the end tag of an open
// run is inserted right after its last keyword when something closes the run.
// With a sink, the buffer is handed over whenever it has grown to a piece, except what
// follows the last keyword of an open run, where the end tag may still go.
class TagWriter {
public:
    TagWriter(const Text& keywordStart, const Text& keywordEnd, bool optimizeTags,
              std::size_t expectedSize, const HtmlSink* sink = nullptr);

    void AppendRule(const Text& startTag, TextView token, const Text& endTag) {
        if (m_optimizeTags)
            CloseRun();
        m_out += startTag;
        AppendText(token);
        m_out += endTag;
        Handover();
    }
    void AppendKeyword(TextView token) {
        if (!m_optimizeTags) {
            m_out += m_keywordStart;
            AppendEscapedHtml(m_out, token);
            m_out += m_keywordEnd;
            Handover();
            return;
        }
        if (!m_runOpen)
            m_out += m_keywordStart;
        AppendEscapedHtml(m_out, token);
        m_runOpen = true;
        m_runEnd = m_out.size();
        Handover();
    }
    void AppendOther(TextView token) {
        // Only a token with a character that is not white space closes a keyword run.
        if (m_runOpen && !std::all_of(token.begin(), token.end(), chars::IsSpace))
            CloseRun();
        AppendText(token);
        Handover();
    }
    // Text of tokens that are neither rule nor keyword, none closing a run (no run is open).
    void AppendPlain(TextView text) {
        AppendText(text);
        Handover();
    }
    bool RunOpen() const { return m_runOpen; }
    // The whole result; with a sink, the rest goes to the sink and the result is empty.
    Text Finish();

private:
    static constexpr std::size_t kPiece = std::size_t{1} << 16;
    void Handover() {
        if (m_sink && m_out.size() >= kPiece)
            Flush();
    }
    void Flush();
    void CloseRun();
    // Escapes a token; with a sink, a long one in pieces, so no piece grows with the text.
    void AppendText(TextView token) {
        if (!m_sink || token.size() <= kPiece) {
            AppendEscapedHtml(m_out, token);
            return;
        }
        AppendLongText(token);
    }
    void AppendLongText(TextView token);

    const HtmlSink* m_sink;
    const Text& m_keywordStart;
    const Text& m_keywordEnd;
    bool m_optimizeTags;
    Text m_out;
    bool m_runOpen = false;
    std::size_t m_runEnd = 0; // output position right after the run's last keyword
};

} // namespace brevlin
