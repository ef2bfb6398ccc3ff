#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace brevlin::platform {

// File names as UTF-8 text, for messages and command lines. On POSIX systems a name is bytes
// and passes unchanged both ways, so a name that is not UTF-8 still opens; on Windows it is
// converted from and to the system's UTF-16.
class FilePath {
public:
    static std::filesystem::path FromUtf8(std::string_view text) {
        return std::filesystem::path(std::u8string(text.begin(), text.end()));
    }
    static std::string ToUtf8(const std::filesystem::path& path) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    }
};

} // namespace brevlin::platform
