#include "Keywords.h"

#include "BrevlinError.h"

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
