#include "platform/registry/RegFile.h"

#include <gtest/gtest.h>

using namespace brevlin::platform;

namespace {

RegistryTree Sample() {
    RegistryTree tree;
    RegistryKey& root = tree.currentUser.Create(u"Software\\Morvane\\Brevlin");
    root.SetValue(u"LangCount", RegistryValue::FromDword(2));
    RegistryKey& second = root.CreateSubkey(u"10"); // natural order: 2 before 10
    second.SetValue(u"", RegistryValue::FromText(u"Tiny"));
    RegistryKey& first = root.CreateSubkey(u"2");
    first.SetValue(u"Keywords", RegistryValue::FromList({u"if", u"int"}));
    first.SetValue(u"", RegistryValue::FromText(u"C \"quoted\" \\ path"));
    first.SetValue(u"Empty", RegistryValue::FromList({}));
    first.SetValue(u"IgnoreCase", RegistryValue::FromDword(0xFFFFFFFF));
    first.SetValue(u"Keywords", RegistryValue::FromList({u"x"})); // keeps its first place
    return tree;
}

std::string ParseError(const std::string& text, std::size_t* line = nullptr) {
    try {
        RegFile::Parse(text);
    } catch (const RegFile::ParseError& error) {
        if (line)
            *line = error.Line();
        return error.what();
    }
    return "parsed";
}

} // namespace

TEST(RegFile, WritesRegistryExportStyle) {
    EXPECT_EQ(RegFile::Serialize(Sample()), "Windows Registry Editor Version 5.00\n"
                                            "\n"
                                            "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin]\n"
                                            "\"LangCount\"=dword:00000002\n"
                                            "\n"
                                            "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin\\2]\n"
                                            "\"Keywords\"=str(7):\"x\\0\"\n"
                                            "@=\"C \\\"quoted\\\" \\\\ path\"\n"
                                            "\"Empty\"=str(7):\"\"\n"
                                            "\"IgnoreCase\"=dword:ffffffff\n"
                                            "\n"
                                            "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin\\10]\n"
                                            "@=\"Tiny\"\n");
}

TEST(RegFile, EveryTextSurvivesARoundTrip) {
    const std::vector<std::u16string> texts{u"",
                                            u"\"",
                                            u"\\",
                                            u"\\0",
                                            u"a\r\nb",
                                            u"tab\there",
                                            std::u16string(1, u'\0'),
                                            u"\x01\x7F",
                                            u"日本語\U0001F600",
                                            u"\xD800 lone",
                                            u"lone \xDC00",
                                            u"]=[@"};
    RegistryTree tree;
    RegistryKey& key = tree.currentUser.Create(u"K");
    for (std::size_t i = 0; i < texts.size(); ++i)
        key.SetValue(texts[i] + u"#" + std::u16string(1, static_cast<char16_t>(u'a' + i)),
                     RegistryValue::FromText(texts[i]));
    key.SetValue(u"list", RegistryValue::FromList(texts));
    RegistryValue binary;
    binary.type = 3;
    binary.bytes = {0, 1, 0xFF};
    key.SetValue(u"binary", binary);

    const std::string text = RegFile::Serialize(tree);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    RegistryTree read = RegFile::Parse(text);
    const RegistryKey* back = read.currentUser.Find(u"k");
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->Values().size(), key.Values().size());
    for (std::size_t i = 0; i < key.Values().size(); ++i) {
        EXPECT_EQ(back->Values()[i].first, key.Values()[i].first);
        EXPECT_TRUE(back->Values()[i].second == key.Values()[i].second) << i;
    }
    EXPECT_EQ(RegFile::Serialize(read), text);
}

TEST(RegFile, ReadsWhatAPersonOrRegeditWrites) {
    const RegistryTree tree =
        RegFile::Parse("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
                       "\r\n"
                       "; hand-written\r\n"
                       "[hkcu\\Software\\Morvane\\Brevlin\\1]\r\n"
                       "  \"TabColumns\" = dword:8\r\n"
                       "\"Keywords\"=hex(7):69,00,66,00,00,00,64,00,6f,00,\\\r\n"
                       "  00,00,00,00\r\n"
                       "\"Raw\"=hex:01,02\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin\\1]\r\n"
                       "@=\"second section of the same key\"\r\n");
    const RegistryKey* key = tree.currentUser.Find(u"SOFTWARE\\morvane\\Brevlin\\1");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->FindValue(u"tabcolumns")->number, 8u);
    EXPECT_EQ(key->FindValue(u"Keywords")->list, (std::vector<std::u16string>{u"if", u"do"}));
    EXPECT_EQ(key->FindValue(u"Raw")->bytes, (std::vector<unsigned char>{1, 2}));
    EXPECT_EQ(key->FindValue(u"")->text, u"second section of the same key");
}

TEST(RegFile, ErrorsNameTheLine) {
    std::size_t line = 0;
    EXPECT_NE(ParseError("[HKEY_CURRENT_USER\\A]\n\"x\"=\"open\n", &line), "parsed");
    EXPECT_EQ(line, 2u);
    EXPECT_NE(ParseError("\n\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:zz\n", &line), "parsed");
    EXPECT_EQ(line, 4u);
    EXPECT_NE(ParseError("\"x\"=\"before any key\"\n", &line), "parsed");
    EXPECT_EQ(line, 1u);
    EXPECT_NE(ParseError("[HKEY_USERS\\A]\n", &line), "parsed");
    EXPECT_NE(ParseError("[HKEY_CURRENT_USER\\A]\n\"x\"=\"caf\xE9\"\n", &line), "parsed");
    EXPECT_EQ(line, 2u);
    EXPECT_NE(ParseError("[HKEY_CURRENT_USER\\A]\n\"x\"=-\n"), "parsed");
    EXPECT_NE(ParseError("[-HKEY_CURRENT_USER\\A]\n"), "parsed");
    EXPECT_NE(ParseError("[HKEY_CURRENT_USER\\A]\n\"x\"=\"a\" trailing\n"), "parsed");
    EXPECT_NE(ParseError("[HKEY_CURRENT_USER\\A]\n\"x\"=\"\\q\"\n"), "parsed");
    EXPECT_NE(ParseError("[HKEY_CURRENT_USER\\A\\\\B]\n"), "parsed");
    EXPECT_NE(ParseError("[HKEY_CURRENT_USER\\A]\n\"x\"=dword:123456789\n"), "parsed");
}

TEST(RegistryKey, NamesIgnoreCaseAndKeysNeedNames) {
    RegistryKey root;
    RegistryKey& key = root.Create(u"Software\\X");
    key.SetValue(u"Name", RegistryValue::FromText(u"a"));
    key.SetValue(u"NAME", RegistryValue::FromText(u"b"));
    EXPECT_EQ(key.Values().size(), 1u);
    EXPECT_EQ(key.Values()[0].first, u"Name");
    EXPECT_EQ(root.Find(u"software\\x"), &key);
    EXPECT_EQ(root.Find(u"Software\\\\X"), nullptr);
    EXPECT_ANY_THROW(root.Create(u"Software\\\\X"));
    EXPECT_ANY_THROW(root.Create(u"Software\\X\\"));
    EXPECT_ANY_THROW(root.Create(std::u16string(256, u'k')));
    EXPECT_TRUE(RegistryKey::NaturalLess(u"9", u"10"));
    EXPECT_TRUE(RegistryKey::NaturalLess(u"a2", u"B1"));
}

TEST(RegFile, DeepKeysAreRefusedNotACrash) {
    const auto key = [](std::size_t depth) {
        std::string path = "[HKEY_CURRENT_USER";
        for (std::size_t i = 0; i < depth; ++i)
            path += "\\k";
        return path + "]\n\"x\"=\"y\"\n";
    };
    RegistryTree deepest = RegFile::Parse(key(RegistryKey::MaxDepth));
    EXPECT_EQ(RegFile::Parse(RegFile::Serialize(deepest)).currentUser.Subkeys().size(), 1u);
    std::size_t line = 0;
    EXPECT_NE(ParseError(key(RegistryKey::MaxDepth + 1), &line), "parsed");
    EXPECT_EQ(line, 1u);
    // a small file nesting keys far deeper than any stack could follow
    EXPECT_NE(ParseError("\n" + key(200000), &line), "parsed");
    EXPECT_EQ(line, 2u);
    // writes go no deeper either
    std::u16string path = u"k";
    for (std::size_t i = 1; i < RegistryKey::MaxDepth; ++i)
        path += u"\\k";
    RegistryKey root;
    EXPECT_NO_THROW(root.Create(path));
    EXPECT_ANY_THROW(root.Create(path + u"\\k"));
}

TEST(RegFile, ManyValuesAndKeysKeepTheirOrderAndAreFound) {
    // Written in reverse: keys still come out in natural order, values in file order.
    std::string text = "[HKEY_CURRENT_USER\\V]\n";
    constexpr int Count = 50000;
    for (int i = Count; i >= 1; --i)
        text += "\"v" + std::to_string(i) + "\"=dword:" + std::to_string(i % 10) + "\n";
    for (int i = Count; i >= 1; --i)
        text += "[HKEY_CURRENT_USER\\K\\" + std::to_string(i) + "]\n";
    const RegistryTree tree = RegFile::Parse(text);
    const RegistryKey* values = tree.currentUser.Find(u"v");
    ASSERT_NE(values, nullptr);
    ASSERT_EQ(values->Values().size(), static_cast<std::size_t>(Count));
    EXPECT_EQ(values->Values().front().first, u"v50000");
    EXPECT_EQ(values->FindValue(u"V12345")->number, 5u);
    const RegistryKey* keys = tree.currentUser.Find(u"K");
    ASSERT_NE(keys, nullptr);
    ASSERT_EQ(keys->Subkeys().size(), static_cast<std::size_t>(Count));
    EXPECT_EQ(keys->Subkeys().begin()->second.Name(), u"1");
    EXPECT_EQ(keys->Subkeys().rbegin()->second.Name(), u"50000");
    EXPECT_NE(tree.currentUser.Find(u"k\\31415"), nullptr);
}
