#pragma once

#include "text/Text.h"

#include <vector>

namespace brevlin {

// Keyword texts kept in ordinal UTF-16 order by Add; MatchPattern follows every change.
class Keywords {
public:
    int Add(const Text& text);
    // Same result as Add for each text in order, with one rebuild of MatchPattern: loading a
    // long list stays fast.
    void AddRange(std::vector<Text> texts);
    void Clear();
    int Count() const { return static_cast<int>(m_items.size()); }
    std::vector<Text> GetAllItems() const { return m_items; }
    const Text& Item(int index) const;
    void SetItem(int index, Text text);
    const Text& MatchPattern() const { return m_matchPattern; }
    void Remove(int index);

private:
    void RebuildPattern();

    std::vector<Text> m_items;
    Text m_matchPattern;
};

} // namespace brevlin
