#pragma once

#include "engine/Languages.h"
#include "settings/clsRegistry.h"

namespace brevlin::cli {

// The user's stored settings as the commands use them (the store named by BREVLIN_SETTINGS,
// else the user's settings file).
struct StoredSettings {
    clsRegistry registry;
    Languages languages;
    bool beepOnProcess = false;
    bool optimizeTags = false;

    void Load();
    void Save();
    // The stored language of that exact name; an error naming it when there is none.
    Language& Find(const std::string& utf8Name);
};

} // namespace brevlin::cli
