#include "cli/StoredSettings.h"

#include "platform/registry/FileRegistryStore.h"
#include "settings/CaseFolding.h"
#include "settings/SettingsLayout.h"
#include "text/BrevlinError.h"
#include "text/UiText.h"

#include <vector>

namespace brevlin::cli {

namespace {

// 「A」「B」: names may hold commas and blanks, the brackets cannot be mistaken. The
// translations bracket and join them their own way.
std::string Quoted(const std::vector<const Language*>& languages) {
    std::string text;
    for (const Language* language : languages) {
        const std::string name =
            UiText::Fill(UiText::Translate("StoredSettings", "「%1」"), {ToUtf8(language->Name())});
        text = text.empty()
                   ? name
                   : UiText::Fill(UiText::Translate("StoredSettings", "%1%2"), {text, name});
    }
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
        throw BrevlinError(errors::FileNotFound,
                           UiText::Fill(UiText::Translate("StoredSettings",
                                                          "言語設定「%1」は大文字小文字の違いだけで"
                                                          "複数あります: %2 名前をそのとおりに指定"
                                                          "してください。"),
                                        {utf8Name, Quoted({matches.begin(), matches.end()})}));
    if (all.empty())
        throw BrevlinError(errors::FileNotFound,
                           UiText::Fill(UiText::Translate("StoredSettings",
                                                          "言語設定「%1」はありません。言語設定がま"
                                                          "だありません (brevlin import FILE で追加"
                                                          "できます)。"),
                                        {utf8Name}));
    throw BrevlinError(
        errors::FileNotFound,
        UiText::Fill(UiText::Translate("StoredSettings",
                                       "言語設定「%1」はありません。保存されている言語設定: %2"),
                     {utf8Name, Quoted(all)}));
}

std::optional<std::filesystem::path> StoredSettings::File() {
    if (const auto* file = dynamic_cast<const platform::FileRegistryStore*>(&registry.Store()))
        return file->File();
    return std::nullopt;
}

} // namespace brevlin::cli
