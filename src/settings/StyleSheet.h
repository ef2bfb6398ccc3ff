#pragma once

#include "text/BrevlinError.h"
#include "text/Text.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace brevlin {

// The rules of a style sheet that a paste can carry inline, as CssReader understood them:
// rules for elements by their classes (`.c`, `span.c`, `pre .c`) and rules for the <pre>
// around the code. A receiver of a paste has no style sheet, so these become style
// attributes (InlineStyles).
class StyleSheet {
public:
    struct Declaration {
        Text property; // lower case
        Text value;    // whitespace collapsed, colours as #rrggbb, without !important
        bool important = false;
    };
    // One compound selector, perhaps after the ancestor `pre`: an element name (lower case,
    // empty for any element) and the classes the element must all have. Without classes it
    // is the rule of the <pre> itself.
    struct Selector {
        Text element;
        std::vector<Text> classes;
        bool insidePre = false;
        int Specificity() const;
    };
    struct Rule {
        std::vector<Selector> selectors;
        std::vector<Declaration> declarations;
    };

    // In the order of the sheet.
    std::vector<Rule> rules;

    // The declarations that the rules give an element of that name (lower case) with these
    // classes, after the cascade (importance, specificity, order); none where no rule applies.
    std::vector<Declaration> StyleOf(TextView element, const std::vector<TextView>& classes) const;
    // The style of the <pre> around pasted code: the sheet's rules for `pre`, and in any case
    // a text colour (black where the sheet sets none, as the code's colours are meant for a
    // light page), a monospace font and `white-space: pre-wrap`, so that receivers that
    // collapse spaces keep indentation and blank lines.
    std::vector<Declaration> PreStyle() const;
    // The text of a style attribute: "color: #0033b3; font-weight: bold".
    static Text StyleText(const std::vector<Declaration>& declarations);

    // The bundled sheet (languages/brevlin.css), read once.
    static std::shared_ptr<const StyleSheet> Bundled();
    // The sheet in the file. A file that cannot be read or is no style sheet the reader
    // understands raises BrevlinError naming the file.
    static std::shared_ptr<const StyleSheet> Load(const std::filesystem::path& file);
    // The sheet a user chose for pastes, which must not stop one: the sheet in the file, or
    // the bundled one where `file` is empty or cannot be used, with `trouble` (if given) set to
    // why it could not.
    static std::shared_ptr<const StyleSheet> LoadOrBundled(const std::filesystem::path& file,
                                                           std::optional<BrevlinError>* trouble);

    // Files larger than this are refused: a style sheet is small.
    static constexpr std::size_t MaxFileSize = 1024 * 1024;
};

} // namespace brevlin
