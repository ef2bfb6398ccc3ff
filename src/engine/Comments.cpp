#include "engine/Comments.h"

#include "text/BrevlinError.h"

namespace brevlin {

Comment& Comments::Add() {
    m_items.push_back(std::make_unique<Comment>());
    m_items.back()->SetIndex(Count());
    return *m_items.back();
}

Comment& Comments::Item(int index) {
    if (index < 1 || index > Count())
        ThrowSubscriptOutOfRange();
    return *m_items[static_cast<std::size_t>(index - 1)];
}

const Comment& Comments::Item(int index) const {
    return const_cast<Comments*>(this)->Item(index);
}

void Comments::Clear() {
    while (!m_items.empty())
        m_items.pop_back();
}

void Comments::Remove(int index) {
    if (index < 1 || index > Count())
        ThrowSubscriptOutOfRange();
    m_items.erase(m_items.begin() + (index - 1));
    for (int i = index; i <= Count(); ++i)
        m_items[static_cast<std::size_t>(i - 1)]->SetIndex(i);
}

} // namespace brevlin
