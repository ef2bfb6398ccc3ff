#pragma once

#include "TestFiles.h"
#include "platform/registry/FileRegistryStore.h"
#include "settings/clsRegistry.h"
#include "text/BrevlinError.h"

#include <functional>
#include <memory>

namespace brevlin::test {

// A file store that counts its replacements and can be made to fail them.
class CountingStore : public platform::FileRegistryStore {
public:
    using FileRegistryStore::FileRegistryStore;
    int replacements = 0;
    bool failReplace = false;

protected:
    void PutInPlace(const std::filesystem::path& temporary, platform::FileSystem::Handle& file,
                    const std::filesystem::path& target) override {
        ++replacements;
        if (failReplace)
            throw BrevlinError(errors::PathFileAccess, "rename failed");
        FileRegistryStore::PutInPlace(temporary, file, target);
    }
};

// A registry over settings.reg in a temporary folder.
struct TestRegistry {
    TempFolder folder;
    std::filesystem::path path = folder.Path("settings.reg");
    CountingStore* store = nullptr;
    std::unique_ptr<clsRegistry> registry;

    TestRegistry() {
        auto owned = std::make_unique<CountingStore>(path);
        store = owned.get();
        registry = std::make_unique<clsRegistry>(std::move(owned));
    }
    std::string File() const { return ReadBytes(path); }
    bool Contains(const std::string& text) const { return File().find(text) != std::string::npos; }
};

inline std::uint32_t ErrorNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const BrevlinError& error) {
        return error.Number();
    }
    return 0;
}

inline std::string ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const BrevlinError& error) {
        return error.Description();
    }
    return "no error";
}

} // namespace brevlin::test
