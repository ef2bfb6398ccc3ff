#include "platform/RuntimeDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace brevlin::platform {

bool RuntimeDirectory::IsPrivate(const std::string& path) {
    struct stat info {};
    if (path.empty() || path.front() != '/' || lstat(path.c_str(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

std::string RuntimeDirectory::Path(std::string& error) {
    error.clear();
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        if (IsPrivate(runtime))
            return runtime;
    }
    std::string base = "/tmp";
    if (const char* tmp = std::getenv("TMPDIR"); tmp != nullptr && tmp[0] == '/')
        base = tmp;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    std::string path = base + "/brevlin-" + std::to_string(getuid());
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        error = path + ": " + std::strerror(errno);
        return {};
    }
    if (!IsPrivate(path)) {
        error = path + ": not a private directory of this user";
        return {};
    }
    return path;
}

} // namespace brevlin::platform
