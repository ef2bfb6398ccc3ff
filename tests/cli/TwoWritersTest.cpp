// The tray program's save and `brevlin import` at the same moment, on the same store: the file
// is never torn and no imported language is lost.

#include "CommandFixture.h"
#include "engine/Language.h"
#include "platform/registry/FileRegistryStore.h"
#include "settings/LanguageFile.h"
#include "settings/SettingsLayout.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

using namespace brevlin;

namespace {

class TwoWriters : public test::CommandFixture {};

} // namespace

TEST_F(TwoWriters, TraySavesAndImportsAtTheSameMomentLoseNothing) {
    constexpr int imports = 40;
    for (int i = 0; i < imports; ++i) {
        Language language;
        language.SetName(u"Imported " + FromUtf8(std::to_string(i)));
        language.Keywords().Add(u"k" + FromUtf8(std::to_string(i)));
        LanguageFile::Write(language, m_dir / "work" / (std::to_string(i) + ".bvl"));
    }

    // The tray program's side: a set read once at the start, saved over and over.
    clsRegistry registry(std::make_unique<platform::FileRegistryStore>(m_store.string()));
    Languages languages;
    languages.Add(u"Tray").Keywords().Add(u"tray");
    std::vector<Text> known;
    SettingsLayout::SaveSettingsKeepingAdded(registry, languages, known, false, false);

    std::atomic<bool> importing = true;
    std::vector<int> statuses;
    std::string spawnFailures;
    std::thread importer([&] {
        for (int i = 0; i < imports; ++i) {
            const std::string command =
                Command(m_dir / "work", m_store, "import " + std::to_string(i) + ".bvl",
                        m_dir / "import-errors");
            // A shell that could not be started at all (errno set, seen once under Wine on a
            // busy machine) ran no import: that is tried again, and said if it stays.
            int status = -1;
            for (int attempt = 0; attempt < 3; ++attempt) {
                errno = 0;
                status = std::system(command.c_str());
                if (status != -1 || errno == 0)
                    break;
                spawnFailures += "import " + std::to_string(i) + ": " + std::strerror(errno) + "\n";
            }
            statuses.push_back(ExitStatus(status));
        }
        importing = false;
    });
    int saves = 0;
    while (importing || saves < 5) {
        languages.Item(1).SetTabColumns(1 + saves % 8);
        SettingsLayout::SaveSettingsKeepingAdded(registry, languages, known, false, saves % 2);
        ++saves;
        // A writer that never paused would keep the other one waiting at the lock.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    importer.join();

    EXPECT_EQ(statuses, std::vector<int>(imports, 0))
        << Read(m_dir / "import-errors") << spawnFailures;
    const test::CommandResult listed = Run("list");
    ASSERT_EQ(listed.status, 0) << m_stderr;
    EXPECT_NE(listed.out.find("Tray\n"), std::string::npos);
    for (int i = 0; i < imports; ++i)
        EXPECT_NE(listed.out.find("Imported " + std::to_string(i) + "\n"), std::string::npos)
            << "lost: Imported " << i << " after " << saves << " saves";
    EXPECT_EQ(languages.Count(), imports + 1);
}
