#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace brevlin::test {

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        throw std::runtime_error("cannot write test file " + path.string());
    file << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// A temporary folder per test.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        m_root = std::filesystem::temp_directory_path() /
                 ("brevlin-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_root);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path Path(const std::string& name) const { return m_root / name; }
    const std::filesystem::path& Root() const { return m_root; }

private:
    std::filesystem::path m_root;
};

} // namespace brevlin::test
