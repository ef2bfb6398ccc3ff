#include "engine/BlockScanner.h"

#include "engine/CharClass.h"

#include <limits>

namespace brevlin {

namespace {

// A failing run shorter than this is cheap to repeat; longer ones switch the memo on.
constexpr std::size_t kMemoAfter = 256;
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

bool TestBit(const std::vector<std::uint64_t>& bits, std::size_t i) {
    return (bits[i >> 6] >> (i & 63)) & 1U;
}

void SetBit(std::vector<std::uint64_t>& bits, std::size_t i) {
    bits[i >> 6] |= std::uint64_t{1} << (i & 63);
}

// First set bit in [from, to), or `to`.
std::size_t FindSet(const std::vector<std::uint64_t>& bits, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to;) {
        const std::uint64_t word = bits[i >> 6] >> (i & 63);
        if (word != 0) {
            const std::size_t hit = i + static_cast<std::size_t>(__builtin_ctzll(word));
            return hit < to ? hit : to;
        }
        i = (i | 63) + 1;
    }
    return to;
}

void SetRange(std::vector<std::uint64_t>& bits, std::size_t from, std::size_t to) {
    while (from < to && (from & 63) != 0)
        SetBit(bits, from++);
    for (; from + 64 <= to; from += 64)
        bits[from >> 6] = ~std::uint64_t{0};
    while (from < to)
        SetBit(bits, from++);
}

// Moves the bits of `from` in [lo, hi] into `into` and clears them in `from`.
void MoveRange(std::vector<std::uint64_t>& from, std::vector<std::uint64_t>* into, std::size_t lo,
               std::size_t hi) {
    for (std::size_t w = lo >> 6; w <= (hi >> 6); ++w) {
        if (into)
            (*into)[w] |= from[w];
        from[w] = 0;
    }
}

} // namespace

BlockScanner::BlockScanner(const Comment& rule, bool ignoreCase, TextView text, bool general)
    : m_rule(&rule), m_text(text), m_ignoreCase(ignoreCase),
      m_start(rule.ClauseStart(), ignoreCase), m_end(rule.ClauseEnd(), ignoreCase),
      m_deadFrom(kNone) {
    const Text& end = rule.ClauseEnd();
    const Text& escape = rule.EscapeChar();
    if (!general && end.size() == 1 && !m_end.HasAnchor()) {
        m_e = m_end.Atoms()[0].c;
        const ClauseMatcher x(escape, ignoreCase);
        if (escape.empty()) {
            m_form = Form::Find;
        } else if (escape.size() == 1 && !x.HasAnchor()) {
            m_escape = x.Atoms()[0].c;
            m_form = m_escape == m_e ? Form::Doubled : Form::Escape;
        }
    } else if (!general && end.size() == 2 && !m_end.HasAnchor() &&
               m_end.Atoms()[0].c != m_end.Atoms()[1].c) {
        m_f = m_end.Atoms()[0].c;
        m_r = m_end.Atoms()[1].c;
        m_form = Form::Pair;
    }
    if (m_form == Form::Machine)
        BuildMachine();
}

char16_t BlockScanner::At(std::size_t i) const {
    return m_ignoreCase ? chars::Fold(m_text[i]) : m_text[i];
}

std::size_t BlockScanner::LastExit() {
    if (!m_lastExitKnown) {
        m_lastExitKnown = true;
        m_noExit = true;
        for (std::size_t s = m_text.size() + 1; s-- > 0;) {
            std::size_t after = 0;
            if (m_end.MatchAt(m_text, s, after)) {
                m_lastExit = s;
                m_noExit = false;
                break;
            }
        }
    }
    return m_noExit ? kNone : m_lastExit;
}

bool BlockScanner::Match(std::size_t pos, std::size_t& end) {
    std::size_t q = 0;
    if (!m_start.MatchAt(m_text, pos, q) || q >= m_deadFrom)
        return false;
    Scan scan = Scan::Failed;
    switch (m_form) {
    case Form::Find:
        scan = FindEnd(q, end);
        break;
    case Form::Escape:
        scan = EscapeEnd(q, end);
        break;
    case Form::Doubled:
        scan = DoubledEnd(q, end);
        break;
    case Form::Pair:
        scan = PairEnd(q, end);
        break;
    case Form::Machine: {
        // The body needs an end clause at or after q; none left means no match at all.
        const std::size_t last = LastExit();
        return last != kNone && q <= last && RunMachine(q, end);
    }
    }
    if (scan == Scan::NoEndFollows)
        m_deadFrom = q;
    return scan == Scan::Found;
}

// S [^e]* e: the first e.
BlockScanner::Scan BlockScanner::FindEnd(std::size_t q, std::size_t& end) {
    const std::size_t n = m_text.size();
    while (q < n && At(q) != m_e)
        ++q;
    end = q + 1;
    return q < n ? Scan::Found : Scan::NoEndFollows;
}

// S ((x e)|[^e])* e with x != e: the greedy path takes every x e pair and stops at the first
// other e. If the pairs take every e up to the end of the text, backtracking reopens the
// last pair: its x is then body text and its e closes the literal.
BlockScanner::Scan BlockScanner::EscapeEnd(std::size_t q, std::size_t& end) {
    const std::size_t n = m_text.size();
    std::size_t lastPair = kNone;
    for (; q < n; ++q) {
        const char16_t c = At(q);
        if (c == m_e) {
            end = q + 1;
            return Scan::Found;
        }
        if (c == m_escape && q + 1 < n && At(q + 1) == m_e) {
            lastPair = q;
            ++q;
        }
    }
    if (lastPair == kNone)
        return Scan::NoEndFollows;
    end = lastPair + 2;
    return Scan::Found;
}

// S ((e e)|[^e])* e: doubled end characters stay inside; a single one closes. If pairs run to
// the end of the text, backtracking closes the literal at the first e of the last pair.
BlockScanner::Scan BlockScanner::DoubledEnd(std::size_t q, std::size_t& end) {
    const std::size_t n = m_text.size();
    std::size_t lastPair = kNone;
    for (; q < n; ++q) {
        if (At(q) != m_e)
            continue;
        if (q + 1 < n && At(q + 1) == m_e) {
            lastPair = q;
            ++q;
            continue;
        }
        end = q + 1;
        return Scan::Found;
    }
    if (lastPair == kNone)
        return Scan::NoEndFollows;
    end = lastPair + 1;
    return Scan::Found;
}

std::size_t BlockScanner::RunOf(char16_t c, std::size_t q) const {
    std::size_t k = 0;
    while (q + k < m_text.size() && At(q + k) == c)
        ++k;
    return k;
}

// S ([^F]R|[^R])* F R with F != R. A loop head on an R passes a run of R only in pairs, so of
// the two ways into a run (from the character before it, as [^F]R or as [^R] then the run)
// exactly one gets through, and it lands on the character after the run; every character
// that is not R is a loop head. Before a run, F R can close the token; the way through the
// run is tried first, so an F before an odd run closes, and an F before an even run closes
// only if the way on reaches the end of the text with no other close (backtracking then
// takes the last such F). Ways on never die elsewhere.
BlockScanner::Scan BlockScanner::PairEnd(std::size_t q, std::size_t& end) {
    const std::size_t n = m_text.size();
    std::size_t fallback = kNone;
    if (q < n && At(q) == m_r) {
        const std::size_t k = RunOf(m_r, q);
        if (k % 2 != 0)
            return Scan::Failed; // dies here; later starts may still match
        q += k;
    }
    while (q < n) {
        // Loop heads on characters that are not R, up to the next run of R.
        std::size_t p = q + 1;
        while (p < n && At(p) != m_r)
            ++p;
        if (p >= n)
            break;
        const std::size_t k = RunOf(m_r, p);
        if (At(p - 1) == m_f) {
            if (k % 2 != 0) {
                end = p + 1;
                return Scan::Found;
            }
            fallback = p + 1;
        }
        q = p + k;
    }
    if (fallback == kNone)
        return Scan::NoEndFollows;
    end = fallback;
    return Scan::Found;
}

std::uint32_t BlockScanner::AddState(Op op, char16_t c) {
    m_states.push_back(State{op, c, 0});
    return static_cast<std::uint32_t>(m_states.size() - 1);
}

void BlockScanner::AddAtoms(const ClauseMatcher& clause) {
    for (const ClauseMatcher::Atom& atom : clause.Atoms()) {
        switch (atom.kind) {
        case ClauseMatcher::Kind::Begin:
            AddState(Op::Begin, 0);
            break;
        case ClauseMatcher::Kind::End:
            AddState(Op::End, 0);
            break;
        case ClauseMatcher::Kind::Literal:
            AddState(Op::Lit, atom.c);
            break;
        }
    }
}

void BlockScanner::BuildMachine() {
    const Text& endText = m_rule->ClauseEnd();
    const auto fold = [this](char16_t c) { return m_ignoreCase ? chars::Fold(c) : c; };
    m_states.clear();
    AddState(Op::Loop, 0);

    // First alternative of the loop: the escape pair (x e) or [^F] R.
    std::vector<ClauseMatcher::Atom> pair;
    char16_t bChar = 0;
    if (endText.size() == 1) {
        const ClauseMatcher x(m_rule->EscapeChar(), m_ignoreCase);
        if (!x.Empty()) {
            pair = x.Atoms();
            pair.push_back(m_end.Atoms()[0]);
        }
        bChar = fold(endText[0]);
    } else {
        pair.push_back(ClauseMatcher::Atom{ClauseMatcher::Kind::Literal, fold(endText[0])});
        pair.push_back(m_end.Atoms()[1]);
        bChar = fold(endText[1]);
    }
    m_aFirst = static_cast<std::uint32_t>(m_states.size());
    bool pairConsumes = false;
    for (std::size_t i = 0; i < pair.size(); ++i) {
        const ClauseMatcher::Atom& atom = pair[i];
        Op op = Op::Lit;
        if (atom.kind == ClauseMatcher::Kind::Begin)
            op = Op::Begin;
        else if (atom.kind == ClauseMatcher::Kind::End)
            op = Op::End;
        else if (endText.size() > 1 && i == 0)
            op = Op::NotLit; // the class [^F]
        pairConsumes = pairConsumes || op == Op::Lit || op == Op::NotLit;
        AddState(op, atom.c);
    }
    const std::uint32_t pairLast = static_cast<std::uint32_t>(m_states.size() - 1);
    m_bState = AddState(Op::NotLit, bChar);
    m_xFirst = static_cast<std::uint32_t>(m_states.size());
    AddAtoms(m_end);
    const std::uint32_t match = AddState(Op::Match, 0);

    for (std::uint32_t s = m_aFirst; s < pairLast; ++s)
        m_states[s].next = static_cast<std::uint32_t>(s + 1);
    if (!pair.empty()) {
        // An iteration that matched the empty string ends the loop (PCRE2 semantics): the
        // end clause follows directly.
        m_states[pairLast].next = pairConsumes ? 0 : m_xFirst;
    } else {
        m_aFirst = 0; // no first alternative
    }
    m_states[m_bState].next = 0;
    for (std::uint32_t s = m_xFirst; s < match; ++s)
        m_states[s].next = static_cast<std::uint32_t>(s + 1);
    m_seen.assign(m_states.size(), 0);

    // Stretches where only the loop head survives, stepping over one [^e] or [^R] each.
    const auto& endAtoms = m_end.Atoms();
    if (endText.size() == 1) {
        const bool pairLiteral = pair.empty() || m_states[m_aFirst].op == Op::Lit;
        if (endAtoms[0].kind == ClauseMatcher::Kind::Literal && pairLiteral) {
            m_skip = SkipKind::OneEnd;
            m_skipA = endAtoms[0].c;
            m_skipB = pair.empty() ? endAtoms[0].c : m_states[m_aFirst].c;
        }
    } else if (endAtoms[0].kind == ClauseMatcher::Kind::Literal &&
               endAtoms[1].kind == ClauseMatcher::Kind::Literal) {
        m_skip = SkipKind::TwoEnd;
        m_skipA = endAtoms[0].c;
        m_skipB = endAtoms[1].c;
        m_skipNext = endAtoms[1].c;
    }
}

// The states reachable from s at q without taking a character, in priority order; only
// those that take one (and Match) go to the list. Depth-first with an explicit stack, as
// chains of anchors in a clause can be long.
void BlockScanner::Closure(std::vector<std::uint32_t>& list, std::uint32_t s, std::size_t q) {
    m_stack.assign(1, s);
    while (!m_stack.empty()) {
        const std::uint32_t t = m_stack.back();
        m_stack.pop_back();
        if (m_seen[t] == m_generation)
            continue;
        m_seen[t] = m_generation;
        const State& state = m_states[t];
        switch (state.op) {
        case Op::Loop:
            if (m_memo) {
                if (TestBit(m_failed, q))
                    break;
                SetBit(m_visited, q);
            }
            // Pushed in reverse: the pair is tried first, leaving the loop last.
            m_stack.push_back(m_xFirst);
            m_stack.push_back(m_bState);
            if (m_aFirst != 0)
                m_stack.push_back(m_aFirst);
            break;
        case Op::Begin:
            if (q == 0)
                m_stack.push_back(state.next);
            break;
        case Op::End:
            if (q == m_text.size())
                m_stack.push_back(state.next);
            break;
        case Op::Lit:
        case Op::NotLit:
        case Op::Match:
            list.push_back(t);
            break;
        }
    }
}

bool BlockScanner::Steps(std::uint32_t s, std::size_t q) const {
    if (q >= m_text.size())
        return false;
    const State& state = m_states[s];
    const char16_t c = At(q);
    return state.op == Op::Lit ? c == state.c : c != state.c;
}

// From the loop head alone at q: the last position of the stretch in which every character
// leaves only the loop head alive for the next one.
std::size_t BlockScanner::Skip(std::size_t q) const {
    const std::size_t n = m_text.size();
    if (m_skip == SkipKind::OneEnd) {
        while (q + 1 < n) {
            const char16_t c = At(q);
            if (c == m_skipA || c == m_skipB)
                break;
            ++q;
        }
    } else {
        while (q + 1 < n) {
            const char16_t c = At(q);
            if (c == m_skipA || c == m_skipB || At(q + 1) == m_skipNext)
                break;
            ++q;
        }
    }
    return q;
}

bool BlockScanner::RunMachine(std::size_t q0, std::size_t& end) {
    std::size_t q = q0;
    bool matched = false;
    ++m_generation;
    m_list.clear();
    Closure(m_list, 0, q);
    while (!m_list.empty()) {
        m_entries.clear();
        for (const std::uint32_t s : m_list) {
            if (m_states[s].op == Op::Match) {
                // Threads after this one have lower priority: cut them.
                matched = true;
                end = q;
                break;
            }
            if (Steps(s, q))
                m_entries.push_back(m_states[s].next);
        }
        if (m_entries.empty())
            break;
        ++q;
        if (m_skip != SkipKind::None && m_entries.size() == 1 && m_entries[0] == 0) {
            const std::size_t last = Skip(q);
            if (m_memo && last > q) {
                const std::size_t failed = FindSet(m_failed, q, last);
                SetRange(m_visited, q, failed);
                if (failed < last) {
                    q = failed;
                    break;
                }
            }
            q = last;
        }
        ++m_generation;
        m_next.clear();
        for (const std::uint32_t s : m_entries)
            Closure(m_next, s, q);
        m_list.swap(m_next);
    }

    if (m_memo) {
        // Every loop head a failed run reached fails from any start.
        MoveRange(m_visited, matched ? nullptr : &m_failed, q0, q);
    } else if (!matched && q - q0 > kMemoAfter) {
        const std::size_t words = (m_text.size() >> 6) + 2;
        m_failed.assign(words, 0);
        m_visited.assign(words, 0);
        m_memo = true;
    }
    return matched;
}

} // namespace brevlin
