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
    const QString path = folder.Path("Tiny.bvl");
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
