// Writers killed with SIGKILL at random moments of a save: the file must always hold one
// whole state, old or new, and a temporary file a killed writer leaves is removed by the
// next save. BREVLIN_KILLS sets the number of kills (default 1000).
//
// Where a kill lands is chance, so nothing asserted here depends on it: the window for the
// kills widens while no save gets through, and the clean-up is checked on a planted
// temporary as well as on whatever strays real kills left.

#include "platform/registry/FileRegistryStore.h"
#include "platform/registry/RegFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace brevlin::platform;

namespace {

constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;

// A store of about 1 MB in which every value names its generation, so that a file mixing
// two saves cannot equal either.
RegistryTree Generation(int generation) {
    RegistryTree tree;
    const std::u16string tag = u"generation " +
                               std::u16string(1, char16_t(u'A' + generation % 26)) + u" " +
                               std::u16string(200, char16_t(u'a' + generation % 26));
    for (int key = 0; key < 200; ++key) {
        std::u16string path = u"Software\\Morvane\\Brevlin\\";
        for (const char c : std::to_string(key))
            path += char16_t(c);
        RegistryKey& k = tree.Root(HKCU).Create(path);
        for (int value = 0; value < 20; ++value) {
            std::u16string name = u"Value";
            for (const char c : std::to_string(value))
                name += char16_t(c);
            k.SetValue(name, RegistryValue::FromText(tag + name));
        }
    }
    return tree;
}

void SaveTree(FileRegistryStore& store, const RegistryTree& tree) {
    store.BeginBatch(RegistryStore::BatchMode::Write);
    for (const auto& [name, key] : tree.Root(HKCU).Find(u"Software\\Morvane\\Brevlin")->Subkeys())
        for (const auto& [value, content] : key.Values())
            store.WriteValue(HKCU, u"Software\\Morvane\\Brevlin\\" + key.Name(), value, content);
    store.CommitBatch();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Temporaries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            if (std::string_view(entry->d_name).find(".tmp-") != std::string_view::npos)
                names.push_back(entry->d_name);
        ::closedir(dir);
    }
    return names;
}

long EnvNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

} // namespace

TEST(KilledSave, FileHoldsOldOrNewStateAndStrayTemporariesGo) {
    char pattern[] = "/tmp/brevlin-kill-XXXXXX";
    const std::string folder = ::mkdtemp(pattern);
    const std::string path = folder + "/settings.reg";
    const long kills = EnvNumber("BREVLIN_KILLS", 1000);

    std::vector<RegistryTree> trees;
    std::vector<std::string> states; // serialized form of each generation
    for (int g = 0; g < 26; ++g) {
        trees.push_back(Generation(g));
        states.push_back(RegFile::Serialize(trees.back()));
    }

    int current = 0;
    {
        FileRegistryStore store(path);
        SaveTree(store, trees[0]);
    }
    // How long one save takes here, so that the kills spread over the whole of it.
    const auto begin = std::chrono::steady_clock::now();
    {
        FileRegistryStore store(path);
        SaveTree(store, trees[0]);
    }
    long saveMicros = std::max<long>(1000, std::chrono::duration_cast<std::chrono::microseconds>(
                                               std::chrono::steady_clock::now() - begin)
                                               .count());

    std::mt19937 random(12345);
    int killedMidway = 0, oldKept = 0, newTaken = 0, straysSeen = 0;
    int killedInARow = 0; // a slow machine (sanitizers, load) needs a wider window
    for (long i = 0; i < kills; ++i) {
        const int next = (current + 1) % 26;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            FileRegistryStore store(path);
            SaveTree(store, trees[static_cast<std::size_t>(next)]);
            ::_exit(0);
        }
        // Somewhere between the start of the process and well after a whole save.
        ::usleep(static_cast<useconds_t>(
            std::uniform_int_distribution<long>(0, saveMicros * 2)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFSIGNALED(status)) {
            ++killedMidway;
            if (++killedInARow == 20) {
                saveMicros = saveMicros * 3 / 2;
                killedInARow = 0;
            }
        } else {
            killedInARow = 0;
        }

        const std::string bytes = ReadFile(path);
        if (bytes == states[static_cast<std::size_t>(next)]) {
            ++newTaken;
            current = next;
        } else if (bytes == states[static_cast<std::size_t>(current)]) {
            ++oldKept;
        } else {
            FAIL() << "kill " << i << ": the file is neither the old nor the new state ("
                   << bytes.size() << " bytes)";
        }
        // The file also loads through the store.
        FileRegistryStore reader(path);
        ASSERT_NO_THROW(reader.ReadValue(HKCU, u"Software\\Morvane\\Brevlin\\0", u"Value0"));
        if (!Temporaries(folder).empty())
            ++straysSeen;
        if (i % 100 == 99 || i == kills - 1) {
            // As a writer killed after creating its temporary would leave it.
            std::ofstream(path + ".tmp-k1Ll3d") << "half a save";
            FileRegistryStore store(path);
            SaveTree(store, trees[static_cast<std::size_t>(current)]);
            EXPECT_EQ(Temporaries(folder), std::vector<std::string>()) << "after kill " << i;
        }
    }
    std::cout << "kills " << kills << ": " << killedMidway << " while running, old state kept "
              << oldKept << ", new state taken " << newTaken << ", stray temporary seen after "
              << straysSeen << "; kill window " << saveMicros * 2 << " us\n";
    EXPECT_GT(oldKept, 0);
    EXPECT_GT(newTaken, 0);
    std::system(("rm -rf '" + folder + "'").c_str());
}
