#pragma once

#include "engine/Languages.h"
#include "settings/clsRegistry.h"

#include <filesystem>
#include <optional>

namespace brevlin::cli {

// The user's stored settings as the commands use them (the store named by BREVLIN_SETTINGS,
// else the user's settings file).
struct StoredSettings {
    clsRegistry registry;
    Languages languages;
    bool beepOnProcess = false;
    bool optimizeTags = false;
    // The paste's style sheet chosen in the options; empty for the bundled one.
    Text pasteStyleSheet;

    void Load();
    void Save();
    // The stored language of that name: the exact name first, else the one language whose name
    // differs only in letter case. When there is none, or several, the error lists the
    // stored names.
    Language& Find(const std::string& utf8Name);
    // The file the store lives in; nothing where it is the registry.
    std::optional<std::filesystem::path> File();
};

} // namespace brevlin::cli
