#include "engine/KeywordSet.h"

#include "engine/CharClass.h"

namespace brevlin {

KeywordSet::KeywordSet(const std::vector<Text>& keywords, bool ignoreCase)
    : m_ignoreCase(ignoreCase) {
    std::size_t size = 16;
    while (size < keywords.size() * 2)
        size *= 2;
    m_slots.resize(size);
    m_mask = size - 1;
    for (const Text& keyword : keywords) {
        if (Lookup(keyword))
            continue;
        Slot slot;
        slot.offset = static_cast<std::uint32_t>(m_chars.size());
        slot.length = static_cast<std::uint32_t>(keyword.size());
        slot.hash = Hash(keyword);
        for (const char16_t c : keyword)
            m_chars += ignoreCase ? chars::Fold(c) : c;
        std::size_t i = slot.hash & m_mask;
        while (m_slots[i].length != kEmpty)
            i = (i + 1) & m_mask;
        m_slots[i] = slot;
        if (keyword.size() > m_maxLength)
            m_maxLength = keyword.size();
        if (!keyword.empty() && m_chars[slot.offset] < 128)
            m_lengths[m_chars[slot.offset]] |= LengthBit(keyword.size());
    }
}

std::uint64_t KeywordSet::Hash(TextView token) const {
    std::uint64_t h = 14695981039346656037ULL;
    for (const char16_t c : token) {
        h ^= m_ignoreCase ? chars::Fold(c) : c;
        h *= 1099511628211ULL;
    }
    return h ^ (h >> 29);
}

bool KeywordSet::Equal(const Slot& slot, TextView token) const {
    const char16_t* key = m_chars.data() + slot.offset;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const char16_t c = m_ignoreCase ? chars::Fold(token[i]) : token[i];
        if (c != key[i])
            return false;
    }
    return true;
}

bool KeywordSet::Lookup(TextView token) const {
    const std::uint64_t h = Hash(token);
    for (std::size_t i = h & m_mask; m_slots[i].length != kEmpty; i = (i + 1) & m_mask) {
        const Slot& slot = m_slots[i];
        if (slot.hash == h && slot.length == token.size() && Equal(slot, token))
            return true;
    }
    return false;
}

} // namespace brevlin
