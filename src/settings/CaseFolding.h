#pragma once

#include "text/Text.h"

namespace brevlin {

// Unicode's simple case folding, code point by code point (surrogate pairs as one): the
// comparison INI names use, which ignores letter case in every script, as the profile
// functions do.
class CaseFolding {
public:
    static char32_t Fold(char32_t c);
    static Text Fold(TextView text);
};

} // namespace brevlin
