// Runs the real brevlin command against a settings store in a temporary folder.
#include "CommandFixture.h"

namespace fs = std::filesystem;
using brevlin::test::CommandResult;

namespace {

// Tiny as the language file writer produces it.
const std::string TinyFile = "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=Tiny\r\n"
                             "StartTag=<b>\r\nEndTag=</b>\r\nReplaceTab=True\r\nTabColumns=4\r\n"
                             "IgnoreCase=False\r\n"
                             "Keywords1=and,break,case,do,else,fn,for,if,in,let\r\n"
                             "Keywords2=loop,not,or,return,while\r\n"
                             "[Comment1]\r\nClauseStart=//\r\nClauseEnd=\r\nEscapeChar=\r\n"
                             "MatchWord=False\r\nStartTag=<i>\r\nEndTag=</i>\r\n"
                             "[Comment2]\r\nClauseStart=\"\r\nClauseEnd=\"\r\nEscapeChar=\\\r\n"
                             "MatchWord=False\r\nStartTag=<span class=\"str\">\r\n"
                             "EndTag=</span>\r\n";

using SettingsCommands = brevlin::test::CommandFixture;

} // namespace

TEST_F(SettingsCommands, ImportListConvertExportRoundTrip) {
    EXPECT_EQ(Run("list").out, ""); // first start: no file, no languages
    EXPECT_FALSE(fs::exists(m_store));

    Write("tiny.bvl", TinyFile);
    Write("c.bvl", Read(std::string(BREVLIN_TEST_DATA) + "/example.bvl"));
    ASSERT_EQ(Run("import tiny.bvl").status, 0) << m_stderr;
    ASSERT_EQ(Run("import c.bvl").status, 0) << m_stderr;
    EXPECT_EQ(Run("list").out, "Tiny\nExample\n");

    const fs::path source = Write("in.tiny", "let s = \"a<b\\\"\" // x & y\n\tif\n");
    const CommandResult stored = Run("convert --language Tiny in.tiny");
    EXPECT_EQ(stored.status, 0) << m_stderr;
    EXPECT_EQ(stored.out, Run("convert --bvl tiny.bvl in.tiny").out);
    EXPECT_EQ(stored.out, "<b>let</b> s = <span class=\"str\">&quot;a&lt;b\\&quot;&quot;</span> "
                          "<i>// x &amp; y</i>\n    <b>if</b>\n");

    ASSERT_EQ(Run("export Tiny").status, 0) << m_stderr;
    EXPECT_EQ(Read(m_dir / "work" / "Tiny.bvl"), TinyFile);
#ifndef _WIN32
    // No folder "out" (Windows takes "out\.." away before it looks).
    ASSERT_EQ(Run("export Example out/../exported.bvl").status, 1);
#endif
    ASSERT_EQ(Run("export Example exported.bvl").status, 0) << m_stderr;
    EXPECT_NE(Read(m_dir / "work" / "exported.bvl").find("Name=Example\r\n"), std::string::npos);
}

TEST_F(SettingsCommands, ImportOfAnExistingNameNeedsReplace) {
    Write("tiny.bvl", TinyFile);
    ASSERT_EQ(Run("import tiny.bvl").status, 0) << m_stderr;
    Write("other.bvl", "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=Other\r\n");
    ASSERT_EQ(Run("import other.bvl").status, 0) << m_stderr;
    const std::string before = Store();

    Write("tiny2.bvl", "[Brevlin]\r\nVersion=1.0\r\n[Language]\r\nName=Tiny\r\n"
                       "StartTag=<em>\r\nKeywords1=only\r\n");
    const CommandResult refused = Run("import tiny2.bvl");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(m_stderr.find("Tiny"), std::string::npos) << m_stderr;
    EXPECT_NE(m_stderr.find("--replace"), std::string::npos) << m_stderr;
    EXPECT_EQ(Store(), before);

    ASSERT_EQ(Run("import --replace tiny2.bvl").status, 0) << m_stderr;
    EXPECT_EQ(Run("list").out, "Tiny\nOther\n"); // replaced in place
    Run("export Tiny back.bvl");
    const std::string back = Read(m_dir / "work" / "back.bvl");
    EXPECT_NE(back.find("StartTag=<em>\r\n"), std::string::npos);
    EXPECT_NE(back.find("Keywords1=only\r\n"), std::string::npos);
    EXPECT_EQ(back.find("Comment1"), std::string::npos); // the old rules are gone
}

TEST_F(SettingsCommands, RefusedFilesLeaveTheStoreAlone) {
    Write("v3.bvl", "[Brevlin]\r\nVersion=3\r\n[Language]\r\nName=X\r\n");
    EXPECT_EQ(Run("import v3.bvl").status, 1);
    EXPECT_NE(m_stderr.find("ファイル形式が認識できないか、または互換性がありません。"),
              std::string::npos);
    EXPECT_EQ(Run("import missing.bvl").status, 1);
    EXPECT_NE(m_stderr.find("missing.bvl"), std::string::npos);
    // a 50 MB file is refused without being read whole
    fs::resize_file(Write("huge.bvl", "[Brevlin]\r\nVersion=2.0\r\n"), 50 * 1024 * 1024);
    EXPECT_EQ(Run("import huge.bvl").status, 1);
    EXPECT_FALSE(fs::exists(m_store));
    EXPECT_EQ(Run("import").status, 2);
    EXPECT_EQ(Run("import a.bvl b.bvl").status, 2);
}

TEST_F(SettingsCommands, ConvertWithTheStoredSwitch) {
    fs::create_directories(m_store.parent_path());
    std::ofstream(m_store) << "Windows Registry Editor Version 5.00\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin]\n"
                              "\"LangCount\"=dword:00000001\n"
                              "\"OptimizeTags\"=dword:00000001\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin\\1]\n"
                              "@=\"C/C++\"\n\"StartTag\"=\"<b>\"\n\"EndTag\"=\"</b>\"\n"
                              "\"Keywords\"=str(7):\"static\\0int\\0\"\n";
    Write("in.c", "static int x;\n");
    EXPECT_EQ(Run("convert --language C/C++ in.c").out, "<b>static int</b> x;\n") << m_stderr;
    EXPECT_EQ(Run("convert --no-optimize-tags --language C/C++ in.c").out,
              "<b>static</b> <b>int</b> x;\n");
    EXPECT_EQ(Run("convert --optimize-tags --language C/C++ in.c").out, "<b>static int</b> x;\n");

    EXPECT_EQ(Run("convert --language Nope in.c").status, 1);
    EXPECT_NE(m_stderr.find("Nope"), std::string::npos);
    EXPECT_EQ(Run("convert --language C/C++ --bvl x.bvl in.c").status, 2);
    EXPECT_EQ(Run("convert --optimize-tags --no-optimize-tags --language C/C++ in.c").status, 2);

    // export proposes the name without the characters a file name cannot hold
    ASSERT_EQ(Run("export C/C++").status, 0) << m_stderr;
    EXPECT_TRUE(fs::exists(m_dir / "work" / "CC++.bvl"));
}

TEST_F(SettingsCommands, DamagedStoresAreReportedNotOverwritten) {
    fs::create_directories(m_store.parent_path());
    const std::string damaged = "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin]\n"
                                "\"LangCount\"=dword:00000001\n"
                                "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin\\1]\n"
                                "@=\"NoKeywords\"\n";
    std::ofstream(m_store, std::ios::binary) << damaged;
    EXPECT_EQ(Run("list").status, 1);
    EXPECT_NE(m_stderr.find("Keywords"), std::string::npos) << m_stderr;

    Write("tiny.bvl", TinyFile);
    EXPECT_EQ(Run("import tiny.bvl").status, 1);
    EXPECT_EQ(Store(), damaged);

    std::ofstream(m_store, std::ios::binary) << "[HKEY_CURRENT_USER\\Software]\n\"broken\n";
    EXPECT_EQ(Run("list").status, 1);
    EXPECT_NE(m_stderr.find(m_store.string() + ":2:"), std::string::npos) << m_stderr;
    EXPECT_EQ(Run("import tiny.bvl").status, 1);
    EXPECT_EQ(Store(), "[HKEY_CURRENT_USER\\Software]\n\"broken\n");
}

TEST_F(SettingsCommands, KeywordListsImportAsLanguagesAndReplaceOnlyKeywords) {
    Write("words.txt", "alpha\nbeta\n");
    ASSERT_EQ(Run("import words.txt").status, 0) << m_stderr;
    EXPECT_EQ(Run("list").out, "words\n");
    Write("in.txt", "alpha gamma beta\n");
    EXPECT_EQ(Run("convert --language words in.txt").out,
              "<span class=\"kw\">alpha</span> gamma <span class=\"kw\">beta</span>\n");

    Write("words2.bvl", "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=words\r\n"
                        "StartTag=<b>\r\nEndTag=</b>\r\n[Comment1]\r\nClauseStart=#\r\n"
                        "StartTag=<i>\r\nEndTag=</i>\r\n");
    ASSERT_EQ(Run("import --replace words2.bvl").status, 0) << m_stderr;
    Write("words.txt", "gamma\n");
    EXPECT_EQ(Run("import words.txt").status, 1); // the name exists
    EXPECT_NE(m_stderr.find("--replace"), std::string::npos) << m_stderr;
    ASSERT_EQ(Run("import --replace words.txt").status, 0) << m_stderr;
    Write("in.txt", "alpha gamma # note\n");
    EXPECT_EQ(Run("convert --language words in.txt").out, "alpha <b>gamma</b> <i># note</i>\n");

    Write("bad.txt", "two words\n");
    const std::string before = Store();
    EXPECT_EQ(Run("import bad.txt").status, 1);
    EXPECT_NE(m_stderr.find("bad.txt"), std::string::npos) << m_stderr;
    EXPECT_EQ(Store(), before);
}

TEST_F(SettingsCommands, NamesFoundIgnoringCaseAndTheStoredOnesShownWhenNot) {
    // None stored: a note for the user, nothing for a script reading the names.
    const CommandResult none = Run("list");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(m_stderr.find("言語設定がありません。"), std::string::npos) << m_stderr;
    EXPECT_EQ(Run("convert --language Tiny in.c").status, 1);
    EXPECT_NE(m_stderr.find("言語設定がまだありません"), std::string::npos) << m_stderr;

    Write("tiny.bvl", TinyFile);
    ASSERT_EQ(Run("import tiny.bvl").status, 0) << m_stderr;
    Write("c.bvl", Read(std::string(BREVLIN_TEST_DATA) + "/example.bvl"));
    ASSERT_EQ(Run("import c.bvl").status, 0) << m_stderr;
    EXPECT_EQ(Run("list").out, "Tiny\nExample\n");
    EXPECT_EQ(m_stderr, "");

    Write("in.c", "if x\n");
    EXPECT_EQ(Run("convert --language TINY in.c").out, "<b>if</b> x\n") << m_stderr;
    ASSERT_EQ(Run("export example").status, 0) << m_stderr;
    EXPECT_TRUE(fs::exists(m_dir / "work" / "Example.bvl"));

    EXPECT_EQ(Run("convert --language Tinny in.c").status, 1);
    EXPECT_NE(m_stderr.find("言語設定「Tinny」はありません。"), std::string::npos) << m_stderr;
    EXPECT_NE(m_stderr.find("「Tiny」「Example」"), std::string::npos) << m_stderr;

    // Two that differ only in case: the exact name still counts, a third spelling is refused.
    Write("tiny-upper.bvl", "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=TINY\r\n"
                            "StartTag=<u>\r\nEndTag=</u>\r\nKeywords1=if\r\n");
    ASSERT_EQ(Run("import tiny-upper.bvl").status, 0) << m_stderr;
    EXPECT_EQ(Run("convert --language TINY in.c").out, "<u>if</u> x\n");
    EXPECT_EQ(Run("convert --language Tiny in.c").out, "<b>if</b> x\n");
    EXPECT_EQ(Run("convert --language tiny in.c").status, 1);
    EXPECT_NE(m_stderr.find("「Tiny」「TINY」"), std::string::npos) << m_stderr;
}

TEST_F(SettingsCommands, ExportGoesIntoAFolderButNeverOverTheStore) {
    Write("tiny.bvl", TinyFile);
    ASSERT_EQ(Run("import tiny.bvl").status, 0) << m_stderr;
    fs::create_directories(m_dir / "work" / "out");
    ASSERT_EQ(Run("export Tiny out/").status, 0) << m_stderr;
    EXPECT_EQ(Read(m_dir / "work" / "out" / "Tiny.bvl"), TinyFile);
    fs::remove(m_dir / "work" / "out" / "Tiny.bvl");
    ASSERT_EQ(Run("export Tiny " + Quote(m_dir / "work" / "out")).status, 0) << m_stderr;
    EXPECT_EQ(Read(m_dir / "work" / "out" / "Tiny.bvl"), TinyFile);
    EXPECT_EQ(Run("export Tiny missing/").status, 1);

    // The store is read by the command: writing the file over it would lose every language.
    const std::string store = Store();
    EXPECT_EQ(Run("export Tiny " + Quote(m_store)).status, 1);
    EXPECT_NE(m_stderr.find("設定ファイルと同じファイルです"), std::string::npos) << m_stderr;
    EXPECT_EQ(Run("export Tiny " + Quote(m_store.parent_path() / "." / "settings.reg")).status, 1);
    Write("in.c", "if\n");
    EXPECT_EQ(Run("convert --language Tiny -o " + Quote(m_store) + " in.c").status, 1);
    EXPECT_EQ(Store(), store);
    EXPECT_EQ(Run("list").out, "Tiny\n");
}

TEST_F(SettingsCommands, RefusedLanguageFilesSayWhereAndWhy) {
    const std::string refused = "ファイル形式が認識できないか、または互換性がありません。: ";
    const struct {
        std::string content;
        std::string detail;
    } files[] = {
        {"[Brevlin]\r\nVersion=3\r\n[Language]\r\nName=X\r\n",
         "2 行目の Version=3 は読めない版です"},
        {"; made by hand\r\n[Brevlin]\r\nversion = abc\r\n[Language]\r\nName=X\r\n",
         "3 行目の Version=abc は読めない版です"},
        {"[Language]\r\nName=X\r\n", "[Brevlin] に Version がありません"},
        {"[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=\r\n", "4 行目の Name が空です"},
        {"[Brevlin]\r\nVersion=2.0\r\n\r\n[language]\r\nStartTag=<b>\r\n",
         "[Language] (4 行目) に Name がありません"},
        {"[Brevlin]\r\nVersion=2.0\r\n", "[Language] セクションがありません"},
    };
    for (const auto& file : files) {
        Write("bad.bvl", file.content);
        for (const std::string command : {"import bad.bvl", "convert --bvl bad.bvl bad.bvl"}) {
            EXPECT_EQ(Run(command).status, 1) << command;
            EXPECT_NE(m_stderr.find("brevlin: " + refused), std::string::npos) << m_stderr;
            EXPECT_NE(m_stderr.find("bad.bvl: " + file.detail), std::string::npos) << m_stderr;
        }
    }
    EXPECT_FALSE(fs::exists(m_store));
}

namespace {

// Whether UTF-8 `text` holds a kana, a kanji or a full-width form: lead bytes E3 to E9 start
// U+3000 to U+9FFF, EF BC to EF BF the full-width forms.
bool HasJapanese(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c >= 0xE3 && c <= 0xE9) ||
            (c == 0xEF && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0xBC))
            return true;
    }
    return false;
}

} // namespace

TEST_F(SettingsCommands, EnglishMessagesHoldNoJapanese) {
    SetLanguage("en");
    Write("tiny.bvl", TinyFile);
    Write("v3.bvl", "[Brevlin]\r\nVersion=3\r\n[Language]\r\nName=X\r\n");
    Write("bad.txt", "two words\n");
    Write("in.c", "if x\n");
    const std::vector<std::pair<std::string, std::string>> failures{
        {"list", "There are no languages."},
        {"convert --language Tiny in.c", "There is no language \"Tiny\". There are no languages"},
        {"import missing.bvl", "File not found: "},
        {"import v3.bvl", "The file format is not recognized or not compatible.: "},
        {"import bad.txt", "Line 1 of the keyword list holds a space"},
        {"import tiny.bvl", ""},
        {"import tiny.bvl", "The language \"Tiny\" already exists. To replace it, give --replace."},
        {"convert --language Tinny in.c", "Stored languages: \"Tiny\""},
        {"convert --language Tiny -o in.c in.c", "The output is the same file as the input file"},
        {"convert --language Tiny --inline-styles --stylesheet in.c in.c",
         "Cannot read this as a style sheet: "},
        {"export Tiny " + (m_store).string(), "the same file as the settings file"},
    };
    for (const auto& [command, expected] : failures) {
        Run(command);
        EXPECT_NE(m_stderr.find(expected), std::string::npos) << command << ": " << m_stderr;
        EXPECT_FALSE(HasJapanese(m_stderr)) << command << ": " << m_stderr;
    }
    // The language names, the user's own, stay as they are.
    Write("jp.bvl", "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=日本語\r\nKeywords1=if\r\n");
    ASSERT_EQ(Run("import jp.bvl").status, 0) << m_stderr;
    Run("convert --language Nope in.c");
    EXPECT_NE(m_stderr.find("Stored languages: \"Tiny\", \"日本語\""), std::string::npos)
        << m_stderr;
}
