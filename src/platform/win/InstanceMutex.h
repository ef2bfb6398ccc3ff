#pragma once

#include <string>

namespace brevlin::platform {

// The running instance's claim on Windows: a named mutex of the user's session, which Windows
// releases when its owner ends, however it ends. A lock file there is judged stale by its
// process id, and Windows hands ids out again: a later start of the same program could get
// the dead instance's id and make its lock look alive for ever.
class InstanceMutex {
public:
    enum class Result { Taken, HeldElsewhere, Failed };

    explicit InstanceMutex(const std::string& name);
    ~InstanceMutex();
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;

    // Takes the mutex without waiting; one left by an instance that ended counts as free.
    Result TryLock();
    void Unlock();

private:
    std::wstring m_name;
    void* m_handle = nullptr;
    bool m_owned = false;
};

} // namespace brevlin::platform
