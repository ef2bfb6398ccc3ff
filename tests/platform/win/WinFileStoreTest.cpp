// The file store behind BREVLIN_SETTINGS on Windows' own file calls: replacement in one step
// over a file that others hold open, the writers' lock between two stores, the clean-up of a
// killed writer's temporary, and the copy kept of a file that cannot be parsed.
#include "platform/registry/FileRegistryStore.h"
#include "tests/settings/TestFiles.h"
#include "text/BrevlinError.h"

#include <gtest/gtest.h>

using namespace brevlin;
using namespace brevlin::platform;
using brevlin::test::ReadBytes;
using brevlin::test::TempFolder;
using brevlin::test::WriteBytes;

namespace {

constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
using BatchMode = RegistryStore::BatchMode;

std::optional<std::u16string> Text(FileRegistryStore& store, std::u16string_view name) {
    const auto value = store.ReadValue(HKCU, u"Software\\T", name);
    if (!value)
        return std::nullopt;
    return value->text;
}

class FailingStore : public FileRegistryStore {
public:
    using FileRegistryStore::FileRegistryStore;
    bool fail = false;

protected:
    void PutInPlace(const std::filesystem::path& temporary, FileSystem::Handle& file,
                    const std::filesystem::path& target) override {
        if (fail)
            throw BrevlinError(errors::PathFileAccess, "replacement failed");
        FileRegistryStore::PutInPlace(temporary, file, target);
    }
};

std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(WinFileStore, EachStoreSeesTheOthersWritesAndOnlyTheFileAndItsLockRemain) {
    TempFolder folder;
    const auto path = folder.Path("deep") / "settings.reg";
    FileRegistryStore writer(path), reader(path);
    EXPECT_FALSE(Text(reader, u"a"));
    writer.WriteValue(HKCU, u"Software\\T", u"a", RegistryValue::FromText(u"\u65E5\u672C"));
    EXPECT_EQ(Text(reader, u"a"), u"\u65E5\u672C");

    for (int i = 0; i < 20; ++i) {
        const std::u16string value = u"v" + std::u16string(1, static_cast<char16_t>(u'a' + i));
        writer.WriteValue(HKCU, u"Software\\T", u"a", RegistryValue::FromText(value));
        ASSERT_EQ(Text(reader, u"a"), value) << i;
    }
    EXPECT_NE(ReadBytes(path).find("\"a\"=\"vt\""), std::string::npos) << ReadBytes(path);
    EXPECT_EQ(Names(path.parent_path()),
              (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
}

TEST(WinFileStore, AWritingBatchKeepsOtherWritersOutUntilItEnds) {
    TempFolder folder;
    const auto path = folder.Path("settings.reg");
    FileRegistryStore first(path), second(path);
    second.SetLockTimeout(std::chrono::milliseconds(100));
    first.BeginBatch(BatchMode::Write);
    first.WriteValue(HKCU, u"Software\\T", u"a", RegistryValue::FromText(u"1"));
    try {
        second.WriteValue(HKCU, u"Software\\T", u"b", RegistryValue::FromText(u"2"));
        ADD_FAILURE() << "a second writer got in during a writing batch";
    } catch (const BrevlinError& error) {
        EXPECT_EQ(error.Number(), errors::PathFileAccess);
        EXPECT_NE(error.Description().find("書き込み中"), std::string::npos) << error.Description();
    }
    EXPECT_FALSE(std::filesystem::exists(path)); // nothing stored before the commit
    first.CommitBatch();
    second.WriteValue(HKCU, u"Software\\T", u"b", RegistryValue::FromText(u"2"));
    EXPECT_EQ(Text(first, u"a"), u"1");
    EXPECT_EQ(Text(first, u"b"), u"2");

    first.BeginBatch(BatchMode::Write);
    first.WriteValue(HKCU, u"Software\\T", u"a", RegistryValue::FromText(u"dropped"));
    first.RollbackBatch();
    EXPECT_EQ(Text(second, u"a"), u"1");
}

TEST(WinFileStore, AFailedReplacementLeavesTheOldFileAndNoTemporary) {
    TempFolder folder;
    const auto path = folder.Path("settings.reg");
    FailingStore store(path);
    store.WriteValue(HKCU, u"Software\\T", u"a", RegistryValue::FromText(u"old"));
    const std::string before = ReadBytes(path);
    store.fail = true;
    EXPECT_THROW(store.WriteValue(HKCU, u"Software\\T", u"a", RegistryValue::FromText(u"new")),
                 BrevlinError);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(Names(folder.Root()),
              (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
}

TEST(WinFileStore, AKilledWritersTemporaryGoesWithTheNextSave) {
    TempFolder folder;
    const auto path = folder.Path("settings.reg");
    WriteBytes(folder.Path("settings.reg.tmp-k1Ll3d"), "half a file");
    WriteBytes(folder.Path("settings.reg.tmp-notmine1"), "someone else's");
    FileRegistryStore store(path);
    store.WriteValue(HKCU, u"Software\\T", u"a", RegistryValue::FromText(u"x"));
    EXPECT_EQ(Names(folder.Root()), (std::vector<std::string>{"settings.reg", "settings.reg.lock",
                                                              "settings.reg.tmp-notmine1"}));
}

TEST(WinFileStore, AnUnparseableFileIsReportedAndKeptBeforeItIsReplaced) {
    TempFolder folder;
    const auto path = folder.Path("settings.reg");
    const std::string broken = "[HKEY_CURRENT_USER\\Software]\n\"broken\n";
    WriteBytes(path, broken);
    FileRegistryStore store(path);
    try {
        Text(store, u"a");
        ADD_FAILURE() << "an unparseable file was read";
    } catch (const BrevlinError& error) {
        EXPECT_EQ(error.Number(), errors::SettingsFormat);
        EXPECT_NE(error.Description().find("settings.reg:2:"), std::string::npos)
            << error.Description();
    }
    store.WriteValue(HKCU, u"Software\\T", u"a", RegistryValue::FromText(u"new"));
    EXPECT_EQ(Text(store, u"a"), u"new");
    ASSERT_FALSE(store.LastBackup().empty());
    EXPECT_EQ(ReadBytes(store.LastBackup()), broken);
}
