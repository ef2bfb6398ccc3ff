#pragma once

#include "RegistryStore.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brevlin::platform {

// One key of a stored registry tree: values in the order they were first written, subkeys
// in natural order (numbers by value, letters without regard to case). Names match without
// regard to ASCII letter case, as registry names do.
class RegistryKey {
public:
    using NamedValue = std::pair<std::u16string, RegistryValue>;

    explicit RegistryKey(std::u16string name = {}) : m_name(std::move(name)) {}

    const std::u16string& Name() const { return m_name; }

    const RegistryValue* FindValue(std::u16string_view name) const;
    void SetValue(std::u16string_view name, RegistryValue value);
    bool RemoveValue(std::u16string_view name);
    const std::vector<NamedValue>& Values() const { return m_values; }

    RegistryKey* FindSubkey(std::u16string_view name);
    RegistryKey& CreateSubkey(std::u16string_view name);
    bool RemoveSubkey(std::u16string_view name);
    const std::vector<RegistryKey>& Subkeys() const { return m_subkeys; }

    // A key below this one by a path of names separated by "\"; the empty path is this key.
    RegistryKey* Find(std::u16string_view path);
    const RegistryKey* Find(std::u16string_view path) const {
        return const_cast<RegistryKey*>(this)->Find(path);
    }
    // Creates what is missing on the path; a path with an empty name is refused.
    RegistryKey& Create(std::u16string_view path);

    static bool SameName(std::u16string_view a, std::u16string_view b);
    static bool NaturalLess(std::u16string_view a, std::u16string_view b);
    // Names of keys: 1 to 255 characters, no "\", no control characters, no unpaired
    // surrogates.
    static bool IsValidKeyName(std::u16string_view name);

private:
    std::u16string m_name;
    std::vector<NamedValue> m_values;
    std::vector<RegistryKey> m_subkeys;
};

} // namespace brevlin::platform
