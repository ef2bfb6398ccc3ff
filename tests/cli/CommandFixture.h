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
#include <windows.h>
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
        // The tests read the system's Japanese messages, whatever the machine's language.
        SetLanguage("ja");
    }
    // The language the commands that follow speak (BREVLIN_UI_LANGUAGE, which they inherit).
    static void SetLanguage(const char* language) {
#ifdef _WIN32
        ::SetEnvironmentVariableA("BREVLIN_UI_LANGUAGE", language);
#else
        ::setenv("BREVLIN_UI_LANGUAGE", language, 1);
#endif
    }
    void TearDown() override {
        fs::remove_all(m_dir);
    }

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
    // is kept in m_stderr. `arguments` may end in " < FILE", the standard input.
    CommandResult Run(const std::string& arguments) {
        const fs::path err = m_dir / "stderr";
        fs::remove(err);
#ifdef _WIN32
        CommandResult result = RunDirectly(arguments, err);
#else
        CommandResult result;
        std::FILE* pipe = ::popen(Command(m_dir / "work", m_store, arguments, err).c_str(), "r");
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.out.append(buffer, n);
        result.status = ExitStatus(::pclose(pipe));
#endif
        m_stderr = Read(err);
        return result;
    }
#ifdef _WIN32
    static std::wstring Wide(const std::string& utf8) {
        std::wstring wide(utf8.size(), L'\0');
        wide.resize(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                          wide.data(), static_cast<int>(wide.size())));
        return wide;
    }
    // Started without cmd.exe between: under Wine, cmd.exe once reported a start that failed
    // as an unknown command, which hid why; here the failure names Windows' error.
    CommandResult RunDirectly(std::string arguments, const fs::path& err) {
        SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        std::wstring input = L"NUL";
        if (const auto redirect = arguments.rfind(" < "); redirect != std::string::npos) {
            std::string name = arguments.substr(redirect + 3);
            arguments.erase(redirect);
            if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
                name = name.substr(1, name.size() - 2);
            input = Wide(name);
        }
        HANDLE in = ::CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inherited, OPEN_EXISTING, 0, nullptr);
        HANDLE errors =
            ::CreateFileW(err.wstring().c_str(), FILE_APPEND_DATA,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_ALWAYS, 0, nullptr);
        HANDLE readOut = nullptr, writeOut = nullptr;
        CommandResult result;
        if (in == INVALID_HANDLE_VALUE || errors == INVALID_HANDLE_VALUE ||
            !::CreatePipe(&readOut, &writeOut, &inherited, 0)) {
            ADD_FAILURE() << "no standard streams for brevlin.exe: Windows error "
                          << ::GetLastError();
            return result;
        }
        ::SetHandleInformation(readOut, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in;
        startup.hStdOutput = writeOut;
        startup.hStdError = errors;
        std::wstring line = L"\"" + Wide(BREVLIN_EXE) + L"\" " + Wide(arguments);
        ::SetEnvironmentVariableW(L"BREVLIN_SETTINGS", m_store.wstring().c_str());
        PROCESS_INFORMATION process{};
        const BOOL started =
            ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             (m_dir / "work").wstring().c_str(), &startup, &process);
        const DWORD startError = ::GetLastError();
        ::CloseHandle(writeOut);
        ::CloseHandle(in);
        ::CloseHandle(errors);
        if (started) {
            char buffer[4096];
            DWORD n = 0;
            while (::ReadFile(readOut, buffer, sizeof buffer, &n, nullptr) && n > 0)
                result.out.append(buffer, n);
            ::WaitForSingleObject(process.hProcess, INFINITE);
            DWORD code = 0;
            ::GetExitCodeProcess(process.hProcess, &code);
            result.status = static_cast<int>(code);
            ::CloseHandle(process.hProcess);
            ::CloseHandle(process.hThread);
        } else {
            ADD_FAILURE() << "brevlin.exe did not start: Windows error " << startError;
        }
        ::CloseHandle(readOut);
        return result;
    }
#endif
    std::string Store() const {
        return Read(m_store);
    }

    fs::path m_dir;
    fs::path m_store;
    std::string m_stderr;
};

} // namespace brevlin::test
