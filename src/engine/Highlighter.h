#pragma once

// The highlighting engine.
//
// A conversion cuts the text into tokens with the language's tokenizer pattern, classifies
// each token (first matching rule, else keyword, else other text), escapes it and wraps it
// in the tags of its class. "^" and "$" in clauses are anchors, so the pattern can match the
// empty text; no token is ever empty: there the fixed alternatives give the token, and at
// the end of the text there is none, so the tokens always tile the text. With OptimizeTags,
// keywords separated only by white space share one pair of tags. The results are defined by
// a backtracking regular-expression engine (RegExp) running the generated patterns; the
// tests that would be needlessly slow through it (prefix/suffix rule tests, plain keyword
// lookup, the "\S" test) are done directly with exactly the same outcome. Output is written
// into one buffer, never a piece per token.

#include "engine/HighlightOptions.h"
#include "engine/Language.h"
#include "engine/RegExp.h"
#include "engine/TagWriter.h"

#include <vector>

namespace brevlin {

// Converts `text` with `language`. A failure propagates; the caller decides what to show.
Text HighlightText(const Language& language, TextView text, const HighlightOptions& options);

// The same conversion, handing the result to `sink` in order, in pieces, as it is made: a
// caller that encodes and writes each piece never holds the whole result.
void HighlightTextTo(const Language& language, TextView text, const HighlightOptions& options,
                     const HtmlSink& sink);

// Classification, escaping, wrapping and joining of a token list over `text`.
Text TagTokens(const Language& language, TextView text, const std::vector<RegExpMatch>& tokens,
               bool optimizeTags);

// Expands tabs in place; widths count CP932 bytes from the start of each CR LF line.
void ExpandTabs(Text& text, int columns);

// The token list of `text`: the matches of the language's tokenizer pattern, none empty.
std::vector<RegExpMatch> Tokenize(const Language& language, TextView text,
                                  HighlightEngine engine = HighlightEngine::Fast);

} // namespace brevlin
