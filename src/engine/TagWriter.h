#pragma once

#include "Text.h"

namespace brevlin {

// Appends classified tokens, escaped and wrapped, to one output buffer. With OptimizeTags,
// keywords separated only by white space share one pair of tags: the end tag of an open
// run is inserted right after its last keyword when something closes the run.
class TagWriter {
public:
    TagWriter(const Text& keywordStart, const Text& keywordEnd, bool optimizeTags,
              std::size_t expectedSize);

    void AppendRule(const Text& startTag, TextView token, const Text& endTag);
    void AppendKeyword(TextView token);
    void AppendOther(TextView token);
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
