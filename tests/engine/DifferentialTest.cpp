// Both engines and the literal reading of the patterns on generated languages and texts.
// BREVLIN_DIFF_CASES sets the number of cases (default 3000), BREVLIN_DIFF_SEED the first seed.

#include "ExampleLanguage.h"
#include "Reference.h"
#include "engine/Highlighter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

using namespace brevlin;

namespace {

constexpr TextView kClauseChars = u"abAB01 ^$\\.*+()[]{}|?/\"'#-";

class Generator {
public:
    explicit Generator(std::uint32_t seed) : m_random(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool Chance(int percent) { return Below(100) < percent; }

    Text Clause(int minLength, int maxLength) {
        Text clause;
        const int length = minLength + Below(maxLength - minLength + 1);
        for (int i = 0; i < length; ++i)
            clause += kClauseChars[static_cast<std::size_t>(Below(int(kClauseChars.size())))];
        return clause;
    }

    Text Anchor() { return Text(1, Chance(50) ? u'^' : u'$'); }

    void FillLanguage(Language& language) {
        language.SetIgnoreCase(Chance(40));
        language.SetStartTag(u"<k>");
        language.SetEndTag(u"</k>");
        const int rules = Below(5);
        for (int i = 0; i < rules; ++i) {
            Comment& rule = language.Comments().Add();
            // Lone anchors now and then: such clauses can match the empty text.
            rule.SetClauseStart(Chance(8) ? Anchor() : Clause(1, 3));
            if (Chance(65))
                rule.SetClauseEnd(Chance(8) ? Anchor() : Clause(1, Chance(50) ? 1 : 3));
            if (Chance(50))
                rule.SetEscapeChar(Clause(1, Chance(85) ? 1 : 2));
            rule.SetMatchWord(Chance(30));
            const Text n = Text(1, char16_t(u'1' + i));
            rule.SetStartTag(u"<r" + n + u">");
            rule.SetEndTag(u"</r" + n + u">");
        }
        const int keywords = Below(5);
        for (int i = 0; i < keywords; ++i) {
            static constexpr TextView plain = u"abAB01_#";
            Text keyword;
            const int length = 1 + Below(3);
            for (int k = 0; k < length; ++k)
                keyword += plain[static_cast<std::size_t>(Below(int(plain.size())))];
            if (Chance(5))
                keyword.insert(keyword.begin() + Below(int(keyword.size()) + 1), u'.');
            language.Keywords().Add(keyword);
        }
        language.SetReplaceTab(Chance(15));
        language.SetTabColumns(1 + Below(8));
    }

    // Clause characters, line ends, tabs, full-width and accented letters, long runs, and
    // pieces of the language's own clauses so that rules fire often.
    Text Subject(const Language& language) {
        static const std::vector<Text> extra = {u"\r\n",   u"\r",     u"\n",     u"\t",
                                                u"\u3042", u"\uff21", u"\uff41", u"\u00e9",
                                                u"\u00c9", u"x_y",    u"\u3000"};
        std::vector<Text> clauses;
        for (const auto& rule : language.Comments()) {
            clauses.push_back(rule->ClauseStart());
            clauses.push_back(rule->ClauseEnd());
            clauses.push_back(rule->EscapeChar() + rule->ClauseEnd());
        }
        Text text;
        const int pieces = Below(30);
        for (int i = 0; i < pieces; ++i) {
            const int what = Below(100);
            Text piece;
            if (what < 45)
                piece = Clause(1, 2);
            else if (what < 65)
                piece = extra[static_cast<std::size_t>(Below(int(extra.size())))];
            else if (what < 90 && !clauses.empty())
                piece = clauses[static_cast<std::size_t>(Below(int(clauses.size())))];
            else
                piece = Clause(1, 1);
            if (Chance(4)) {
                const Text unit = piece;
                for (int r = Below(40); r > 0; --r)
                    piece += unit;
            }
            text += piece;
        }
        return text;
    }

private:
    std::mt19937 m_random;
};

std::string Show(TextView text) {
    std::ostringstream out;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'\\')
            out << static_cast<char>(c);
        else
            out << "\\u" << std::hex << static_cast<unsigned>(c) << std::dec;
    }
    return out.str();
}

std::string Describe(const Language& language, TextView text, bool optimize) {
    std::ostringstream out;
    out << "IgnoreCase=" << language.IgnoreCase() << " OptimizeTags=" << optimize
        << " ReplaceTab=" << language.ReplaceTab() << "/" << language.TabColumns() << "\n";
    for (const auto& rule : language.Comments()) {
        out << "  rule start[" << Show(rule->ClauseStart()) << "] end[" << Show(rule->ClauseEnd())
            << "] escape[" << Show(rule->EscapeChar()) << "] word=" << rule->MatchWord() << "\n";
    }
    for (const Text& keyword : language.Keywords().GetAllItems())
        out << "  keyword[" << Show(keyword) << "]\n";
    out << "  pattern " << Show(language.CreateWordSeperatePattern()) << "\n";
    out << "  text[" << Show(text) << "]";
    return out.str();
}

bool SameTokens(const std::vector<RegExpMatch>& a, const std::vector<RegExpMatch>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].FirstIndex != b[i].FirstIndex || a[i].Length != b[i].Length)
            return false;
    }
    return true;
}

// No empty token, no gap, no overlap, nothing left over.
bool Tiles(const std::vector<RegExpMatch>& tokens, std::size_t size) {
    std::size_t next = 0;
    for (const RegExpMatch& token : tokens) {
        if (token.FirstIndex != next || token.Length == 0)
            return false;
        next += token.Length;
    }
    return next == size;
}

long EnvNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

} // namespace

TEST(Differential, EnginesAgreeWithTheLiteralPatterns) {
    const long cases = EnvNumber("BREVLIN_DIFF_CASES", 3000);
    const long firstSeed = EnvNumber("BREVLIN_DIFF_SEED", 1);
    int failures = 0;
    for (long seed = firstSeed; seed < firstSeed + cases && failures < 5; ++seed) {
        Generator gen(static_cast<std::uint32_t>(seed));
        Language language;
        gen.FillLanguage(language);
        const Text text = gen.Subject(language);
        const bool optimize = gen.Chance(50);
        const std::string context =
            "seed " + std::to_string(seed) + "\n" + Describe(language, text, optimize);

        Text expanded = text;
        if (language.ReplaceTab())
            ExpandTabs(expanded, language.TabColumns());
        const auto literal = test::LiteralTokens(language, expanded);
        const bool tokensAgree =
            Tiles(literal, expanded.size()) &&
            SameTokens(Tokenize(language, expanded, HighlightEngine::Regex), literal) &&
            SameTokens(Tokenize(language, expanded, HighlightEngine::Fast), literal) &&
            SameTokens(test::FastTokens(language, expanded, true), literal);
        const Text reference = test::LiteralTagTokens(language, expanded, literal, optimize);
        const Text fast =
            HighlightText(language, text, HighlightOptions{optimize, HighlightEngine::Fast});
        const Text regex =
            HighlightText(language, text, HighlightOptions{optimize, HighlightEngine::Regex});
        if (!tokensAgree || fast != reference || regex != reference) {
            ++failures;
            ADD_FAILURE() << context << "\n  reference " << Show(reference) << "\n  fast      "
                          << Show(fast) << "\n  regex     " << Show(regex)
                          << "\n  tokens agree: " << tokensAgree;
        }
    }
}
