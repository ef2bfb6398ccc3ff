#pragma once

#include <string>

namespace brevlin::platform {

// The current user's private directory for the single-instance lock and socket: the
// session's runtime directory when it is private to the user, else a private folder in the
// temporary directory, created on demand. Nobody else may be able to reach into it, so a
// socket found there belongs to this user.
class RuntimeDirectory {
public:
    // The path, or an empty text with `error` set when no private directory can be had.
    static std::string Path(std::string& error);
    // Whether `path` is a real directory (not a link) owned by this user with no access for
    // group and others.
    static bool IsPrivate(const std::string& path);
};

} // namespace brevlin::platform
