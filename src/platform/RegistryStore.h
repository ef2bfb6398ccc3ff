#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brevlin::platform {

// The registry roots the settings may name, with their handle values.
enum class RegistryRoot : std::uint32_t {
    ClassesRoot = 0x80000000,
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
};

// One stored value with its registry type.
struct RegistryValue {
    static constexpr std::uint32_t String = 1;      // REG_SZ
    static constexpr std::uint32_t Dword = 4;       // REG_DWORD
    static constexpr std::uint32_t MultiString = 7; // REG_MULTI_SZ

    std::uint32_t type = String;
    std::u16string text;              // String
    std::uint32_t number = 0;         // Dword
    std::vector<std::u16string> list; // MultiString
    std::vector<unsigned char> bytes; // any other type, kept as it is

    static RegistryValue FromText(std::u16string value) {
        RegistryValue v;
        v.text = std::move(value);
        return v;
    }
    static RegistryValue FromDword(std::uint32_t value) {
        RegistryValue v;
        v.type = Dword;
        v.number = value;
        return v;
    }
    static RegistryValue FromList(std::vector<std::u16string> value) {
        RegistryValue v;
        v.type = MultiString;
        v.list = std::move(value);
        return v;
    }
    bool operator==(const RegistryValue&) const = default;
};

// The per-user settings store behind clsRegistry: the registry on Windows, a file elsewhere.
// `key` is the path of a key below its root, components separated by "\" (empty: the root
// key itself); `name` is a value name, empty for the key's default value. Key and value names
// match without regard to letter case. Failures are BrevlinErrors.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // The value, or nothing when it or a key on the path is absent.
    virtual std::optional<RegistryValue> ReadValue(RegistryRoot root, std::u16string_view key,
                                                   std::u16string_view name) = 0;
    // Creates the keys on the path that are missing, then sets the value.
    virtual void WriteValue(RegistryRoot root, std::u16string_view key, std::u16string_view name,
                            const RegistryValue& value) = 0;
    // errors::RegistryNotFound when the value is absent.
    virtual void DeleteValue(RegistryRoot root, std::u16string_view key,
                             std::u16string_view name) = 0;
    // Deletes a key with its values; errors::RegistryNotFound when it is absent,
    // errors::RegistryAccessDenied when it has subkeys.
    virtual void DeleteKey(RegistryRoot root, std::u16string_view key) = 0;

    // A batch sees one consistent state of the store. A writing batch keeps other writers out
    // until it ends, its reads see its own writes, and CommitBatch stores all of its writes at
    // once; RollbackBatch drops them. Batches do not nest.
    enum class BatchMode { Read, Write };
    virtual void BeginBatch(BatchMode mode) = 0;
    virtual void CommitBatch() = 0;
    virtual void RollbackBatch() noexcept = 0;

    // Where this store keeps its data, for messages.
    virtual std::string Location() const = 0;

    // The user's store: the file named by BREVLIN_SETTINGS when that is set; otherwise the
    // registry on Windows, and elsewhere $XDG_CONFIG_HOME/Morvane/Brevlin/settings.reg
    // (default ~/.config/...).
    static std::unique_ptr<RegistryStore> CreateDefault();
};

} // namespace brevlin::platform
