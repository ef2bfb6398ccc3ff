// Engine-only timings (no file reading, decoding or encoding): the C corpus with the C
// language of bench/c.bvl, and the pathological inputs, on the fast and the regex engine.
//   build/bench/engine_bench [--benchmark_filter=...]
// BREVLIN_CORPUS names the corpus (default bench/out/corpus-1M.c, made by make_corpus.sh).
#include "engine/Highlighter.h"
#include "settings/LanguageFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

using namespace brevlin;

namespace {

const Language& CLanguage() {
    static const std::unique_ptr<Language> language =
        LanguageFile::Load(BREVLIN_BENCH_DIR "/c.bvl");
    return *language;
}

// UTF-8 file as the command line would hand it to the engine: UTF-16 with CR LF.
Text LoadCorpus() {
    const char* name = std::getenv("BREVLIN_CORPUS");
    const std::string path = name && *name ? name : BREVLIN_BENCH_DIR "/out/corpus-1M.c";
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("no corpus at " + path + "; run bench/make_corpus.sh");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const Text lf = FromUtf8(bytes.str());
    Text text;
    text.reserve(lf.size() + lf.size() / 16);
    for (const char16_t c : lf) {
        if (c == u'\n')
            text += u'\r';
        text += c;
    }
    return text;
}

void Convert(benchmark::State& state, const Language& language, const Text& text,
             HighlightEngine engine, bool optimizeTags = false) {
    std::size_t outSize = 0;
    for (auto _ : state) {
        const Text out = HighlightText(language, text, HighlightOptions{optimizeTags, engine});
        outSize = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    // Bytes as UTF-8 would count them for this ASCII-heavy text: one per code unit.
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.counters["out/in"] = static_cast<double>(outSize) / static_cast<double>(text.size());
}

void BM_Corpus(benchmark::State& state, HighlightEngine engine) {
    static const Text corpus = LoadCorpus();
    Convert(state, CLanguage(), corpus, engine);
}
BENCHMARK_CAPTURE(BM_Corpus, fast, HighlightEngine::Fast)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Corpus, regex, HighlightEngine::Regex)->Unit(benchmark::kMillisecond);

// The same through HighlightTextTo: pieces go to a sink, no whole result is held.
void BM_CorpusPieces(benchmark::State& state, HighlightEngine engine) {
    static const Text corpus = LoadCorpus();
    std::size_t outSize = 0;
    for (auto _ : state) {
        outSize = 0;
        HighlightTextTo(CLanguage(), corpus, HighlightOptions{false, engine},
                        [&outSize](TextView piece) { outSize += piece.size(); });
        benchmark::DoNotOptimize(outSize);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(corpus.size()));
    state.counters["out/in"] = static_cast<double>(outSize) / static_cast<double>(corpus.size());
}
BENCHMARK_CAPTURE(BM_CorpusPieces, fast, HighlightEngine::Fast)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorpusPieces, regex, HighlightEngine::Regex)->Unit(benchmark::kMillisecond);

// Tab expansion alone, over the corpus (its headers are indented with tabs): the CP932 width
// of every character is looked up on the way.
void BM_ExpandTabs(benchmark::State& state) {
    static const Text corpus = LoadCorpus();
    for (auto _ : state) {
        Text text = corpus;
        ExpandTabs(text, 4);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(corpus.size()));
}
BENCHMARK(BM_ExpandTabs)->Unit(benchmark::kMillisecond);

// The pathological inputs; the argument is the size in MB (or thousands of items).
Text Repeat(TextView unit, std::size_t size) {
    Text text;
    text.reserve(size + unit.size());
    while (text.size() < size)
        text += unit;
    return text;
}

Text BlockComment(std::size_t mb) {
    return u"/* " + Repeat(u"ab/c*d e", mb << 20) + u" */";
}
Text UnterminatedString(std::size_t mb) {
    return u"\"" + Repeat(u"ab\\\"", mb << 20) + u"cd";
}
Text UnclosedOpeners(std::size_t thousands) {
    return Repeat(u"/* x ", thousands * 1000 * 5);
}
Text LetterLine(std::size_t mb) {
    return Text(mb << 20, u'q');
}
Text KeywordLine(std::size_t thousands) {
    return Repeat(u"int ", thousands * 1000 * 4);
}

void BM_Pathological(benchmark::State& state, Text (*make)(std::size_t), HighlightEngine engine) {
    const Text text = make(static_cast<std::size_t>(state.range(0)));
    Convert(state, CLanguage(), text, engine, true);
}
#define BREVLIN_PATHOLOGICAL(name, make, engine, ...)                                              \
    BENCHMARK_CAPTURE(BM_Pathological, name, make, engine)                                         \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)                                                                            \
        ->Args(__VA_ARGS__)
BREVLIN_PATHOLOGICAL(block_comment_MB, BlockComment, HighlightEngine::Fast, {20});
BREVLIN_PATHOLOGICAL(unterminated_string_MB, UnterminatedString, HighlightEngine::Fast, {20});
BREVLIN_PATHOLOGICAL(unclosed_openers_k, UnclosedOpeners, HighlightEngine::Fast, {200});
BREVLIN_PATHOLOGICAL(letter_line_MB, LetterLine, HighlightEngine::Fast, {20});
BREVLIN_PATHOLOGICAL(keywords_k, KeywordLine, HighlightEngine::Fast, {1000});
// The reference at sizes it can still run.
BREVLIN_PATHOLOGICAL(regex_block_comment_MB, BlockComment, HighlightEngine::Regex, {1});
BREVLIN_PATHOLOGICAL(regex_unterminated_string_MB, UnterminatedString, HighlightEngine::Regex, {1});
BREVLIN_PATHOLOGICAL(regex_unclosed_openers_k, UnclosedOpeners, HighlightEngine::Regex, {20});
BREVLIN_PATHOLOGICAL(regex_letter_line_MB, LetterLine, HighlightEngine::Regex, {1});
BREVLIN_PATHOLOGICAL(regex_keywords_k, KeywordLine, HighlightEngine::Regex, {100});

} // namespace

BENCHMARK_MAIN();
