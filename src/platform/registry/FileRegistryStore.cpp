#include "platform/registry/FileRegistryStore.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "platform/registry/RegFile.h"
#include "text/BrevlinError.h"
#include "text/UiText.h"

#include <ctime>
#include <stdexcept>

namespace brevlin::platform {

namespace {

constexpr std::size_t MaxFileSize = 256u * 1024 * 1024;

[[noreturn]] void FailAccess(const std::string& what, const FileSystem::Path& path,
                             const FileSystem::Error& error) {
    throw BrevlinError(errors::PathFileAccess,
                       what + ": " + FilePath::ToUtf8(path) + " (" + error.what() + ")");
}

FileSystem::Path Folder(const FileSystem::Path& path) {
    const FileSystem::Path parent = path.parent_path();
    return parent.empty() ? FileSystem::Path(".") : parent;
}

std::string TimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

FileSystem::Path FileRegistryStore::DefaultPath() {
    if (auto explicitPath = FileSystem::EnvironmentPath("BREVLIN_SETTINGS"))
        return *explicitPath;
    FileSystem::Path base;
    if (auto config = FileSystem::EnvironmentPath("XDG_CONFIG_HOME");
        config && config->is_absolute()) {
        base = *config;
    } else if (auto home = FileSystem::HomeFolder()) {
        base = *home / ".config";
    } else {
        throw BrevlinError(
            errors::PathFileAccess,
            UiText::Translate("FileRegistryStore",
                              "設定ファイルの場所が決まりません (HOME がありません)"));
    }
    return base / "Morvane" / "Brevlin" / "settings.reg";
}

FileRegistryStore::FileRegistryStore(FileSystem::Path path) : m_path(std::move(path)) {}

FileRegistryStore::~FileRegistryStore() {
    RollbackBatch();
    HoldCacheFile(FileSystem::NoHandle);
}

std::string FileRegistryStore::Location() const {
    return FilePath::ToUtf8(m_path);
}

void FileRegistryStore::HoldCacheFile(FileSystem::Handle file) noexcept {
    FileSystem::Close(m_cacheFile);
    m_cacheFile = file;
}

// ---- reading -------------------------------------------------------------------------------

std::shared_ptr<const RegistryTree> FileRegistryStore::Current() {
    FileSystem::Stamp now;
    try {
        now = FileSystem::StampOf(m_path);
    } catch (const FileSystem::Error& error) {
        FailAccess(UiText::Translate("FileRegistryStore", "設定ファイルを読み込めません"), m_path,
                   error);
    }
    if (m_cache && now == m_stamp)
        return m_cache;
    if (!now.exists) {
        HoldCacheFile(FileSystem::NoHandle);
        m_cache = std::make_shared<RegistryTree>();
        m_stamp = now;
        return m_cache;
    }
    return Load();
}

std::shared_ptr<const RegistryTree> FileRegistryStore::Load() {
    m_cache.reset();
    HoldCacheFile(FileSystem::NoHandle);
    std::string bytes;
    FileSystem::Stamp stamp;
    FileSystem::Handle file = FileSystem::NoHandle;
    try {
        bytes = FileSystem::ReadWhole(m_path, MaxFileSize, true, &stamp, &file);
    } catch (const FileSystem::Error& error) {
        using Kind = FileSystem::Error::Kind;
        if (error.GetKind() == Kind::NotRegular)
            throw BrevlinError(errors::PathFileAccess,
                               UiText::Translate("FileRegistryStore",
                                                 "設定ファイルが通常のファイルではありません: ") +
                                   Location());
        if (error.GetKind() == Kind::TooBig)
            throw BrevlinError(
                errors::SettingsFormat,
                UiText::Translate("FileRegistryStore", "設定ファイルが大きすぎます: ") +
                    Location());
        FailAccess(UiText::Translate("FileRegistryStore", "設定ファイルを読み込めません"), m_path,
                   error);
    }
    try {
        m_cache = std::make_shared<RegistryTree>(RegFile::Parse(bytes));
        HoldCacheFile(file);
    } catch (const RegFile::ParseError& error) {
        FileSystem::Close(file);
        throw BrevlinError(
            errors::SettingsFormat,
            UiText::Translate("FileRegistryStore", "設定ファイルを解釈できません: ") + Location() +
                ":" + std::to_string(error.Line()) + ": " + error.what());
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
    if (m_lockFile != FileSystem::NoHandle)
        return;
    FileSystem::Path lockPath = m_path;
    lockPath += ".lock";
    try {
        m_lockFile = FileSystem::LockExclusive(lockPath, m_lockTimeout);
    } catch (const FileSystem::Error& error) {
        if (error.GetKind() == FileSystem::Error::Kind::Busy)
            throw BrevlinError(errors::PathFileAccess,
                               UiText::Translate("FileRegistryStore",
                                                 "設定ファイルは他のプロセスが書き込み中です: ") +
                                   FilePath::ToUtf8(lockPath));
        FailAccess(UiText::Translate("FileRegistryStore", "設定ファイルをロックできません"),
                   lockPath, error);
    }
}

void FileRegistryStore::Unlock() noexcept {
    FileSystem::Close(m_lockFile);
    m_lockFile = FileSystem::NoHandle;
}

void FileRegistryStore::StartWriting() {
    try {
        FileSystem::MakeFolders(Folder(FileSystem::Resolve(m_path)));
        FileSystem::MakeFolders(Folder(m_path));
    } catch (const FileSystem::Error& error) {
        FailAccess(UiText::Translate("FileRegistryStore", "設定ファイルのフォルダーを作れません"),
                   Folder(m_path), error);
    }
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
                               UiText::Translate("FileRegistryStore", "値が見つかりません: ") +
                                   Describe(root, key, name));
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
            throw BrevlinError(errors::InvalidKey,
                               UiText::Translate("FileRegistryStore", "キー不正"));
        RegistryKey* parent = tree.Root(root).Find(parentPath);
        RegistryKey* found = parent ? parent->FindSubkey(name) : nullptr;
        const std::string described = Describe(root, parentPath, name);
        if (!found)
            throw BrevlinError(errors::RegistryNotFound,
                               UiText::Translate("FileRegistryStore", "キーが見つかりません: ") +
                                   described);
        if (!found->Subkeys().empty())
            throw BrevlinError(
                errors::RegistryAccessDenied,
                UiText::Translate("FileRegistryStore", "サブキーのあるキーは削除できません: ") +
                    described);
        parent->RemoveSubkey(name);
    });
}

void FileRegistryStore::KeepBackup(const FileSystem::Path& target) {
    const std::string base = ".unreadable-" + TimeText();
    FileSystem::Path backup = target;
    backup += base;
    for (int n = 2; FileSystem::Exists(backup); ++n) {
        backup = target;
        backup += base + "-" + std::to_string(n);
    }
    try {
        FileSystem::KeepCopy(target, backup);
    } catch (const FileSystem::Error& error) {
        FailAccess(UiText::Translate("FileRegistryStore", "読めない設定ファイルの控えを作れません"),
                   backup, error);
    }
    m_lastBackup = backup;
}

void FileRegistryStore::PutInPlace(const FileSystem::Path& temporary, FileSystem::Handle& file,
                                   const FileSystem::Path& target) {
    try {
        FileSystem::Replace(temporary, file, target);
    } catch (const FileSystem::Error& error) {
        FailAccess(UiText::Translate("FileRegistryStore", "設定ファイルを置き換えられません"),
                   target, error);
    }
}

void FileRegistryStore::Save(const RegistryTree& tree) {
    const FileSystem::Path target = FileSystem::Resolve(m_path);
    if (m_broken && FileSystem::Exists(target))
        KeepBackup(target);

    const std::string bytes = RegFile::Serialize(tree);
    FileSystem::Path temporary;
    FileSystem::Handle file = FileSystem::NoHandle;
    try {
        file = FileSystem::CreateTemporary(target, true, temporary);
    } catch (const FileSystem::Error& error) {
        FailAccess(UiText::Translate("FileRegistryStore", "設定ファイルを書き込めません"),
                   Folder(target), error);
    }
    try {
        try {
            FileSystem::WriteAll(file, bytes);
            FileSystem::Flush(file);
        } catch (const FileSystem::Error& error) {
            FailAccess(UiText::Translate("FileRegistryStore", "設定ファイルを書き込めません"),
                       temporary, error);
        }
        PutInPlace(temporary, file, target);
    } catch (...) {
        FileSystem::Close(file);
        FileSystem::Remove(temporary);
        throw;
    }
    FileSystem::RemoveStrayTemporaries(target);
    FileSystem::SyncFolder(Folder(target));
    m_broken = false;
    m_cache = std::make_shared<RegistryTree>(tree);
    if (file != FileSystem::NoHandle) {
        m_stamp = FileSystem::StampOf(file);
        HoldCacheFile(file); // the new file, open from before it took the name
    } else {
        HoldCacheFile(FileSystem::NoHandle);
        try {
            m_stamp = FileSystem::StampOf(target);
        } catch (const FileSystem::Error&) {
            m_stamp = {}; // read again next time
        }
    }
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
