#include "settings/LanguageFile.h"
#include "TestFiles.h"
#include "TinyLanguage.h"
#include "text/BrevlinError.h"

#include <gtest/gtest.h>

using namespace brevlin;
using namespace brevlin::test;

namespace {

const std::string FormatMessage = "ファイル形式が認識できないか、または互換性がありません。";

std::unique_ptr<Language> LoadText(const TempFolder& folder, const std::string& text) {
    const std::filesystem::path path = folder.Path("in.bvl");
    WriteBytes(path, text);
    return LanguageFile::Load(path);
}

std::string Header(const std::string& version = "2.0") {
    return "[Brevlin]\r\nVersion=" + version + "\r\n[Language]\r\nName=L\r\n";
}

// The "Language" lines a language with n keywords k1..kn is written with.
std::string KeywordLines(int n) {
    Language language;
    language.SetName(u"L");
    for (int i = 1; i <= n; ++i)
        language.Keywords().Add(FromUtf8("k" + std::to_string(100 + i)));
    TempFolder folder;
    LanguageFile::Write(language, folder.Path("k.bvl"));
    const std::string file = ReadBytes(folder.Path("k.bvl"));
    std::string lines;
    std::size_t pos = 0;
    while ((pos = file.find("Keywords", pos)) != std::string::npos) {
        const std::size_t end = file.find("\r\n", pos);
        lines += file.substr(pos, end - pos) + "|";
        pos = end;
    }
    return lines;
}

} // namespace

TEST(LanguageFile, TinyIsWrittenByteForByteAndReadBack) {
    TempFolder folder;
    Language tiny;
    FillTiny(tiny);
    const std::filesystem::path path = folder.Path("Tiny.bvl");
    LanguageFile::Write(tiny, path);
    EXPECT_EQ(ReadBytes(path), TinyFile);

    const auto read = LanguageFile::Load(path);
    EXPECT_EQ(read->Name(), u"Tiny");
    EXPECT_EQ(read->StartTag(), u"<b>");
    EXPECT_EQ(read->EndTag(), u"</b>");
    EXPECT_TRUE(read->ReplaceTab());
    EXPECT_EQ(read->TabColumns(), 4);
    EXPECT_FALSE(read->IgnoreCase());
    EXPECT_EQ(read->Keywords().GetAllItems(), tiny.Keywords().GetAllItems());
    ASSERT_EQ(read->Comments().Count(), 2);
    const Comment& string = read->Comments().Item(2);
    EXPECT_EQ(string.ClauseStart(), u"\"");
    EXPECT_EQ(string.ClauseEnd(), u"\"");
    EXPECT_EQ(string.EscapeChar(), u"\\");
    EXPECT_EQ(string.StartTag(), u"<span class=\"str\">");
    EXPECT_EQ(string.MatchPattern(), tiny.Comments().Item(2).MatchPattern());
    EXPECT_EQ(read->Comments().Item(1).ClauseEnd(), u"");
}

TEST(LanguageFile, WritingReplacesTheWholeFile) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("Tiny.bvl");
    WriteBytes(path, "[Old]\r\nStale=1\r\n[Comment9]\r\nClauseStart=x\r\n");
    Language tiny;
    FillTiny(tiny);
    LanguageFile::Write(tiny, path);
    EXPECT_EQ(ReadBytes(path), TinyFile);
}

TEST(LanguageFile, KeywordsAreWrittenInGroupsOfTen) {
    EXPECT_EQ(KeywordLines(0), "");
    EXPECT_EQ(KeywordLines(10), "Keywords1=k101,k102,k103,k104,k105,k106,k107,k108,k109,k110|");
    EXPECT_EQ(KeywordLines(11), "Keywords1=k101,k102,k103,k104,k105,k106,k107,k108,k109,k110|"
                                "Keywords2=k111|");
    const std::string lines = KeywordLines(25);
    EXPECT_NE(lines.find("|Keywords3=k121,k122,k123,k124,k125|"), std::string::npos) << lines;
    EXPECT_EQ(lines.find("Keywords4"), std::string::npos);
}

TEST(LanguageFile, NoRulesWriteNoCommentSection) {
    TempFolder folder;
    Language language;
    language.SetName(u"L");
    LanguageFile::Write(language, folder.Path("l.bvl"));
    EXPECT_EQ(ReadBytes(folder.Path("l.bvl")).find("Comment"), std::string::npos);
}

TEST(LanguageFile, VersionAndNameChecks) {
    TempFolder folder;
    for (const char* version : {"1.0", "1.5", "2.0", " 2 ", "2.0beta"})
        EXPECT_EQ(LoadText(folder, Header(version))->Name(), u"L") << version;
    for (const char* version : {"", "0", "2.1", "2.01", "3", "abc", "0.0"}) {
        try {
            LoadText(folder, Header(version));
            ADD_FAILURE() << "version accepted: " << version;
        } catch (const BrevlinError& error) {
            EXPECT_EQ(error.Number(), errors::FileFormat);
            EXPECT_EQ(error.Description(), FormatMessage);
        }
    }
    EXPECT_THROW(LoadText(folder, "[Language]\r\nName=L\r\n"), BrevlinError);     // no version
    EXPECT_THROW(LoadText(folder, "[Brevlin]\r\nVersion=2.0\r\n"), BrevlinError); // no section
    EXPECT_THROW(LoadText(folder, "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=  \r\n"),
                 BrevlinError);
    // binary junk is refused like any other file that is not a language file
    EXPECT_THROW(LoadText(folder, std::string("\x00\xFF\xFE[\x81\n\x89\x00", 8)), BrevlinError);
}

TEST(LanguageFile, MissingFileIsNamed) {
    TempFolder folder;
    try {
        LanguageFile::Load(folder.Path("nowhere.bvl"));
        FAIL();
    } catch (const BrevlinError& error) {
        EXPECT_EQ(error.Number(), errors::FileNotFound);
        EXPECT_NE(error.Description().find("nowhere.bvl"), std::string::npos);
    }
}

TEST(LanguageFile, KeywordGroupsAreSplitTrimmedAndStopAtAGap) {
    TempFolder folder;
    const auto language = LoadText(folder, Header() + "Keywords1=if, then ,else\r\n"
                                                      "Keywords3=never\r\n");
    EXPECT_EQ(language->Keywords().GetAllItems(), (std::vector<Text>{u"else", u"if", u"then"}));
    const auto empty = LoadText(folder, Header() + "Keywords1=a,,b,\r\nkeywords2=C\r\n");
    EXPECT_EQ(empty->Keywords().GetAllItems(), (std::vector<Text>{u"", u"", u"C", u"a", u"b"}));
}

TEST(LanguageFile, AbsentAndUnconvertibleValues) {
    TempFolder folder;
    // absent ReplaceTab and TabColumns read as False and 4
    const auto defaults = LoadText(folder, Header());
    EXPECT_FALSE(defaults->ReplaceTab());
    EXPECT_EQ(defaults->TabColumns(), 4);
    EXPECT_FALSE(defaults->IgnoreCase());

    // values that do not convert leave the property as it was
    clsINIFile file;
    file.SetFilename(folder.Path("in.bvl"));
    WriteBytes(file.Filename(), Header() + "ReplaceTab=yes\r\nTabColumns=wide\r\n"
                                           "IgnoreCase=\r\n[Comment1]\r\nClauseStart=#\r\n"
                                           "MatchWord=maybe\r\n");
    Language language;
    language.SetReplaceTab(true);
    language.SetTabColumns(8);
    language.SetIgnoreCase(true);
    LanguageFile::Read(file, language);
    EXPECT_TRUE(language.ReplaceTab());
    EXPECT_EQ(language.TabColumns(), 8);
    EXPECT_TRUE(language.IgnoreCase()); // an absent IgnoreCase keeps the setting
    ASSERT_EQ(language.Comments().Count(), 1);
    EXPECT_FALSE(language.Comments().Item(1).MatchWord());

    // numbers convert: booleans from any number, integers rounded half to even
    const auto numbers = LoadText(folder, Header() + "ReplaceTab=-1\r\nTabColumns=2.5\r\n"
                                                     "IgnoreCase=TRUE\r\n");
    EXPECT_TRUE(numbers->ReplaceTab());
    EXPECT_EQ(numbers->TabColumns(), 2);
    EXPECT_TRUE(numbers->IgnoreCase());
}

TEST(LanguageFile, RulesStopAtTheFirstSectionWithoutStartClause) {
    TempFolder folder;
    const auto language = LoadText(folder, Header() + "[comment1]\r\nclausestart=/*\r\n"
                                                      "CLAUSEEND=*/\r\nMatchWord=1\r\n"
                                                      "[Comment2]\r\nClauseStart=\r\n"
                                                      "[Comment3]\r\nClauseStart=#\r\n");
    ASSERT_EQ(language->Comments().Count(), 1);
    const Comment& rule = language->Comments().Item(1);
    EXPECT_EQ(rule.ClauseEnd(), u"*/");
    EXPECT_TRUE(rule.MatchWord());
    EXPECT_FALSE(rule.MatchPattern().empty());
}

TEST(LanguageFile, BlanksAndQuotesAroundValuesDoNotSurvive) {
    TempFolder folder;
    Language language;
    language.SetName(u"L");
    language.SetStartTag(u" <b>");
    language.SetEndTag(u"'x'");
    LanguageFile::Write(language, folder.Path("l.bvl"));
    const auto read = LanguageFile::Load(folder.Path("l.bvl"));
    EXPECT_EQ(read->StartTag(), u"<b>");
    EXPECT_EQ(read->EndTag(), u"x");
}

TEST(LanguageFile, TextOutsideCp932SurvivesInUtf8) {
    TempFolder folder;
    Language language;
    language.SetName(u"言語 ü");
    language.Keywords().Add(u"\U0001F600");
    LanguageFile::Write(language, folder.Path("l.bvl"));
    EXPECT_EQ(ReadBytes(folder.Path("l.bvl")).substr(0, 3), "\xEF\xBB\xBF");
    const auto read = LanguageFile::Load(folder.Path("l.bvl"));
    EXPECT_EQ(read->Name(), u"言語 ü");
    EXPECT_EQ(read->Keywords().Item(1), u"\U0001F600");

    // a name that CP932 holds is written in CP932
    language.SetName(u"言語");
    language.Keywords().Clear();
    LanguageFile::Write(language, folder.Path("j.bvl"));
    EXPECT_NE(ReadBytes(folder.Path("j.bvl")).find("Name=\x8C\xBE\x8C\xEA\r\n"), std::string::npos);
    EXPECT_EQ(LanguageFile::Load(folder.Path("j.bvl"))->Name(), u"言語");
}

TEST(LanguageFile, TwoHundredThousandKeywordsLoadSorted) {
    // 200 000 keywords: loading files each into its sorted place must not be quadratic.
    TempFolder folder;
    std::string text = Header();
    int n = 0;
    for (int group = 1; group <= 20000; ++group) {
        text += "Keywords" + std::to_string(group) + "=";
        for (int i = 0; i < 10; ++i, ++n)
            text += (i ? "," : "") + std::to_string((n * 7919) % 200000);
        text += "\r\n";
    }
    const auto language = LoadText(folder, text);
    ASSERT_EQ(language->Keywords().Count(), 200000);
    const auto items = language->Keywords().GetAllItems();
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
}
