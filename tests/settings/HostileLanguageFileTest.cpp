// Language files made to hurt: refused with a message that names the file, in bounded memory,
// and left as they were.

#include "TestFiles.h"
#include "settings/LanguageFile.h"
#include "text/BrevlinError.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace brevlin;
using brevlin::test::ReadBytes;
using brevlin::test::TempFolder;
using brevlin::test::WriteBytes;

namespace {

std::string LoadError(const std::filesystem::path& path) {
    try {
        LanguageFile::Load(path);
    } catch (const BrevlinError& error) {
        return error.Description();
    }
    return "no error";
}

long PeakMemoryKb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(HostileLanguageFile, AFileOfOneGigabyteIsRefusedUnread) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("huge.bvl");
    const int fd = ::open(path.string().c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::ftruncate(fd, 1LL << 30), 0); // sparse: no disk space taken
    ::close(fd);
    const long before = PeakMemoryKb();
    EXPECT_NE(LoadError(path).find("ファイルが大きすぎます (16 MiB まで): " + path.string()),
              std::string::npos);
    EXPECT_LT(PeakMemoryKb() - before, 8 * 1024) << "the refused file was read into memory";
    EXPECT_EQ(std::filesystem::file_size(path), 1LL << 30);
}

TEST(HostileLanguageFile, NoiseIsNotALanguageFile) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("noise.bvl");
    std::mt19937 random(11);
    std::string noise(1 << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    WriteBytes(path, noise);
    EXPECT_EQ(LoadError(path), "ファイル形式が認識できないか、または互換性がありません。");
    EXPECT_EQ(ReadBytes(path), noise);
}

TEST(HostileLanguageFile, ManyRulesAndKeywordsUpToTheSizeLimitLoad) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("many.bvl");
    std::string text = "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=Many\r\n";
    for (int k = 1; k <= 20000; ++k)
        text += "Keywords" + std::to_string(k) + "=a" + std::to_string(k) + ",b" +
                std::to_string(k) + "\r\n";
    for (int j = 1; j <= 40000; ++j)
        text += "[Comment" + std::to_string(j) + "]\r\nClauseStart=s" + std::to_string(j) +
                "\r\nClauseEnd=e\r\n";
    WriteBytes(path, text);
    const auto language = LanguageFile::Load(path);
    EXPECT_EQ(language->Keywords().Count(), 40000);
    EXPECT_EQ(language->Comments().Count(), 40000);
}

TEST(HostileLanguageFile, AFileThatKeepsGrowingIsReadFromOneStateOfIt) {
    TempFolder folder;
    const std::filesystem::path path = folder.Path("growing.bvl");
    WriteBytes(path, "[Brevlin]\r\nVersion=2.0\r\n[Language]\r\nName=Growing\r\n");
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        const int fd = ::open(path.string().c_str(), O_WRONLY | O_APPEND);
        for (long j = 1;; ++j) {
            const std::string rule =
                "[Comment" + std::to_string(j) + "]\r\nClauseStart=s\r\nClauseEnd=e\r\n";
            if (::write(fd, rule.data(), rule.size()) < 0)
                ::_exit(1);
        }
    }
    while (std::filesystem::file_size(path) < 4 << 20) {
        const std::string error = LoadError(path);
        EXPECT_TRUE(error == "no error" || error.find(path.string()) != std::string::npos) << error;
    }
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
}
