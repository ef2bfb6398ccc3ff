#include "settings/LanguageSet.h"
#include "TestFiles.h"
#include "TestStore.h"
#include "TinyLanguage.h"
#include "settings/LanguageFile.h"

#include <gtest/gtest.h>

using namespace brevlin;
using namespace brevlin::test;

namespace {

LanguageSet::ConfirmReplace Answer(bool yes, int* asked = nullptr) {
    return [=](const Text&) {
        if (asked)
            ++*asked;
        return yes;
    };
}

} // namespace

TEST(LanguageSet, StripFileNameChars) {
    EXPECT_EQ(LanguageSet::StripFileNameChars(u"C/C++"), u"CC++");
    EXPECT_EQ(LanguageSet::StripFileNameChars(u"a<b>|c"), u"abc");
    EXPECT_EQ(LanguageSet::StripFileNameChars(u"\\/:,;*?\"<>|言語 x.y"), u"言語 x.y");
}

TEST(LanguageSet, NewLanguagesTakeTheFirstFreeNumber) {
    Languages languages;
    EXPECT_EQ(LanguageSet::AddNewLanguage(languages).Name(), u"新しい言語1");
    EXPECT_EQ(LanguageSet::AddNewLanguage(languages).Name(), u"新しい言語2");
    languages.Item(1).SetName(u"renamed");
    Language& third = LanguageSet::AddNewLanguage(languages);
    EXPECT_EQ(third.Name(), u"新しい言語1");
    EXPECT_EQ(third.Index(), 3);
    EXPECT_EQ(third.TabColumns(), 0);

    Languages gap;
    gap.Add(u"新しい言語1");
    gap.Add(u"新しい言語3");
    EXPECT_EQ(LanguageSet::AddNewLanguage(gap).Name(), u"新しい言語2");
}

TEST(LanguageSet, ExportReplacesTheOldFileWhole) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("Tiny.bvl");
    WriteBytes(path, "[Language]\r\nOld=1\r\n[Comment7]\r\nClauseStart=x\r\n");
    Language tiny;
    FillTiny(tiny);
    LanguageSet::ExportLanguage(tiny, path);
    EXPECT_EQ(ReadBytes(path), TinyFile);
    EXPECT_ANY_THROW(LanguageSet::ExportLanguage(tiny, folder.Path("missing/Tiny.bvl")));
}

TEST(LanguageSet, ImportAddsANewLastLanguage) {
    TempFolder folder;
    WriteBytes(folder.Path("t.bvl"), TinyFile);
    Languages languages;
    languages.Add(u"tiny"); // differs in letter case only: a different name
    int asked = 0;
    const auto result =
        LanguageSet::ImportLanguage(languages, folder.Path("t.bvl"), Answer(true, &asked));
    EXPECT_TRUE(result.added);
    EXPECT_EQ(asked, 0);
    ASSERT_EQ(languages.Count(), 2);
    EXPECT_EQ(result.language, &languages.Item(2));
    EXPECT_EQ(result.language->Index(), 2);
    EXPECT_EQ(result.language->Keywords().Count(), 15);
}

TEST(LanguageSet, ImportOverAnExistingLanguage) {
    TempFolder folder;
    WriteBytes(folder.Path("t.bvl"),
               "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=Tiny\r\nStartTag=<em>\r\n");
    Languages languages;
    languages.Add(u"first");
    Language& existing = languages.Add(u"Tiny");
    FillTiny(existing);
    existing.SetIgnoreCase(true);
    existing.SetTabColumns(8);

    // No: nothing changes
    auto result = LanguageSet::ImportLanguage(languages, folder.Path("t.bvl"), Answer(false));
    EXPECT_EQ(result.language, nullptr);
    EXPECT_EQ(existing.Keywords().Count(), 15);
    EXPECT_EQ(existing.StartTag(), u"<b>");

    // Yes: cleared and refilled in place
    result = LanguageSet::ImportLanguage(languages, folder.Path("t.bvl"), Answer(true));
    EXPECT_FALSE(result.added);
    EXPECT_EQ(result.language, &existing);
    EXPECT_EQ(languages.Count(), 2);
    EXPECT_EQ(existing.Index(), 2);
    EXPECT_EQ(existing.Keywords().Count(), 0);
    EXPECT_EQ(existing.Comments().Count(), 0);
    EXPECT_EQ(existing.StartTag(), u"<em>");
    EXPECT_TRUE(existing.IgnoreCase());  // the file has none: kept
    EXPECT_FALSE(existing.ReplaceTab()); // absent: False
    EXPECT_EQ(existing.TabColumns(), 4); // absent: 4
}

TEST(LanguageSet, RefusedFilesChangeNothing) {
    TempFolder folder;
    Languages languages;
    languages.Add(u"L");
    const std::string files[] = {
        "[Brevlin]\r\nVersion=3\r\n[Language]\r\nName=New\r\n",
        "[Brevlin]\r\nVersion=2.0\r\n",
        std::string(1000, '\0'),
    };
    for (const std::string& text : files) {
        WriteBytes(folder.Path("x.bvl"), text);
        EXPECT_EQ(ErrorNumber([&] {
                      LanguageSet::ImportLanguage(languages, folder.Path("x.bvl"), Answer(true));
                  }),
                  errors::FileFormat);
        EXPECT_EQ(languages.Count(), 1);
    }
    EXPECT_EQ(ErrorNumber([&] {
                  LanguageSet::ImportLanguage(languages, folder.Path("none.bvl"), Answer(true));
              }),
              errors::FileNotFound);
}

TEST(LanguageSet, KeywordListsBecomeLanguagesOrReplaceOnlyTheKeywords) {
    TempFolder folder;
    // UTF-8 with a mark, CR LF and LF, blanks around, a blank line, a repeat.
    WriteBytes(folder.Path("Go words.TXT"), "\xEF\xBB\xBF func\r\npackage\t\n\nfunc\nmap\n");
    Languages languages;
    languages.Add(u"first");
    auto result = LanguageSet::ImportLanguage(languages, folder.Path("Go words.TXT"), Answer(true));
    ASSERT_NE(result.language, nullptr);
    EXPECT_TRUE(result.added);
    EXPECT_EQ(result.language->Name(), u"Go words");
    EXPECT_EQ(result.language->Keywords().GetAllItems(),
              (std::vector<Text>{u"func", u"map", u"package"}));
    EXPECT_EQ(result.language->StartTag(), u"<span class=\"kw\">");
    EXPECT_EQ(result.language->EndTag(), u"</span>");

    // Over a language of that name: the question, then its keywords alone are replaced.
    Language& tiny = languages.Add(u"Tiny");
    FillTiny(tiny);
    const int rules = tiny.Comments().Count();
    // CP932 and UTF-16 read as language files are.
    for (const std::string& bytes :
         {std::string("\x95\xB6\x8E\x9A\r\nnext\r\n"),                        // 文字 in CP932
          std::string("\xFF\xFE\x87\x65\x57\x5B\r\0\n\0n\0e\0x\0t\0", 18)}) { // UTF-16LE
        WriteBytes(folder.Path("Tiny.txt"), bytes);
        int asked = 0;
        const std::vector<Text> before = tiny.Keywords().GetAllItems();
        EXPECT_EQ(
            LanguageSet::ImportLanguage(languages, folder.Path("Tiny.txt"), Answer(false, &asked))
                .language,
            nullptr);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(tiny.Keywords().GetAllItems(), before);
        result = LanguageSet::ImportLanguage(languages, folder.Path("Tiny.txt"), Answer(true));
        EXPECT_EQ(result.language, &tiny);
        EXPECT_FALSE(result.added);
        EXPECT_EQ(tiny.Keywords().GetAllItems(), (std::vector<Text>{u"next", u"文字"}));
        EXPECT_EQ(tiny.StartTag(), u"<b>");
        EXPECT_EQ(tiny.Comments().Count(), rules);
    }
    EXPECT_EQ(languages.Count(), 3);
}

TEST(LanguageSet, KeywordListsThatAreNotListsChangeNothing) {
    TempFolder folder;
    Languages languages;
    languages.Add(u"L");
    for (const std::string& text : {std::string("two words\n"), std::string("\r\n \r\n"),
                                    std::string("[Brevlin]\r\nVersion=2.0\r\nName=x y\r\n")}) {
        WriteBytes(folder.Path("list.txt"), text);
        EXPECT_EQ(ErrorNumber([&] {
                      LanguageSet::ImportLanguage(languages, folder.Path("list.txt"), Answer(true));
                  }),
                  errors::FileFormat)
            << text;
    }
    WriteBytes(folder.Path(".txt"), "word\n"); // no name to give the language
    EXPECT_EQ(ErrorNumber([&] {
                  LanguageSet::ImportLanguage(languages, folder.Path(".txt"), Answer(true));
              }),
              errors::FileFormat);
    EXPECT_EQ(ErrorNumber([&] {
                  LanguageSet::ImportLanguage(languages, folder.Path("none.txt"), Answer(true));
              }),
              errors::FileNotFound);
    EXPECT_EQ(languages.Count(), 1);
}
