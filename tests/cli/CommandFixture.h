#pragma once

// Runs the real brevlin command in a temporary folder, with a private settings store.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

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
                ("brevlin-cli-" + std::to_string(getpid()) + "-" +
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
    // A path as one word of the shell that runs the commands.
    static std::string Quote(const fs::path& path) {
#ifdef _WIN32
        return "\"" + path.string() + "\"";
#else
        return "'" + path.string() + "'";
#endif
    }
    // The command line that runs brevlin with `arguments` in `folder`, with BREVLIN_SETTINGS
    // naming `store` and standard error appended to `errors`.
    static std::string Command(const fs::path& folder, const fs::path& store,
                               const std::string& arguments, const fs::path& errors) {
#ifdef _WIN32
        // cmd.exe takes the whole line in one more pair of quotes.
        return "\"cd /d " + Quote(folder) + " && set \"BREVLIN_SETTINGS=" + store.string() +
               "\" && " + Quote(BREVLIN_EXE) + " " + arguments + " 2>>" + Quote(errors) + "\"";
#else
        return "cd " + Quote(folder) + " && BREVLIN_SETTINGS=" + Quote(store) + " " + BREVLIN_EXE +
               " " + arguments + " 2>>" + Quote(errors);
#endif
    }
    static int ExitStatus(int status) {
#ifdef _WIN32
        return status;
#else
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }
    // Runs in the work folder with BREVLIN_SETTINGS naming the test store; standard error
    // is kept in m_stderr.
    CommandResult Run(const std::string& arguments) {
        const fs::path err = m_dir / "stderr";
        fs::remove(err);
        const std::string command = Command(m_dir / "work", m_store, arguments, err);
        CommandResult result;
#ifdef _WIN32
        std::FILE* pipe = ::_popen(command.c_str(), "rb");
#else
        std::FILE* pipe = ::popen(command.c_str(), "r");
#endif
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.out.append(buffer, n);
#ifdef _WIN32
        result.status = ExitStatus(::_pclose(pipe));
#else
        result.status = ExitStatus(::pclose(pipe));
#endif
        m_stderr = Read(err);
        return result;
    }
    std::string Store() const {
        return Read(m_store);
    }

    fs::path m_dir;
    fs::path m_store;
    std::string m_stderr;
};

} // namespace brevlin::test
