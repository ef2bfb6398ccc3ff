#pragma once

#include "platform/RegistryStore.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace brevlin::platform {

// One key of a stored registry tree: values in the order they were first written, subkeys
// in natural order (numbers by value, letters without regard to case). Names match without
// regard to ASCII letter case, as registry names do. Lookups are indexed, so a file with very
// many values or keys still loads in reasonable time.
class RegistryKey {
public:
    using NamedValue = std::pair<std::u16string, RegistryValue>;
    struct NaturalOrder {
        bool operator()(std::u16string_view a, std::u16string_view b) const {
            return NaturalLess(a, b);
        }
    };
    // Subkeys by their name with ASCII letters in upper case.
    using SubkeyMap = std::map<std::u16string, RegistryKey, NaturalOrder>;

    // How deep a tree may go below its root, as in the registry.
    static constexpr std::size_t MaxDepth = 512;

    explicit RegistryKey(std::u16string name = {}) : m_name(std::move(name)) {}

    const std::u16string& Name() const { return m_name; }

    const RegistryValue* FindValue(std::u16string_view name) const;
    void SetValue(std::u16string_view name, RegistryValue value);
    bool RemoveValue(std::u16string_view name);
    const std::vector<NamedValue>& Values() const { return m_values; }

    RegistryKey* FindSubkey(std::u16string_view name);
    RegistryKey& CreateSubkey(std::u16string_view name);
    bool RemoveSubkey(std::u16string_view name);
    const SubkeyMap& Subkeys() const { return m_subkeys; }

    // A key below this one by a path of names separated by "\"; the empty path is this key.
    RegistryKey* Find(std::u16string_view path);
    const RegistryKey* Find(std::u16string_view path) const {
        return const_cast<RegistryKey*>(this)->Find(path);
    }
    // Creates what is missing on the path; a path with an empty or invalid name, or deeper
    // than MaxDepth, is refused.
    RegistryKey& Create(std::u16string_view path);

    static bool SameName(std::u16string_view a, std::u16string_view b);
    static bool NaturalLess(std::u16string_view a, std::u16string_view b);
    // Names of keys: 1 to 255 characters, no "\", no control characters, no unpaired
    // surrogates.
    static bool IsValidKeyName(std::u16string_view name);

private:
    static std::u16string Folded(std::u16string_view name);
    void IndexValues();

    std::u16string m_name;
    std::vector<NamedValue> m_values;
    std::unordered_map<std::u16string, std::size_t> m_valueIndex; // folded name -> position
    SubkeyMap m_subkeys;
};

} // namespace brevlin::platform
