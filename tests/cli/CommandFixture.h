#pragma once

// Runs the real brevlin command in a temporary folder, with a private settings store.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace brevlin::test {

namespace fs = std::filesystem;

struct CommandResult {
    int status = -1;
    std::string out;
};

class CommandFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("brevlin-cli-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "work");
        m_store = m_dir / "config" / "settings.reg";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // A file in the work folder.
    fs::path Write(const std::string& name, const std::string& bytes) {
        const fs::path path = m_dir / "work" / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Runs in the work folder with BREVLIN_SETTINGS naming the test store; standard error
    // is kept in m_stderr.
    CommandResult Run(const std::string& arguments) {
        const fs::path err = m_dir / "stderr";
        const std::string command = "cd '" + (m_dir / "work").string() + "' && BREVLIN_SETTINGS='" +
                                    m_store.string() + "' " + BREVLIN_EXE + " " + arguments +
                                    " 2>'" + err.string() + "'";
        CommandResult result;
        std::FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.out.append(buffer, n);
        const int status = ::pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        m_stderr = Read(err);
        return result;
    }
    std::string Store() const { return Read(m_store); }

    fs::path m_dir;
    fs::path m_store;
    std::string m_stderr;
};

} // namespace brevlin::test
