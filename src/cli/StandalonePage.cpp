#include "cli/StandalonePage.h"

#include "cli/TextCodec.h"
#include "engine/TextRoutines.h"
#include "settings/BundledStyleSheet.h"
#include "text/Utf8.h"

namespace brevlin::cli {

std::string StandalonePage::Head(TextView title) {
    // The page follows the reader's light or dark scheme, as the style sheet's colours do.
    std::string head = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"color-scheme\" content=\"light dark\">\n<title>";
    Utf8::Append(head, EscapeHtml(title));
    head += "</title>\n<style>\n";
    head += kBundledStyleSheet;
    head += "</style>\n</head>\n<body>\n<pre>";
    return head;
}

std::string StandalonePage::Tail() {
    return "</pre>\n</body>\n</html>\n";
}

} // namespace brevlin::cli
