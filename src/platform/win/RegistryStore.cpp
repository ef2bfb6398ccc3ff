#include "platform/registry/FileRegistryStore.h"
#include "platform/win/WinRegistryStore.h"

namespace brevlin::platform {

std::unique_ptr<RegistryStore> RegistryStore::CreateDefault() {
    if (auto file = FileSystem::EnvironmentPath("BREVLIN_SETTINGS"))
        return std::make_unique<FileRegistryStore>(*file);
    return std::make_unique<WinRegistryStore>();
}

} // namespace brevlin::platform
