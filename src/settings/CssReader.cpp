#include "settings/CssReader.h"

#include "settings/CssText.h"
#include "text/BrevlinError.h"
#include "text/HexDigit.h"
#include "text/UiText.h"
#include "text/Utf8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace brevlin {

namespace {

using namespace css;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
// A character of a CSS name: anything beyond ASCII counts, as in CSS.
bool IsNameChar(char16_t c) {
    return IsLetter(c) || IsDigit(c) || c == u'-' || c == u'_' || c >= 0x80;
}

// A class name or property name: name characters, not starting with a digit or "-digit".
bool IsIdentifier(TextView name) {
    if (name.empty() || !std::all_of(name.begin(), name.end(), IsNameChar))
        return false;
    const TextView start = name.front() == u'-' ? name.substr(1) : name;
    return !start.empty() && !IsDigit(start.front());
}

// After the string whose opening quote is at `at` (strings are known to be closed).
std::size_t AfterString(TextView text, std::size_t at) {
    const char16_t quote = text[at];
    std::size_t i = at + 1;
    while (i < text.size() && text[i] != quote)
        i += text[i] == u'\\' ? 2 : 1;
    return std::min(i + 1, text.size());
}

// The first of `stops` in [from, limit) outside strings, parentheses and brackets; limit
// when there is none.
std::size_t FindTopLevel(TextView text, std::size_t from, std::size_t limit, TextView stops) {
    int depth = 0;
    std::size_t i = from;
    while (i < limit) {
        const char16_t c = text[i];
        if (c == u'\\') {
            i += 2;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            i = AfterString(text, i);
            continue;
        }
        if (depth == 0 && stops.find(c) != TextView::npos)
            return i;
        if (c == u'(' || c == u'[')
            ++depth;
        else if ((c == u')' || c == u']') && depth > 0)
            --depth;
        ++i;
    }
    return limit;
}

struct Rgb {
    double r, g, b;
};

std::optional<double> Number(TextView token, bool& percent) {
    percent = !token.empty() && token.back() == u'%';
    if (percent)
        token.remove_suffix(1);
    std::string ascii;
    for (const char16_t c : token) {
        if (!(IsDigit(c) || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E'))
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    if (ascii.empty())
        return std::nullopt;
    std::size_t used = 0;
    try {
        const double value = std::stod(ascii, &used);
        if (used != ascii.size() || !std::isfinite(value))
            return std::nullopt;
        return value;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// rgb(), rgba(), hsl() or hsla() with these arguments, as #rrggbb; nothing where it is not an
// opaque colour that these functions can say.
std::optional<Text> ColourFunction(const Text& name, TextView arguments) {
    std::vector<TextView> tokens;
    std::size_t i = 0;
    while (i < arguments.size()) {
        while (i < arguments.size() &&
               (IsSpace(arguments[i]) || arguments[i] == u',' || arguments[i] == u'/'))
            ++i;
        const std::size_t start = i;
        while (i < arguments.size() && !IsSpace(arguments[i]) && arguments[i] != u',' &&
               arguments[i] != u'/')
            ++i;
        if (i > start)
            tokens.push_back(arguments.substr(start, i - start));
    }
    if (tokens.size() != 3 && tokens.size() != 4)
        return std::nullopt;
    std::array<double, 4> values{0, 0, 0, 1};
    std::array<bool, 4> percents{};
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        TextView token = tokens[k];
        if (k == 0 && name.starts_with(u"hsl") && Lower(token).ends_with(u"deg"))
            token.remove_suffix(3);
        const std::optional<double> value = Number(token, percents[k]);
        if (!value)
            return std::nullopt;
        values[k] = *value;
    }
    const double alpha = percents[3] ? values[3] / 100 : values[3];
    if (alpha < 1)
        return std::nullopt;
    Rgb rgb{};
    if (name.starts_with(u"rgb")) {
        const auto channel = [&](std::size_t k) {
            return std::clamp(percents[k] ? values[k] * 255 / 100 : values[k], 0.0, 255.0);
        };
        rgb = {channel(0), channel(1), channel(2)};
    } else {
        if (percents[0])
            return std::nullopt;
        const double h = std::fmod(std::fmod(values[0], 360) + 360, 360) / 360;
        const double s = std::clamp(values[1] / 100, 0.0, 1.0);
        const double l = std::clamp(values[2] / 100, 0.0, 1.0);
        const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
        const double p = 2 * l - q;
        const auto hue = [&](double t) {
            t = t < 0 ? t + 1 : (t > 1 ? t - 1 : t);
            if (t < 1.0 / 6)
                return p + (q - p) * 6 * t;
            if (t < 0.5)
                return q;
            if (t < 2.0 / 3)
                return p + (q - p) * (2.0 / 3 - t) * 6;
            return p;
        };
        rgb = {hue(h + 1.0 / 3) * 255, hue(h) * 255, hue(h - 1.0 / 3) * 255};
    }
    static constexpr char16_t Digits[] = u"0123456789abcdef";
    Text hex = u"#";
    for (const double channel : {rgb.r, rgb.g, rgb.b}) {
        const long value = std::lround(channel);
        hex += Digits[value / 16];
        hex += Digits[value % 16];
    }
    return hex;
}

class Parser {
public:
    explicit Parser(Text text) : m_text(std::move(text)) {}

    StyleSheet Read() {
        BlankComments();
        m_at = 0;
        Rules(Text::npos);
        if (m_sheet.rules.empty())
            throw BrevlinError(errors::FileFormat,
                               UiText::Translate("CssReader", "貼り付けに使える規則 (.クラス名 や "
                                                              "pre の規則) がありません"));
        return std::move(m_sheet);
    }

private:
    [[noreturn]] void Refuse(std::size_t at, const std::string& what) const {
        const auto line =
            std::count(m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(at), u'\n');
        throw BrevlinError(errors::FileFormat,
                           UiText::Fill(UiText::Translate("CssReader", "%1 行目: %2"),
                                        {std::to_string(line + 1), what}));
    }

    // Comments become blanks (their line ends stay, so positions keep their lines); strings
    // must close on their line.
    void BlankComments() {
        std::size_t i = 0;
        while (i < m_text.size()) {
            const char16_t c = m_text[i];
            if (c == u'\0')
                Refuse(i, UiText::Translate("CssReader",
                                            "テキストではありません (NUL 文字があります)"));
            if (c == u'\\') {
                i += 2;
            } else if (c == u'"' || c == u'\'') {
                std::size_t j = i + 1;
                while (j < m_text.size() && m_text[j] != c) {
                    if (m_text[j] == u'\n')
                        Refuse(i, UiText::Translate("CssReader", "文字列が閉じていません"));
                    j += m_text[j] == u'\\' ? 2 : 1;
                }
                if (j >= m_text.size())
                    Refuse(i, UiText::Translate("CssReader", "文字列が閉じていません"));
                i = j + 1;
            } else if (c == u'/' && i + 1 < m_text.size() && m_text[i + 1] == u'*') {
                const std::size_t end = m_text.find(u"*/", i + 2);
                if (end == Text::npos)
                    Refuse(i, UiText::Translate("CssReader", "コメントが閉じていません"));
                for (std::size_t k = i; k < end + 2; ++k)
                    if (m_text[k] != u'\n')
                        m_text[k] = u' ';
                i = end + 2;
            } else {
                ++i;
            }
        }
    }

    // After the "}" that closes the block whose "{" is at `open`; braces inside strings,
    // parentheses and brackets do not count, as everywhere else here.
    std::size_t AfterBlock(std::size_t open) const {
        int depth = 0;
        for (std::size_t i = open;
             (i = FindTopLevel(m_text, i, m_text.size(), u"{}")) < m_text.size(); ++i) {
            depth += m_text[i] == u'{' ? 1 : -1;
            if (depth == 0)
                return i + 1;
        }
        Refuse(open, UiText::Translate("CssReader", "「{」を閉じる「}」がありません"));
    }

    // The rules up to the end of the text, or inside a block opened at `open` up to its "}".
    void Rules(std::size_t open) {
        const bool nested = open != Text::npos;
        const std::size_t end = m_text.size();
        while (true) {
            while (m_at < end && IsSpace(m_text[m_at]))
                ++m_at;
            if (m_at == end) {
                if (nested)
                    Refuse(open, UiText::Translate("CssReader", "「{」を閉じる「}」がありません"));
                return;
            }
            const char16_t c = m_text[m_at];
            if (c == u'}') {
                if (!nested)
                    Refuse(m_at,
                           UiText::Translate("CssReader", "閉じるブロックのない「}」があります"));
                ++m_at;
                return;
            }
            if (c == u';') {
                ++m_at;
                continue;
            }
            if (c == u'@') {
                const std::size_t stop = FindTopLevel(m_text, m_at, end, u";{}");
                if (stop == end || m_text[stop] != u'{') {
                    // A statement such as @import, or one cut off by the block's end.
                    m_at = stop == end ? end : stop + (m_text[stop] == u';' ? 1 : 0);
                    continue;
                }
                const bool light = ForLightPage(TextView(m_text).substr(m_at + 1, stop - m_at - 1));
                if (light) {
                    m_at = stop + 1;
                    Rules(stop);
                } else {
                    m_at = AfterBlock(stop);
                }
                continue;
            }
            const std::size_t stop = FindTopLevel(m_text, m_at, end, u"{}");
            if (stop == end)
                Refuse(m_at, UiText::Translate("CssReader", "規則の「{」がありません"));
            if (m_text[stop] == u'}') {
                // Text that is no rule before the end of an @media block.
                if (!nested)
                    Refuse(stop,
                           UiText::Translate("CssReader", "閉じるブロックのない「}」があります"));
                m_at = stop;
                continue;
            }
            const std::size_t after = AfterBlock(stop);
            AddRule(TextView(m_text).substr(m_at, stop - m_at), stop + 1, after - 1);
            m_at = after;
        }
    }

    // The at-rules whose blocks are read: @media for what a light screen shows.
    static bool ForLightPage(TextView atRule) {
        std::size_t name = 0;
        while (name < atRule.size() && IsNameChar(atRule[name]))
            ++name;
        if (Lower(atRule.substr(0, name)) != u"media")
            return false;
        Text query;
        for (const char16_t c : atRule.substr(name))
            if (!IsSpace(c))
                query += c;
        query = Lower(query);
        for (const TextView light :
             {u"screen", u"all", u"(prefers-color-scheme:light)",
              u"screenand(prefers-color-scheme:light)", u"alland(prefers-color-scheme:light)"})
            if (query == light)
                return true;
        return false;
    }

    void AddRule(TextView prelude, std::size_t from, std::size_t to) {
        StyleSheet::Rule rule;
        std::size_t start = 0;
        while (start <= prelude.size()) {
            const std::size_t comma = FindTopLevel(prelude, start, prelude.size(), u",");
            if (auto selector = ReadSelector(Trim(prelude.substr(start, comma - start))))
                rule.selectors.push_back(std::move(*selector));
            start = comma + 1;
        }
        if (rule.selectors.empty())
            return;
        std::size_t at = from;
        while (at < to) {
            const std::size_t stop = FindTopLevel(m_text, at, to, u";{");
            if (stop < to && m_text[stop] == u'{') {
                // A nested rule: not read.
                at = AfterBlock(stop);
                continue;
            }
            if (auto declaration = ReadDeclaration(TextView(m_text).substr(at, stop - at)))
                rule.declarations.push_back(std::move(*declaration));
            at = stop + 1;
        }
        if (!rule.declarations.empty())
            m_sheet.rules.push_back(std::move(rule));
    }

    // `.c`, `e.c`, `.a.b`, any of them after `pre `, or `pre` alone.
    static std::optional<StyleSheet::Selector> ReadSelector(TextView text) {
        if (text.empty() || text.find_first_of(u">+~[]#:*()\\\"'|") != TextView::npos)
            return std::nullopt;
        StyleSheet::Selector selector;
        std::size_t space = 0;
        while (space < text.size() && !IsSpace(text[space]))
            ++space;
        TextView compound = text;
        if (space < text.size()) {
            if (Lower(text.substr(0, space)) != u"pre")
                return std::nullopt;
            compound = Trim(text.substr(space));
            if (std::any_of(compound.begin(), compound.end(), IsSpace))
                return std::nullopt;
            selector.insidePre = true;
        }
        const std::size_t dot = std::min(compound.find(u'.'), compound.size());
        selector.element = Lower(compound.substr(0, dot));
        if (!selector.element.empty() &&
            (!IsLetter(selector.element.front()) ||
             !std::all_of(selector.element.begin(), selector.element.end(),
                          [](char16_t c) { return IsLetter(c) || IsDigit(c) || c == u'-'; })))
            return std::nullopt;
        std::size_t at = dot;
        while (at < compound.size()) {
            const std::size_t next = std::min(compound.find(u'.', at + 1), compound.size());
            const TextView name = compound.substr(at + 1, next - at - 1);
            if (!IsIdentifier(name))
                return std::nullopt;
            selector.classes.emplace_back(name);
            at = next;
        }
        if (selector.classes.empty() && (selector.element != u"pre" || selector.insidePre))
            return std::nullopt;
        return selector;
    }

    static std::optional<StyleSheet::Declaration> ReadDeclaration(TextView text) {
        const std::size_t colon = text.find(u':');
        if (colon == TextView::npos)
            return std::nullopt;
        StyleSheet::Declaration declaration;
        declaration.property = Lower(Trim(text.substr(0, colon)));
        // Custom properties mean nothing to a receiver without the sheet.
        if (!IsIdentifier(declaration.property) || declaration.property.starts_with(u"--"))
            return std::nullopt;
        TextView value = Trim(text.substr(colon + 1));
        if (Lower(value).ends_with(u"important")) {
            const TextView rest = Trim(value.substr(0, value.size() - 9));
            if (!rest.empty() && rest.back() == u'!') {
                value = Trim(rest.substr(0, rest.size() - 1));
                declaration.important = true;
            }
        }
        if (value.empty() || Lower(value).find(u"var(") != Text::npos)
            return std::nullopt;
        declaration.value = CssReader::NormalValue(value);
        return declaration;
    }

    Text m_text;
    std::size_t m_at = 0;
    StyleSheet m_sheet;
};

} // namespace

StyleSheet CssReader::Read(std::string_view css) {
    return Parser(Utf8::DecodeReplacing(css, {.skipByteOrderMark = true})).Read();
}

Text CssReader::NormalValue(TextView value) {
    value = Trim(value);
    Text out;
    std::size_t i = 0;
    while (i < value.size()) {
        const char16_t c = value[i];
        if (c == u'"' || c == u'\'') {
            const std::size_t end = AfterString(value, i);
            out.append(value.substr(i, end - i));
            i = end;
        } else if (c == u'\\') {
            out.append(value.substr(i, 2));
            i += 2;
        } else if (IsSpace(c)) {
            while (i < value.size() && IsSpace(value[i]))
                ++i;
            out += u' ';
        } else if (c == u'#' && (i == 0 || !IsNameChar(value[i - 1]))) {
            std::size_t end = i + 1;
            while (end < value.size() && IsNameChar(value[end]))
                ++end;
            const TextView digits = value.substr(i + 1, end - i - 1);
            const bool hex = std::all_of(digits.begin(), digits.end(),
                                         [](char16_t d) { return chars::HexDigit(d) >= 0; });
            const Text lower = Lower(digits);
            Text colour = u"#" + Text(digits);
            if (hex && (lower.size() == 3 || (lower.size() == 4 && lower[3] == u'f'))) {
                colour = u"#";
                for (std::size_t k = 0; k < 3; ++k)
                    colour += Text(2, lower[k]);
            } else if (hex && lower.size() == 6) {
                colour = u"#" + lower;
            } else if (hex && lower.size() == 8 && lower.ends_with(u"ff")) {
                colour = u"#" + lower.substr(0, 6);
            }
            out += colour;
            i = end;
        } else if (IsNameChar(c) && (i == 0 || !IsNameChar(value[i - 1]))) {
            std::size_t end = i;
            while (end < value.size() && IsNameChar(value[end]))
                ++end;
            const Text name = Lower(value.substr(i, end - i));
            if (end < value.size() && value[end] == u'(' &&
                (name == u"rgb" || name == u"rgba" || name == u"hsl" || name == u"hsla")) {
                const std::size_t close = value.find(u')', end);
                if (close != TextView::npos) {
                    if (auto hex = ColourFunction(name, value.substr(end + 1, close - end - 1))) {
                        out += *hex;
                        i = close + 1;
                        continue;
                    }
                }
            }
            out.append(value.substr(i, end - i));
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace brevlin
