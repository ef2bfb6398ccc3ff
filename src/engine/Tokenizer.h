#pragma once

#include "engine/Language.h"
#include "engine/RegExp.h"

#include <vector>

namespace brevlin {

// Yields the matches of the language's tokenizer pattern over a text, in order, as a global
// Execute would, except that a match is never empty: where the pattern matches the empty
// text (a start clause of anchors), the token is the fixed alternatives' one there, and at
// the end of the text there is none. So the tokens tile the text. Two shortcuts keep the
// result and cut the work:
// - at a position where no rule's start clause can begin, the token is one of the fixed
//   alternatives and is read off directly;
// - a block rule whose end clause no longer occurs in the rest of the text cannot match
//   again, so it is dropped from the pattern (this bounds the rescans of unclosed openers).
class Tokenizer {
public:
    Tokenizer(const Language& language, TextView text);
    bool Next(RegExpMatch& token);

private:
    struct RuleInfo {
        const Comment* rule = nullptr;
        bool anyFirst = false;  // start clause begins with an anchor
        char16_t first = 0;     // folded first character of the start clause
        std::size_t deadAt = 0; // block rule: positions from here on cannot match
        bool canDie = false;
        bool alive = true;
    };
    void RebuildPattern();
    bool CandidateAt(std::size_t position) const;
    std::size_t FixedToken(std::size_t position) const;

    TextView m_text;
    bool m_ignoreCase;
    std::vector<RuleInfo> m_rules;
    std::size_t m_nextDeath;
    RegExp m_regex;
    std::size_t m_position = 0;
    bool m_done = false;
};

} // namespace brevlin
