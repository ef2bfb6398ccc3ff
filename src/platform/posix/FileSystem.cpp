#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace brevlin::platform {

namespace {

using Kind = FileSystem::Error::Kind;

[[noreturn]] void Fail(int error) {
    throw FileSystem::Error(error == ENOENT || error == ENOTDIR ? Kind::NotFound : Kind::Other,
                            std::strerror(error));
}

int Fd(FileSystem::Handle file) {
    return static_cast<int>(file);
}

FileSystem::Stamp StampFrom(const struct ::stat& info) {
    FileSystem::Stamp stamp;
    stamp.exists = true;
    stamp.volume = static_cast<unsigned long long>(info.st_dev);
    stamp.id = static_cast<unsigned long long>(info.st_ino);
    stamp.size = static_cast<unsigned long long>(info.st_size);
    stamp.modified =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    stamp.changed =
        static_cast<long long>(info.st_ctim.tv_sec) * 1000000000LL + info.st_ctim.tv_nsec;
    return stamp;
}

FileSystem::Path Folder(const FileSystem::Path& path) {
    const FileSystem::Path parent = path.parent_path();
    return parent.empty() ? FileSystem::Path(".") : parent;
}

} // namespace

FileSystem::Stamp FileSystem::StampOf(const Path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return StampFrom(info);
    if (errno == ENOENT || errno == ENOTDIR)
        return {};
    Fail(errno);
}

FileSystem::Stamp FileSystem::StampOf(Handle file) {
    struct stat info {};
    return ::fstat(Fd(file), &info) == 0 ? StampFrom(info) : Stamp();
}

FileSystem::Handle FileSystem::StandardInput() {
    return STDIN_FILENO;
}

bool FileSystem::Exists(const Path& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

bool FileSystem::IsRegularFile(const Path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FileSystem::ReadWhole(const Path& path, std::size_t maxSize, bool regularOnly,
                                  Stamp* stamp, Handle* keepOpen) {
    // Not blocking while opening: a named pipe without a writer must not stop the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0));
    if (fd < 0)
        Fail(errno);
    try {
        struct stat info {};
        if (::fstat(fd, &info) != 0)
            Fail(errno);
        if (regularOnly && !S_ISREG(info.st_mode))
            throw Error(Kind::NotRegular, "not a regular file");
        if (S_ISREG(info.st_mode) && static_cast<unsigned long long>(info.st_size) > maxSize)
            throw Error(Kind::TooBig, "too big");
        if (stamp)
            *stamp = StampFrom(info);
        // In pieces: a pipe has no size to go by, and a file may grow while it is read.
        std::string bytes;
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                Fail(errno);
            if (n == 0)
                break;
            bytes.append(buffer, static_cast<std::size_t>(n));
            if (bytes.size() > maxSize)
                throw Error(Kind::TooBig, "too big");
        }
        if (keepOpen)
            *keepOpen = fd;
        else
            ::close(fd);
        return bytes;
    } catch (...) {
        ::close(fd);
        throw;
    }
}

FileSystem::Path FileSystem::Resolve(const Path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        Path resolved = real;
        std::free(real);
        return resolved;
    }
    // A link to a file not yet there: its target, taken relative to the link's folder.
    char target[4096];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
    if (length <= 0)
        return path;
    const Path link(std::string(target, static_cast<std::size_t>(length)));
    return link.is_absolute() ? link : Folder(path) / link;
}

void FileSystem::MakeFolders(const Path& folder) {
    struct stat info {};
    if (folder.empty() || ::stat(folder.c_str(), &info) == 0)
        return;
    const Path parent = folder.parent_path();
    if (!parent.empty() && parent != folder)
        MakeFolders(parent);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        Fail(errno);
}

FileSystem::Handle FileSystem::LockExclusive(const Path& path, std::chrono::milliseconds timeout) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        Fail(errno);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            if (error == EWOULDBLOCK)
                throw Error(Kind::Busy, "locked by another process");
            Fail(error);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return fd;
}

void FileSystem::Close(Handle file) noexcept {
    if (file != NoHandle)
        ::close(Fd(file));
}

FileSystem::Handle FileSystem::OpenDevice(const Path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))
        return NoHandle;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        Fail(errno);
    return fd;
}

FileSystem::Handle FileSystem::CreateTemporary(const Path& target, bool privateFile, Path& name) {
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix = ".tmp-";
        for (int i = 0; i < 6; ++i)
            suffix += Letters[pick(random)];
        name = target;
        name += suffix;
        // A new file's usual permissions come from the umask, as for any file the user makes.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              privateFile ? 0600 : 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            Fail(errno);
    }
    Fail(EEXIST);
}

void FileSystem::WriteAll(Handle file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(Fd(file), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

void FileSystem::Flush(Handle file) {
    if (::fsync(Fd(file)) != 0)
        Fail(errno);
}

void FileSystem::CopyPermissions(const Path& from, Handle to) noexcept {
    struct stat info {};
    if (::stat(from.c_str(), &info) == 0)
        ::fchmod(Fd(to), info.st_mode & 07777);
}

void FileSystem::Replace(const Path& temporary, Handle& /*file*/, const Path& target) {
    // The open file keeps its inode while it takes the name.
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        Fail(errno);
}

void FileSystem::Remove(const Path& path) noexcept {
    ::unlink(path.c_str());
}

void FileSystem::RemoveStrayTemporaries(const Path& target) noexcept {
    const std::string prefix = target.filename().string() + ".tmp-";
    DIR* dir = ::opendir(Folder(target).c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

void FileSystem::SyncFolder(const Path& folder) noexcept {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void FileSystem::KeepCopy(const Path& from, const Path& to) {
    if (::link(from.c_str(), to.c_str()) == 0)
        return;
    // No hard links here: copy the bytes.
    const std::string bytes = ReadWhole(from, static_cast<std::size_t>(-1), false);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0)
        Fail(errno);
    try {
        WriteAll(out, bytes);
        Flush(out);
    } catch (...) {
        ::close(out);
        throw;
    }
    if (::close(out) != 0)
        Fail(errno);
}

std::optional<FileSystem::Path> FileSystem::EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return Path(value);
}

std::optional<FileSystem::Path> FileSystem::HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return Path(home);
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
        return Path(user->pw_dir);
    return std::nullopt;
}

} // namespace brevlin::platform
