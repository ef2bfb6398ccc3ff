#pragma once

#include "engine/Comments.h"
#include "engine/Keywords.h"

#include <vector>

namespace brevlin {

// One language definition: keywords with their tags, a case switch, tab settings and rules.
class Language {
public:
    int Index() const { return m_index; }
    void SetIndex(int index) { m_index = index; }
    const Text& Name() const { return m_name; }
    void SetName(Text value) { m_name = std::move(value); }
    bool IgnoreCase() const { return m_ignoreCase; }
    void SetIgnoreCase(bool value) { m_ignoreCase = value; }
    const Text& StartTag() const { return m_startTag; }
    void SetStartTag(Text value) { m_startTag = std::move(value); }
    const Text& EndTag() const { return m_endTag; }
    void SetEndTag(Text value) { m_endTag = std::move(value); }
    bool ReplaceTab() const { return m_replaceTab; }
    void SetReplaceTab(bool value) { m_replaceTab = value; }
    int TabColumns() const { return m_tabColumns; }
    void SetTabColumns(int value) { m_tabColumns = value; }
    // The sample the options dialog's preview converts; kept in the store, not in language
    // files, and no part of a conversion.
    const Text& PreviewSample() const { return m_previewSample; }
    void SetPreviewSample(Text value) { m_previewSample = std::move(value); }

    brevlin::Comments& Comments() { return m_comments; }
    const brevlin::Comments& Comments() const { return m_comments; }
    brevlin::Keywords& Keywords() { return m_keywords; }
    const brevlin::Keywords& Keywords() const { return m_keywords; }

    // The tokenizer pattern of the current rules, built anew on every call.
    Text CreateWordSeperatePattern() const;
    // The same pattern built from only the rules that `include` accepts.
    template <typename Predicate> Text CreateWordSeperatePattern(Predicate include) const;

private:
    int m_index = 0;
    Text m_name;
    bool m_ignoreCase = false;
    Text m_startTag;
    Text m_endTag;
    bool m_replaceTab = false;
    int m_tabColumns = 0;
    Text m_previewSample;
    brevlin::Comments m_comments;
    brevlin::Keywords m_keywords;
};

Text BuildWordSeperatePattern(const std::vector<const Comment*>& rules);

template <typename Predicate> Text Language::CreateWordSeperatePattern(Predicate include) const {
    std::vector<const Comment*> rules;
    for (const auto& rule : m_comments) {
        if (include(*rule))
            rules.push_back(rule.get());
    }
    return BuildWordSeperatePattern(rules);
}

} // namespace brevlin
