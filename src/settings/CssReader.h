#pragma once

#include "settings/StyleSheet.h"

#include <string_view>

namespace brevlin {

// Reads the part of CSS that a paste can carry inline: rules whose selectors name classes
// (`.c`, `span.c`, `pre .c`, `.a.b`, several separated by commas) and rules for `pre`, at the
// top level or inside `@media screen`, `all` or `(prefers-color-scheme: light)` (a paste lands
// on a light page; the dark scheme's block is passed over). What it does not understand is
// left out, not guessed: other selectors (of a list, only those), other at-rules, custom
// properties and values that use them. Colours are written as hex, which every mail
// program keeps.
class CssReader {
public:
    // `css` is UTF-8, with or without a byte-order mark. Raises BrevlinError (FileFormat)
    // where it is not CSS: an unclosed comment, string or block, a "}" with no block to
    // close, a NUL byte, or no rule at all that the paste can use.
    static StyleSheet Read(std::string_view css);

    // A declaration's value as it goes into a style attribute: whitespace outside strings
    // collapsed, rgb(), rgba(), hsl() and hsla() of an opaque colour and three-digit
    // #rgb written as #rrggbb.
    static Text NormalValue(TextView value);
};

} // namespace brevlin
