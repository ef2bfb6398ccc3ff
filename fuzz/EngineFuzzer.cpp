// The fast path and the regular-expression path convert the same generated language and text;
// any difference aborts. The input picks the language's switches, rules, keywords and the text
// from a small alphabet of pattern characters, so rules fire often.

#include "engine/Highlighter.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

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

void Fail(const char* what) {
    std::fprintf(stderr, "the two engines differ: %s\n", what);
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

    Text expanded = text;
    if (language.ReplaceTab())
        ExpandTabs(expanded, language.TabColumns());
    const auto fastTokens = Tokenize(language, expanded, HighlightEngine::Fast);
    const auto regexTokens = Tokenize(language, expanded, HighlightEngine::Regex);
    if (fastTokens.size() != regexTokens.size())
        Fail("token count");
    for (std::size_t i = 0; i < fastTokens.size(); ++i)
        if (fastTokens[i].FirstIndex != regexTokens[i].FirstIndex ||
            fastTokens[i].Length != regexTokens[i].Length)
            Fail("token bounds");

    const Text fast =
        HighlightText(language, text, HighlightOptions{optimize, false, HighlightEngine::Fast});
    const Text regex =
        HighlightText(language, text, HighlightOptions{optimize, false, HighlightEngine::Regex});
    if (fast != regex)
        Fail("converted text");
    return 0;
}
