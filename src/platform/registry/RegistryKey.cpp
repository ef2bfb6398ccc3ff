#include "platform/registry/RegistryKey.h"

#include "text/BrevlinError.h"
#include "text/Surrogates.h"
#include "text/UiText.h"

#include <algorithm>
#include <cstddef>

namespace brevlin::platform {

namespace {

char16_t Fold(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Calls `visit` with each name of a "\"-separated path.
template <typename Visit> bool ForEachName(std::u16string_view path, Visit visit) {
    while (!path.empty()) {
        const std::size_t slash = path.find(u'\\');
        const std::u16string_view name = path.substr(0, slash);
        if (!visit(name))
            return false;
        if (slash == std::u16string_view::npos)
            break;
        path.remove_prefix(slash + 1);
        if (path.empty())
            return visit(std::u16string_view()); // a path ending in "\" names an empty key
    }
    return true;
}

// -1, 0, 1 for a before, equal to (ignoring case), after b; digit runs compare by value.
int NaturalCompare(std::u16string_view a, std::u16string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && IsDigit(a[ei]))
                ++ei;
            while (ej < b.size() && IsDigit(b[ej]))
                ++ej;
            std::u16string_view da = a.substr(i, ei - i);
            std::u16string_view db = b.substr(j, ej - j);
            while (da.size() > 1 && da.front() == u'0')
                da.remove_prefix(1);
            while (db.size() > 1 && db.front() == u'0')
                db.remove_prefix(1);
            if (da.size() != db.size())
                return da.size() < db.size() ? -1 : 1;
            if (const int c = da.compare(db); c != 0)
                return c < 0 ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        const char16_t ca = Fold(a[i]);
        const char16_t cb = Fold(b[j]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace

bool RegistryKey::SameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

bool RegistryKey::NaturalLess(std::u16string_view a, std::u16string_view b) {
    const int c = NaturalCompare(a, b);
    return c != 0 ? c < 0 : a < b; // "01" and "1" differ; order them all the same
}

bool RegistryKey::IsValidKeyName(std::u16string_view name) {
    if (name.empty() || name.size() > 255)
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c < 0x20 || c == u'\\' || c == 0x7F)
            return false;
        if (surrogates::IsPairAt(name, i)) {
            ++i;
            continue;
        }
        if (surrogates::IsSurrogate(c))
            return false;
    }
    return true;
}

std::u16string RegistryKey::Folded(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded)
        c = Fold(c);
    return folded;
}

void RegistryKey::IndexValues() {
    m_valueIndex.clear();
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_valueIndex.emplace(Folded(m_values[i].first), i);
}

const RegistryValue* RegistryKey::FindValue(std::u16string_view name) const {
    const auto found = m_valueIndex.find(Folded(name));
    return found == m_valueIndex.end() ? nullptr : &m_values[found->second].second;
}

void RegistryKey::SetValue(std::u16string_view name, RegistryValue value) {
    const auto [place, added] = m_valueIndex.emplace(Folded(name), m_values.size());
    if (!added) {
        m_values[place->second].second = std::move(value);
        return;
    }
    m_values.emplace_back(std::u16string(name), std::move(value));
}

bool RegistryKey::RemoveValue(std::u16string_view name) {
    const auto found = m_valueIndex.find(Folded(name));
    if (found == m_valueIndex.end())
        return false;
    m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(found->second));
    IndexValues();
    return true;
}

RegistryKey* RegistryKey::FindSubkey(std::u16string_view name) {
    const auto found = m_subkeys.find(Folded(name));
    return found == m_subkeys.end() ? nullptr : &found->second;
}

RegistryKey& RegistryKey::CreateSubkey(std::u16string_view name) {
    if (RegistryKey* found = FindSubkey(name))
        return *found;
    if (!IsValidKeyName(name))
        throw BrevlinError(errors::CreateKeyFailed,
                           UiText::Translate("RegistryKey", "RegCreateKeyEx のエラー"));
    return m_subkeys.emplace(Folded(name), RegistryKey(std::u16string(name))).first->second;
}

bool RegistryKey::RemoveSubkey(std::u16string_view name) {
    return m_subkeys.erase(Folded(name)) != 0;
}

RegistryKey* RegistryKey::Find(std::u16string_view path) {
    RegistryKey* key = this;
    const bool found = ForEachName(path, [&](std::u16string_view name) {
        key = key->FindSubkey(name);
        return key != nullptr;
    });
    return found ? key : nullptr;
}

RegistryKey& RegistryKey::Create(std::u16string_view path) {
    bool valid = true;
    std::size_t depth = 0;
    ForEachName(path, [&](std::u16string_view name) {
        valid = valid && IsValidKeyName(name) && ++depth <= MaxDepth;
        return valid;
    });
    if (!valid)
        throw BrevlinError(errors::CreateKeyFailed,
                           UiText::Translate("RegistryKey", "RegCreateKeyEx のエラー"));
    RegistryKey* key = this;
    ForEachName(path, [&](std::u16string_view name) {
        key = &key->CreateSubkey(name);
        return true;
    });
    return *key;
}

} // namespace brevlin::platform
