#include "platform/win/InstanceMutex.h"

#include "platform/FilePath.h"

#include <windows.h>

namespace brevlin::platform {

InstanceMutex::InstanceMutex(const std::string& name)
    : m_name(L"Local\\" + FilePath::FromUtf8(name).wstring()) {}

InstanceMutex::~InstanceMutex() {
    Unlock();
    if (m_handle != nullptr)
        CloseHandle(m_handle);
}

InstanceMutex::Result InstanceMutex::TryLock() {
    if (m_owned)
        return Result::Taken;
    if (m_handle == nullptr) {
        m_handle = CreateMutexW(nullptr, FALSE, m_name.c_str());
        if (m_handle == nullptr)
            return Result::Failed;
    }
    switch (WaitForSingleObject(m_handle, 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED: // its owner ended without letting go
        m_owned = true;
        return Result::Taken;
    case WAIT_TIMEOUT:
        return Result::HeldElsewhere;
    default:
        return Result::Failed;
    }
}

void InstanceMutex::Unlock() {
    if (m_owned)
        ReleaseMutex(m_handle);
    m_owned = false;
}

} // namespace brevlin::platform
