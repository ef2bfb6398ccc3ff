#pragma once

#include "platform/FileSystem.h"

#include <string_view>

namespace brevlin::platform {

// A file replaced whole: the bytes go to a temporary file beside it, and Commit flushes that
// to the disk and puts it in the file's place in one step. Without a Commit (an error, an
// exception) the file stays as it was and the temporary goes. A symbolic link is followed, so
// the link stays and its file is replaced; a replaced file keeps its permissions. A device
// or a pipe (/dev/null, a named pipe) is written to as it is, never replaced by a file.
// Failures raise FileSystem::Error.
class SaveFile {
public:
    explicit SaveFile(const FileSystem::Path& path);
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    void Write(std::string_view bytes);
    void Commit();

    // The whole content at once.
    static void Replace(const FileSystem::Path& path, std::string_view bytes);

private:
    FileSystem::Path m_target;
    FileSystem::Path m_temporary;
    FileSystem::Handle m_file = FileSystem::NoHandle;
    bool m_done = false;
    bool m_device = false;
};

} // namespace brevlin::platform
