#pragma once

// The conversion read literally: a global match of the whole tokenizer pattern, then every
// token tested against each rule pattern, the keyword pattern and "\S" on the
// regular-expression engine, output pieces joined at the end. No shortcut of any kind, so
// both engines can be checked against it on small inputs.

#include "engine/FastTokenizer.h"
#include "engine/Language.h"
#include "engine/RegExp.h"
#include "engine/TextRoutines.h"

#include <vector>

namespace brevlin::test {

// The global match, except that where the match is empty (anchors only) the token is the
// fixed alternatives' match there, and at the end of the text there is no token.
inline std::vector<RegExpMatch> LiteralTokens(const Language& language, TextView text) {
    RegExp tokenizer;
    tokenizer.SetIgnoreCase(language.IgnoreCase());
    tokenizer.SetPattern(language.CreateWordSeperatePattern(
        [](const Comment& rule) { return !rule.ClauseStart().empty(); }));
    RegExp fixed;
    fixed.SetPattern(u"[\\w#]+|\\s+|[^\\w#]");
    std::vector<RegExpMatch> tokens;
    RegExpMatch token;
    for (std::size_t start = 0; start < text.size(); start = token.FirstIndex + token.Length) {
        if (!tokenizer.FindFrom(text, start, token))
            break;
        if (token.Length == 0 && !fixed.FindFrom(text, token.FirstIndex, token))
            break;
        tokens.push_back(token);
    }
    return tokens;
}

inline Text LiteralTagTokens(const Language& language, TextView text,
                             const std::vector<RegExpMatch>& tokens, bool optimizeTags) {
    RegExp keyword;
    keyword.SetIgnoreCase(language.IgnoreCase());
    keyword.SetPattern(language.Keywords().MatchPattern());
    RegExp rule;
    rule.SetIgnoreCase(language.IgnoreCase());
    std::vector<Text> pieces(tokens.size());
    long open = -1;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const TextView t = text.substr(tokens[i].FirstIndex, tokens[i].Length);
        Text piece;
        bool done = false;
        for (const auto& comment : language.Comments()) {
            if (comment->ClauseStart().empty())
                continue;
            rule.SetPattern(comment->MatchPattern());
            if (!rule.Test(t))
                continue;
            if (optimizeTags && open >= 0) {
                pieces[static_cast<std::size_t>(open)] += language.EndTag();
                open = -1;
            }
            piece = comment->StartTag() + EscapeHtml(t) + comment->EndTag();
            done = true;
            break;
        }
        if (!done) {
            if (language.Keywords().Count() > 0 && keyword.Test(t)) {
                if (optimizeTags) {
                    piece = (open < 0 ? language.StartTag() : Text()) + EscapeHtml(t);
                    open = static_cast<long>(i);
                } else {
                    piece = language.StartTag() + EscapeHtml(t) + language.EndTag();
                }
            } else {
                rule.SetPattern(u"\\S");
                if (rule.Test(t) && optimizeTags && open >= 0) {
                    pieces[static_cast<std::size_t>(open)] += language.EndTag();
                    open = -1;
                }
                piece = EscapeHtml(t);
            }
        }
        pieces[i] = std::move(piece);
    }
    if (optimizeTags && open >= 0)
        pieces[static_cast<std::size_t>(open)] += language.EndTag();
    Text out;
    for (const Text& piece : pieces)
        out += piece;
    return out;
}

// The fast tokenizer's tokens, with block rules on their general matcher when asked.
inline std::vector<RegExpMatch> FastTokens(const Language& language, TextView text, bool general) {
    std::vector<RegExpMatch> tokens;
    FastTokenizer tokenizer(language, text, general);
    RegExpMatch token;
    while (tokenizer.Next(token))
        tokens.push_back(token);
    return tokens;
}

} // namespace brevlin::test
