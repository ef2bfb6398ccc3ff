#include "StoredSettings.h"

#include "engine/BrevlinError.h"
#include "platform/FileRegistryStore.h"
#include "settings/CaseFolding.h"
#include "settings/SettingsLayout.h"

#include <vector>

namespace brevlin::cli {

namespace {

// 「A」「B」: names may hold commas and blanks, the brackets cannot be mistaken.
std::string Quoted(const std::vector<const Language*>& languages) {
    std::string text;
    for (const Language* language : languages)
        text += "「" + ToUtf8(language->Name()) + "」";
    return text;
}

} // namespace

void StoredSettings::Load() {
    SettingsLayout::Extras extras;
    SettingsLayout::LoadSettings(registry, languages, beepOnProcess, optimizeTags, &extras);
    pasteStyleSheet = extras.pasteStyleSheet;
}

void StoredSettings::Save() {
    SettingsLayout::SaveSettings(registry, languages, beepOnProcess, optimizeTags);
}

Language& StoredSettings::Find(const std::string& utf8Name) {
    const Text name = FromUtf8(utf8Name);
    if (Language* language = languages.ItemByName(name))
        return *language;
    const Text folded = CaseFolding::Fold(name);
    std::vector<const Language*> all;
    std::vector<Language*> matches;
    for (const auto& language : languages) {
        all.push_back(language.get());
        if (CaseFolding::Fold(language->Name()) == folded)
            matches.push_back(language.get());
    }
    if (matches.size() == 1)
        return *matches.front();
    if (!matches.empty())
        throw BrevlinError(errors::FileNotFound, "言語設定「" + utf8Name +
                                                     "」は大文字小文字の違いだけで複数あります: " +
                                                     Quoted({matches.begin(), matches.end()}) +
                                                     " 名前をそのとおりに指定してください。");
    if (all.empty())
        throw BrevlinError(errors::FileNotFound,
                           "言語設定「" + utf8Name +
                               "」はありません。言語設定がまだありません (brevlin import FILE "
                               "で追加できます)。");
    throw BrevlinError(errors::FileNotFound,
                       "言語設定「" + utf8Name +
                           "」はありません。保存されている言語設定: " + Quoted(all));
}

std::optional<std::filesystem::path> StoredSettings::File() {
    if (const auto* file = dynamic_cast<const platform::FileRegistryStore*>(&registry.Store()))
        return file->File();
    return std::nullopt;
}

} // namespace brevlin::cli
