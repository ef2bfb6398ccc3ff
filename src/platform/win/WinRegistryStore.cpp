#include "platform/win/WinRegistryStore.h"

#include "platform/registry/RegFile.h"
#include "text/BrevlinError.h"
#include "text/UiText.h"

#include <windows.h>

#include <stdexcept>

namespace brevlin::platform {

namespace {

HKEY RootHandle(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::CurrentUser:
    default:
        return HKEY_CURRENT_USER;
    }
}

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::string Describe(RegistryRoot root, std::u16string_view key, std::u16string_view name) {
    std::string text = RegFile::RootName(root);
    if (!key.empty())
        text += "\\" + RegFile::Utf8(key);
    if (!name.empty())
        text += "\\" + RegFile::Utf8(name);
    return text;
}

[[noreturn]] void Fail(LSTATUS status, const std::string& what) {
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND)
        throw BrevlinError(errors::RegistryNotFound,
                           UiText::Translate("WinRegistryStore", "見つかりません: ") + what);
    if (status == ERROR_ACCESS_DENIED)
        throw BrevlinError(errors::RegistryAccessDenied,
                           UiText::Translate("WinRegistryStore", "アクセスが拒否されました: ") +
                               what);
    throw BrevlinError(errors::PathFileAccess,
                       UiText::Fill(UiText::Translate("WinRegistryStore",
                                                      "レジストリにアクセスできません (%1): %2"),
                                    {std::to_string(status), what}));
}

// An open key, closed when it goes.
class Key {
public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (m_handle != nullptr)
            RegCloseKey(m_handle);
    }
    HKEY* Out() { return &m_handle; }
    HKEY Get() const { return m_handle; }

private:
    HKEY m_handle = nullptr;
};

RegistryValue Decode(DWORD type, const std::vector<BYTE>& data) {
    RegistryValue value;
    value.type = type;
    const auto* units = reinterpret_cast<const char16_t*>(data.data());
    const std::size_t count = data.size() / 2;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        value.type = RegistryValue::String;
        std::u16string text(units, count);
        while (!text.empty() && text.back() == u'\0')
            text.pop_back();
        value.text = std::move(text);
    } else if (type == REG_DWORD && data.size() >= 4) {
        value.number = static_cast<std::uint32_t>(data[0]) | (std::uint32_t(data[1]) << 8) |
                       (std::uint32_t(data[2]) << 16) | (std::uint32_t(data[3]) << 24);
    } else if (type == REG_MULTI_SZ) {
        std::u16string current;
        for (std::size_t i = 0; i < count; ++i) {
            if (units[i] != u'\0') {
                current += units[i];
            } else if (!current.empty()) {
                value.list.push_back(std::move(current));
                current.clear();
            } else {
                break; // the empty string that ends the list
            }
        }
        if (!current.empty())
            value.list.push_back(std::move(current));
    } else {
        value.bytes.assign(data.begin(), data.end());
    }
    return value;
}

std::vector<BYTE> Encode(const RegistryValue& value, DWORD& type) {
    std::vector<BYTE> data;
    const auto addText = [&data](std::u16string_view text) {
        for (const char16_t c : text) {
            data.push_back(static_cast<BYTE>(c & 0xFF));
            data.push_back(static_cast<BYTE>(c >> 8));
        }
        data.push_back(0);
        data.push_back(0);
    };
    type = value.type;
    if (value.type == RegistryValue::String) {
        addText(value.text);
    } else if (value.type == RegistryValue::Dword) {
        for (int shift = 0; shift < 32; shift += 8)
            data.push_back(static_cast<BYTE>((value.number >> shift) & 0xFF));
    } else if (value.type == RegistryValue::MultiString) {
        for (const auto& item : value.list)
            addText(item);
        addText(u"");
    } else {
        data.assign(value.bytes.begin(), value.bytes.end());
    }
    return data;
}

} // namespace

WinRegistryStore::Undo WinRegistryStore::Change(RegistryRoot root, std::u16string_view key,
                                                std::u16string_view name) {
    Undo undo;
    undo.root = root;
    undo.key = key;
    undo.name = name;
    return undo;
}

WinRegistryStore::WinRegistryStore() {
    m_mutex = CreateMutexW(nullptr, FALSE, L"Local\\Morvane.Brevlin.Settings");
    if (m_mutex == nullptr)
        Fail(static_cast<LSTATUS>(GetLastError()),
             UiText::Translate("WinRegistryStore", "設定の排他制御"));
}

WinRegistryStore::~WinRegistryStore() {
    if (m_inBatch)
        RollbackBatch();
    if (m_mutex != nullptr)
        CloseHandle(m_mutex);
}

void WinRegistryStore::Lock() {
    const DWORD waited = WaitForSingleObject(m_mutex, static_cast<DWORD>(m_lockTimeout.count()));
    // An abandoned mutex is ours now; its holder ended mid-batch.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
        throw BrevlinError(
            errors::PathFileAccess,
            UiText::Translate("WinRegistryStore", "ほかのプログラムが設定を書き込み中です: ") +
                "HKEY_CURRENT_USER");
}

void WinRegistryStore::Unlock() noexcept {
    ReleaseMutex(m_mutex);
}

template <typename Action> void WinRegistryStore::Modify(Action change) {
    if (m_inBatch) {
        if (m_mode != BatchMode::Write)
            throw std::logic_error("write in a reading batch");
        change();
        return;
    }
    Lock();
    try {
        change();
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
}

std::optional<RegistryValue> WinRegistryStore::ReadValue(RegistryRoot root, std::u16string_view key,
                                                         std::u16string_view name) {
    Key handle;
    LSTATUS status =
        RegOpenKeyExW(RootHandle(root), Wide(key).c_str(), 0, KEY_QUERY_VALUE, handle.Out());
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND)
        return std::nullopt;
    if (status != ERROR_SUCCESS)
        Fail(status, Describe(root, key, name));
    const std::wstring valueName = Wide(name);
    for (;;) {
        DWORD type = 0;
        DWORD size = 0;
        status = RegQueryValueExW(handle.Get(), valueName.c_str(), nullptr, &type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (status != ERROR_SUCCESS)
            Fail(status, Describe(root, key, name));
        std::vector<BYTE> data(size);
        status =
            RegQueryValueExW(handle.Get(), valueName.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA)
            continue; // it grew between the two calls
        if (status == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (status != ERROR_SUCCESS)
            Fail(status, Describe(root, key, name));
        data.resize(size);
        return Decode(type, data);
    }
}

bool WinRegistryStore::KeyExists(RegistryRoot root, std::u16string_view key) {
    Key handle;
    return RegOpenKeyExW(RootHandle(root), Wide(key).c_str(), 0, KEY_QUERY_VALUE, handle.Out()) ==
           ERROR_SUCCESS;
}

std::vector<std::pair<std::u16string, RegistryValue>>
WinRegistryStore::ValuesOf(RegistryRoot root, std::u16string_view key) {
    std::vector<std::pair<std::u16string, RegistryValue>> values;
    Key handle;
    if (RegOpenKeyExW(RootHandle(root), Wide(key).c_str(), 0, KEY_QUERY_VALUE, handle.Out()) !=
        ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD length = 16384;
        if (RegEnumValueW(handle.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::u16string valueName(name, name + length);
        if (auto value = ReadValue(root, key, valueName))
            values.emplace_back(valueName, std::move(*value));
    }
    return values;
}

void WinRegistryStore::Remember(Undo undo) {
    if (m_inBatch && m_mode == BatchMode::Write)
        m_undo.push_back(std::move(undo));
}

void WinRegistryStore::WriteValue(RegistryRoot root, std::u16string_view key,
                                  std::u16string_view name, const RegistryValue& value) {
    Modify([&] {
        Undo undo = Change(root, key, name);
        undo.keyCreated = !KeyExists(root, key);
        if (!undo.keyCreated)
            undo.value = ReadValue(root, key, name);
        Key handle;
        LSTATUS status = RegCreateKeyExW(RootHandle(root), Wide(key).c_str(), 0, nullptr, 0,
                                         KEY_SET_VALUE, nullptr, handle.Out(), nullptr);
        if (status != ERROR_SUCCESS)
            throw BrevlinError(errors::CreateKeyFailed,
                               UiText::Translate("WinRegistryStore", "RegCreateKeyEx のエラー: ") +
                                   Describe(root, key, {}));
        DWORD type = 0;
        const std::vector<BYTE> data = Encode(value, type);
        status =
            RegSetValueExW(handle.Get(), Wide(name).c_str(), 0, type,
                           data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
        if (status != ERROR_SUCCESS)
            Fail(status, Describe(root, key, name));
        Remember(std::move(undo));
    });
}

void WinRegistryStore::DeleteValue(RegistryRoot root, std::u16string_view key,
                                   std::u16string_view name) {
    Modify([&] {
        Undo undo = Change(root, key, name);
        undo.value = ReadValue(root, key, name);
        if (!undo.value)
            throw BrevlinError(errors::RegistryNotFound,
                               UiText::Translate("WinRegistryStore", "値が見つかりません: ") +
                                   Describe(root, key, name));
        Key handle;
        LSTATUS status =
            RegOpenKeyExW(RootHandle(root), Wide(key).c_str(), 0, KEY_SET_VALUE, handle.Out());
        if (status == ERROR_SUCCESS)
            status = RegDeleteValueW(handle.Get(), Wide(name).c_str());
        if (status != ERROR_SUCCESS)
            Fail(status, Describe(root, key, name));
        Remember(std::move(undo));
    });
}

void WinRegistryStore::DeleteKey(RegistryRoot root, std::u16string_view key) {
    const std::size_t slash = key.rfind(u'\\');
    const std::u16string_view name =
        slash == std::u16string_view::npos ? key : key.substr(slash + 1);
    if (name.empty())
        throw BrevlinError(errors::InvalidKey, UiText::Translate("WinRegistryStore", "キー不正"));
    Modify([&] {
        const std::string described = Describe(root, key, {});
        if (!KeyExists(root, key))
            throw BrevlinError(errors::RegistryNotFound,
                               UiText::Translate("WinRegistryStore", "キーが見つかりません: ") +
                                   described);
        {
            Key handle;
            DWORD subkeys = 0;
            if (RegOpenKeyExW(RootHandle(root), Wide(key).c_str(), 0, KEY_QUERY_VALUE,
                              handle.Out()) == ERROR_SUCCESS &&
                RegQueryInfoKeyW(handle.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr) == ERROR_SUCCESS &&
                subkeys > 0)
                throw BrevlinError(
                    errors::RegistryAccessDenied,
                    UiText::Translate("WinRegistryStore", "サブキーのあるキーは削除できません: ") +
                        described);
        }
        Undo undo = Change(root, key, {});
        undo.keyDeleted = true;
        undo.values = ValuesOf(root, key);
        const LSTATUS status = RegDeleteKeyW(RootHandle(root), Wide(key).c_str());
        if (status != ERROR_SUCCESS)
            Fail(status, described);
        Remember(std::move(undo));
    });
}

void WinRegistryStore::BeginBatch(BatchMode mode) {
    if (m_inBatch)
        throw std::logic_error("batches do not nest");
    Lock();
    m_inBatch = true;
    m_mode = mode;
    m_undo.clear();
}

void WinRegistryStore::CommitBatch() {
    if (!m_inBatch)
        return;
    m_undo.clear();
    m_inBatch = false;
    Unlock();
}

void WinRegistryStore::RollbackBatch() noexcept {
    if (!m_inBatch)
        return;
    // Newest first, each change put back as it was; failures here cannot be reported.
    m_inBatch = false;
    for (auto undo = m_undo.rbegin(); undo != m_undo.rend(); ++undo) {
        try {
            if (undo->keyDeleted) {
                for (const auto& [name, value] : undo->values)
                    WriteValue(undo->root, undo->key, name, value);
                if (undo->values.empty()) {
                    Key handle;
                    RegCreateKeyExW(RootHandle(undo->root), Wide(undo->key).c_str(), 0, nullptr, 0,
                                    KEY_SET_VALUE, nullptr, handle.Out(), nullptr);
                }
            } else if (undo->value) {
                WriteValue(undo->root, undo->key, undo->name, *undo->value);
            } else if (undo->keyCreated) {
                RegDeleteKeyW(RootHandle(undo->root), Wide(undo->key).c_str());
            } else {
                Key handle;
                if (RegOpenKeyExW(RootHandle(undo->root), Wide(undo->key).c_str(), 0, KEY_SET_VALUE,
                                  handle.Out()) == ERROR_SUCCESS)
                    RegDeleteValueW(handle.Get(), Wide(undo->name).c_str());
            }
        } catch (...) {
        }
    }
    m_undo.clear();
    Unlock();
}

} // namespace brevlin::platform
