#pragma once

#include "engine/Languages.h"
#include "settings/clsRegistry.h"

namespace brevlin {

// The persisted settings: the two switches and the language set below
// HKCU\Software\Morvane\Brevlin, one numbered key per language and one per rule.
class SettingsLayout {
public:
    static const Text RootPath; // u"HKCU\\Software\\Morvane\\Brevlin"

    // Settings added after the first layout, each under a value name of its own beside the
    // switches; an absent value reads as the default, which keeps the earlier behaviour.
    struct Extras {
        bool htmlClipboard = false; // "HtmlClipboard": a text/html flavour beside the text
        // "PasteStyleSheet": the CSS file whose rules that flavour carries inline; empty for
        // the bundled one.
        Text pasteStyleSheet;
    };
    // Without a batch of its own: inside the caller's, or each value stored as it is written.
    static void SaveExtras(clsRegistry& registry, const Extras& extras);

    // Counts above this are refused as damaged rather than loaded, and are not saved.
    static constexpr std::int32_t MaxCount = 100000;

    // Loads the language set and both switches (with `extras`, those too) from one consistent
    // state of the store. On failure (an error naming the key) the arguments are left as they
    // were.
    static void LoadSettings(clsRegistry& registry, Languages& languages, bool& beepOnProcess,
                             bool& optimizeTags, Extras* extras = nullptr);
    // Writes the whole state and removes surplus language and rule keys, as one replacement
    // of the store: on failure nothing of it is stored.
    static void SaveSettings(clsRegistry& registry, const Languages& languages, bool beepOnProcess,
                             bool optimizeTags);

    // Languages that another program stored since `known` were read or written, that is with
    // a name neither in `known` nor in `languages`, are read and added at the end of
    // `languages`, so that saving a set read earlier does not drop them. Returns their names.
    // Inside the caller's Write batch, the save that follows cannot miss one.
    static std::vector<Text> KeepAddedLanguages(clsRegistry& registry, Languages& languages,
                                                const std::vector<Text>& known);
    static std::vector<Text> NamesOf(const Languages& languages);
    // SaveSettings for a set read earlier: in one Write batch, KeepAddedLanguages, then the
    // save; `known` becomes the names saved.
    // With `extras`, they are saved in the same batch.
    static void SaveSettingsKeepingAdded(clsRegistry& registry, Languages& languages,
                                         std::vector<Text>& known, bool beepOnProcess,
                                         bool optimizeTags, const Extras* extras = nullptr);

    // The steps, as the sequences above call them (without batches of their own).
    static void LoadFromReg(clsRegistry& registry, Languages& languages);
    static void SaveToReg(clsRegistry& registry, const Languages& languages);
    // The language's key is the one named by its Index; it already has its Name.
    static void LoadFromReg(clsRegistry& registry, Language& language);
    static void SaveToReg(clsRegistry& registry, const Language& language);
};

} // namespace brevlin
