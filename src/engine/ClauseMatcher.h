#pragma once

#include "engine/CharClass.h"
#include "text/Text.h"

#include <cstddef>
#include <vector>

namespace brevlin {

// Clause text as the generated patterns read it. EscapeRegExp leaves only "^" and "$"
// unescaped, so every other character matches itself (ASCII letters folded when the
// language ignores case) and these two are anchors at the start and the end of the subject.
class ClauseMatcher {
public:
    enum class Kind : unsigned char { Literal, Begin, End };
    struct Atom {
        Kind kind = Kind::Literal;
        char16_t c = 0; // folded when ignoring case
    };

    ClauseMatcher() = default;
    ClauseMatcher(TextView clause, bool ignoreCase);

    // Matches the whole clause at `pos`; `end` is then the position after it.
    bool MatchAt(TextView subject, std::size_t pos, std::size_t& end) const {
        if (!m_plain)
            return MatchAtomsAt(subject, pos, end);
        const std::size_t size = m_literal.size();
        if (pos > subject.size() || subject.size() - pos < size)
            return false;
        for (std::size_t i = 0; i < size; ++i) {
            const char16_t c = m_ignoreCase ? chars::Fold(subject[pos + i]) : subject[pos + i];
            if (c != m_literal[i])
                return false;
        }
        end = pos + size;
        return true;
    }
    bool MatchAtomAt(const Atom& atom, TextView subject, std::size_t pos) const;
    bool Same(char16_t a, char16_t b) const;

    const std::vector<Atom>& Atoms() const { return m_atoms; }
    bool Empty() const { return m_atoms.empty(); }
    std::size_t Consumed() const { return m_consumed; } // characters the clause takes
    bool HasAnchor() const { return m_consumed != m_atoms.size(); }
    bool IgnoreCase() const { return m_ignoreCase; }
    // First atom is a literal (so the clause can only match where that character is).
    bool StartsWithLiteral() const { return !Empty() && m_atoms[0].kind == Kind::Literal; }
    char16_t FirstLiteral() const { return m_atoms[0].c; }

private:
    bool MatchAtomsAt(TextView subject, std::size_t pos, std::size_t& end) const;

    std::vector<Atom> m_atoms;
    Text m_literal; // the folded characters, when there is no anchor
    bool m_plain = true;
    std::size_t m_consumed = 0;
    bool m_ignoreCase = false;
};

} // namespace brevlin
