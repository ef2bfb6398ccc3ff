#include "platform/FileSystem.h"

#include <random>
#include <thread>
#include <windows.h>

namespace brevlin::platform {

namespace {

using Kind = FileSystem::Error::Kind;

std::string Reason(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text),
        0, nullptr);
    std::string reason = length && text ? std::string(text, length) : std::string();
    if (text)
        LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    return (reason.empty() ? "error" : reason) + " [" + std::to_string(error) + "]";
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_INVALID_NAME;
}

[[noreturn]] void Fail(DWORD error = GetLastError()) {
    throw FileSystem::Error(IsMissing(error) ? Kind::NotFound : Kind::Other, Reason(error));
}

HANDLE Win(FileSystem::Handle file) {
    return reinterpret_cast<HANDLE>(file);
}

FileSystem::Handle Own(HANDLE file) {
    return reinterpret_cast<FileSystem::Handle>(file);
}

long long Ticks(const FILETIME& time) {
    return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                  time.dwLowDateTime);
}

FileSystem::Stamp StampFrom(const BY_HANDLE_FILE_INFORMATION& info) {
    FileSystem::Stamp stamp;
    stamp.exists = true;
    stamp.volume = info.dwVolumeSerialNumber;
    stamp.id = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.modified = Ticks(info.ftLastWriteTime);
    stamp.changed = Ticks(info.ftCreationTime);
    return stamp;
}

// Calls `attempt` (which sets the last error when it fails) until it succeeds or fails for
// another reason than a file in use, for two seconds at most: a reader that has the file open,
// or a writer's rename in progress, holds it for a moment only. A failure leaves its error set.
template <class Attempt> bool RetriedWhileInUse(Attempt attempt) {
    for (int retries = 0;; ++retries) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || retries == 200)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Every file is opened so that others may read, write, rename and delete it meanwhile, as
// files are on POSIX systems: a reader must never stop a writer's replacement.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE OpenForReading(const FileSystem::Path& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

FileSystem::Stamp FileSystem::StampOf(const Path& path) {
    const HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (IsMissing(error))
            return {};
        Fail(error);
    }
    const Stamp stamp = StampOf(Own(file));
    CloseHandle(file);
    return stamp;
}

FileSystem::Stamp FileSystem::StampOf(Handle file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileInformationByHandle(Win(file), &info) ? StampFrom(info) : Stamp();
}

FileSystem::Handle FileSystem::StandardInput() {
    return Own(GetStdHandle(STD_INPUT_HANDLE));
}

bool FileSystem::Exists(const Path& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FileSystem::IsRegularFile(const Path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FileSystem::ReadWhole(const Path& path, std::size_t maxSize, bool regularOnly,
                                  Stamp* stamp, Handle* keepOpen) {
    HANDLE file = INVALID_HANDLE_VALUE;
    if (!RetriedWhileInUse([&] { return (file = OpenForReading(path)) != INVALID_HANDLE_VALUE; }))
        Fail();
    try {
        const DWORD type = GetFileType(file);
        if (regularOnly && type != FILE_TYPE_DISK)
            throw Error(Kind::NotRegular, "not a regular file");
        BY_HANDLE_FILE_INFORMATION info{};
        if (type == FILE_TYPE_DISK) {
            if (!GetFileInformationByHandle(file, &info))
                Fail();
            if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                throw Error(Kind::NotRegular, "a folder");
            if (StampFrom(info).size > maxSize)
                throw Error(Kind::TooBig, "too big");
            if (stamp)
                *stamp = StampFrom(info);
        }
        std::string bytes;
        char buffer[65536];
        for (;;) {
            DWORD n = 0;
            if (!ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
                const DWORD error = GetLastError();
                if (error == ERROR_BROKEN_PIPE)
                    break; // the writer of a pipe is done
                Fail(error);
            }
            if (n == 0)
                break;
            bytes.append(buffer, n);
            if (bytes.size() > maxSize)
                throw Error(Kind::TooBig, "too big");
        }
        // Not kept open: an open file would stop its replacement on some Windows versions, and
        // file indexes are not reused as quickly as inode numbers.
        CloseHandle(file);
        if (keepOpen)
            *keepOpen = NoHandle;
        return bytes;
    } catch (...) {
        CloseHandle(file);
        throw;
    }
}

FileSystem::Path FileSystem::Resolve(const Path& path) {
    // Symbolic links on Windows need rights users rarely have; the file is replaced as named.
    return path;
}

void FileSystem::MakeFolders(const Path& folder) {
    if (folder.empty() || GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    const Path parent = folder.parent_path();
    if (!parent.empty() && parent != folder)
        MakeFolders(parent);
    // The folder inherits the user's profile permissions, which keep other users out.
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        Fail();
}

FileSystem::Handle FileSystem::LockExclusive(const Path& path, std::chrono::milliseconds timeout) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, ShareAll, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        Fail();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        OVERLAPPED whole{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                       MAXDWORD, &whole))
            return Own(file);
        const DWORD error = GetLastError();
        if (error != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= deadline) {
            CloseHandle(file);
            if (error == ERROR_LOCK_VIOLATION)
                throw Error(Kind::Busy, "locked by another process");
            Fail(error);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void FileSystem::Close(Handle file) noexcept {
    // Closing a handle releases its locks.
    if (file != NoHandle)
        CloseHandle(Win(file));
}

FileSystem::Handle FileSystem::OpenDevice(const Path& /*path*/) {
    // Windows' device names (NUL, CON) are not files in a folder: nothing to tell apart here.
    return NoHandle;
}

FileSystem::Handle FileSystem::CreateTemporary(const Path& target, bool /*privateFile*/,
                                               Path& name) {
    static constexpr wchar_t Letters[] =
        L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, std::size(Letters) - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring suffix = L".tmp-";
        for (int i = 0; i < 6; ++i)
            suffix += Letters[pick(random)];
        name = target;
        name += suffix;
        // A new file takes the folder's permissions, as any file the user makes there.
        const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, ShareAll, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return Own(file);
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            Fail();
    }
    Fail(ERROR_FILE_EXISTS);
}

void FileSystem::WriteAll(Handle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(Win(file), bytes.data(), piece, &written, nullptr))
            Fail();
        bytes.remove_prefix(written);
    }
}

void FileSystem::Flush(Handle file) {
    if (!FlushFileBuffers(Win(file)))
        Fail();
}

void FileSystem::CopyPermissions(const Path& /*from*/, Handle /*to*/) noexcept {
    // The temporary lies in the target's folder and takes its permissions from there.
}

void FileSystem::Replace(const Path& temporary, Handle& file, const Path& target) {
    // A file cannot take a new name while this process holds it open on every Windows version.
    Close(file);
    file = NoHandle;
    // One rename that replaces the target: readers find the old file or the new one, never
    // none (ReplaceFileW moves the old one away first).
    if (!RetriedWhileInUse([&] {
            return MoveFileExW(temporary.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        }))
        Fail();
}

void FileSystem::Remove(const Path& path) noexcept {
    DeleteFileW(path.c_str());
}

void FileSystem::RemoveStrayTemporaries(const Path& target) noexcept {
    const std::wstring prefix = target.filename().wstring() + L".tmp-";
    Path pattern = target;
    pattern += L".tmp-??????";
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring_view name = found.cFileName;
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix))
            DeleteFileW((target.parent_path() / found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void FileSystem::SyncFolder(const Path& /*folder*/) noexcept {
    // MOVEFILE_WRITE_THROUGH leaves the folder's entry on the disk already.
}

void FileSystem::KeepCopy(const Path& from, const Path& to) {
    if (CreateHardLinkW(to.c_str(), from.c_str(), nullptr))
        return;
    if (!CopyFileW(from.c_str(), to.c_str(), TRUE))
        Fail();
}

std::optional<FileSystem::Path> FileSystem::EnvironmentPath(const char* name) {
    const std::wstring wide(name, name + std::char_traits<char>::length(name));
    const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size <= 1)
        return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(wide.c_str(), value.data(), size));
    return value.empty() ? std::nullopt : std::optional<Path>(Path(value));
}

std::optional<FileSystem::Path> FileSystem::HomeFolder() {
    return EnvironmentPath("USERPROFILE");
}

} // namespace brevlin::platform
