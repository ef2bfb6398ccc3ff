#pragma once

#include "platform/FileSystem.h"
#include "platform/RegistryStore.h"
#include "platform/registry/RegistryTree.h"

#include <chrono>
#include <memory>
#include <string>

namespace brevlin::platform {

// The registry as one text file (RegFile's format), for systems without a registry.
//
// - The file is only ever replaced whole: a temporary file in the same folder is written,
//   flushed to disk and put in the old one's place in one step. A crash leaves the old or the new
//   file.
// - Writers take an exclusive lock on "<file>.lock" first, so two processes never interleave;
//   a writing batch holds it from BeginBatch to its end.
// - Reads see the latest file: it is parsed again only when it changed on disk.
// - A file that cannot be parsed is reported with its path and line. A write over it first
//   keeps it beside the file as "<file>.unreadable-<date>-<time>".
class FileRegistryStore : public RegistryStore {
public:
    explicit FileRegistryStore(FileSystem::Path path);
    ~FileRegistryStore() override;

    std::optional<RegistryValue> ReadValue(RegistryRoot root, std::u16string_view key,
                                           std::u16string_view name) override;
    void WriteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name,
                    const RegistryValue& value) override;
    void DeleteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name) override;
    void DeleteKey(RegistryRoot root, std::u16string_view key) override;

    void BeginBatch(BatchMode mode) override;
    void CommitBatch() override;
    void RollbackBatch() noexcept override;

    std::string Location() const override;
    // The settings file itself.
    const FileSystem::Path& File() const { return m_path; }

    // How long a writer waits for another one before it gives up (default 10 s).
    void SetLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }
    // The copy kept by the last write over an unparseable file, if any.
    const FileSystem::Path& LastBackup() const { return m_lastBackup; }

    // $BREVLIN_SETTINGS, else $XDG_CONFIG_HOME/Morvane/Brevlin/settings.reg (default
    // ~/.config/...).
    static FileSystem::Path DefaultPath();

protected:
    // Puts the finished temporary file in place of the target.
    virtual void PutInPlace(const FileSystem::Path& temporary, FileSystem::Handle& file,
                            const FileSystem::Path& target);

private:
    std::shared_ptr<const RegistryTree> Current();
    std::shared_ptr<const RegistryTree> Load();
    template <typename Change> void Modify(Change change);
    void StartWriting(); // lock, then the tree to change (empty over an unparseable file)
    void Save(const RegistryTree& tree);
    void KeepBackup(const FileSystem::Path& target);
    void Lock();
    void Unlock() noexcept;
    std::string Describe(RegistryRoot root, std::u16string_view key,
                         std::u16string_view name) const;

    FileSystem::Path m_path;
    std::chrono::milliseconds m_lockTimeout{10000};
    std::shared_ptr<const RegistryTree> m_cache;
    FileSystem::Stamp m_stamp;
    // The parsed file stays open where the system allows: while it is, no new file can take
    // its inode number, so a replaced file is always noticed.
    FileSystem::Handle m_cacheFile = FileSystem::NoHandle;
    void HoldCacheFile(FileSystem::Handle file) noexcept;
    FileSystem::Handle m_lockFile = FileSystem::NoHandle;
    FileSystem::Path m_lastBackup;

    bool m_inBatch = false;
    BatchMode m_mode = BatchMode::Read;
    std::shared_ptr<const RegistryTree> m_snapshot; // what a reading batch sees
    RegistryTree m_working;                         // what a writing batch changes
    bool m_dirty = false;
    bool m_broken = false; // the file on disk cannot be parsed
};

} // namespace brevlin::platform
