#include "settings/SettingsLayout.h"
#include "TestStore.h"
#include "TinyLanguage.h"

#include <gtest/gtest.h>

using namespace brevlin;
using namespace brevlin::test;

namespace {

const Text Root = u"HKCU\\Software\\Morvane\\Brevlin";
const std::string FileRoot = "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin";

struct Loaded {
    Languages languages;
    bool beep = false;
    bool optimize = false;
    SettingsLayout::Extras extras;
};

Loaded Load(clsRegistry& registry) {
    Loaded loaded;
    SettingsLayout::LoadSettings(registry, loaded.languages, loaded.beep, loaded.optimize,
                                 &loaded.extras);
    return loaded;
}

// Three languages: a, b (with three rules) and c (with two rules).
Languages ThreeLanguages() {
    Languages languages;
    for (const char16_t* name : {u"a", u"b", u"c"})
        languages.Add(name);
    for (int j = 1; j <= 3; ++j)
        languages.Item(2).Comments().Add().SetClauseStart(u"b" + Text(1, u'0' + j));
    for (int j = 1; j <= 2; ++j)
        languages.Item(3).Comments().Add().SetClauseStart(u"c" + Text(1, u'0' + j));
    return languages;
}

} // namespace

TEST(SettingsLayout, FirstStartWithoutAFile) {
    TestRegistry t;
    Loaded loaded;
    loaded.beep = loaded.optimize = true;
    loaded.languages.Add(u"stale");
    SettingsLayout::LoadSettings(*t.registry, loaded.languages, loaded.beep, loaded.optimize);
    EXPECT_EQ(loaded.languages.Count(), 0);
    EXPECT_FALSE(loaded.beep);
    EXPECT_FALSE(loaded.optimize);
    EXPECT_FALSE(std::filesystem::exists(t.path));
}

TEST(SettingsLayout, SaveAndLoadKeepEverythingInOneReplacement) {
    TestRegistry t;
    Languages languages;
    FillTiny(languages.Add(u"Tiny"));
    Language& second = languages.Add(u"日本語 \U0001F600");
    second.SetIgnoreCase(true);
    second.SetTabColumns(8);
    second.Keywords().Add(u"ключ");
    second.Comments().Add().SetClauseStart(u"REM");
    second.Comments().Item(1).SetMatchWord(true);

    SettingsLayout::SaveSettings(*t.registry, languages, true, false);
    EXPECT_EQ(t.store->replacements, 1);

    const Loaded loaded = Load(*t.registry);
    EXPECT_TRUE(loaded.beep);
    EXPECT_FALSE(loaded.optimize);
    ASSERT_EQ(loaded.languages.Count(), 2);
    const Language& tiny = loaded.languages.Item(1);
    EXPECT_EQ(tiny.Name(), u"Tiny");
    EXPECT_EQ(tiny.StartTag(), u"<b>");
    EXPECT_TRUE(tiny.ReplaceTab());
    EXPECT_EQ(tiny.Keywords().GetAllItems(), languages.Item(1).Keywords().GetAllItems());
    ASSERT_EQ(tiny.Comments().Count(), 2);
    EXPECT_EQ(tiny.Comments().Item(2).EscapeChar(), u"\\");
    EXPECT_EQ(tiny.Comments().Item(2).StartTag(), u"<span class=\"str\">");
    const Language& other = loaded.languages.Item(2);
    EXPECT_EQ(other.Name(), u"日本語 \U0001F600");
    EXPECT_TRUE(other.IgnoreCase());
    EXPECT_EQ(other.TabColumns(), 8);
    EXPECT_EQ(other.Keywords().Item(1), u"ключ"); // no code page loss
    EXPECT_TRUE(other.Comments().Item(1).MatchWord());

    // the layout of the file, values in the order of the save
    EXPECT_TRUE(t.Contains(FileRoot + "\\1]\n@=\"Tiny\"\n\"StartTag\"=\"<b>\"\n"
                                      "\"EndTag\"=\"</b>\"\n\"IgnoreCase\"=dword:00000000\n"
                                      "\"ReplaceTab\"=dword:ffffffff\n"
                                      "\"TabColumns\"=dword:00000004\n\"Keywords\"=str(7):"));
    EXPECT_TRUE(t.Contains(FileRoot + "\\1\\1]\n\"ClauseStart\"=\"//\"\n\"ClauseEnd\"=\"\"\n"
                                      "\"MatchWord\"=dword:00000000\n\"EscapeChar\"=\"\"\n"
                                      "\"StartTag\"=\"<i>\"\n\"EndTag\"=\"</i>\"\n"));
    EXPECT_TRUE(t.Contains(FileRoot + "]\n\"LangCount\"=dword:00000002\n"
                                      "\"BeepOnProcess\"=dword:ffffffff\n"
                                      "\"OptimizeTags\"=dword:00000000\n"));
}

TEST(SettingsLayout, DeletingTheFirstOfThreeRenumbersAndRemovesTheLastKey) {
    TestRegistry t;
    Languages languages = ThreeLanguages();
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    ASSERT_TRUE(t.Contains(FileRoot + "\\3\\2]"));

    languages.Remove(1);
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    EXPECT_FALSE(t.Contains(FileRoot + "\\3]"));
    EXPECT_FALSE(t.Contains(FileRoot + "\\3\\"));
    EXPECT_TRUE(t.Contains(FileRoot + "\\1\\3]")); // "b" with its three rules, now key 1
    EXPECT_TRUE(t.Contains("\"LangCount\"=dword:00000002\n"));
    EXPECT_FALSE(t.Contains(FileRoot + "\\2\\3]")); // "c", now key 2, has two rules
    const Loaded loaded = Load(*t.registry);
    ASSERT_EQ(loaded.languages.Count(), 2);
    EXPECT_EQ(loaded.languages.Item(1).Name(), u"b");
    EXPECT_EQ(loaded.languages.Item(1).Comments().Count(), 3);
    EXPECT_EQ(loaded.languages.Item(2).Name(), u"c");
    EXPECT_EQ(loaded.languages.Item(2).Comments().Item(2).ClauseStart(), u"c2");
}

TEST(SettingsLayout, DeletingARuleRemovesItsKey) {
    TestRegistry t;
    Languages languages = ThreeLanguages();
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    languages.Item(2).Comments().Remove(2);
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    EXPECT_FALSE(t.Contains(FileRoot + "\\2\\3]"));
    const Loaded loaded = Load(*t.registry);
    const Language& b = loaded.languages.Item(2);
    ASSERT_EQ(b.Comments().Count(), 2);
    EXPECT_EQ(b.Comments().Item(2).ClauseStart(), u"b3");
}

TEST(SettingsLayout, ValuesWrittenByOthersAndAbsentValues) {
    TestRegistry t;
    WriteBytes(t.path, FileRoot.substr(0) +
                           "]\n\"LangCount\"=dword:00000001\n"
                           "\"BeepOnProcess\"=dword:00000001\n"
                           "\"Unknown\"=\"kept\"\n" +
                           FileRoot +
                           "\\1]\n@=\"L\"\n\"Keywords\"=str(7):\"\"\n"
                           "\"Extra\"=dword:00000005\n");
    Loaded loaded = Load(*t.registry);
    EXPECT_TRUE(loaded.beep); // a DWORD 1 is true
    ASSERT_EQ(loaded.languages.Count(), 1);
    const Language& language = loaded.languages.Item(1);
    EXPECT_EQ(language.TabColumns(), 4); // absent
    EXPECT_EQ(language.Comments().Count(), 0);
    EXPECT_EQ(language.Keywords().Count(), 0);
    EXPECT_FALSE(language.IgnoreCase());

    SettingsLayout::SaveSettings(*t.registry, loaded.languages, loaded.beep, loaded.optimize);
    EXPECT_TRUE(t.Contains("\"BeepOnProcess\"=dword:ffffffff\n")); // written back as -1
    EXPECT_TRUE(t.Contains("\"Unknown\"=\"kept\"\n"));
    EXPECT_TRUE(t.Contains("\"Extra\"=dword:00000005\n"));
    EXPECT_TRUE(t.Contains("\"Keywords\"=str(7):\"\"\n"));
}

TEST(SettingsLayout, KeywordsComeBackSorted) {
    TestRegistry t;
    Languages languages;
    Language& language = languages.Add(u"L");
    for (const char16_t* keyword : {u"b", u"c", u"d"})
        language.Keywords().Add(keyword);
    language.Keywords().SetItem(1, u"z"); // z, c, d
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    EXPECT_TRUE(t.Contains("\"Keywords\"=str(7):\"z\\0c\\0d\\0\"\n")); // stored as listed
    EXPECT_EQ(Load(*t.registry).languages.Item(1).Keywords().GetAllItems(),
              (std::vector<Text>{u"c", u"d", u"z"}));
}

TEST(SettingsLayout, DamagedStoresStopTheLoadNamingTheKeyAndChangeNothing) {
    const std::string header = FileRoot + "]\n\"LangCount\"=dword:00000002\n" + FileRoot +
                               "\\1]\n@=\"A\"\n\"Keywords\"=str(7):\"\"\n" + FileRoot + "\\2]\n";
    const struct {
        std::string tail;
        std::string named;
    } cases[] = {
        {"@=\"B\"\n\"Keywords\"=str(7):\"\"\n\"TabColumns\"=\"wide\"\n", "\\2\\TabColumns"},
        {"@=\"B\"\n", "\\2\\Keywords"},
        {"@=\"B\"\n\"Keywords\"=\"if\"\n", "\\2\\Keywords"},
        {"@=\"A\"\n\"Keywords\"=str(7):\"\"\n", "\\2\\"},
        {"@=\"B\"\n\"Keywords\"=str(7):\"\"\n\"Comments\"=dword:7fffffff\n", "\\2\\Comments"},
    };
    for (const auto& c : cases) {
        TestRegistry t;
        WriteBytes(t.path, header + c.tail);
        const std::string before = t.File();
        Loaded loaded;
        loaded.languages.Add(u"mine");
        loaded.beep = true;
        const std::string error = ErrorText([&] {
            SettingsLayout::LoadSettings(*t.registry, loaded.languages, loaded.beep,
                                         loaded.optimize);
        });
        EXPECT_NE(error.find("Software\\Morvane\\Brevlin" + c.named), std::string::npos) << error;
        EXPECT_EQ(loaded.languages.Count(), 1);
        EXPECT_EQ(loaded.languages.Item(1).Name(), u"mine");
        EXPECT_TRUE(loaded.beep);
        EXPECT_EQ(t.File(), before);
    }
}

TEST(SettingsLayout, AFailedSaveLeavesThePreviousFileWhole) {
    TestRegistry t;
    Languages languages = ThreeLanguages();
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    const std::string before = t.File();

    languages.Remove(1);
    t.store->failReplace = true;
    EXPECT_NE(
        ErrorNumber([&] { SettingsLayout::SaveSettings(*t.registry, languages, true, true); }), 0u);
    EXPECT_EQ(t.File(), before);
    t.store->failReplace = false;
    EXPECT_EQ(Load(*t.registry).languages.Count(), 3);

    // a failure in the middle of the sequence (a rule key that is already gone) stores nothing
    WriteBytes(t.path, before.substr(0, before.find(FileRoot + "\\3\\1]")));
    const std::string damaged = t.File();
    EXPECT_EQ(
        ErrorNumber([&] { SettingsLayout::SaveSettings(*t.registry, languages, true, true); }),
        errors::RegistryNotFound);
    EXPECT_EQ(t.File(), damaged);
}

TEST(SettingsLayout, ASetTooBigToLoadAgainIsNotSaved) {
    TestRegistry t;
    Languages languages = ThreeLanguages();
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    const std::string before = t.File();

    Language& big = languages.Item(3);
    while (big.Comments().Count() <= SettingsLayout::MaxCount)
        big.Comments().Add();
    const std::string error =
        ErrorText([&] { SettingsLayout::SaveSettings(*t.registry, languages, false, false); });
    EXPECT_NE(error.find("Software\\Morvane\\Brevlin\\3\\Comments"), std::string::npos) << error;
    EXPECT_EQ(t.File(), before);
    EXPECT_EQ(Load(*t.registry).languages.Item(3).Comments().Count(), 2);
}

TEST(SettingsLayout, AnUnparseableStoreIsReportedAndKeptWhenSavedOver) {
    TestRegistry t;
    WriteBytes(t.path, FileRoot + "]\n\"LangCount\"=dword:0000000g\n");
    Loaded loaded;
    const std::string error = ErrorText([&] {
        SettingsLayout::LoadSettings(*t.registry, loaded.languages, loaded.beep, loaded.optimize);
    });
    EXPECT_NE(error.find(t.path.string() + ":2:"), std::string::npos) << error;

    SettingsLayout::SaveSettings(*t.registry, ThreeLanguages(), false, false);
    EXPECT_EQ(ReadBytes(t.store->LastBackup()), FileRoot + "]\n\"LangCount\"=dword:0000000g\n");
    EXPECT_EQ(Load(*t.registry).languages.Count(), 3);
}

TEST(SettingsLayout, ASaveOfASetReadEarlierKeepsLanguagesStoredMeanwhile) {
    TestRegistry t;
    SettingsLayout::SaveSettings(*t.registry, ThreeLanguages(), false, false);
    Languages inMemory = Load(*t.registry).languages;
    std::vector<Text> known = SettingsLayout::NamesOf(inMemory);

    // Another program adds "d" with a rule and keywords; here "b" is deleted and "e" added.
    {
        Languages other = Load(*t.registry).languages;
        Language& d = other.Add(u"d");
        d.Keywords().Add(u"kw");
        d.Comments().Add().SetClauseStart(u"//");
        d.SetTabColumns(7);
        SettingsLayout::SaveSettings(*t.registry, other, true, false);
    }
    inMemory.Remove(2);
    inMemory.Add(u"e");
    SettingsLayout::SaveSettingsKeepingAdded(*t.registry, inMemory, known, false, true);

    const Loaded stored = Load(*t.registry);
    EXPECT_EQ(SettingsLayout::NamesOf(stored.languages),
              (std::vector<Text>{u"a", u"c", u"e", u"d"}));
    EXPECT_EQ(known, SettingsLayout::NamesOf(stored.languages));
    const Language& d = *stored.languages.ItemByName(u"d");
    EXPECT_EQ(d.Keywords().GetAllItems(), std::vector<Text>{u"kw"});
    ASSERT_EQ(d.Comments().Count(), 1);
    EXPECT_EQ(d.Comments().Item(1).ClauseStart(), u"//");
    EXPECT_EQ(d.TabColumns(), 7);
    EXPECT_EQ(stored.languages.ItemByName(u"c")->Comments().Count(), 2);
    EXPECT_TRUE(stored.optimize); // the switches are this save's

    // Deleted here after it was seen: it stays deleted.
    inMemory.Remove(inMemory.ItemByName(u"d")->Index());
    SettingsLayout::SaveSettingsKeepingAdded(*t.registry, inMemory, known, false, true);
    EXPECT_EQ(Load(*t.registry).languages.ItemByName(u"d"), nullptr);
}

TEST(SettingsLayout, CountsThatPromiseFarMoreThanTheStoreHoldsAreRefusedSoon) {
    TestRegistry t;
    // What a set of 100000 languages with 100000 rules each would claim, in a few lines.
    WriteBytes(t.path,
               "Windows Registry Editor Version 5.00\n\n" + FileRoot +
                   "]\n\"LangCount\"=dword:000186a0\n\n" + FileRoot +
                   "\\1]\n@=\"a\"\n\"Comments\"=dword:000186a0\n\"Keywords\"=str(7):\"\"\n");
    const std::string before = t.File();
    Loaded loaded;
    loaded.languages.Add(u"kept");
    const std::string error = ErrorText([&] {
        SettingsLayout::LoadSettings(*t.registry, loaded.languages, loaded.beep, loaded.optimize);
    });
    EXPECT_NE(error.find("Software\\Morvane\\Brevlin\\"), std::string::npos) << error;
    EXPECT_EQ(SettingsLayout::NamesOf(loaded.languages), std::vector<Text>{u"kept"});
    EXPECT_EQ(t.File(), before);
}

TEST(SettingsLayout, NewValuesAreWrittenOnlyWhenUsedAndReadAsTheirDefaults) {
    TestRegistry t;
    Languages languages = ThreeLanguages();
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    EXPECT_FALSE(t.Contains("PreviewSample"));
    EXPECT_FALSE(t.Contains("HtmlClipboard"));
    EXPECT_FALSE(Load(*t.registry).extras.htmlClipboard);

    // A sample on "a" only; once "a" is deleted, key 1 ("b" now) must not inherit it.
    languages.Item(1).SetPreviewSample(u"int x; // \"s\"\r\nnext line");
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    Loaded loaded = Load(*t.registry);
    EXPECT_EQ(loaded.languages.Item(1).PreviewSample(), u"int x; // \"s\"\r\nnext line");
    EXPECT_EQ(loaded.languages.Item(2).PreviewSample(), u"");
    languages.Remove(1);
    SettingsLayout::SaveSettings(*t.registry, languages, false, false);
    EXPECT_FALSE(t.Contains("PreviewSample"));
    loaded = Load(*t.registry);
    EXPECT_EQ(loaded.languages.Item(1).Name(), u"b");
    EXPECT_EQ(loaded.languages.Item(1).PreviewSample(), u"");

    SettingsLayout::Extras extras;
    extras.htmlClipboard = true;
    SettingsLayout::SaveExtras(*t.registry, extras);
    EXPECT_TRUE(t.Contains("\"HtmlClipboard\"=dword:ffffffff\n"));
    EXPECT_TRUE(Load(*t.registry).extras.htmlClipboard);
    EXPECT_FALSE(t.Contains("PasteStyleSheet"));

    // The paste's style sheet: stored once chosen, removed when the bundled one is chosen again.
    extras.pasteStyleSheet = u"/home/u/\u30b3\u30fc\u30c9.css";
    SettingsLayout::SaveExtras(*t.registry, extras);
    EXPECT_EQ(Load(*t.registry).extras.pasteStyleSheet, extras.pasteStyleSheet);
    extras.pasteStyleSheet.clear();
    SettingsLayout::SaveExtras(*t.registry, extras);
    EXPECT_FALSE(t.Contains("PasteStyleSheet"));
    EXPECT_EQ(Load(*t.registry).extras.pasteStyleSheet, u"");
}
