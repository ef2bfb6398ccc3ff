// Fills the user's settings store with the languages of the given language files and the two
// switches off, as pressing OK in the options dialog after importing them would.
// usage: e2e_store_languages FILE.bvl...

#include "settings/LanguageSet.h"
#include "settings/SettingsLayout.h"
#include "settings/clsRegistry.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    try {
        brevlin::Languages languages;
        for (int i = 1; i < argc; ++i) {
            brevlin::LanguageSet::ImportLanguage(languages, std::filesystem::path(argv[i]),
                                                 [](const brevlin::Text&) { return false; });
        }
        brevlin::clsRegistry registry;
        brevlin::SettingsLayout::SaveSettings(registry, languages, false, false);
    } catch (const std::exception& error) {
        std::cerr << "e2e_store_languages: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
