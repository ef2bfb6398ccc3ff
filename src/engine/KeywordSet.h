#pragma once

#include "Text.h"

#include <cstdint>
#include <vector>

namespace brevlin {

// Keywords made only of letters, digits, "_" and "#" (no pattern characters), each matching
// a whole token: one hash lookup instead of the alternatives of the keyword pattern. Letters
// are folded when the language ignores case, as the caseless matcher folds them.
class KeywordSet {
public:
    KeywordSet(const std::vector<Text>& keywords, bool ignoreCase);
    bool Contains(TextView token) const;

private:
    struct Slot {
        std::uint32_t offset = 0;
        std::uint32_t length = kEmpty;
        std::uint64_t hash = 0;
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

    std::uint64_t Hash(TextView token) const;
    bool Equal(const Slot& slot, TextView token) const;

    bool m_ignoreCase;
    Text m_chars; // every key, folded, back to back
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    std::size_t m_maxLength = 0;
};

} // namespace brevlin
