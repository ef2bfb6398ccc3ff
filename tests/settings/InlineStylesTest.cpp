// Converted mark-up with the sheet's styles inline, as a rich paste carries it.
#include "settings/InlineStyles.h"
#include "settings/CssReader.h"

#include <gtest/gtest.h>

using namespace brevlin;

namespace {

std::shared_ptr<const StyleSheet> Sheet(std::string_view css) {
    return std::make_shared<const StyleSheet>(CssReader::Read(css));
}

// The styled mark-up without the <pre> around it, in UTF-8.
std::string Body(const std::shared_ptr<const StyleSheet>& sheet, std::string_view markup) {
    InlineStyles styles(sheet);
    Text out;
    styles.Append(FromUtf8(markup), out);
    styles.Finish(out);
    return ToUtf8(out);
}

} // namespace

TEST(InlineStyles, TheWholeFlavourWithTheBundledSheet) {
    EXPECT_EQ(ToUtf8(InlineStyles::Apply(StyleSheet::Bundled(),
                                         u"<span class=\"kw\">int</span> a &lt; b;\n"
                                         u"    <span class=\"cm\">// x</span>")),
              "<meta charset=\"utf-8\"><pre style=\"color: #000000; font-family: Consolas, Menlo, "
              "'DejaVu Sans Mono', 'Courier New', monospace; white-space: pre-wrap\">"
              "<span class=\"kw\" style=\"color: #0033b3; font-weight: bold\">int</span> a &lt; "
              "b;\n    <span class=\"cm\" style=\"color: #5f7a5f; font-style: italic\">// "
              "x</span></pre>");
}

TEST(InlineStyles, OnlyTagsWithAStyledClassChange) {
    const auto sheet = Sheet(".kw { color: #00f } pre { background: #eee; color: #333 }");
    const std::string plain = "<b>x</b> <i style=\"color: red\">y</i> <span class=\"other\">z"
                              "</span> <!-- <span class=\"kw\"> --> <?x <span class=\"kw\">?> "
                              "a < b &amp; <SPAN>";
    EXPECT_EQ(Body(sheet, plain), plain);
    EXPECT_EQ(Body(sheet, "<SPAN CLASS=kw>a</SPAN><br class='kw'/><hr class=\"x kw\" >"
                          "<img class=kw title=a/>"),
              "<SPAN CLASS=kw style=\"color: #0000ff\">a</SPAN><br class='kw' style=\"color: "
              "#0000ff\"/><hr class=\"x kw\" style=\"color: #0000ff\" ><img class=kw title=a/ "
              "style=\"color: #0000ff\">");
    // Of two class attributes, the first counts, as in HTML.
    EXPECT_EQ(Body(sheet, "<span class=other class=kw>"), "<span class=other class=kw>");
    EXPECT_EQ(ToUtf8(InlineStyles(sheet).Head()),
              "<meta charset=\"utf-8\"><pre style=\"background: #eeeeee; color: #333333; "
              "font-family: Consolas, Menlo, 'DejaVu Sans Mono', 'Courier New', monospace; "
              "white-space: pre-wrap\">");
}

TEST(InlineStyles, AStyleAlreadyThereIsMergedAndWins) {
    const auto sheet = Sheet(".kw { color: #00f; font-weight: bold }");
    EXPECT_EQ(Body(sheet, "<span class=\"kw\" style=\"COLOR: red;\">"),
              "<span class=\"kw\" style=\"font-weight: bold; COLOR: red;\">");
    EXPECT_EQ(Body(sheet, "<span style='font-family: \"A B\"' class=kw>"),
              "<span style=\"color: #0000ff; font-weight: bold; font-family: &quot;A "
              "B&quot;\" class=kw>");
    EXPECT_EQ(Body(sheet, "<span class=kw style=\"\">"),
              "<span class=kw style=\"color: #0000ff; font-weight: bold\">");
    EXPECT_EQ(Body(sheet, "<span class=kw style=\"color:red;font-weight:normal\">"),
              "<span class=kw style=\"color:red;font-weight:normal\">");
}

TEST(InlineStyles, TheSheetsValuesAreEscapedForTheAttribute) {
    const auto sheet = Sheet(".kw { font-family: \"A&B <x>\", 'C' }");
    EXPECT_EQ(Body(sheet, "<span class=kw>"),
              "<span class=kw style=\"font-family: &quot;A&amp;B &lt;x&gt;&quot;, 'C'\">");
}

TEST(InlineStyles, PiecesCutAnywhereGiveTheSameResult) {
    const auto sheet = Sheet(".kw { color: #00f } .cm { font-style: italic }");
    const Text markup = u"<span class=\"kw\">int</span> x; <span class='cm' "
                        u"title=\"a>b\">// <!-- c --> &quot;q&quot;</span>\n<i>i</i>";
    InlineStyles whole(sheet);
    Text expected;
    whole.Append(markup, expected);
    whole.Finish(expected);
    EXPECT_NE(expected.find(u"title=\"a>b\" style=\"font-style: italic\""), Text::npos);
    for (std::size_t cut = 0; cut <= markup.size(); ++cut) {
        for (std::size_t second = cut; second <= markup.size(); second += 7) {
            InlineStyles pieces(sheet);
            Text out;
            pieces.Append(TextView(markup).substr(0, cut), out);
            pieces.Append(TextView(markup).substr(cut, second - cut), out);
            pieces.Append(TextView(markup).substr(second), out);
            pieces.Finish(out);
            ASSERT_EQ(out, expected) << "cut at " << cut << " and " << second;
        }
    }
}

TEST(InlineStyles, AnUnfinishedTagIsPassedOnAsItIs) {
    const auto sheet = Sheet(".kw { color: #00f }");
    EXPECT_EQ(Body(sheet, "a <span class=\"kw"), "a <span class=\"kw");
    // Longer than any tag: passed on without waiting, up to its end.
    const std::string longTag =
        "<span class=kw title=\"" + std::string(InlineStyles::MaxTagLength, 'x');
    InlineStyles styles(sheet);
    Text out;
    styles.Append(FromUtf8(longTag), out);
    EXPECT_EQ(ToUtf8(out), longTag);
    styles.Append(u"\">t</span><span class=kw>", out);
    styles.Finish(out);
    EXPECT_EQ(ToUtf8(out), longTag + "\">t</span><span class=kw style=\"color: #0000ff\">");
}
