// The CSS that a paste carries inline: what the reader takes from a sheet, what it leaves out,
// what it refuses, and the cascade over what it took.
#include "settings/CssReader.h"
#include "TestFiles.h"
#include "text/BrevlinError.h"

#include <gtest/gtest.h>

using namespace brevlin;
using namespace brevlin::test;

namespace {

// The style an element gets, as the text of a style attribute, in UTF-8.
std::string Style(const StyleSheet& sheet, std::u16string_view element,
                  std::vector<TextView> classes) {
    return ToUtf8(StyleSheet::StyleText(sheet.StyleOf(element, classes)));
}

std::string Refusal(std::string_view css) {
    try {
        CssReader::Read(css);
    } catch (const BrevlinError& error) {
        EXPECT_EQ(error.Number(), errors::FileFormat);
        return error.Description();
    }
    return "(read)";
}

} // namespace

TEST(CssReader, TheBundledSheetGivesItsLightColoursAndAPreForALightPage) {
    const StyleSheet& sheet = *StyleSheet::Bundled();
    EXPECT_EQ(Style(sheet, u"span", {u"kw"}), "color: #0033b3; font-weight: bold");
    EXPECT_EQ(Style(sheet, u"span", {u"cm"}), "color: #5f7a5f; font-style: italic");
    EXPECT_EQ(Style(sheet, u"span", {u"str"}), "color: #a31515");
    EXPECT_EQ(Style(sheet, u"span", {u"other"}), "");
    // The dark scheme's block is not read: no background, black text.
    EXPECT_EQ(ToUtf8(StyleSheet::StyleText(sheet.PreStyle())),
              "color: #000000; font-family: Consolas, Menlo, 'DejaVu Sans Mono', 'Courier New', "
              "monospace; white-space: pre-wrap");
}

TEST(CssReader, CommentsStringsAndParenthesesHideWhatLooksLikeRules) {
    const StyleSheet sheet =
        CssReader::Read("/* .kw { color: red } } { */\n"
                        ".kw /* between */ { color: /* in */ blue; }\n"
                        ".s { content: \"/* no comment */ }{;\"; color: red }\n"
                        ".q { font-family: 'A;B}', serif }\n"
                        ".u { background: url(a}b.png); color: red }");
    EXPECT_EQ(Style(sheet, u"span", {u"kw"}), "color: blue");
    EXPECT_EQ(Style(sheet, u"span", {u"s"}), "content: \"/* no comment */ }{;\"; color: red");
    EXPECT_EQ(Style(sheet, u"span", {u"q"}), "font-family: 'A;B}', serif");
    EXPECT_EQ(Style(sheet, u"span", {u"u"}), "background: url(a}b.png); color: red");
}

TEST(CssReader, OfASelectorListOnlyWhatItUnderstandsApplies) {
    const StyleSheet sheet = CssReader::Read(
        ".a, .b:hover, pre .c, span.d, div .e, #f, *, [g], .h > .i, .J { color: red }\n"
        "pre, code { background: #fff }\n");
    for (const TextView name : {u"a", u"c", u"J"})
        EXPECT_EQ(Style(sheet, u"span", {name}), "color: red") << ToUtf8(name);
    EXPECT_EQ(Style(sheet, u"span", {u"d"}), "color: red");
    EXPECT_EQ(Style(sheet, u"b", {u"d"}), ""); // span.d is for <span> alone
    for (const TextView name : {u"b", u"e", u"f", u"g", u"h", u"i", u"j"})
        EXPECT_EQ(Style(sheet, u"span", {name}), "") << ToUtf8(name);
    EXPECT_NE(ToUtf8(StyleSheet::StyleText(sheet.PreStyle())).find("background: #ffffff"),
              std::string::npos);
}

TEST(CssReader, AtRulesOtherThanALightScreenAreLeftOut) {
    const StyleSheet sheet = CssReader::Read(
        "@import url(\"x.css\");\n@charset \"utf-8\";\n"
        "@font-face { font-family: X; src: url(x.woff) }\n"
        "@media print { .p { color: red } }\n"
        "@media (prefers-color-scheme: dark) { pre { background: #000 } .kw { color: white } }\n"
        "@media (prefers-color-scheme: light) { .kw { color: navy } }\n"
        "@media screen { .s { color: green } }\n"
        ":root { --accent: red } .v { color: var(--accent); font-weight: bold; --x: 1 }\n");
    EXPECT_EQ(Style(sheet, u"span", {u"kw"}), "color: navy");
    EXPECT_EQ(Style(sheet, u"span", {u"s"}), "color: green");
    EXPECT_EQ(Style(sheet, u"span", {u"p"}), "");
    EXPECT_EQ(Style(sheet, u"span", {u"v"}), "font-weight: bold");
    EXPECT_EQ(ToUtf8(StyleSheet::StyleText(sheet.PreStyle())).find("background"),
              std::string::npos);
}

TEST(CssReader, TheCascadeWeighsImportanceSpecificityAndOrder) {
    const StyleSheet sheet = CssReader::Read("span.kw { color: red; font-weight: bold }\n"
                                             ".kw { color: blue; font-style: italic }\n"
                                             ".kw { font-style: normal }\n"
                                             ".a.b { color: green }\n"
                                             ".imp { color: red !important }\n"
                                             "pre .imp { color: blue; }\n");
    EXPECT_EQ(Style(sheet, u"span", {u"kw"}), "color: red; font-style: normal; font-weight: bold");
    EXPECT_EQ(Style(sheet, u"b", {u"kw"}), "color: blue; font-style: normal");
    EXPECT_EQ(Style(sheet, u"span", {u"a"}), "");
    EXPECT_EQ(Style(sheet, u"span", {u"b", u"a"}), "color: green");
    EXPECT_EQ(Style(sheet, u"span", {u"imp"}), "color: red");
}

TEST(CssReader, ColoursAreWrittenAsHex) {
    const std::pair<const char*, const char*> cases[] = {
        {"rgb(0, 51, 179)", "#0033b3"},
        {"RGB(0 51 179 / 100%)", "#0033b3"},
        {"rgba(255,0,0,1)", "#ff0000"},
        {"rgb(100%, 50%, 0%)", "#ff8000"},
        {"hsl(120, 100%, 25%)", "#008000"},
        {"hsla(0deg 0% 100% / 1)", "#ffffff"},
        {"#ABC", "#aabbcc"},
        {"#0033B3", "#0033b3"},
        {"#abcf", "#aabbcc"},
        {"#11223344", "#11223344"},
        {"rgba(0, 0, 0, 0.5)", "rgba(0, 0, 0, 0.5)"}, // no hex says it: left as it is
        {"1px  solid\n rgb(1,2,3)", "1px solid #010203"},
        {"\"#abc\"", "\"#abc\""},
    };
    for (const auto& [value, hex] : cases)
        EXPECT_EQ(ToUtf8(CssReader::NormalValue(FromUtf8(value))), hex) << value;
}

TEST(CssReader, WhatIsNotCssIsRefusedWithItsLine) {
    EXPECT_EQ(Refusal(".a { color: red }\n/* open"), "2 行目: コメントが閉じていません");
    EXPECT_EQ(Refusal(".a {\n  content: \"open;\n}"), "2 行目: 文字列が閉じていません");
    EXPECT_EQ(Refusal(".a { color: red\n"), "1 行目: 「{」を閉じる「}」がありません");
    EXPECT_EQ(Refusal(".a { color: red } }"), "1 行目: 閉じるブロックのない「}」があります");
    EXPECT_EQ(Refusal("[Language]\nName=C\n"), "1 行目: 規則の「{」がありません");
    EXPECT_EQ(Refusal(std::string(".a { color: red }\0", 18)),
              "1 行目: テキストではありません (NUL 文字があります)");
    // CSS, but nothing in it that a paste can use.
    EXPECT_EQ(Refusal("body { color: red } a:hover { color: blue }"),
              "貼り付けに使える規則 (.クラス名 や pre の規則) がありません");
    EXPECT_EQ(Refusal(""), "貼り付けに使える規則 (.クラス名 や pre の規則) がありません");
}

TEST(CssReader, AFileIsReadOrRefusedByName) {
    TempFolder folder;
    WriteBytes(folder.Path("mine.css"), "\xEF\xBB\xBF.kw { color: #123456 }");
    EXPECT_EQ(Style(*StyleSheet::Load(folder.Path("mine.css")), u"span", {u"kw"}),
              "color: #123456");

    WriteBytes(folder.Path("broken.css"), ".kw { color: red");
    try {
        StyleSheet::Load(folder.Path("broken.css"));
        ADD_FAILURE() << "a broken sheet was read";
    } catch (const BrevlinError& error) {
        EXPECT_NE(error.Description().find("broken.css"), std::string::npos);
        EXPECT_EQ(error.Detail(), "1 行目: 「{」を閉じる「}」がありません");
    }
    EXPECT_THROW(StyleSheet::Load(folder.Path("missing.css")), BrevlinError);
    EXPECT_THROW(StyleSheet::Load(folder.Root()), BrevlinError);
}
