// The paste style sheet's reader on arbitrary bytes, and the styles it gives applied to mark-up:
// a sheet is refused only with a BrevlinError and is never read empty; every class it styles
// gets a style attribute that stays inside its quotes; text with no tags passes unchanged
// between the styled <pre> and its end, and the mark-up styled in two pieces is the mark-up
// styled whole.

#include "settings/CssReader.h"
#include "settings/InlineStyles.h"
#include "text/BrevlinError.h"

#include <cstdio>
#include <cstdlib>

using namespace brevlin;

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "CSS reader: %s\n", what);
    std::abort();
}

Text Styled(const std::shared_ptr<const StyleSheet>& sheet, TextView first, TextView second) {
    InlineStyles styles(sheet);
    Text out;
    styles.Append(first, out);
    styles.Append(second, out);
    styles.Finish(out);
    return out;
}

// A value that stays inside the double quotes of an attribute and inside its tag.
bool Attribute(TextView value) {
    return value.find_first_of(u"\"<>") == TextView::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::shared_ptr<const StyleSheet> sheet;
    try {
        sheet = std::make_shared<const StyleSheet>(
            CssReader::Read(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const BrevlinError&) {
        return 0;
    }
    if (sheet->rules.empty())
        Fail("a sheet was read without a rule");

    const Text head = InlineStyles(sheet).Head();
    const TextView pre = u"<meta charset=\"utf-8\"><pre style=\"";
    if (!head.starts_with(pre) || !head.ends_with(u"\">") ||
        !Attribute(TextView(head).substr(pre.size(), head.size() - pre.size() - 2)))
        Fail("the style of <pre> leaves its quotes");

    Text markup = u"a &amp; b\n    c";
    for (const StyleSheet::Rule& rule : sheet->rules) {
        for (const StyleSheet::Selector& selector : rule.selectors) {
            Text classes;
            for (const Text& name : selector.classes)
                classes += name + u' ';
            const Text tag = u"<span class=\"" + classes + u"\">";
            const Text styled = Styled(sheet, tag, u"");
            // The tag, perhaps with a style attribute in double quotes before its end.
            const TextView open = TextView(tag).substr(0, tag.size() - 1);
            const TextView style = u" style=\"";
            if (styled != tag &&
                (!styled.starts_with(open) ||
                 !TextView(styled).substr(open.size()).starts_with(style) ||
                 !styled.ends_with(u"\">") ||
                 !Attribute(TextView(styled).substr(
                     open.size() + style.size(), styled.size() - open.size() - style.size() - 2))))
                Fail("a class's style leaves its attribute");
            markup += tag + u"x</span>";
        }
    }

    const Text whole = Styled(sheet, markup, u"");
    for (std::size_t cut = 0; cut <= markup.size(); cut += 1 + markup.size() / 16)
        if (Styled(sheet, TextView(markup).substr(0, cut), TextView(markup).substr(cut)) != whole)
            Fail("the mark-up styled in pieces differs from the whole");
    if (InlineStyles::Apply(sheet, u"if (a) {\n    b;\n}") != head + u"if (a) {\n    b;\n}</pre>")
        Fail("text without tags changed");
    return 0;
}
