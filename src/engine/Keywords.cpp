#include "engine/Keywords.h"

#include "text/BrevlinError.h"

#include <algorithm>
#include <iterator>

namespace brevlin {

int Keywords::Add(const Text& text) {
    // Before the first greater keyword, so after equal ones; Text compares by code unit.
    std::size_t place = 0;
    while (place < m_items.size() && !(text < m_items[place]))
        ++place;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(place), text);
    RebuildPattern();
    return static_cast<int>(place) + 1;
}

void Keywords::AddRange(std::vector<Text> texts) {
    if (texts.empty())
        return;
    if (std::is_sorted(m_items.begin(), m_items.end())) {
        // A stable sort keeps equal new texts in their order, and merge puts them after the
        // equal ones already present: exactly where Add would put each.
        std::stable_sort(texts.begin(), texts.end());
        std::vector<Text> merged;
        merged.reserve(m_items.size() + texts.size());
        std::merge(std::make_move_iterator(m_items.begin()), std::make_move_iterator(m_items.end()),
                   std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end()),
                   std::back_inserter(merged));
        m_items = std::move(merged);
    } else {
        // An in-place edit left the list out of order: insert one by one, as Add scans.
        for (Text& text : texts) {
            std::size_t place = 0;
            while (place < m_items.size() && !(text < m_items[place]))
                ++place;
            m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(place), std::move(text));
        }
    }
    RebuildPattern();
}

void Keywords::Clear() {
    m_items.clear();
    m_matchPattern.clear();
}

const Text& Keywords::Item(int index) const {
    if (index < 1 || index > Count())
        ThrowSubscriptOutOfRange();
    return m_items[static_cast<std::size_t>(index - 1)];
}

void Keywords::SetItem(int index, Text text) {
    if (index < 1 || index > Count())
        ThrowSubscriptOutOfRange();
    m_items[static_cast<std::size_t>(index - 1)] = std::move(text);
    RebuildPattern();
}

void Keywords::Remove(int index) {
    if (index < 1 || index > Count())
        ThrowSubscriptOutOfRange();
    m_items.erase(m_items.begin() + (index - 1));
    RebuildPattern();
}

void Keywords::RebuildPattern() {
    Text pattern;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (i > 0)
            pattern += u'|';
        pattern += u'^';
        pattern += m_items[i];
        pattern += u'$';
    }
    m_matchPattern = std::move(pattern);
}

} // namespace brevlin
