#include "platform/registry/FileRegistryStore.h"

namespace brevlin::platform {

std::unique_ptr<RegistryStore> RegistryStore::CreateDefault() {
    return std::make_unique<FileRegistryStore>(FileRegistryStore::DefaultPath());
}

} // namespace brevlin::platform
