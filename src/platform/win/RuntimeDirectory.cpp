#include "platform/RuntimeDirectory.h"

#include "platform/FilePath.h"

#include <windows.h>

#include <shlobj.h>

#include <filesystem>
#include <system_error>

namespace brevlin::platform {

// The user's local application data is private to the user by its default permissions; the
// program's folder in it holds the single-instance lock.
bool RuntimeDirectory::IsPrivate(const std::string& path) {
    std::error_code failure;
    const std::filesystem::path folder = FilePath::FromUtf8(path);
    return !path.empty() && folder.is_absolute() &&
           std::filesystem::is_directory(std::filesystem::symlink_status(folder, failure));
}

std::string RuntimeDirectory::Path(std::string& error) {
    error.clear();
    PWSTR base = nullptr;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &base))) {
        CoTaskMemFree(base);
        error = "The local application data folder cannot be found.";
        return {};
    }
    const std::filesystem::path folder = std::filesystem::path(base) / L"Morvane" / L"Brevlin";
    CoTaskMemFree(base);
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    const std::string path = FilePath::ToUtf8(folder);
    if (!IsPrivate(path)) {
        error = path + ": " + (failure ? failure.message() : std::string("not a folder"));
        return {};
    }
    return path;
}

} // namespace brevlin::platform
