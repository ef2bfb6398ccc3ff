#include "settings/SettingsLayout.h"

#include "settings/ValueConversion.h"
#include "text/BrevlinError.h"
#include "text/UiText.h"

#include <algorithm>

namespace brevlin {

const Text SettingsLayout::RootPath = u"HKCU\\Software\\Morvane\\Brevlin";

namespace {

using BatchMode = platform::RegistryStore::BatchMode;

Text Number(int number) {
    return ValueConversion::FromLong(number);
}

// Path of language key i, ending in "\".
Text LanguageKey(int i) {
    return SettingsLayout::RootPath + u'\\' + Number(i) + u'\\';
}
Text RuleKey(int i, int j) {
    return LanguageKey(i) + Number(j) + u'\\';
}

// Conversion failures name the value they came from.
template <typename Convert> decltype(auto) Converted(const Text& path, Convert convert) {
    try {
        return convert();
    } catch (const BrevlinError& error) {
        throw BrevlinError(error.Number(), error.Description() + ": " + ToUtf8(path));
    }
}

Text ReadText(clsRegistry& registry, const Text& path) {
    const Variant value = registry.RegRead(path);
    return Converted(path, [&] { return value.ToText(); });
}

bool ReadBoolean(clsRegistry& registry, const Text& path) {
    const Variant value = registry.RegRead(path);
    return Converted(path, [&] { return value.ToBoolean(); });
}

std::int32_t ReadLong(clsRegistry& registry, const Text& path,
                      const Variant& defaultValue = Variant()) {
    const Variant value = registry.RegRead(path, defaultValue);
    return Converted(path, [&] { return value.ToLong(); });
}

// A count that loading would refuse is not saved either, so a save never leaves a store
// that cannot be loaded.
std::int32_t CheckedCount(std::int32_t count, const Text& path) {
    if (count > SettingsLayout::MaxCount)
        throw BrevlinError(errors::Overflow,
                           UiText::Translate("SettingsLayout", "値が大きすぎます: ") +
                               ToUtf8(path));
    return count;
}

std::int32_t ReadCount(clsRegistry& registry, const Text& path) {
    return CheckedCount(ReadLong(registry, path), path);
}

} // namespace

void SettingsLayout::LoadFromReg(clsRegistry& registry, Languages& languages) {
    languages.Clear();
    const std::int32_t count = ReadCount(registry, RootPath + u"\\LangCount");
    for (int i = 1; i <= count; ++i) {
        const Text key = LanguageKey(i);
        const Text name = ReadText(registry, key);
        Language& language = Converted(key, [&]() -> Language& { return languages.Add(name); });
        LoadFromReg(registry, language);
    }
}

void SettingsLayout::LoadFromReg(clsRegistry& registry, Language& language) {
    const int i = language.Index();
    const Text key = LanguageKey(i);
    language.SetStartTag(ReadText(registry, key + u"StartTag"));
    language.SetEndTag(ReadText(registry, key + u"EndTag"));
    language.SetIgnoreCase(ReadBoolean(registry, key + u"IgnoreCase"));
    language.SetReplaceTab(ReadBoolean(registry, key + u"ReplaceTab"));
    language.SetTabColumns(ReadLong(registry, key + u"TabColumns", Variant::Long(4)));
    language.SetPreviewSample(ReadText(registry, key + u"PreviewSample"));

    const Text keywordsPath = key + u"Keywords";
    const Variant keywords = registry.RegRead(keywordsPath);
    if (keywords.GetKind() != Variant::Kind::TextList)
        throw BrevlinError(
            errors::TypeMismatch,
            UiText::Translate("SettingsLayout", "キーワードの一覧 (REG_MULTI_SZ) がありません: ") +
                ToUtf8(keywordsPath));
    language.Keywords().AddRange(keywords.ToList());

    const std::int32_t rules = ReadCount(registry, key + u"Comments");
    for (int j = 1; j <= rules; ++j) {
        Comment& rule = language.Comments().Add();
        const Text ruleKey = RuleKey(i, j);
        rule.SetClauseStart(ReadText(registry, ruleKey + u"ClauseStart"));
        rule.SetClauseEnd(ReadText(registry, ruleKey + u"ClauseEnd"));
        rule.SetMatchWord(ReadBoolean(registry, ruleKey + u"MatchWord"));
        rule.SetEscapeChar(ReadText(registry, ruleKey + u"EscapeChar"));
        rule.SetStartTag(ReadText(registry, ruleKey + u"StartTag"));
        rule.SetEndTag(ReadText(registry, ruleKey + u"EndTag"));
    }
}

void SettingsLayout::SaveToReg(clsRegistry& registry, const Languages& languages) {
    CheckedCount(languages.Count(), RootPath + u"\\LangCount");
    for (const auto& language : languages)
        SaveToReg(registry, *language);

    const std::int32_t oldCount = ReadLong(registry, RootPath + u"\\LangCount");
    for (int i = languages.Count() + 1; i <= oldCount; ++i) {
        const std::int32_t oldRules = ReadLong(registry, LanguageKey(i) + u"Comments");
        for (int j = 1; j <= oldRules; ++j)
            registry.RegDelete(RuleKey(i, j));
        registry.RegDelete(LanguageKey(i));
    }
    registry.RegWrite(RootPath + u"\\LangCount", Variant::Long(languages.Count()));
}

void SettingsLayout::SaveToReg(clsRegistry& registry, const Language& language) {
    const int i = language.Index();
    const Text key = LanguageKey(i);
    const int rules = CheckedCount(language.Comments().Count(), key + u"Comments");
    for (int j = 1; j <= rules; ++j) {
        const Comment& rule = language.Comments().Item(j);
        const Text ruleKey = RuleKey(i, j);
        registry.RegWrite(ruleKey + u"ClauseStart", rule.ClauseStart());
        registry.RegWrite(ruleKey + u"ClauseEnd", rule.ClauseEnd());
        registry.RegWrite(ruleKey + u"MatchWord", Variant::Boolean(rule.MatchWord()));
        registry.RegWrite(ruleKey + u"EscapeChar", rule.EscapeChar());
        registry.RegWrite(ruleKey + u"StartTag", rule.StartTag());
        registry.RegWrite(ruleKey + u"EndTag", rule.EndTag());
    }
    const std::int32_t oldRules = ReadLong(registry, key + u"Comments");
    for (int j = rules + 1; j <= oldRules; ++j)
        registry.RegDelete(RuleKey(i, j));

    registry.RegWrite(key, language.Name());
    registry.RegWrite(key + u"StartTag", language.StartTag());
    registry.RegWrite(key + u"EndTag", language.EndTag());
    registry.RegWrite(key + u"IgnoreCase", Variant::Boolean(language.IgnoreCase()));
    registry.RegWrite(key + u"ReplaceTab", Variant::Boolean(language.ReplaceTab()));
    registry.RegWrite(key + u"TabColumns", Variant::Long(language.TabColumns()));
    registry.RegWrite(key + u"Keywords", Variant::List(language.Keywords().GetAllItems()));
    registry.RegWrite(key + u"Comments", Variant::Long(rules));
    // Written only once there is a sample, so that stores of users who never use the preview
    // stay as they were; a key that held another language's sample loses it.
    const Text samplePath = key + u"PreviewSample";
    if (!language.PreviewSample().empty())
        registry.RegWrite(samplePath, language.PreviewSample());
    else if (registry.RegRead(samplePath).GetKind() != Variant::Kind::Empty)
        registry.RegDelete(samplePath);
}

std::vector<Text> SettingsLayout::NamesOf(const Languages& languages) {
    std::vector<Text> names;
    for (const auto& language : languages)
        names.push_back(language->Name());
    return names;
}

std::vector<Text> SettingsLayout::KeepAddedLanguages(clsRegistry& registry, Languages& languages,
                                                     const std::vector<Text>& known) {
    clsRegistry::Batch batch(registry, BatchMode::Read);
    Languages stored;
    LoadFromReg(registry, stored);
    std::vector<Text> added;
    for (const auto& language : stored) {
        const Text& name = language->Name();
        if (languages.ItemByName(name) ||
            std::find(known.begin(), known.end(), name) != known.end())
            continue;
        Language& copy = languages.Add(name);
        const int index = copy.Index();
        copy.SetIndex(language->Index());
        LoadFromReg(registry, copy);
        copy.SetIndex(index);
        added.push_back(name);
    }
    batch.Commit();
    return added;
}

void SettingsLayout::SaveSettingsKeepingAdded(clsRegistry& registry, Languages& languages,
                                              std::vector<Text>& known, bool beepOnProcess,
                                              bool optimizeTags, const Extras* extras) {
    clsRegistry::Batch batch(registry, BatchMode::Write);
    KeepAddedLanguages(registry, languages, known);
    SaveSettings(registry, languages, beepOnProcess, optimizeTags);
    if (extras != nullptr)
        SaveExtras(registry, *extras);
    batch.Commit();
    known = NamesOf(languages);
}

void SettingsLayout::SaveExtras(clsRegistry& registry, const Extras& extras) {
    registry.RegWrite(RootPath + u"\\HtmlClipboard", Variant::Boolean(extras.htmlClipboard));
    // Written only once a file is chosen; going back to the bundled sheet removes it.
    const Text sheetPath = RootPath + u"\\PasteStyleSheet";
    if (!extras.pasteStyleSheet.empty())
        registry.RegWrite(sheetPath, extras.pasteStyleSheet);
    else if (registry.RegRead(sheetPath).GetKind() != Variant::Kind::Empty)
        registry.RegDelete(sheetPath);
}

void SettingsLayout::LoadSettings(clsRegistry& registry, Languages& languages, bool& beepOnProcess,
                                  bool& optimizeTags, Extras* extras) {
    clsRegistry::Batch batch(registry, BatchMode::Read);
    Languages loaded;
    LoadFromReg(registry, loaded);
    const bool beep = ReadBoolean(registry, RootPath + u"\\BeepOnProcess");
    const bool optimize = ReadBoolean(registry, RootPath + u"\\OptimizeTags");
    Extras read;
    if (extras != nullptr) {
        read.htmlClipboard = ReadBoolean(registry, RootPath + u"\\HtmlClipboard");
        read.pasteStyleSheet = ReadText(registry, RootPath + u"\\PasteStyleSheet");
    }
    batch.Commit();
    languages = std::move(loaded);
    beepOnProcess = beep;
    optimizeTags = optimize;
    if (extras != nullptr)
        *extras = read;
}

void SettingsLayout::SaveSettings(clsRegistry& registry, const Languages& languages,
                                  bool beepOnProcess, bool optimizeTags) {
    clsRegistry::Batch batch(registry, BatchMode::Write);
    SaveToReg(registry, languages);
    registry.RegWrite(RootPath + u"\\BeepOnProcess", Variant::Boolean(beepOnProcess));
    registry.RegWrite(RootPath + u"\\OptimizeTags", Variant::Boolean(optimizeTags));
    batch.Commit();
}

} // namespace brevlin
