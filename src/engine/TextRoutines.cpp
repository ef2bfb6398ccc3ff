#include "engine/TextRoutines.h"

namespace brevlin {

Text EscapeRegExp(TextView text) {
    // One pass gives the same text as twelve replace-all passes with the backslash
    // first: each of the twelve gets exactly one backslash in front of it.
    static constexpr TextView special = u"\\?*+.|{}[]()";
    Text out;
    out.reserve(text.size() + 8);
    for (const char16_t c : text) {
        if (special.find(c) != TextView::npos)
            out += u'\\';
        out += c;
    }
    return out;
}

void AppendEscapedHtmlFrom(Text& out, TextView text, std::size_t first) {
    // Size first, then one write: texts full of entities cost no call per entity.
    std::size_t extra = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        switch (text[i]) {
        case u'&':
            extra += 4;
            break;
        case u'"':
            extra += 5;
            break;
        case u'<':
        case u'>':
            extra += 3;
            break;
        default:
            break;
        }
    }
    const std::size_t at = out.size();
    out.resize(at + text.size() + extra);
    char16_t* p = out.data() + at;
    const auto put = [&p](TextView entity) {
        for (const char16_t c : entity)
            *p++ = c;
    };
    for (std::size_t i = 0; i < first; ++i)
        *p++ = text[i];
    for (std::size_t i = first; i < text.size(); ++i) {
        switch (text[i]) {
        case u'&':
            put(u"&amp;");
            break;
        case u'"':
            put(u"&quot;");
            break;
        case u'<':
            put(u"&lt;");
            break;
        case u'>':
            put(u"&gt;");
            break;
        default:
            *p++ = text[i];
        }
    }
}

Text EscapeHtml(TextView text) {
    Text out;
    out.reserve(text.size() + text.size() / 8);
    AppendEscapedHtml(out, text);
    return out;
}

Text ToCrLf(TextView text) {
    Text out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            out.append(text.substr(start, i - start));
            out += u"\r\n";
            start = i + 1;
        }
    }
    out.append(text.substr(start));
    return out;
}

Text ToLf(TextView text) {
    Text out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'\r' && text[i + 1] == u'\n') {
            out.append(text.substr(start, i - start));
            start = i + 1; // keep the LF
        }
    }
    out.append(text.substr(start));
    return out;
}

} // namespace brevlin
