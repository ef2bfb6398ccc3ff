#include "StoredSettings.h"

#include "engine/BrevlinError.h"
#include "settings/SettingsLayout.h"

namespace brevlin::cli {

void StoredSettings::Load() {
    SettingsLayout::LoadSettings(registry, languages, beepOnProcess, optimizeTags);
}

void StoredSettings::Save() {
    SettingsLayout::SaveSettings(registry, languages, beepOnProcess, optimizeTags);
}

Language& StoredSettings::Find(const std::string& utf8Name) {
    if (Language* language = languages.ItemByName(FromUtf8(utf8Name)))
        return *language;
    throw BrevlinError(errors::FileNotFound, "言語設定「" + utf8Name + "」はありません。");
}

} // namespace brevlin::cli
