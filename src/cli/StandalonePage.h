#pragma once

#include <string>

namespace brevlin::cli {

// `brevlin convert --standalone`: the converted code as a whole HTML page for a quick look in
// a browser, inside <pre>, with the bundled style sheet inlined.
class StandalonePage {
public:
    // Everything before the code; `title` is plain text (UTF-8) and escaped here.
    static std::string Head(const std::string& title);
    static std::string Tail();
};

} // namespace brevlin::cli
