// Settings files made to hurt: huge, noise, growing while read, nested very deep, not a
// file at all. Each is refused with a message naming the file, without reading it whole,
// and stays as it was.

#include "platform/registry/FileRegistryStore.h"
#include "text/BrevlinError.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace brevlin;
using namespace brevlin::platform;

namespace {

constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;

class HostileStore : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/brevlin-hostile-XXXXXX";
        m_folder = ::mkdtemp(pattern);
        m_path = m_folder + "/settings.reg";
    }
    void TearDown() override { std::system(("rm -rf '" + m_folder + "'").c_str()); }

    // The error of a read through a fresh store.
    std::string ReadError() {
        FileRegistryStore store(m_path);
        try {
            store.ReadValue(HKCU, u"Software\\Morvane\\Brevlin", u"LangCount");
        } catch (const BrevlinError& error) {
            return error.Description();
        }
        return "no error";
    }
    struct stat Info() const {
        struct stat info {};
        ::stat(m_path.c_str(), &info);
        return info;
    }

    std::string m_folder;
    std::string m_path;
};

long PeakMemoryKb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST_F(HostileStore, AFileOfOneGigabyteIsRefusedUnread) {
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::ftruncate(fd, 1LL << 30), 0); // sparse: no disk space taken
    ::close(fd);
    const long before = PeakMemoryKb();
    EXPECT_NE(ReadError().find("設定ファイルが大きすぎます: " + m_path), std::string::npos);
    EXPECT_LT(PeakMemoryKb() - before, 64 * 1024) << "the refused file was read into memory";
    EXPECT_EQ(Info().st_size, 1LL << 30);
}

TEST_F(HostileStore, NoiseIsRefusedWithItsLineAndKept) {
    std::mt19937 random(7);
    std::string noise(1 << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::ofstream(m_path, std::ios::binary) << noise;
    EXPECT_NE(ReadError().find("設定ファイルを解釈できません: " + m_path + ":"), std::string::npos);
    std::ifstream in(m_path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), noise);
}

TEST_F(HostileStore, KeysNestedTooDeepAreRefusedWithoutExhaustingTheStack) {
    std::string header = "[HKEY_CURRENT_USER";
    for (int i = 0; i < 200000; ++i)
        header += "\\k";
    std::ofstream(m_path, std::ios::binary) << "Windows Registry Editor Version 5.00\n\n"
                                            << header << "]\n\"v\"=\"x\"\n";
    EXPECT_NE(ReadError().find("設定ファイルを解釈できません: " + m_path + ":3:"),
              std::string::npos);
}

TEST_F(HostileStore, ANamedPipeInPlaceOfTheFileDoesNotBlockAndIsNotReplaced) {
    ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    EXPECT_NE(ReadError().find("設定ファイルが通常のファイルではありません: " + m_path),
              std::string::npos);
    FileRegistryStore store(m_path);
    EXPECT_THROW(store.WriteValue(HKCU, u"Software", u"v", RegistryValue::FromDword(1)),
                 BrevlinError);
    EXPECT_TRUE(S_ISFIFO(Info().st_mode));
}

TEST_F(HostileStore, AFileThatKeepsGrowingWhileReadEndsTheRead) {
    std::ofstream(m_path, std::ios::binary)
        << "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software]\n";
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        const int fd = ::open(m_path.c_str(), O_WRONLY | O_APPEND);
        const std::string line(1 << 16, 'x');
        for (long n = 0;; ++n) {
            const std::string value = "\"v" + std::to_string(n) + "\"=\"" + line + "\"\n";
            if (::write(fd, value.data(), value.size()) < 0)
                ::_exit(1);
        }
    }
    // Reads while the file grows end with a state of it or with a refusal, never in a loop.
    while (Info().st_size < 32 << 20) {
        const std::string error = ReadError();
        EXPECT_TRUE(error == "no error" || error.find(m_path) != std::string::npos) << error;
    }
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
}
