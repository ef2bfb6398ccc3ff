#pragma once

#include "platform/RegistryStore.h"

#include <chrono>
#include <vector>

namespace brevlin::platform {

// The settings store on the real Windows registry (advapi32): REG_SZ, REG_DWORD and
// REG_MULTI_SZ as their own types, any other type kept as bytes, the default value by the
// empty name. Errors are those of the file store.
//
// The registry has no transaction across keys. A batch takes a named mutex, so that batches of
// this program and of `brevlin` never interleave; a writing batch writes at once and keeps what
// each write replaced, so RollbackBatch can put it back. A process killed inside a writing
// batch leaves the writes done so far.
class WinRegistryStore : public RegistryStore {
public:
    WinRegistryStore();
    ~WinRegistryStore() override;

    std::optional<RegistryValue> ReadValue(RegistryRoot root, std::u16string_view key,
                                           std::u16string_view name) override;
    void WriteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name,
                    const RegistryValue& value) override;
    void DeleteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name) override;
    void DeleteKey(RegistryRoot root, std::u16string_view key) override;

    void BeginBatch(BatchMode mode) override;
    void CommitBatch() override;
    void RollbackBatch() noexcept override;

    std::string Location() const override { return "HKEY_CURRENT_USER"; }

    void SetLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }

private:
    // What a write of the open batch replaced: a value (absent when it had none) or a key
    // with its values (it had no subkeys).
    struct Undo {
        RegistryRoot root = RegistryRoot::CurrentUser;
        std::u16string key;
        std::u16string name;
        bool keyDeleted = false;
        std::optional<RegistryValue> value;
        std::vector<std::pair<std::u16string, RegistryValue>> values; // of a deleted key
        bool keyCreated = false; // the key did not exist before the write
    };

    static Undo Change(RegistryRoot root, std::u16string_view key, std::u16string_view name);
    void Lock();
    void Unlock() noexcept;
    // Runs a change under the lock, or inside the open writing batch.
    template <typename Action> void Modify(Action change);
    void Remember(Undo undo);
    std::vector<std::pair<std::u16string, RegistryValue>> ValuesOf(RegistryRoot root,
                                                                   std::u16string_view key);
    bool KeyExists(RegistryRoot root, std::u16string_view key);

    void* m_mutex = nullptr;
    std::chrono::milliseconds m_lockTimeout{10000};
    bool m_inBatch = false;
    BatchMode m_mode = BatchMode::Read;
    std::vector<Undo> m_undo;
};

} // namespace brevlin::platform
