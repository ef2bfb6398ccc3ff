#pragma once

#include "engine/ClauseMatcher.h"
#include "engine/Comment.h"

#include <cstdint>
#include <vector>

namespace brevlin {

// Matches one block rule's tokenizer alternative exactly as the backtracking engine does:
//   one-character end e:  S ((X e)|[^e])* e   (X the escape text, the first group only with one)
//   longer end F R ...:   S ([^F] R|[^R])* E
// The loop is greedy and the first alternative that leads to a match wins, so the result is
// the first match in backtracking order, which is neither the shortest nor the longest.
//
// Time is linear in the text over all calls, memory a few bits per character at most:
// - the usual forms (one-character end with no escape or a one-character escape, and a
//   two-character end of two different characters) have a direct scanner; they fail only
//   where no end clause follows, and after one such failure every later start fails in O(1);
// - every other form runs a thread list in priority order (threads reaching the same state at
//   the same position merge, keeping the earlier one, which is what backtracking would find
//   first); positions of the loop head that failed once are remembered, so runs that fail
//   cannot rescan the same stretch again and again.
class BlockScanner {
public:
    // `general` forces the thread list for every form (tests compare both ways).
    BlockScanner(const Comment& rule, bool ignoreCase, TextView text, bool general = false);

    const Comment& Rule() const { return *m_rule; }
    const ClauseMatcher& Start() const { return m_start; }
    // The alternative at `pos`; `end` is then the position after the match.
    bool Match(std::size_t pos, std::size_t& end);

private:
    enum class Form { Find, Escape, Doubled, Pair, Machine };
    // A direct scanner's answer: a match, no match because no end clause follows at all,
    // or no match for this start only.
    enum class Scan { Found, NoEndFollows, Failed };
    enum class Op : unsigned char { Loop, Lit, NotLit, Begin, End, Match };
    struct State {
        Op op = Op::Match;
        char16_t c = 0;
        std::uint32_t next = 0;
    };

    char16_t At(std::size_t i) const;
    std::size_t LastExit();
    Scan FindEnd(std::size_t q, std::size_t& end);
    Scan EscapeEnd(std::size_t q, std::size_t& end);
    Scan DoubledEnd(std::size_t q, std::size_t& end);
    Scan PairEnd(std::size_t q, std::size_t& end);
    std::size_t RunOf(char16_t c, std::size_t q) const;
    bool RunMachine(std::size_t q0, std::size_t& end);

    void BuildMachine();
    std::uint32_t AddState(Op op, char16_t c);
    void AddAtoms(const ClauseMatcher& clause);
    void Closure(std::vector<std::uint32_t>& list, std::uint32_t s, std::size_t q);
    bool Steps(std::uint32_t s, std::size_t q) const;
    std::size_t Skip(std::size_t q) const;

    const Comment* m_rule;
    TextView m_text;
    bool m_ignoreCase;
    ClauseMatcher m_start;
    ClauseMatcher m_end;
    Form m_form = Form::Machine;
    char16_t m_e = 0;          // folded end character (one-character forms)
    char16_t m_escape = 0;     // folded escape character
    char16_t m_f = 0, m_r = 0; // folded end characters (two-character form)
    // The direct scanners fail only by reaching the end of the text without an end clause,
    // which proves that none follows: every later start fails at once.
    std::size_t m_deadFrom;
    bool m_lastExitKnown = false;
    std::size_t m_lastExit = 0; // last loop-head position where the end clause matches
    bool m_noExit = false;

    // The thread machine: state 0 is the loop head.
    std::vector<State> m_states;
    std::uint32_t m_aFirst = 0, m_bState = 0, m_xFirst = 0;
    std::vector<std::uint64_t> m_seen; // generation in which a state was added
    std::uint64_t m_generation = 0;
    std::vector<std::uint32_t> m_list, m_next, m_entries, m_stack;
    enum class SkipKind { None, OneEnd, TwoEnd } m_skip = SkipKind::None;
    char16_t m_skipA = 0, m_skipB = 0, m_skipNext = 0;

    // Loop-head positions known to fail, and those visited by the current run.
    bool m_memo = false;
    std::vector<std::uint64_t> m_failed, m_visited;
};

} // namespace brevlin
