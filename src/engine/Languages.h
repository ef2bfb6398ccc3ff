#pragma once

#include "engine/Language.h"

#include <memory>
#include <vector>

namespace brevlin {

// Ordered, 1-based collection of languages with unique names (exact comparison).
// Languages are shared, so one removed from the collection lives on while held elsewhere.
class Languages {
public:
    Language& Add(const Text& name);
    Language& Item(int index);
    const Language& Item(int index) const;
    std::shared_ptr<Language> ItemShared(int index) const;
    Language* ItemByName(const Text& name) const;
    void Clear();
    int Count() const { return static_cast<int>(m_items.size()); }
    void Remove(int index);

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<std::shared_ptr<Language>> m_items;
};

} // namespace brevlin
