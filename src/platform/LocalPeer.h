#pragma once

#include <cstdint>
#include <string>

namespace brevlin::platform {

// The process at the other end of a connected local socket (a named pipe on Windows).
class LocalPeer {
public:
    // Whether the peer runs as the current user; false when that cannot be told.
    static bool IsCurrentUser(std::intptr_t descriptor);
    // Where the server called `name` listens: a socket in the user's private `directory`;
    // on Windows, whose pipes share one namespace, a pipe named after the user's SID.
    static std::string ServerName(const std::string& directory, const std::string& name);
};

} // namespace brevlin::platform
