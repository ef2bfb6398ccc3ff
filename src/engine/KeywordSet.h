#pragma once

#include "engine/CharClass.h"
#include "text/Text.h"

#include <array>
#include <cstdint>
#include <vector>

namespace brevlin {

// Keywords made only of letters, digits, "_" and "#" (no pattern characters), each matching
// a whole token: one hash lookup instead of the alternatives of the keyword pattern. Letters
// are folded when the language ignores case, as the caseless matcher folds them.
class KeywordSet {
public:
    KeywordSet(const std::vector<Text>& keywords, bool ignoreCase);
    bool Contains(TextView token) const {
        if (token.size() > m_maxLength)
            return false;
        if (!token.empty()) {
            // Most words that are no keyword stop here.
            const char16_t first = m_ignoreCase ? chars::Fold(token[0]) : token[0];
            if (first >= 128 || !(m_lengths[first] & LengthBit(token.size())))
                return false;
        }
        return Lookup(token);
    }

private:
    struct Slot {
        std::uint32_t offset = 0;
        std::uint32_t length = kEmpty;
        std::uint64_t hash = 0;
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

    static std::uint32_t LengthBit(std::size_t length) {
        return std::uint32_t{1} << (length < 31 ? length : 31);
    }
    bool Lookup(TextView token) const;
    std::uint64_t Hash(TextView token) const;
    bool Equal(const Slot& slot, TextView token) const;

    bool m_ignoreCase;
    Text m_chars; // every key, folded, back to back
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    std::size_t m_maxLength = 0;
    // Per folded first character, the keyword lengths (bit 31: 31 or more).
    std::array<std::uint32_t, 128> m_lengths{};
};

} // namespace brevlin
