#include "settings/InlineStyles.h"

#include "engine/TextRoutines.h"
#include "settings/CssText.h"

#include <algorithm>

namespace brevlin {

namespace {

using namespace css;

std::vector<TextView> Words(TextView text) {
    std::vector<TextView> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

// The properties that a style attribute's text sets, in lower case.
std::vector<Text> PropertiesOf(TextView style) {
    std::vector<Text> properties;
    std::size_t start = 0;
    while (start < style.size()) {
        const std::size_t end = std::min(style.find(u';', start), style.size());
        const TextView declaration = style.substr(start, end - start);
        const std::size_t colon = declaration.find(u':');
        if (colon != TextView::npos)
            properties.push_back(Lower(Trim(declaration.substr(0, colon))));
        start = end + 1;
    }
    return properties;
}

} // namespace

InlineStyles::InlineStyles(std::shared_ptr<const StyleSheet> sheet) : m_sheet(std::move(sheet)) {}

Text InlineStyles::Head() const {
    return u"<meta charset=\"utf-8\"><pre style=\"" +
           EscapeHtml(StyleSheet::StyleText(m_sheet->PreStyle())) + u"\">";
}

Text InlineStyles::Apply(std::shared_ptr<const StyleSheet> sheet, TextView markup) {
    InlineStyles styles(std::move(sheet));
    Text out = styles.Head();
    out.reserve(out.size() + markup.size() + markup.size() / 2);
    styles.Append(markup, out);
    styles.Finish(out);
    out += Tail();
    return out;
}

void InlineStyles::Append(TextView piece, Text& out) {
    if (m_pending.empty()) {
        Process(piece, out);
        return;
    }
    // The unfinished tag is read again with what follows it.
    Text text = std::move(m_pending);
    m_pending.clear();
    text.append(piece);
    Process(text, out);
}

void InlineStyles::Finish(Text& out) {
    out += m_pending;
    m_pending.clear();
    m_inLongTag = false;
}

void InlineStyles::Process(TextView text, Text& out) {
    std::size_t i = 0;
    if (m_inLongTag) {
        const std::size_t end = text.find(u'>');
        if (end == TextView::npos) {
            out.append(text);
            return;
        }
        out.append(text.substr(0, end + 1));
        m_inLongTag = false;
        i = end + 1;
    }
    while (i < text.size()) {
        const std::size_t open = text.find(u'<', i);
        if (open == TextView::npos) {
            out.append(text.substr(i));
            return;
        }
        out.append(text.substr(i, open - i));
        const std::size_t after = Tag(text, open, out);
        if (after == TextView::npos) {
            if (text.size() - open > MaxTagLength) {
                // No tag is this long: passed on without a style.
                out.append(text.substr(open));
                m_inLongTag = true;
            } else {
                m_pending.assign(text.substr(open));
            }
            return;
        }
        i = after;
    }
}

std::size_t InlineStyles::Tag(TextView text, std::size_t at, Text& out) {
    if (at + 1 >= text.size())
        return TextView::npos;
    const char16_t next = text[at + 1];
    if (IsLetter(next))
        return StartTag(text, at, out);
    std::size_t end;
    if (text.substr(at).starts_with(u"<!--")) {
        end = text.find(u"-->", at + 4);
        if (end != TextView::npos)
            end += 3;
    } else if (next == u'/' || next == u'!' || next == u'?') {
        end = text.find(u'>', at);
        if (end != TextView::npos)
            ++end;
    } else {
        // "<" before anything else is text to HTML.
        end = at + 1;
    }
    if (end == TextView::npos)
        return end;
    out.append(text.substr(at, end - at));
    return end;
}

std::size_t InlineStyles::StartTag(TextView text, std::size_t at, Text& out) {
    std::size_t i = at + 1;
    while (i < text.size() && !IsSpace(text[i]) && text[i] != u'/' && text[i] != u'>')
        ++i;
    const TextView element = text.substr(at + 1, i - at - 1);
    struct Value {
        bool found = false;
        std::size_t start = 0, end = 0; // of the attribute, name to value
        TextView text;
        char16_t quote = 0;
    } classes, style;
    // After the element name or the last attribute: what follows up to ">" is blanks and a
    // closing "/".
    std::size_t last = i;
    std::size_t close = TextView::npos;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (IsSpace(c) || c == u'/') {
            ++i;
            continue;
        }
        if (c == u'>') {
            close = i;
            break;
        }
        const std::size_t nameStart = i;
        while (i < text.size() && !IsSpace(text[i]) && text[i] != u'/' && text[i] != u'>' &&
               (text[i] != u'=' || i == nameStart))
            ++i;
        const Text name = Lower(text.substr(nameStart, i - nameStart));
        std::size_t j = i;
        while (j < text.size() && IsSpace(text[j]))
            ++j;
        Value value;
        value.start = nameStart;
        if (j < text.size() && text[j] == u'=') {
            ++j;
            while (j < text.size() && IsSpace(text[j]))
                ++j;
            if (j >= text.size())
                return TextView::npos;
            if (text[j] == u'"' || text[j] == u'\'') {
                value.quote = text[j];
                const std::size_t end = text.find(value.quote, j + 1);
                if (end == TextView::npos)
                    return TextView::npos;
                value.text = text.substr(j + 1, end - j - 1);
                i = end + 1;
            } else {
                const std::size_t start = j;
                while (j < text.size() && !IsSpace(text[j]) && text[j] != u'>')
                    ++j;
                value.text = text.substr(start, j - start);
                i = j;
            }
        }
        value.end = last = i;
        value.found = true;
        // The first of an attribute counts, as in HTML.
        if (name == u"class" && !classes.found)
            classes = value;
        else if (name == u"style" && !style.found)
            style = value;
    }
    if (close == TextView::npos)
        return TextView::npos;
    const Style* sheetStyle = classes.found ? &StyleFor(element, classes.text) : nullptr;
    if (sheetStyle == nullptr || sheetStyle->declarations.empty()) {
        out.append(text.substr(at, close + 1 - at));
        return close + 1;
    }
    if (!style.found) {
        out.append(text.substr(at, last - at));
        out += u" style=\"";
        out += sheetStyle->text;
        out += u'"';
        out.append(text.substr(last, close + 1 - last));
        return close + 1;
    }
    // The tag's own declarations come last and keep their text: they win over the sheet's.
    const std::vector<Text> own = PropertiesOf(style.text);
    std::vector<StyleSheet::Declaration> declarations = sheetStyle->declarations;
    std::erase_if(declarations, [&](const StyleSheet::Declaration& d) {
        return std::find(own.begin(), own.end(), d.property) != own.end();
    });
    Text merged = EscapeHtml(StyleSheet::StyleText(declarations));
    Text ownText(style.text);
    if (style.quote == u'\'') {
        // Now inside double quotes.
        for (std::size_t k = ownText.find(u'"'); k != Text::npos; k = ownText.find(u'"', k))
            ownText.replace(k, 1, u"&quot;");
    }
    if (!merged.empty() && !ownText.empty())
        merged += u"; ";
    merged += ownText;
    out.append(text.substr(at, style.start - at));
    out += u"style=\"" + merged + u'"';
    out.append(text.substr(style.end, close + 1 - style.end));
    return close + 1;
}

const InlineStyles::Style& InlineStyles::StyleFor(TextView element, TextView classes) {
    Text key = Lower(element);
    key += u'\x01';
    key.append(classes);
    auto found = m_styles.find(key);
    if (found == m_styles.end()) {
        Style style;
        style.declarations = m_sheet->StyleOf(Lower(element), Words(classes));
        style.text = EscapeHtml(StyleSheet::StyleText(style.declarations));
        found = m_styles.emplace(std::move(key), std::move(style)).first;
    }
    return found->second;
}

} // namespace brevlin
