#pragma once

#include "engine/Comment.h"

#include <memory>
#include <vector>

namespace brevlin {

// Ordered, 1-based collection of rules; each rule's Index is its position.
class Comments {
public:
    Comment& Add();
    Comment& Item(int index);
    const Comment& Item(int index) const;
    void Clear();
    int Count() const { return static_cast<int>(m_items.size()); }
    void Remove(int index);

    // Enumeration in collection order (for-each over the rules).
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<std::unique_ptr<Comment>> m_items;
};

} // namespace brevlin
