#pragma once

namespace brevlin {

// Fast: exact scanners for the generated patterns, linear in the text (the default).
// Regex: the patterns run on the regular-expression engine, kept as the reference.
enum class HighlightEngine { Fast, Regex };

struct HighlightOptions {
    bool OptimizeTags = false;
    HighlightEngine Engine = HighlightEngine::Fast;
};

} // namespace brevlin
