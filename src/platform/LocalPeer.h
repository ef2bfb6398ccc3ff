#pragma once

#include <cstdint>

namespace brevlin::platform {

// The process at the other end of a connected local socket.
class LocalPeer {
public:
    // Whether the peer runs as the current user; false when that cannot be told.
    static bool IsCurrentUser(std::intptr_t descriptor);
};

} // namespace brevlin::platform
