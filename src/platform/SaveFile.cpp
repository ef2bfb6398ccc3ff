#include "platform/SaveFile.h"

namespace brevlin::platform {

SaveFile::SaveFile(const FileSystem::Path& path) : m_target(FileSystem::Resolve(path)) {
    m_file = FileSystem::OpenDevice(m_target);
    m_device = m_file != FileSystem::NoHandle;
    if (!m_device)
        m_file = FileSystem::CreateTemporary(m_target, false, m_temporary);
}

SaveFile::~SaveFile() {
    FileSystem::Close(m_file);
    if (!m_done && !m_device)
        FileSystem::Remove(m_temporary);
}

void SaveFile::Write(std::string_view bytes) {
    FileSystem::WriteAll(m_file, bytes);
}

void SaveFile::Commit() {
    if (m_device) {
        // A device has nothing to flush to a disk, and no name to give.
        FileSystem::Close(m_file);
        m_file = FileSystem::NoHandle;
        m_done = true;
        return;
    }
    FileSystem::CopyPermissions(m_target, m_file);
    FileSystem::Flush(m_file);
    FileSystem::Replace(m_temporary, m_file, m_target);
    m_done = true;
    FileSystem::SyncFolder(m_target.has_parent_path() ? m_target.parent_path()
                                                      : FileSystem::Path("."));
}

void SaveFile::Replace(const FileSystem::Path& path, std::string_view bytes) {
    SaveFile file(path);
    file.Write(bytes);
    file.Commit();
}

} // namespace brevlin::platform
