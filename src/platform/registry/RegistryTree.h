#pragma once

#include "platform/registry/RegistryKey.h"

namespace brevlin::platform {

// The three roots of a stored registry tree.
struct RegistryTree {
    RegistryKey classesRoot{u"HKEY_CLASSES_ROOT"};
    RegistryKey currentUser{u"HKEY_CURRENT_USER"};
    RegistryKey localMachine{u"HKEY_LOCAL_MACHINE"};

    RegistryKey& Root(RegistryRoot root) {
        switch (root) {
        case RegistryRoot::ClassesRoot:
            return classesRoot;
        case RegistryRoot::LocalMachine:
            return localMachine;
        case RegistryRoot::CurrentUser:
            break;
        }
        return currentUser;
    }
    const RegistryKey& Root(RegistryRoot root) const {
        return const_cast<RegistryTree*>(this)->Root(root);
    }
};

} // namespace brevlin::platform
