#include "settings/clsRegistry.h"

#include "text/BrevlinError.h"
#include "text/UiText.h"

#include <optional>
#include <stdexcept>

namespace brevlin {

using platform::RegistryRoot;
using platform::RegistryValue;

namespace {

[[noreturn]] void InvalidKey() {
    throw BrevlinError(errors::InvalidKey, UiText::Translate("clsRegistry", "キー不正"));
}

std::optional<RegistryRoot> RootByName(Text name) {
    for (char16_t& c : name) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    if (name == u"HKCR" || name == u"HKEY_CLASSES_ROOT")
        return RegistryRoot::ClassesRoot;
    if (name == u"HKCU" || name == u"HKEY_CURRENT_USER")
        return RegistryRoot::CurrentUser;
    if (name == u"HKLM" || name == u"HKEY_LOCAL_MACHINE")
        return RegistryRoot::LocalMachine;
    return std::nullopt;
}

} // namespace

clsRegistry::clsRegistry() : m_store(platform::RegistryStore::CreateDefault()) {}

clsRegistry::clsRegistry(std::unique_ptr<platform::RegistryStore> store)
    : m_store(std::move(store)) {}

clsRegistry::Path clsRegistry::ParsePath(const Text& key) {
    const std::size_t first = key.find(u'\\');
    if (first == Text::npos)
        InvalidKey();
    const auto root = RootByName(key.substr(0, first));
    if (!root)
        InvalidKey();
    const std::size_t last = key.rfind(u'\\');
    Path path{*root, {}, key.substr(last + 1)};
    if (last > first)
        path.key = key.substr(first + 1, last - first - 1);
    return path;
}

Variant clsRegistry::RegRead(const Text& key, const Variant& defaultValue) {
    const Path path = ParsePath(key);
    const auto value = m_store->ReadValue(path.root, path.key, path.name);
    if (!value)
        return defaultValue;
    switch (value->type) {
    case RegistryValue::String:
        if (value->text == key)
            return Variant();
        return Variant(value->text);
    case RegistryValue::Dword:
        return Variant::Long(static_cast<std::int32_t>(value->number));
    case RegistryValue::MultiString:
        return Variant::List(value->list);
    default:
        throw BrevlinError(errors::TypeMismatch,
                           UiText::Fill(UiText::Translate("clsRegistry", "型が一致しません。: %1"),
                                        {ToUtf8(key)}));
    }
}

void clsRegistry::RegWrite(const Text& key, const Variant& value) {
    if (value.GetKind() == Variant::Kind::TextList) {
        RegWriteMultiSz(key, value.ToList());
        return;
    }
    const Path path = ParsePath(key);
    switch (value.GetKind()) {
    case Variant::Kind::Integer:
    case Variant::Kind::Long:
    case Variant::Kind::Byte:
    case Variant::Kind::Boolean:
        m_store->WriteValue(path.root, path.key, path.name,
                            RegistryValue::FromDword(static_cast<std::uint32_t>(value.ToLong())));
        return;
    default:
        m_store->WriteValue(path.root, path.key, path.name,
                            RegistryValue::FromText(value.ToText()));
        return;
    }
}

void clsRegistry::RegWriteMultiSz(const Text& key, const std::vector<Text>& values) {
    const Path path = ParsePath(key);
    // The key must lie below the root: a value right under the root is not supported here.
    if (key.find(u'\\') == key.rfind(u'\\'))
        InvalidKey();
    // Elements are stored whole: no code page stands between the text and the store.
    m_store->WriteValue(path.root, path.key, path.name, RegistryValue::FromList(values));
}

void clsRegistry::RegDelete(const Text& key) {
    const Path path = ParsePath(key);
    if (!path.name.empty()) {
        m_store->DeleteValue(path.root, path.key, path.name);
        return;
    }
    if (path.key.empty())
        InvalidKey(); // a root cannot be deleted
    m_store->DeleteKey(path.root, path.key);
}

clsRegistry::Batch::Batch(clsRegistry& registry, platform::RegistryStore::BatchMode mode)
    : m_registry(registry), m_outermost(registry.m_batchDepth == 0) {
    using Mode = platform::RegistryStore::BatchMode;
    if (m_outermost) {
        registry.m_store->BeginBatch(mode);
        registry.m_batchMode = mode;
    } else if (mode == Mode::Write && registry.m_batchMode == Mode::Read) {
        throw std::logic_error("a writing batch inside a reading one");
    }
    ++registry.m_batchDepth;
}

clsRegistry::Batch::~Batch() {
    if (m_open) {
        --m_registry.m_batchDepth;
        if (m_outermost)
            m_registry.m_store->RollbackBatch();
    }
}

void clsRegistry::Batch::Commit() {
    if (!m_open)
        return;
    m_open = false;
    --m_registry.m_batchDepth;
    if (m_outermost)
        m_registry.m_store->CommitBatch();
}

} // namespace brevlin
