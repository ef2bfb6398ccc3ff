#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brevlin::platform {

// The file calls behind the settings file, language files and the command line's output:
// POSIX calls on Linux, Win32 calls on Windows. Failures raise FileSystem::Error with the
// system's reason; callers add what they were doing and the path.
class FileSystem {
public:
    using Path = std::filesystem::path;
    // A file descriptor or a Windows HANDLE.
    using Handle = std::intptr_t;
    static constexpr Handle NoHandle = -1;

    class Error : public std::runtime_error {
    public:
        enum class Kind { Other, NotFound, NotRegular, TooBig, Busy };
        Error(Kind kind, const std::string& reason) : std::runtime_error(reason), m_kind(kind) {}
        Kind GetKind() const { return m_kind; }

    private:
        Kind m_kind;
    };

    // What tells one state of a file from another: its identity, size and times.
    struct Stamp {
        bool exists = false;
        unsigned long long volume = 0, id = 0, size = 0;
        long long modified = 0, changed = 0;
        bool operator==(const Stamp&) const = default;
    };
    // Not existing is a stamp of its own; other failures raise.
    static Stamp StampOf(const Path& path);
    static Stamp StampOf(Handle file);
    static bool Exists(const Path& path);
    // Both stamps name one existing file, however it was reached.
    static bool SameFile(const Stamp& a, const Stamp& b) {
        return a.exists && b.exists && a.volume == b.volume && a.id == b.id;
    }
    // The process's standard input, not to be closed.
    static Handle StandardInput();
    static bool IsRegularFile(const Path& path);

    // The whole file, at most maxSize bytes (Kind::TooBig beyond). With regularOnly anything
    // but a regular file is refused (Kind::NotRegular) before it is read; otherwise a pipe is
    // read to its end. With keepOpen the file stays open there where the system allows (else
    // NoHandle), and stamp tells its state.
    static std::string ReadWhole(const Path& path, std::size_t maxSize, bool regularOnly,
                                 Stamp* stamp = nullptr, Handle* keepOpen = nullptr);

    // The file a symbolic link names, so that a replacement keeps the link.
    static Path Resolve(const Path& path);
    // Creates the folder and those above it that are missing, readable by the user only.
    static void MakeFolders(const Path& folder);

    // An exclusive lock on the file (created if missing), waiting at most `timeout` for
    // another holder (Kind::Busy then). Close releases it.
    static Handle LockExclusive(const Path& path, std::chrono::milliseconds timeout);
    static void Close(Handle file) noexcept;

    // A device or a pipe at the path (/dev/null, a named pipe), opened for writing: such a
    // target takes bytes, it cannot be replaced by a file. NoHandle where the path is a
    // regular file, a folder or nothing.
    static Handle OpenDevice(const Path& path);
    // A new file "<target>.tmp-XXXXXX" beside the target, open for writing; readable by the
    // user only when privateFile, else with the usual permissions of a new file.
    static Handle CreateTemporary(const Path& target, bool privateFile, Path& name);
    static void WriteAll(Handle file, std::string_view bytes);
    // Down to the disk, so that a crash after the replacement finds the new bytes.
    static void Flush(Handle file);
    // The existing target's permissions, for its replacement.
    static void CopyPermissions(const Path& from, Handle to) noexcept;
    // Puts the flushed temporary in the target's place in one step. Where an open file cannot
    // take a name, the handle is closed first and set to NoHandle.
    static void Replace(const Path& temporary, Handle& file, const Path& target);
    static void Remove(const Path& path) noexcept;
    // Temporaries "<target>.tmp-XXXXXX" left by writers that were killed before their
    // replacement; only to be called while no living writer can have one.
    static void RemoveStrayTemporaries(const Path& target) noexcept;
    // The folder's entries down to the disk, where the system needs that for a rename.
    static void SyncFolder(const Path& folder) noexcept;
    // A copy of the file under a new name (a hard link where the file system has them).
    static void KeepCopy(const Path& from, const Path& to);

    // An environment variable, read as the system stores it (wide on Windows).
    static std::optional<Path> EnvironmentPath(const char* name);
    // The user's home folder, for the default settings file where no registry exists.
    static std::optional<Path> HomeFolder();
};

} // namespace brevlin::platform
