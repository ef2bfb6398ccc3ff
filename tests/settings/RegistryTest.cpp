#include "TestStore.h"

#include <gtest/gtest.h>

using namespace brevlin;
using namespace brevlin::test;

namespace {
const Text Root = u"HKCU\\Software\\Morvane\\Brevlin";
}

TEST(clsRegistry, AbsentValuesReadAsTheDefaultGiven) {
    TestRegistry t;
    EXPECT_TRUE(t.registry->RegRead(Root + u"\\LangCount").IsEmpty());
    EXPECT_EQ(t.registry->RegRead(Root + u"\\1\\TabColumns", Variant::Long(4)), Variant::Long(4));
    t.registry->RegWrite(Root + u"\\1\\StartTag", u"<b>");
    EXPECT_EQ(t.registry->RegRead(Root + u"\\1\\EndTag", Variant::Long(4)), Variant::Long(4));
    EXPECT_EQ(t.registry->RegRead(Root + u"\\2\\", Variant::Long(7)), Variant::Long(7));
}

TEST(clsRegistry, KeyDefaultValueAndTheTextThatIsItsOwnPath) {
    TestRegistry t;
    t.registry->RegWrite(Root + u"\\1\\", u"Tiny");
    EXPECT_EQ(t.registry->RegRead(Root + u"\\1\\"), Variant(u"Tiny"));
    EXPECT_TRUE(t.Contains("[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin\\1]\n@=\"Tiny\"\n"));
    const Text self = Root + u"\\1\\Name";
    t.registry->RegWrite(self, self);
    EXPECT_TRUE(t.registry->RegRead(self, Variant::Long(3)).IsEmpty());
    // exact comparison: another spelling of the path is ordinary text
    EXPECT_EQ(t.registry->RegRead(u"hkcu\\Software\\Morvane\\Brevlin\\1\\Name"), Variant(self));
}

TEST(clsRegistry, TypeFollowsTheKindOfTheValue) {
    TestRegistry t;
    t.registry->RegWrite(Root + u"\\True", Variant::Boolean(true));
    t.registry->RegWrite(Root + u"\\False", Variant::Boolean(false));
    t.registry->RegWrite(Root + u"\\Four", u"4");
    t.registry->RegWrite(Root + u"\\Short", Variant::Integer(-2));
    t.registry->RegWrite(Root + u"\\Byte", Variant::Byte(200));
    t.registry->RegWrite(Root + u"\\Empty", Variant());
    EXPECT_TRUE(t.Contains("\"True\"=dword:ffffffff\n\"False\"=dword:00000000\n\"Four\"=\"4\"\n"
                           "\"Short\"=dword:fffffffe\n\"Byte\"=dword:000000c8\n\"Empty\"=\"\"\n"));
    const Variant stored = t.registry->RegRead(Root + u"\\True");
    EXPECT_EQ(stored, Variant::Long(-1));
    EXPECT_TRUE(stored.ToBoolean());
    EXPECT_FALSE(t.registry->RegRead(Root + u"\\False").ToBoolean());
    EXPECT_EQ(t.registry->RegRead(Root + u"\\Four"), Variant(u"4"));
}

TEST(clsRegistry, ListsAreStoredWholeThroughTheMultiStringWriter) {
    TestRegistry t;
    const std::vector<Text> keywords{u"if", u"then", u"日本語", u"ü\U0001F600", u""};
    t.registry->RegWrite(Root + u"\\1\\Keywords", Variant::List(keywords));
    t.registry->RegWrite(u"hkcu\\Software\\Morvane\\Brevlin\\2\\Keywords", Variant::List({}));
    t.registry->RegWrite(u"HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin\\3\\Keywords",
                         Variant::List({u"if", u"then"}));
    EXPECT_EQ(t.registry->RegRead(Root + u"\\1\\Keywords"), Variant::List(keywords));
    EXPECT_EQ(t.registry->RegRead(Root + u"\\2\\Keywords"), Variant::List({}));
    EXPECT_TRUE(t.Contains("\"Keywords\"=str(7):\"if\\0then\\0\"\n"));
    EXPECT_TRUE(t.Contains("\"Keywords\"=str(7):\"\"\n"));
}

TEST(clsRegistry, BadPathsAreRefused) {
    TestRegistry t;
    const auto list = Variant::List({u"a"});
    EXPECT_EQ(ErrorNumber([&] { t.registry->RegWrite(u"HKU\\Software\\X\\Keywords", list); }),
              0x800407D0u);
    EXPECT_EQ(ErrorText([&] { t.registry->RegWrite(u"Keywords", list); }), "キー不正");
    EXPECT_EQ(ErrorNumber([&] { t.registry->RegWrite(u"HKCU\\Keywords", list); }), 0x800407D0u);
    EXPECT_EQ(ErrorNumber([&] { t.registry->RegRead(u"HKXX\\A\\B"); }), 0x800407D0u);
    EXPECT_EQ(ErrorNumber([&] { t.registry->RegWrite(u"HKCU\\A\\\\B\\Keywords", list); }),
              0x800407D1u);
    EXPECT_EQ(ErrorText([&] { t.registry->RegWrite(u"HKCU\\A\\\\B\\Keywords", list); }),
              "RegCreateKeyEx のエラー");
    EXPECT_EQ(ErrorNumber([&] { t.registry->RegDelete(u"HKCU\\"); }), 0x800407D0u);
    EXPECT_FALSE(std::filesystem::exists(t.path));
}

TEST(clsRegistry, DeletingValuesAndKeys) {
    TestRegistry t;
    t.registry->RegWrite(Root + u"\\1\\1\\ClauseStart", u"//");
    t.registry->RegWrite(Root + u"\\1\\Comments", Variant::Long(1));
    EXPECT_EQ(ErrorNumber([&] { t.registry->RegDelete(Root + u"\\1\\"); }),
              errors::RegistryAccessDenied); // it has a subkey
    EXPECT_EQ(ErrorNumber([&] { t.registry->RegDelete(Root + u"\\1\\Missing"); }),
              errors::RegistryNotFound);
    t.registry->RegDelete(Root + u"\\1\\1\\");
    t.registry->RegDelete(Root + u"\\1\\Comments");
    EXPECT_TRUE(t.registry->RegRead(Root + u"\\1\\Comments").IsEmpty());
    t.registry->RegDelete(Root + u"\\1\\");
    EXPECT_FALSE(t.Contains("Brevlin\\1"));
}

TEST(Variant, ConversionsAndTheirFailures) {
    EXPECT_EQ(Variant().ToLong(), 0);
    EXPECT_EQ(Variant().ToText(), u"");
    EXPECT_FALSE(Variant().ToBoolean());
    EXPECT_EQ(Variant(u" 12 ").ToLong(), 12);
    EXPECT_EQ(Variant(u"2.5").ToLong(), 2);
    EXPECT_EQ(Variant(u"3.5").ToLong(), 4);
    EXPECT_TRUE(Variant::Long(1).ToBoolean());
    EXPECT_EQ(Variant::Boolean(true).ToLong(), -1);
    EXPECT_EQ(Variant::Boolean(true).ToText(), u"True");
    EXPECT_TRUE(Variant(u"true").ToBoolean());
    EXPECT_EQ(ErrorNumber([] { Variant(u"abc").ToLong(); }), errors::TypeMismatch);
    EXPECT_EQ(ErrorNumber([] { Variant(u"").ToLong(); }), errors::TypeMismatch);
    EXPECT_EQ(ErrorNumber([] { Variant(u"9999999999").ToLong(); }), errors::Overflow);
    EXPECT_EQ(ErrorNumber([] { Variant(u"yes").ToBoolean(); }), errors::TypeMismatch);
    EXPECT_EQ(ErrorNumber([] { Variant::List({}).ToText(); }), errors::TypeMismatch);
    EXPECT_EQ(ErrorNumber([] { Variant(u"x").ToList(); }), errors::TypeMismatch);
}

TEST(clsRegistry, BatchesInsideABatchJoinIt) {
    TestRegistry t;
    using Mode = platform::RegistryStore::BatchMode;
    {
        clsRegistry::Batch outer(*t.registry, Mode::Write);
        {
            clsRegistry::Batch inner(*t.registry, Mode::Write);
            t.registry->RegWrite(Root + u"\\A", u"1");
            inner.Commit(); // joins the outer batch: nothing stored yet
        }
        EXPECT_FALSE(std::filesystem::exists(t.path));
        {
            clsRegistry::Batch reading(*t.registry, Mode::Read);
            EXPECT_EQ(t.registry->RegRead(Root + u"\\A"), Variant(u"1"));
        }
        t.registry->RegWrite(Root + u"\\B", u"2");
        outer.Commit();
    }
    EXPECT_EQ(t.store->replacements, 1);
    EXPECT_TRUE(t.Contains("\"A\"=\"1\"\n\"B\"=\"2\"\n"));

    clsRegistry::Batch reading(*t.registry, Mode::Read);
    EXPECT_THROW(clsRegistry::Batch(*t.registry, Mode::Write), std::logic_error);
}
