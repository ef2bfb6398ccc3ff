#include "platform/LocalPeer.h"

#include <windows.h>

#include <sddl.h>

#include <vector>

namespace brevlin::platform {

namespace {

// The user SID of a process's token, as bytes; empty when it cannot be read.
std::vector<unsigned char> UserSidOf(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    const bool read =
        size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) != 0;
    CloseHandle(token);
    if (!read)
        return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    if (!IsValidSid(sid))
        return {};
    const auto* bytes = static_cast<const unsigned char*>(sid);
    return std::vector<unsigned char>(bytes, bytes + GetLengthSid(sid));
}

} // namespace

bool LocalPeer::IsCurrentUser(std::intptr_t descriptor) {
    ULONG processId = 0;
    if (!GetNamedPipeClientProcessId(reinterpret_cast<HANDLE>(descriptor), &processId))
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr)
        return false;
    const std::vector<unsigned char> peer = UserSidOf(process);
    CloseHandle(process);
    const std::vector<unsigned char> own = UserSidOf(GetCurrentProcess());
    return !own.empty() && peer == own;
}

std::string LocalPeer::ServerName(const std::string& directory, const std::string& name) {
    (void)directory;
    std::string pipe = name;
    if (const std::string::size_type dot = pipe.rfind('.'); dot != std::string::npos)
        pipe.erase(dot);
    std::vector<unsigned char> sid = UserSidOf(GetCurrentProcess());
    char* text = nullptr;
    if (!sid.empty() && ConvertSidToStringSidA(sid.data(), &text)) {
        pipe += '-';
        pipe += text;
        LocalFree(text);
    }
    return pipe;
}

} // namespace brevlin::platform
