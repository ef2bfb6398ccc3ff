#pragma once

#include "settings/StyleSheet.h"

#include <unordered_map>

namespace brevlin {

// Converted mark-up made ready for a rich paste: a receiver (mail, a word processor, a wiki
// editor, slides) has no style sheet, and a class never survives a paste. Every start tag with
// a class that the sheet styles gets the style in a `style` attribute (merged with one it
// already has, whose declarations win); other tags and the text pass unchanged. The whole
// goes inside a styled <pre>, after a charset declaration that receivers need to read it as
// UTF-8.
//
// The mark-up may come in pieces, as the engine writes it: a tag cut at the end of a piece
// waits for the next one.
class InlineStyles {
public:
    explicit InlineStyles(std::shared_ptr<const StyleSheet> sheet);

    // `<meta charset="utf-8"><pre style="...">`
    Text Head() const;
    static Text Tail() { return u"</pre>"; }
    // Appends the styled piece to `out`.
    void Append(TextView piece, Text& out);
    // Appends a tag left unfinished at the end, as it is.
    void Finish(Text& out);

    // Head, the styled mark-up and Tail in one.
    static Text Apply(std::shared_ptr<const StyleSheet> sheet, TextView markup);

    // An unfinished tag longer than this is passed on as it is, not held back.
    static constexpr std::size_t MaxTagLength = 4096;

private:
    // The tag starting at `at` (a "<") copied to `out`, styled where it takes a style; the
    // position after it, or npos when it does not end in `text`.
    std::size_t Tag(TextView text, std::size_t at, Text& out);
    std::size_t StartTag(TextView text, std::size_t at, Text& out);
    struct Style {
        std::vector<StyleSheet::Declaration> declarations;
        Text text; // escaped for an attribute
    };
    const Style& StyleFor(TextView element, TextView classes);
    void Process(TextView text, Text& out);

    std::shared_ptr<const StyleSheet> m_sheet;
    Text m_pending;
    // Copying an overlong tag until its ">".
    bool m_inLongTag = false;
    // Style by element name and class attribute, for the few kinds of tags a language has.
    std::unordered_map<Text, Style> m_styles;
};

} // namespace brevlin
