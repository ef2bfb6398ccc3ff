#pragma once

#include "text/Text.h"

#include <string>

namespace brevlin::cli {

// `brevlin convert --standalone`: the converted code as a whole HTML page for a quick look in
// a browser, inside <pre>, with the bundled style sheet inlined.
class StandalonePage {
public:
    // Everything before the code, in UTF-8; `title` is plain text, escaped here.
    static std::string Head(TextView title);
    static std::string Tail();
};

} // namespace brevlin::cli
