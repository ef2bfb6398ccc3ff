#include "StandalonePage.h"

#include "settings/BundledStyleSheet.h"

namespace brevlin::cli {

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string StandalonePage::Head(const std::string& title) {
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escaped(title) +
           "</title>\n<style>\n" + kBundledStyleSheet + "</style>\n</head>\n<body>\n<pre>";
}

std::string StandalonePage::Tail() {
    return "</pre>\n</body>\n</html>\n";
}

} // namespace brevlin::cli
