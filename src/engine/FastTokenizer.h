#pragma once

#include "engine/BlockScanner.h"
#include "engine/CharClass.h"
#include "engine/ClauseMatcher.h"
#include "engine/Language.h"
#include "engine/RegExp.h"

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace brevlin {

// The tokens of the language's tokenizer pattern without running it: at each position the
// line rules, then the block rules, then the fixed alternatives [\w#]+, \s+ and [^\w#], the
// first that matches giving the token, exactly as the global match of the pattern would;
// where that match is empty, the fixed alternatives give the token, and at the end of the
// text there is none. Only the rules whose start clause begins with the character at hand
// are tried; a start clause beginning with an anchor can only match at the start of the
// text, where every rule is tried.
class FastTokenizer {
public:
    enum class Kind { Rule, Word, Space, Other };

    // `general` makes block rules use their general matcher (for tests).
    FastTokenizer(const Language& language, TextView text, bool general = false);
    FastTokenizer(const FastTokenizer&) = delete;
    FastTokenizer& operator=(const FastTokenizer&) = delete;

    bool Next(RegExpMatch& token) {
        // Most positions: inside the text, on a character that starts no rule.
        const std::size_t pos = m_position;
        if (pos > 0 && pos < m_text.size()) {
            const char16_t c = m_text[pos];
            if (c < 128 && m_ascii[c] == 0) {
                const std::size_t end = FixedEnd(pos);
                token.FirstIndex = pos;
                token.Length = end - pos;
                m_position = end;
                return true;
            }
        }
        return NextAnywhere(token);
    }
    // What made the last token: a rule alternative or one of the fixed alternatives.
    Kind LastKind() const { return m_kind; }

    // Skips, from the current position inside the text, the longest run of tokens made by
    // the fixed alternatives whose first character starts no rule and that are no keyword
    // (`isKeyword` is asked about words). A token is skipped whole however its later
    // characters could start. Returns the new position.
    template <typename IsKeyword> std::size_t SkipPlainStretch(IsKeyword isKeyword) {
        std::size_t end = m_position;
        if (end == 0)
            return end; // an anchored start clause may match here
        const std::size_t n = m_text.size();
        while (end < n) {
            const char16_t c = m_text[end];
            if (c >= 128) {
                if (!m_other.empty())
                    break;
                ++end;
                continue;
            }
            const std::uint8_t cls = chars::kClasses[c];
            if (m_ascii[c] != 0)
                break;
            std::size_t next = end + 1;
            if (cls & (chars::kWord | chars::kHash)) {
                while (next < n && chars::IsWordOrHash(m_text[next]))
                    ++next;
                if (isKeyword(m_text.substr(end, next - end)))
                    break;
            } else if (cls & chars::kSpace) {
                while (next < n && chars::IsSpace(m_text[next]))
                    ++next;
            }
            end = next;
        }
        m_position = end;
        return end;
    }
    std::size_t Position() const { return m_position; }

private:
    struct LineRule {
        ClauseMatcher start;
        bool matchWord = false;
    };
    // An alternative: a line rule (index into m_lines) or a block rule (into m_blocks).
    struct Alternative {
        bool line = false;
        std::uint32_t index = 0;
    };
    using List = std::vector<Alternative>;

    bool MatchLine(const LineRule& rule, std::size_t pos, std::size_t& end) const;
    bool TryList(const List& list, std::size_t pos, std::size_t& end);
    const List& Candidates(char16_t c) const {
        return c < 128 ? m_lists[m_ascii[c]] : OtherCandidates(c);
    }
    const List& OtherCandidates(char16_t c) const;
    bool NextAnywhere(RegExpMatch& token);
    // [\w#]+, \s+ or [^\w#] at pos < size.
    std::size_t FixedEnd(std::size_t pos) {
        const std::size_t n = m_text.size();
        const char16_t c = m_text[pos];
        std::size_t end = pos + 1;
        const std::uint8_t cls = c < 128 ? chars::kClasses[c] : 0;
        if (cls & (chars::kWord | chars::kHash)) {
            while (end < n && chars::IsWordOrHash(m_text[end]))
                ++end;
            m_kind = Kind::Word;
        } else if (cls & chars::kSpace) {
            while (end < n && chars::IsSpace(m_text[end]))
                ++end;
            m_kind = Kind::Space;
        } else {
            m_kind = Kind::Other;
        }
        return end;
    }

    TextView m_text;
    bool m_ignoreCase;
    std::vector<LineRule> m_lines;
    std::vector<std::unique_ptr<BlockScanner>> m_blocks;
    List m_all;                               // every alternative, for the start of the text
    std::vector<List> m_lists;                // m_lists[0] is empty
    std::array<std::uint32_t, 128> m_ascii{}; // list per ASCII character
    std::vector<std::pair<char16_t, std::uint32_t>> m_other; // sorted, other characters
    std::size_t m_position = 0;
    Kind m_kind = Kind::Other;
};

} // namespace brevlin
