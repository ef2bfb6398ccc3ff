#include "platform/LocalPeer.h"

#include <sys/socket.h>
#include <unistd.h>

namespace brevlin::platform {

bool LocalPeer::IsCurrentUser(std::intptr_t descriptor) {
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    if (getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return false;
    return credentials.uid == getuid();
}

std::string LocalPeer::ServerName(const std::string& directory, const std::string& name) {
    return directory + '/' + name;
}

} // namespace brevlin::platform
