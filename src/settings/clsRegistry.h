#pragma once

#include "platform/RegistryStore.h"
#include "settings/Variant.h"

#include <memory>

namespace brevlin {

// The only way into the settings store. A path is root "\" keys "\" value name; a path ending
// in "\" names a key (its default value when reading or writing, the key when deleting).
// Roots: HKCR / HKEY_CLASSES_ROOT, HKCU / HKEY_CURRENT_USER, HKLM / HKEY_LOCAL_MACHINE.
class clsRegistry {
public:
    // The user's store (RegistryStore::CreateDefault).
    clsRegistry();
    explicit clsRegistry(std::unique_ptr<platform::RegistryStore> store);

    // The value at the path; `defaultValue` when it or its key is absent; Empty when it is a
    // text equal to the path itself.
    Variant RegRead(const Text& key, const Variant& defaultValue = Variant());
    // Lists go through the multi-string writer; integers, bytes and booleans are stored as
    // REG_DWORD (true as -1); everything else as REG_SZ text.
    void RegWrite(const Text& key, const Variant& value);
    // Deletes a value, or a key that has no subkeys.
    void RegDelete(const Text& key);

    platform::RegistryStore& Store() { return *m_store; }

    // Reads in a Read batch see one state of the store; the writes of a Write batch reach it
    // at once when it is committed, and not at all when it ends otherwise. A batch inside
    // another one joins it (a Write batch may hold Read and Write batches, a Read batch only
    // Read batches): only the outermost one commits or drops the writes.
    class Batch {
    public:
        Batch(clsRegistry& registry, platform::RegistryStore::BatchMode mode);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void Commit();

    private:
        clsRegistry& m_registry;
        bool m_outermost;
        bool m_open = true;
    };

private:
    struct Path {
        platform::RegistryRoot root;
        Text key;  // between the root and the value name, without the separators
        Text name; // empty for a path ending in "\"
    };
    static Path ParsePath(const Text& key);
    void RegWriteMultiSz(const Text& key, const std::vector<Text>& values);

    std::unique_ptr<platform::RegistryStore> m_store;
    int m_batchDepth = 0;
    platform::RegistryStore::BatchMode m_batchMode = platform::RegistryStore::BatchMode::Read;
};

} // namespace brevlin
