// The fast path and the regular-expression path convert the same generated language and text;
// any difference aborts. The input picks the language's switches, rules, keywords and the text
// from a small alphabet of pattern characters, so rules fire often.

#include "engine/Highlighter.h"
#include "text/BrevlinError.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace brevlin;

namespace {

constexpr std::u16string_view kAlphabet =
    u"abAB01_# \t\r\n^$\\.*+()[]{}|?/\"'-<>&\u3042\uff21\u00e9";

Text Piece(FuzzedDataProvider& input, std::size_t maxLength) {
    Text text;
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, maxLength);
    for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i)
        text += kAlphabet[input.ConsumeIntegralInRange<std::size_t>(0, kAlphabet.size() - 1)];
    return text;
}

std::string Show(TextView text) {
    std::string shown;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'\\')
            shown += static_cast<char>(c);
        else
            shown += "\\u" + std::to_string(static_cast<unsigned>(c));
    }
    return shown;
}

[[noreturn]] void Fail(const Language& language, TextView text, const Text& fast,
                       const Text& regex) {
    std::fprintf(stderr, "the two engines differ\nIgnoreCase=%d ReplaceTab=%d/%d\n",
                 language.IgnoreCase(), language.ReplaceTab(), language.TabColumns());
    for (const auto& rule : language.Comments())
        std::fprintf(stderr, "rule [%s] [%s] escape [%s] word=%d\n",
                     Show(rule->ClauseStart()).c_str(), Show(rule->ClauseEnd()).c_str(),
                     Show(rule->EscapeChar()).c_str(), rule->MatchWord());
    for (const Text& keyword : language.Keywords().GetAllItems())
        std::fprintf(stderr, "keyword [%s]\n", Show(keyword).c_str());
    std::fprintf(stderr, "text [%s]\nfast  %s\nregex %s\n", Show(text).c_str(), Show(fast).c_str(),
                 Show(regex).c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Language language;
    language.SetIgnoreCase(input.ConsumeBool());
    language.SetReplaceTab(input.ConsumeBool());
    language.SetTabColumns(input.ConsumeIntegralInRange<int>(0, 9));
    language.SetStartTag(u"<k>");
    language.SetEndTag(u"</k>");
    const int rules = input.ConsumeIntegralInRange<int>(0, 5);
    for (int i = 0; i < rules; ++i) {
        Comment& rule = language.Comments().Add();
        rule.SetClauseStart(Piece(input, 3));
        rule.SetClauseEnd(Piece(input, 3));
        rule.SetEscapeChar(Piece(input, 2));
        rule.SetMatchWord(input.ConsumeBool());
        rule.SetStartTag(u"<r>");
        rule.SetEndTag(u"</r>");
    }
    const int keywords = input.ConsumeIntegralInRange<int>(0, 6);
    for (int i = 0; i < keywords; ++i)
        language.Keywords().Add(Piece(input, 4));
    const bool optimize = input.ConsumeBool();
    Text text;
    while (input.remaining_bytes() > 0 && text.size() < 4096)
        text += Piece(input, 16);

    // A language whose clauses or keywords do not make a pattern is refused by both, alike.
    const auto outcome = [&](HighlightEngine engine) {
        try {
            Text expanded = text;
            if (language.ReplaceTab())
                ExpandTabs(expanded, language.TabColumns());
            Text tokens;
            for (const RegExpMatch& token : Tokenize(language, expanded, engine))
                tokens += FromUtf8(std::to_string(token.FirstIndex) + "+" +
                                   std::to_string(token.Length) + " ");
            return tokens + u"\n" +
                   HighlightText(language, text, HighlightOptions{optimize, engine});
        } catch (const BrevlinError& error) {
            return u"error " + FromUtf8(error.Description());
        }
    };
    const Text fast = outcome(HighlightEngine::Fast);
    const Text regex = outcome(HighlightEngine::Regex);
    if (fast != regex)
        Fail(language, text, fast, regex);
    return 0;
}
