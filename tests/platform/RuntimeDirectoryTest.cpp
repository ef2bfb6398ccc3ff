#include "platform/RuntimeDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace brevlin::platform {
namespace {

class RuntimeDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/brevlin-rt-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        base = pattern;
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            saved = old;
        if (const char* old = std::getenv("TMPDIR"))
            savedTmp = old;
        setenv("TMPDIR", base.c_str(), 1);
    }
    void TearDown() override {
        if (saved.empty())
            unsetenv("XDG_RUNTIME_DIR");
        else
            setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
        if (savedTmp.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", savedTmp.c_str(), 1);
        std::system(("rm -rf '" + base + "'").c_str());
    }
    std::string base;
    std::string saved;
    std::string savedTmp;
};

TEST_F(RuntimeDirectoryTest, UsesThePrivateSessionDirectory) {
    const std::string session = base + "/session";
    ASSERT_EQ(mkdir(session.c_str(), 0700), 0);
    setenv("XDG_RUNTIME_DIR", session.c_str(), 1);
    std::string error;
    EXPECT_EQ(RuntimeDirectory::Path(error), session);
    EXPECT_TRUE(error.empty());
}

TEST_F(RuntimeDirectoryTest, FallsBackToAPrivateFolderWhenTheSessionOneIsOpenOrMissing) {
    const std::string open = base + "/open";
    ASSERT_EQ(mkdir(open.c_str(), 0700), 0);
    ASSERT_EQ(chmod(open.c_str(), 0755), 0);
    EXPECT_FALSE(RuntimeDirectory::IsPrivate(open));
    setenv("XDG_RUNTIME_DIR", open.c_str(), 1);
    std::string error;
    const std::string fallback = base + "/brevlin-" + std::to_string(getuid());
    EXPECT_EQ(RuntimeDirectory::Path(error), fallback);
    EXPECT_TRUE(RuntimeDirectory::IsPrivate(fallback));

    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(RuntimeDirectory::Path(error), fallback);
}

TEST_F(RuntimeDirectoryTest, RefusesAFallbackThatIsALinkOrOpenToOthers) {
    const std::string target = base + "/elsewhere";
    ASSERT_EQ(mkdir(target.c_str(), 0700), 0);
    const std::string fallback = base + "/brevlin-" + std::to_string(getuid());
    ASSERT_EQ(symlink(target.c_str(), fallback.c_str()), 0);
    unsetenv("XDG_RUNTIME_DIR");
    std::string error;
    EXPECT_EQ(RuntimeDirectory::Path(error), "");
    EXPECT_FALSE(error.empty());

    ASSERT_EQ(unlink(fallback.c_str()), 0);
    ASSERT_EQ(mkdir(fallback.c_str(), 0777), 0);
    ASSERT_EQ(chmod(fallback.c_str(), 0777), 0);
    EXPECT_EQ(RuntimeDirectory::Path(error), "");
    EXPECT_FALSE(RuntimeDirectory::IsPrivate("relative/path"));
}

} // namespace
} // namespace brevlin::platform
