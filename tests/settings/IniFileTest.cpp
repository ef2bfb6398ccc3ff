#include "TestFiles.h"
#include "settings/TextFileEncoding.h"
#include "settings/clsINIFile.h"
#include "text/BrevlinError.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

using namespace brevlin;
using brevlin::test::ReadBytes;
using brevlin::test::TempFolder;
using brevlin::test::WriteBytes;

namespace {

clsINIFile Open(const std::filesystem::path& path) {
    clsINIFile file;
    file.SetFilename(path);
    return file;
}

} // namespace

TEST(IniFile, ProfileReadingRules) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("a.ini");
    WriteBytes(path, "top=ignored\n"
                     "[Language]\r\n"
                     "  Name =  Tiny  \r\n"
                     "Quoted=\"  kept blanks  \"\r\n"
                     "Single='x'\r\n"
                     "Mixed=\"x'\r\n"
                     "OneQuote=\"\r\n"
                     "Name=second is ignored\r\n"
                     "NoEquals\r\n"
                     "\r\n"
                     "[ language ]\r\n"
                     "Other=later section of the same name is ignored\r\n"
                     "[Comment1]\n"
                     "ClauseStart=//\n");
    clsINIFile file = Open(path);
    EXPECT_EQ(file.ReadString(u"LANGUAGE", u"name", u"d"), u"Tiny");
    EXPECT_EQ(file.ReadString(u"Language", u"Quoted", u"d"), u"  kept blanks  ");
    EXPECT_EQ(file.ReadString(u"Language", u"Single", u"d"), u"x");
    EXPECT_EQ(file.ReadString(u"Language", u"Mixed", u"d"), u"\"x'");
    EXPECT_EQ(file.ReadString(u"Language", u"OneQuote", u"d"), u"\"");
    EXPECT_EQ(file.ReadString(u"Language", u"Other", u"d"), u"d");
    EXPECT_EQ(file.ReadString(u"Language", u"NoEquals", u"d"), u"d");
    EXPECT_EQ(file.ReadString(u"Language", u"top", u"d"), u"d");
    EXPECT_EQ(file.ReadString(u"comment1", u"CLAUSESTART", u"d"), u"//");
    EXPECT_EQ(file.ReadString(u"Missing", u"Name", u"default"), u"default");
}

TEST(IniFile, MissingFileReadsDefaultsAndIsCreatedOnWrite) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("new.ini");
    clsINIFile file = Open(path);
    EXPECT_EQ(file.ReadString(u"A", u"B", u"x"), u"x");
    file.WriteString(u"A", u"B", u"1");
    EXPECT_EQ(ReadBytes(path), "[A]\r\nB=1\r\n");
}

TEST(IniFile, WritesReplaceInPlaceAppendToSectionAndAppendSections) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("a.ini");
    WriteBytes(path, "; a comment\r\n[One]\r\nA=1\r\nB=2\r\n\r\n[Two]\r\nC=3\r\n");
    clsINIFile file = Open(path);
    file.WriteString(u"one", u"a", u"10");  // in place, keeps the file's spelling
    file.WriteString(u"One", u"New", u"x"); // after B, before the blank line
    file.WriteString(u"Three", u"D", u"4"); // a new section at the end
    EXPECT_EQ(ReadBytes(path), "; a comment\r\n[One]\r\nA=10\r\nB=2\r\nNew=x\r\n\r\n"
                               "[Two]\r\nC=3\r\n[Three]\r\nD=4\r\n");
    // Another object sees what this one wrote.
    clsINIFile other = Open(path);
    EXPECT_EQ(other.ReadString(u"ONE", u"new", u""), u"x");
}

TEST(IniFile, LongValuesAreReadWhole) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("long.ini");
    const Text value(100000, u'k');
    clsINIFile file = Open(path);
    file.WriteString(u"S", u"K", value);
    clsINIFile reader = Open(path);
    EXPECT_EQ(reader.ReadString(u"S", u"K", u""), value);
}

TEST(IniFile, SeesChangesMadeByOthersToTheFileUnlessHoldingTheFirstRead) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("a.ini");
    WriteBytes(path, "[S]\nK=old\n");
    clsINIFile file = Open(path);
    clsINIFile held = Open(path);
    held.HoldFirstRead();
    EXPECT_EQ(file.ReadString(u"S", u"K", u""), u"old");
    EXPECT_EQ(held.ReadString(u"S", u"K", u""), u"old");
    WriteBytes(path, "[S]\nK=a newer and longer value\n");
    EXPECT_EQ(file.ReadString(u"S", u"K", u""), u"a newer and longer value");
    EXPECT_EQ(held.ReadString(u"S", u"K", u""), u"old");
}

TEST(IniFile, LineBreaksInValuesAreRefusedNotWritten) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("a.ini");
    clsINIFile file = Open(path);
    file.WriteString(u"S", u"K", u"v");
    EXPECT_THROW(file.WriteString(u"S", u"T", u"<b>\r\n[Comment1]\r\nClauseStart=x"), BrevlinError);
    EXPECT_THROW(file.WriteString(u"S", u"K=", u"v"), BrevlinError);
    EXPECT_EQ(ReadBytes(path), "[S]\r\nK=v\r\n");
}

TEST(IniFile, AFailedWriteIsReported) {
    TempFolder folder;
    clsINIFile file = Open(folder.Path("no such folder/a.ini"));
    try {
        file.WriteString(u"S", u"K", u"v");
        FAIL() << "write into a missing folder reported success";
    } catch (const BrevlinError& error) {
        EXPECT_NE(error.Description().find("no such folder"), std::string::npos);
    }
}

TEST(IniFile, HugeFilesAreRefusedWithoutReadingThemWhole) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("huge.ini");
    WriteBytes(path, "");
    std::filesystem::resize_file(path, clsINIFile::MaxFileSize + 1);
    clsINIFile file = Open(path);
    EXPECT_THROW(file.ReadString(u"S", u"K", u""), BrevlinError);
}

TEST(IniFileEncoding, ReadingChoosesUtf8OrCp932) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("a.ini");
    clsINIFile file = Open(path);
    // CP932: "言語" is 0x8C 0xBE 0x8C 0xEA
    WriteBytes(path, "[L]\r\nName=\x8C\xBE\x8C\xEA\r\n");
    EXPECT_EQ(file.ReadString(u"L", u"Name", u""), u"言語");
    // valid UTF-8 with non-ASCII bytes
    WriteBytes(path, "[L]\r\nName=\xE8\xA8\x80\xE8\xAA\x9E!\r\n");
    EXPECT_EQ(file.ReadString(u"L", u"Name", u""), u"言語!");
    // a byte-order mark
    WriteBytes(path, "\xEF\xBB\xBF[L]\r\nName=\xF0\x9F\x98\x80\r\n\r\n");
    EXPECT_EQ(file.ReadString(u"L", u"Name", u""), u"\U0001F600");
    // UTF-16 with its byte-order mark, as Windows editors save "Unicode"
    const std::u16string wide = u"[L]\r\nName=言語\U0001F600\r\n";
    std::string little = "\xFF\xFE";
    std::string big = "\xFE\xFF";
    for (const char16_t c : wide) {
        little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    for (const std::string& bytes : {little, big, little + "x"}) {
        WriteBytes(path, bytes);
        EXPECT_EQ(Open(path).ReadString(u"L", u"Name", u""), u"言語\U0001F600");
    }
}

TEST(IniFileEncoding, WritingKeepsEveryCharacter) {
    // CP932 when it can hold the text
    EXPECT_EQ(TextFileEncoding::Encode(u"言語"), "\x8C\xBE\x8C\xEA");
    EXPECT_EQ(TextFileEncoding::Encode(u"a\\b"), "a\\b");
    // otherwise UTF-8 with a byte-order mark
    EXPECT_EQ(TextFileEncoding::Encode(u"ü\U0001F600"), "\xEF\xBB\xBF\xC3\xBC\xF0\x9F\x98\x80");
    // half-width katakana whose CP932 bytes happen to be valid UTF-8 ("ﾂ｡" is C2 A1) must not
    // come back as something else
    for (const Text& text : {Text(u"ﾂ｡"), Text(u"言語"), Text(u"ü€"), Text(u"x\u00A5y")}) {
        EXPECT_EQ(TextFileEncoding::Decode(TextFileEncoding::Encode(text)), text) << ToUtf8(text);
    }
}

TEST(IniFileEncoding, Utf8Validation) {
    EXPECT_TRUE(Utf8::IsValid("a\xC3\xBC\xE8\xA8\x80\xF0\x9F\x98\x80"));
    EXPECT_FALSE(Utf8::IsValid("\xC0\x80"));         // overlong
    EXPECT_FALSE(Utf8::IsValid("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(Utf8::IsValid("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(Utf8::IsValid("\xE8\xA8"));         // cut short
}

TEST(IniFile, ALoneCarriageReturnEndsALineSoEveryValueReadCanBeWrittenAgain) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("a.ini");
    WriteBytes(path, "[Language]\rName=a\rStartTag=<b\rx>\r\r\nEndTag=</b>\n");
    clsINIFile file = Open(path);
    EXPECT_EQ(file.ReadString(u"Language", u"Name", u""), u"a");
    EXPECT_EQ(file.ReadString(u"Language", u"StartTag", u""), u"<b");
    EXPECT_EQ(file.ReadString(u"Language", u"x>", u"none"), u"none");
    EXPECT_EQ(file.ReadString(u"Language", u"EndTag", u""), u"</b>");
    const Text tag = file.ReadString(u"Language", u"StartTag", u"");
    EXPECT_NO_THROW(file.WriteString(u"Language", u"StartTag", tag));
}

TEST(IniFile, TextWithAnUnpairedSurrogateIsWrittenAsUtf16AndReadBackWhole) {
    const Text text = u"[Language]\r\nName=a\xD800z\r\nEndTag=\xDC00\r\n";
    const std::string bytes = TextFileEncoding::Encode(text);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(TextFileEncoding::Decode(bytes), text);
    // Paired surrogates still go as UTF-8.
    EXPECT_EQ(TextFileEncoding::Encode(u"\U0001F600").substr(0, 3), "\xEF\xBB\xBF");
}
