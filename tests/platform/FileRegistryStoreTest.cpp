#include "platform/registry/FileRegistryStore.h"
#include "platform/registry/RegFile.h"
#include "text/BrevlinError.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace brevlin;
using namespace brevlin::platform;

namespace {

using BatchMode = RegistryStore::BatchMode;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/brevlin-store-XXXXXX";
        m_path = ::mkdtemp(pattern);
    }
    ~TempFolder() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    std::string Path(const std::string& name) const { return m_path + "/" + name; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        if (DIR* dir = ::opendir(m_path.c_str())) {
            while (const dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..")
                    names.push_back(name);
            }
            ::closedir(dir);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string m_path;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::u16string Text(FileRegistryStore& store, std::u16string_view key, std::u16string_view name) {
    const auto value = store.ReadValue(HKCU, key, name);
    return value ? value->text : u"<absent>";
}

// A store whose renames fail, as on a full or read-only disk.
class FailingStore : public FileRegistryStore {
public:
    using FileRegistryStore::FileRegistryStore;
    int replacements = 0;
    bool fail = false;

protected:
    void PutInPlace(const std::filesystem::path& temporary, FileSystem::Handle& file,
                    const std::filesystem::path& target) override {
        ++replacements;
        if (fail)
            throw BrevlinError(errors::PathFileAccess, "rename failed");
        FileRegistryStore::PutInPlace(temporary, file, target);
    }
};

} // namespace

TEST(FileRegistryStore, NoFileReadsNothingAndCreatesNothing) {
    TempFolder folder;
    FileRegistryStore store(folder.Path("a/b/settings.reg"));
    EXPECT_FALSE(store.ReadValue(HKCU, u"Software", u"X").has_value());
    store.BeginBatch(BatchMode::Read);
    store.CommitBatch();
    EXPECT_TRUE(folder.Names().empty());
}

TEST(FileRegistryStore, WritesCreateFoldersAndReachOtherReaders) {
    TempFolder folder;
    const std::string path = folder.Path("a/b/settings.reg");
    FileRegistryStore writer(path);
    FileRegistryStore reader(path);
    writer.WriteValue(HKCU, u"Software\\X", u"Name", RegistryValue::FromText(u"one"));
    EXPECT_EQ(Text(reader, u"software\\x", u"name"), u"one");
    writer.WriteValue(HKCU, u"Software\\X", u"Name", RegistryValue::FromText(u"two"));
    EXPECT_EQ(Text(reader, u"Software\\X", u"Name"), u"two");
    // a person edits the file
    WriteFile(path, ReadFile(path) + "\"Added\"=\"by hand\"\n");
    EXPECT_EQ(Text(reader, u"Software\\X", u"Added"), u"by hand");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(FileRegistryStore, ABatchIsOneReplacementAndRollbackStoresNothing) {
    TempFolder folder;
    const std::string path = folder.Path("settings.reg");
    FailingStore store(path);
    FileRegistryStore other(path);
    store.WriteValue(HKCU, u"K", u"v", RegistryValue::FromText(u"old"));
    store.replacements = 0;

    store.BeginBatch(BatchMode::Write);
    for (int i = 0; i < 100; ++i)
        store.WriteValue(HKCU, u"K\\" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)),
                         u"n", RegistryValue::FromDword(static_cast<std::uint32_t>(i)));
    store.WriteValue(HKCU, u"K", u"v", RegistryValue::FromText(u"new"));
    EXPECT_EQ(Text(store, u"K", u"v"), u"new"); // the batch reads its own writes
    EXPECT_EQ(Text(other, u"K", u"v"), u"old"); // nobody else sees them yet
    store.CommitBatch();
    EXPECT_EQ(store.replacements, 1);
    EXPECT_EQ(Text(other, u"K", u"v"), u"new");

    const std::string before = ReadFile(path);
    store.BeginBatch(BatchMode::Write);
    store.WriteValue(HKCU, u"K", u"v", RegistryValue::FromText(u"dropped"));
    store.RollbackBatch();
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(Text(store, u"K", u"v"), u"new");
}

TEST(FileRegistryStore, AFailedReplacementLeavesTheOldFile) {
    TempFolder folder;
    const std::string path = folder.Path("settings.reg");
    FailingStore store(path);
    store.WriteValue(HKCU, u"K", u"v", RegistryValue::FromText(u"old"));
    const std::string before = ReadFile(path);

    store.fail = true;
    store.BeginBatch(BatchMode::Write);
    store.WriteValue(HKCU, u"K", u"v", RegistryValue::FromText(u"new"));
    EXPECT_THROW(store.CommitBatch(), BrevlinError);
    EXPECT_THROW(store.WriteValue(HKCU, u"K", u"w", RegistryValue::FromText(u"x")), BrevlinError);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"settings.reg", "settings.reg.lock"}));
    EXPECT_EQ(Text(store, u"K", u"v"), u"old");
}

TEST(FileRegistryStore, AnUnwritableFolderFailsClearly) {
    TempFolder folder;
    WriteFile(folder.Path("file"), "not a folder");
    FileRegistryStore store(folder.Path("file/settings.reg"));
    try {
        store.WriteValue(HKCU, u"K", u"v", RegistryValue::FromText(u"x"));
        FAIL();
    } catch (const BrevlinError& error) {
        EXPECT_NE(error.Description().find(folder.Path("file")), std::string::npos)
            << error.Description();
    }
}

TEST(FileRegistryStore, UnparseableFileIsReportedAndKeptBeforeItIsReplaced) {
    TempFolder folder;
    const std::string path = folder.Path("settings.reg");
    const std::string broken = "[HKEY_CURRENT_USER\\K]\n\"a\"=\"fine\"\n\"b\"=\"unterminated\n";
    WriteFile(path, broken);
    FileRegistryStore store(path);
    try {
        store.ReadValue(HKCU, u"K", u"a");
        FAIL();
    } catch (const BrevlinError& error) {
        EXPECT_EQ(error.Number(), errors::SettingsFormat);
        EXPECT_NE(error.Description().find(path + ":3:"), std::string::npos) << error.Description();
    }
    EXPECT_THROW(store.BeginBatch(BatchMode::Read), BrevlinError);

    store.WriteValue(HKCU, u"K", u"a", RegistryValue::FromText(u"new"));
    ASSERT_FALSE(store.LastBackup().empty());
    EXPECT_EQ(ReadFile(store.LastBackup()), broken);
    EXPECT_EQ(Text(store, u"K", u"a"), u"new");
}

TEST(FileRegistryStore, DeletingFollowsTheRegistryRules) {
    TempFolder folder;
    FileRegistryStore store(folder.Path("settings.reg"));
    store.WriteValue(HKCU, u"A\\B", u"v", RegistryValue::FromText(u"x"));
    const auto number = [&](auto action) {
        try {
            action();
        } catch (const BrevlinError& error) {
            return error.Number();
        }
        return 0u;
    };
    EXPECT_EQ(number([&] { store.DeleteKey(HKCU, u"A"); }), errors::RegistryAccessDenied);
    EXPECT_EQ(number([&] { store.DeleteKey(HKCU, u"A\\C"); }), errors::RegistryNotFound);
    EXPECT_EQ(number([&] { store.DeleteValue(HKCU, u"A\\B", u"w"); }), errors::RegistryNotFound);
    store.DeleteValue(HKCU, u"A\\B", u"v");
    store.DeleteKey(HKCU, u"a\\b");
    store.DeleteKey(HKCU, u"A");
    EXPECT_EQ(number([&] { store.DeleteKey(HKCU, u"A"); }), errors::RegistryNotFound);
    EXPECT_EQ(
        number([&] { store.WriteValue(HKCU, u"A\\\\B", u"v", RegistryValue::FromText(u"x")); }),
        errors::CreateKeyFailed);
}

TEST(FileRegistryStore, ASymbolicLinkStaysALink) {
    TempFolder folder;
    const std::string real = folder.Path("real.reg");
    const std::string link = folder.Path("settings.reg");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    FileRegistryStore store(link);
    store.WriteValue(HKCU, u"K", u"v", RegistryValue::FromText(u"x"));
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_NE(ReadFile(real).find("\"v\"=\"x\""), std::string::npos);
}

TEST(FileRegistryStore, DefaultPath) {
    const auto restore = [](const char* name, const char* old) {
        if (old)
            ::setenv(name, old, 1);
        else
            ::unsetenv(name);
    };
    const char* oldSettings = std::getenv("BREVLIN_SETTINGS");
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string keepSettings = oldSettings ? oldSettings : "";
    const std::string keepConfig = oldConfig ? oldConfig : "";
    const std::string keepHome = oldHome ? oldHome : "";

    ::unsetenv("BREVLIN_SETTINGS");
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(FileRegistryStore::DefaultPath(), "/xdg/Morvane/Brevlin/settings.reg");
    ::setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: ignored
    EXPECT_EQ(FileRegistryStore::DefaultPath(),
              "/home/someone/.config/Morvane/Brevlin/settings.reg");
    ::setenv("BREVLIN_SETTINGS", "/x/s.reg", 1);
    EXPECT_EQ(FileRegistryStore::DefaultPath(), "/x/s.reg");

    restore("BREVLIN_SETTINGS", oldSettings ? keepSettings.c_str() : nullptr);
    restore("XDG_CONFIG_HOME", oldConfig ? keepConfig.c_str() : nullptr);
    restore("HOME", oldHome ? keepHome.c_str() : nullptr);
}

TEST(FileRegistryStore, ConcurrentWritersLoseNothing) {
    TempFolder folder;
    const std::string path = folder.Path("settings.reg");
    std::vector<pid_t> children;
    for (int child = 0; child < 3; ++child) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int status = 0;
            try {
                FileRegistryStore store(path);
                for (int i = 0; i < 40; ++i) {
                    const std::string ascii = "c" + std::to_string(child) + "-" + std::to_string(i);
                    const std::u16string name(ascii.begin(), ascii.end());
                    store.WriteValue(HKCU, u"K", name, RegistryValue::FromDword(1));
                }
            } catch (...) {
                status = 1;
            }
            ::_exit(status);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const RegistryTree tree = RegFile::Parse(ReadFile(path));
    const RegistryKey* key = tree.currentUser.Find(u"K");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Values().size(), 120u);
}

TEST(FileRegistryStore, KillingAWriterMidSaveLeavesAReadableFile) {
    TempFolder folder;
    const std::string path = folder.Path("settings.reg");
    // Two big states; each save of the child writes one of them whole.
    const auto state = [](char16_t mark) {
        RegistryTree tree;
        for (int i = 0; i < 300; ++i) {
            RegistryKey& key =
                tree.currentUser.Create(u"S\\" + std::u16string(1, mark) +
                                        std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) +
                                        std::u16string(1, static_cast<char16_t>(u'a' + i / 10)));
            key.SetValue(u"Keywords", RegistryValue::FromList(std::vector<std::u16string>(
                                          100, std::u16string(20, mark))));
        }
        return RegFile::Serialize(tree);
    };
    const std::string a = state(u'a');
    const std::string b = state(u'b');
    WriteFile(path, a);

    for (int round = 0; round < 6; ++round) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                FileRegistryStore store(path);
                const RegistryTree trees[2] = {RegFile::Parse(b), RegFile::Parse(a)};
                for (int i = 0;; ++i) {
                    const RegistryKey* keep = trees[i % 2].currentUser.Find(u"S");
                    const RegistryKey* drop = trees[1 - i % 2].currentUser.Find(u"S");
                    store.BeginBatch(BatchMode::Write);
                    for (const auto& [folded, key] : keep->Subkeys())
                        store.WriteValue(HKCU, u"S\\" + key.Name(), u"Keywords",
                                         *key.FindValue(u"Keywords"));
                    // drop the other state's keys, so the file is exactly this state
                    for (const auto& [folded, key] : drop->Subkeys()) {
                        try {
                            store.DeleteValue(HKCU, u"S\\" + key.Name(), u"Keywords");
                            store.DeleteKey(HKCU, u"S\\" + key.Name());
                        } catch (const BrevlinError&) {
                            // already gone: the file held this state when the child began
                        }
                    }
                    store.CommitBatch();
                }
            } catch (...) {
            }
            ::_exit(1);
        }
        // Let the child finish at least one save, then kill it at some point of a later one.
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);
        bool saved = false;
        for (int wait = 0; wait < 500 && !saved; ++wait) {
            struct stat now {};
            saved = ::stat(path.c_str(), &now) == 0 && now.st_ino != before.st_ino;
            if (!saved)
                ::usleep(10000);
        }
        EXPECT_TRUE(saved) << "round " << round << ": the child never saved";
        ::usleep(static_cast<useconds_t>(3000 + round * 7919 % 40000));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const std::string now = ReadFile(path);
        EXPECT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    }
}
