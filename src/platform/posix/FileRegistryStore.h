#pragma once

#include "../RegistryStore.h"
#include "../RegistryTree.h"

#include <chrono>

struct stat;
#include <memory>
#include <string>

namespace brevlin::platform {

// The registry as one text file (RegFile's format), for systems without a registry.
//
// - The file is only ever replaced whole: a temporary file in the same folder is written,
//   flushed to disk and renamed over the old one. A crash leaves the old or the new file.
// - Writers take an exclusive lock on "<file>.lock" first, so two processes never interleave;
//   a writing batch holds it from BeginBatch to its end.
// - Reads see the latest file: it is parsed again only when it changed on disk.
// - A file that cannot be parsed is reported with its path and line. A write over it first
//   keeps it beside the file as "<file>.unreadable-<date>-<time>".
class FileRegistryStore : public RegistryStore {
public:
    explicit FileRegistryStore(std::string path);
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

    std::string Location() const override { return m_path; }

    // How long a writer waits for another one before it gives up (default 10 s).
    void SetLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }
    // The copy kept by the last write over an unparseable file, if any.
    const std::string& LastBackup() const { return m_lastBackup; }

    // $BREVLIN_SETTINGS, else $XDG_CONFIG_HOME/Morvane/Brevlin/settings.reg (default
    // ~/.config/...).
    static std::string DefaultPath();

protected:
    // Puts the finished temporary file in place of the target (rename).
    virtual void ReplaceFile(const std::string& temporary, const std::string& target);

private:
    struct Stamp {
        bool exists = false;
        unsigned long long device = 0, inode = 0, size = 0;
        long long modified = 0, changed = 0;
        bool operator==(const Stamp&) const = default;
        static Stamp Of(const struct ::stat& info);
    };

    std::shared_ptr<const RegistryTree> Current();
    std::shared_ptr<const RegistryTree> Load();
    template <typename Change> void Modify(Change change);
    void StartWriting(); // lock, then the tree to change (empty over an unparseable file)
    void Save(const RegistryTree& tree);
    void KeepBackup(const std::string& target);
    void Lock();
    void Unlock() noexcept;
    std::string Describe(RegistryRoot root, std::u16string_view key,
                         std::u16string_view name) const;

    std::string m_path;
    std::chrono::milliseconds m_lockTimeout{10000};
    std::shared_ptr<const RegistryTree> m_cache;
    Stamp m_stamp;
    // The parsed file stays open: while it is, no new file can take its inode number, so a
    // replaced file is always noticed.
    int m_cacheFd = -1;
    void HoldCacheFile(int fd) noexcept;
    int m_lockFd = -1;
    std::string m_lastBackup;

    bool m_inBatch = false;
    BatchMode m_mode = BatchMode::Read;
    std::shared_ptr<const RegistryTree> m_snapshot; // what a reading batch sees
    RegistryTree m_working;                         // what a writing batch changes
    bool m_dirty = false;
    bool m_broken = false; // the file on disk cannot be parsed
};

} // namespace brevlin::platform
