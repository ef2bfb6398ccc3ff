#include "engine/ClauseMatcher.h"

#include "engine/CharClass.h"

namespace brevlin {

ClauseMatcher::ClauseMatcher(TextView clause, bool ignoreCase) : m_ignoreCase(ignoreCase) {
    m_atoms.reserve(clause.size());
    for (const char16_t c : clause) {
        Atom atom;
        if (c == u'^') {
            atom.kind = Kind::Begin;
        } else if (c == u'$') {
            atom.kind = Kind::End;
        } else {
            atom.c = ignoreCase ? chars::Fold(c) : c;
            ++m_consumed;
            m_literal += atom.c;
        }
        m_atoms.push_back(atom);
    }
    m_plain = m_consumed == m_atoms.size();
}

bool ClauseMatcher::Same(char16_t a, char16_t b) const {
    return m_ignoreCase ? chars::Fold(a) == chars::Fold(b) : a == b;
}

bool ClauseMatcher::MatchAtomAt(const Atom& atom, TextView subject, std::size_t pos) const {
    switch (atom.kind) {
    case Kind::Begin:
        return pos == 0;
    case Kind::End:
        return pos == subject.size();
    case Kind::Literal:
        break;
    }
    if (pos >= subject.size())
        return false;
    const char16_t c = m_ignoreCase ? chars::Fold(subject[pos]) : subject[pos];
    return c == atom.c;
}

bool ClauseMatcher::MatchAtomsAt(TextView subject, std::size_t pos, std::size_t& end) const {
    for (const Atom& atom : m_atoms) {
        if (!MatchAtomAt(atom, subject, pos))
            return false;
        if (atom.kind == Kind::Literal)
            ++pos;
    }
    end = pos;
    return true;
}

} // namespace brevlin
