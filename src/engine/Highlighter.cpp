#include "engine/Highlighter.h"

#include "engine/Cp932Width.h"
#include "engine/FastClassifier.h"
#include "engine/FastTokenizer.h"
#include "engine/TagWriter.h"
#include "engine/TokenClassifier.h"
#include "engine/Tokenizer.h"
#include "text/Surrogates.h"

namespace brevlin {

namespace {

void WriteToken(TokenClassifier& classifier, TagWriter& writer, TextView token) {
    const int rule = classifier.MatchRule(token);
    if (rule >= 0) {
        const Comment& comment = classifier.Rule(rule);
        writer.AppendRule(comment.StartTag(), token, comment.EndTag());
    } else if (classifier.IsKeyword(token)) {
        writer.AppendKeyword(token);
    } else {
        writer.AppendOther(token);
    }
}

Text ConvertRegex(const Language& language, TextView text, bool optimizeTags,
                  const HtmlSink* sink) {
    // Classifier first: a bad keyword pattern fails before any work is done.
    TokenClassifier classifier(language);
    Tokenizer tokenizer(language, text);
    TagWriter writer(language.StartTag(), language.EndTag(), optimizeTags, text.size(), sink);
    RegExpMatch token;
    while (tokenizer.Next(token))
        WriteToken(classifier, writer, text.substr(token.FirstIndex, token.Length));
    return writer.Finish();
}

Text ConvertFast(const Language& language, TextView text, bool optimizeTags, const HtmlSink* sink) {
    FastClassifier classifier(language);
    FastTokenizer tokenizer(language, text);
    TagWriter writer(language.StartTag(), language.EndTag(), optimizeTags, text.size(), sink);
    // Stretches of tokens that start no rule and are no keyword are written whole.
    const bool stretches = classifier.DecidedByFirstCharacter();
    const auto isKeyword = [&classifier](TextView word) {
        return classifier.IsKeyword(word, true);
    };
    RegExpMatch token;
    for (;;) {
        if (stretches && !writer.RunOpen()) {
            const std::size_t from = tokenizer.Position();
            const std::size_t to = tokenizer.SkipPlainStretch(isKeyword);
            if (to > from)
                writer.AppendPlain(text.substr(from, to - from));
        }
        if (!tokenizer.Next(token))
            break;
        const TextView t = text.substr(token.FirstIndex, token.Length);
        const FastTokenizer::Kind kind = tokenizer.LastKind();
        if (const Comment* rule = classifier.MatchRule(t)) {
            writer.AppendRule(rule->StartTag(), t, rule->EndTag());
        } else if ((kind != FastTokenizer::Kind::Space || classifier.SpaceCanBeKeyword()) &&
                   classifier.IsKeyword(t, kind == FastTokenizer::Kind::Word)) {
            writer.AppendKeyword(t);
        } else {
            writer.AppendOther(t);
        }
    }
    return writer.Finish();
}

Text Convert(const Language& language, TextView text, const HighlightOptions& options,
             const HtmlSink* sink) {
    // The caller's text is never changed; a copy is made only when tabs are expanded.
    Text expanded;
    if (language.ReplaceTab()) {
        expanded = Text(text);
        ExpandTabs(expanded, language.TabColumns());
        text = expanded;
    }
    return options.Engine == HighlightEngine::Regex
               ? ConvertRegex(language, text, options.OptimizeTags, sink)
               : ConvertFast(language, text, options.OptimizeTags, sink);
}

} // namespace

std::vector<RegExpMatch> Tokenize(const Language& language, TextView text, HighlightEngine engine) {
    std::vector<RegExpMatch> tokens;
    RegExpMatch token;
    if (engine == HighlightEngine::Regex) {
        Tokenizer tokenizer(language, text);
        while (tokenizer.Next(token))
            tokens.push_back(token);
    } else {
        FastTokenizer tokenizer(language, text);
        while (tokenizer.Next(token))
            tokens.push_back(token);
    }
    return tokens;
}

Text TagTokens(const Language& language, TextView text, const std::vector<RegExpMatch>& tokens,
               bool optimizeTags) {
    if (tokens.empty())
        return {};
    TokenClassifier classifier(language);
    TagWriter writer(language.StartTag(), language.EndTag(), optimizeTags, text.size());
    for (const RegExpMatch& token : tokens)
        WriteToken(classifier, writer, text.substr(token.FirstIndex, token.Length));
    return writer.Finish();
}

Text HighlightText(const Language& language, TextView text, const HighlightOptions& options) {
    return Convert(language, text, options, nullptr);
}

void HighlightTextTo(const Language& language, TextView text, const HighlightOptions& options,
                     const HtmlSink& sink) {
    Convert(language, text, options, &sink);
}

void ExpandTabs(Text& text, int columns) {
    if (columns < 1)
        columns = 1; // a width below one has no meaning; never divide by zero
    const std::size_t t = static_cast<std::size_t>(columns);
    if (text.find(u'\t') == Text::npos)
        return;
    Text out;
    out.reserve(text.size() + text.size() / 4);
    std::size_t width = 0; // CP932 bytes of the line so far
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += u"\r\n";
            i += 2;
            width = 0;
            continue;
        }
        if (c != u'\t') {
            width += surrogates::IsPairTailAt(text, i) ? 0 : Cp932Width::Of(c);
            out += c;
            ++i;
            continue;
        }
        std::size_t n = 0;
        while (i < text.size() && text[i] == u'\t') {
            ++n;
            ++i;
        }
        const std::size_t spaces = n * t - (width % t);
        out.append(spaces, u' ');
        width += spaces;
    }
    text = std::move(out);
}

} // namespace brevlin
