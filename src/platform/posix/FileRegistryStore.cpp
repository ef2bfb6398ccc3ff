#include "FileRegistryStore.h"

#include "../RegFile.h"
#include "engine/BrevlinError.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace brevlin::platform {

namespace {

constexpr std::size_t MaxFileSize = 256u * 1024 * 1024;

[[noreturn]] void FailAccess(const std::string& what, const std::string& path, int error) {
    throw BrevlinError(errors::PathFileAccess,
                       what + ": " + path + " (" + std::strerror(error) + ")");
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void MakeFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return;
    const std::string parent = Folder(folder);
    if (parent != folder)
        MakeFolders(parent);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        FailAccess("設定ファイルのフォルダーを作れません", folder, errno);
}

// The file a symbolic link names, so that saving replaces the file and keeps the link.
std::string Resolve(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        std::string resolved = real;
        std::free(real);
        return resolved;
    }
    char target[4096];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
    if (length <= 0)
        return path;
    const std::string link(target, static_cast<std::size_t>(length));
    return link.front() == '/' ? link : Folder(path) + "/" + link;
}

void WriteAll(int fd, const std::string& bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            FailAccess("設定ファイルを書き込めません", path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string TimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Temporary files of writers that were killed before their rename. Only called under the
// lock, so no living writer of this file has one.
void RemoveStrayTemporaries(const std::string& folder, const std::string& target) {
    const std::string prefix = target.substr(target.rfind('/') + 1) + ".tmp-";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

std::unique_ptr<RegistryStore> RegistryStore::CreateDefault() {
    return std::make_unique<FileRegistryStore>(FileRegistryStore::DefaultPath());
}

std::string FileRegistryStore::DefaultPath() {
    if (const char* explicitPath = std::getenv("BREVLIN_SETTINGS"); explicitPath && *explicitPath)
        return explicitPath;
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        std::string homeText = home && *home ? home : "";
        if (homeText.empty()) {
            if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
                homeText = user->pw_dir;
        }
        if (homeText.empty())
            throw BrevlinError(errors::PathFileAccess,
                               "設定ファイルの場所が決まりません (HOME がありません)");
        base = homeText + "/.config";
    }
    return base + "/Morvane/Brevlin/settings.reg";
}

FileRegistryStore::FileRegistryStore(std::string path) : m_path(std::move(path)) {}

FileRegistryStore::~FileRegistryStore() {
    RollbackBatch();
    HoldCacheFile(-1);
}

void FileRegistryStore::HoldCacheFile(int fd) noexcept {
    if (m_cacheFd >= 0)
        ::close(m_cacheFd);
    m_cacheFd = fd;
}

// ---- reading -------------------------------------------------------------------------------

FileRegistryStore::Stamp FileRegistryStore::Stamp::Of(const struct ::stat& info) {
    Stamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<unsigned long long>(info.st_dev);
    stamp.inode = static_cast<unsigned long long>(info.st_ino);
    stamp.size = static_cast<unsigned long long>(info.st_size);
    stamp.modified =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    stamp.changed =
        static_cast<long long>(info.st_ctim.tv_sec) * 1000000000LL + info.st_ctim.tv_nsec;
    return stamp;
}

std::shared_ptr<const RegistryTree> FileRegistryStore::Current() {
    Stamp now;
    struct stat info {};
    if (::stat(m_path.c_str(), &info) == 0) {
        now = Stamp::Of(info);
    } else if (errno != ENOENT && errno != ENOTDIR) {
        FailAccess("設定ファイルを読み込めません", m_path, errno);
    }
    if (m_cache && now == m_stamp)
        return m_cache;
    if (!now.exists) {
        HoldCacheFile(-1);
        m_cache = std::make_shared<RegistryTree>();
        m_stamp = now;
        return m_cache;
    }
    return Load();
}

std::shared_ptr<const RegistryTree> FileRegistryStore::Load() {
    m_cache.reset();
    HoldCacheFile(-1);
    // Not blocking: a named pipe in the file's place must not stop the program.
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        FailAccess("設定ファイルを読み込めません", m_path, errno);
    std::string bytes;
    Stamp stamp;
    {
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            const int error = errno;
            ::close(fd);
            FailAccess("設定ファイルを読み込めません", m_path, error);
        }
        if (!S_ISREG(info.st_mode)) {
            ::close(fd);
            throw BrevlinError(errors::PathFileAccess,
                               "設定ファイルが通常のファイルではありません: " + m_path);
        }
        if (static_cast<unsigned long long>(info.st_size) > MaxFileSize) {
            ::close(fd);
            throw BrevlinError(errors::SettingsFormat, "設定ファイルが大きすぎます: " + m_path);
        }
        stamp = Stamp::Of(info);
        char buffer[65536];
        while (true) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                const int error = errno;
                ::close(fd);
                FailAccess("設定ファイルを読み込めません", m_path, error);
            }
            if (n == 0)
                break;
            bytes.append(buffer, static_cast<std::size_t>(n));
            if (bytes.size() > MaxFileSize) {
                ::close(fd);
                throw BrevlinError(errors::SettingsFormat, "設定ファイルが大きすぎます: " + m_path);
            }
        }
    }
    try {
        m_cache = std::make_shared<RegistryTree>(RegFile::Parse(bytes));
        HoldCacheFile(fd);
    } catch (const RegFile::ParseError& error) {
        ::close(fd);
        throw BrevlinError(errors::SettingsFormat, "設定ファイルを解釈できません: " + m_path + ":" +
                                                       std::to_string(error.Line()) + ": " +
                                                       error.what());
    }
    m_stamp = stamp;
    return m_cache;
}

std::optional<RegistryValue>
FileRegistryStore::ReadValue(RegistryRoot root, std::u16string_view key, std::u16string_view name) {
    std::shared_ptr<const RegistryTree> holder;
    const RegistryTree* tree = nullptr;
    if (m_inBatch) {
        tree = m_mode == BatchMode::Read ? m_snapshot.get() : &m_working;
    } else {
        holder = Current();
        tree = holder.get();
    }
    const RegistryKey* found = tree->Root(root).Find(key);
    if (!found)
        return std::nullopt;
    const RegistryValue* value = found->FindValue(name);
    if (!value)
        return std::nullopt;
    return *value;
}

// ---- writing -------------------------------------------------------------------------------

std::string FileRegistryStore::Describe(RegistryRoot root, std::u16string_view key,
                                        std::u16string_view name) const {
    std::string path = RegFile::RootName(root);
    if (!key.empty())
        path += "\\" + RegFile::Utf8(key);
    path += "\\" + RegFile::Utf8(name);
    return path;
}

void FileRegistryStore::Lock() {
    if (m_lockFd >= 0)
        return;
    const std::string lockPath = m_path + ".lock";
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        FailAccess("設定ファイルのロックを作れません", lockPath, errno);
    const auto deadline = std::chrono::steady_clock::now() + m_lockTimeout;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            if (error == EWOULDBLOCK)
                throw BrevlinError(errors::PathFileAccess,
                                   "設定ファイルは他のプロセスが書き込み中です: " + lockPath);
            FailAccess("設定ファイルをロックできません", lockPath, error);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    m_lockFd = fd;
}

void FileRegistryStore::Unlock() noexcept {
    if (m_lockFd < 0)
        return;
    ::flock(m_lockFd, LOCK_UN);
    ::close(m_lockFd);
    m_lockFd = -1;
}

void FileRegistryStore::StartWriting() {
    MakeFolders(Folder(Resolve(m_path)));
    MakeFolders(Folder(m_path));
    Lock();
    try {
        m_broken = false;
        m_cache.reset(); // under the lock, always from the file as it is now
        try {
            m_working = *Current();
        } catch (const BrevlinError& error) {
            if (error.Number() != errors::SettingsFormat)
                throw;
            m_broken = true; // kept beside the file before the first replacement
            m_working = RegistryTree();
        }
    } catch (...) {
        Unlock();
        throw;
    }
}

template <typename Change> void FileRegistryStore::Modify(Change change) {
    if (m_inBatch) {
        if (m_mode != BatchMode::Write)
            throw std::logic_error("write in a reading batch");
        change(m_working);
        m_dirty = true;
        return;
    }
    StartWriting();
    try {
        change(m_working);
        Save(m_working);
    } catch (...) {
        m_working = RegistryTree();
        Unlock();
        throw;
    }
    m_working = RegistryTree();
    Unlock();
}

void FileRegistryStore::WriteValue(RegistryRoot root, std::u16string_view key,
                                   std::u16string_view name, const RegistryValue& value) {
    Modify([&](RegistryTree& tree) { tree.Root(root).Create(key).SetValue(name, value); });
}

void FileRegistryStore::DeleteValue(RegistryRoot root, std::u16string_view key,
                                    std::u16string_view name) {
    Modify([&](RegistryTree& tree) {
        RegistryKey* found = tree.Root(root).Find(key);
        if (!found || !found->RemoveValue(name))
            throw BrevlinError(errors::RegistryNotFound,
                               "値が見つかりません: " + Describe(root, key, name));
    });
}

void FileRegistryStore::DeleteKey(RegistryRoot root, std::u16string_view key) {
    Modify([&](RegistryTree& tree) {
        const std::size_t slash = key.rfind(u'\\');
        const std::u16string_view parentPath =
            slash == std::u16string_view::npos ? std::u16string_view() : key.substr(0, slash);
        const std::u16string_view name =
            slash == std::u16string_view::npos ? key : key.substr(slash + 1);
        if (name.empty())
            throw BrevlinError(errors::InvalidKey, "キー不正");
        RegistryKey* parent = tree.Root(root).Find(parentPath);
        RegistryKey* found = parent ? parent->FindSubkey(name) : nullptr;
        const std::string described = Describe(root, parentPath, name);
        if (!found)
            throw BrevlinError(errors::RegistryNotFound, "キーが見つかりません: " + described);
        if (!found->Subkeys().empty())
            throw BrevlinError(errors::RegistryAccessDenied,
                               "サブキーのあるキーは削除できません: " + described);
        parent->RemoveSubkey(name);
    });
}

void FileRegistryStore::KeepBackup(const std::string& target) {
    const std::string base = target + ".unreadable-" + TimeText();
    std::string backup = base;
    for (int n = 2; ::access(backup.c_str(), F_OK) == 0; ++n)
        backup = base + "-" + std::to_string(n);
    if (::link(target.c_str(), backup.c_str()) != 0) {
        // No hard links here: copy the bytes.
        const int in = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0)
            FailAccess("読めない設定ファイルの控えを作れません", backup, errno);
        std::string bytes;
        char buffer[65536];
        ssize_t n = 0;
        while ((n = ::read(in, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
        const int readError = n < 0 ? errno : 0;
        ::close(in);
        if (readError)
            FailAccess("読めない設定ファイルの控えを作れません", backup, readError);
        const int out = ::open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0)
            FailAccess("読めない設定ファイルの控えを作れません", backup, errno);
        try {
            WriteAll(out, bytes, backup);
        } catch (...) {
            ::close(out);
            throw;
        }
        if (::fsync(out) != 0 || ::close(out) != 0)
            FailAccess("読めない設定ファイルの控えを作れません", backup, errno);
    }
    m_lastBackup = backup;
}

void FileRegistryStore::ReplaceFile(const std::string& temporary, const std::string& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        FailAccess("設定ファイルを置き換えられません", target, errno);
}

void FileRegistryStore::Save(const RegistryTree& tree) {
    const std::string target = Resolve(m_path);
    const std::string folder = Folder(target);
    if (m_broken && ::access(target.c_str(), F_OK) == 0)
        KeepBackup(target);

    const std::string bytes = RegFile::Serialize(tree);
    std::string temporary = target + ".tmp-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        FailAccess("設定ファイルを書き込めません", folder, errno);
    int error = 0;
    try {
        WriteAll(fd, bytes, temporary);
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    if (::fsync(fd) != 0) {
        error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        FailAccess("設定ファイルを書き込めません", temporary, error);
    }
    try {
        ReplaceFile(temporary, target);
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    RemoveStrayTemporaries(folder, target);
    SyncFolder(folder);
    m_broken = false;
    m_cache = std::make_shared<RegistryTree>(tree);
    struct stat info {};
    m_stamp = ::fstat(fd, &info) == 0 ? Stamp::Of(info) : Stamp();
    HoldCacheFile(fd); // the new file, open from before it took the name
}

// ---- batches -------------------------------------------------------------------------------

void FileRegistryStore::BeginBatch(BatchMode mode) {
    if (m_inBatch)
        throw std::logic_error("batches do not nest");
    if (mode == BatchMode::Read)
        m_snapshot = Current();
    else
        StartWriting();
    m_inBatch = true;
    m_mode = mode;
    m_dirty = false;
}

void FileRegistryStore::CommitBatch() {
    if (!m_inBatch)
        throw std::logic_error("no batch to commit");
    const bool save = m_mode == BatchMode::Write && m_dirty;
    try {
        if (save)
            Save(m_working);
    } catch (...) {
        RollbackBatch();
        throw;
    }
    RollbackBatch();
}

void FileRegistryStore::RollbackBatch() noexcept {
    m_inBatch = false;
    m_dirty = false;
    m_snapshot.reset();
    m_working = RegistryTree();
    Unlock();
}

} // namespace brevlin::platform
