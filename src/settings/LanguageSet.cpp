#include "settings/LanguageSet.h"

#include "platform/FilePath.h"
#include "settings/KeywordListFile.h"
#include "settings/LanguageFile.h"
#include "settings/ValueConversion.h"
#include "text/BrevlinError.h"
#include "text/UiText.h"

namespace brevlin {

namespace {

// A new language's name, followed by the first free number.
Text NewLanguageName() {
    return FromUtf8(UiText::Translate("LanguageSet", "新しい言語"));
}

} // namespace

Text LanguageSet::StripFileNameChars(const Text& text) {
    static constexpr TextView Removed = u"\\/:,;*?\"<>|";
    Text result;
    result.reserve(text.size());
    for (const char16_t c : text) {
        if (Removed.find(c) == TextView::npos)
            result += c;
    }
    return result;
}

Language& LanguageSet::AddNewLanguage(Languages& languages) {
    for (int i = 1;; ++i) {
        const Text name = NewLanguageName() + ValueConversion::FromLong(i);
        // The first number whose name is free; the set holds finitely many names.
        if (languages.ItemByName(name) == nullptr)
            return languages.Add(name);
    }
}

void LanguageSet::ExportLanguage(const Language& language, const std::filesystem::path& path) {
    LanguageFile::Write(language, path);
}

LanguageSet::ImportResult LanguageSet::ImportLanguage(Languages& languages,
                                                      const std::filesystem::path& path,
                                                      const ConfirmReplace& confirmReplace) {
    if (KeywordListFile::IsKeywordList(path))
        return ImportKeywordList(languages, path, confirmReplace);
    LanguageFile::CheckExists(path);
    clsINIFile file;
    file.SetFilename(path);
    file.HoldFirstRead();
    const Text name = LanguageFile::ReadCheckedName(file);

    ImportResult result;
    if (Language* existing = languages.ItemByName(name)) {
        if (!confirmReplace || !confirmReplace(name))
            return result;
        existing->Keywords().Clear();
        existing->Comments().Clear();
        result.language = existing;
    } else {
        result.language = &languages.Add(name);
        result.added = true;
    }
    LanguageFile::Read(file, *result.language);
    return result;
}

LanguageSet::ImportResult LanguageSet::ImportKeywordList(Languages& languages,
                                                         const std::filesystem::path& path,
                                                         const ConfirmReplace& confirmReplace) {
    std::vector<Text> keywords = KeywordListFile::Read(path);
    const Text name = KeywordListFile::LanguageName(path);
    if (name.empty())
        throw BrevlinError(
            errors::FileFormat,
            UiText::Fill(
                UiText::Translate("LanguageSet",
                                  "キーワードの一覧のファイル名から言語の名前が作れません。: %1"),
                {platform::FilePath::ToUtf8(path)}));
    ImportResult result;
    if (Language* existing = languages.ItemByName(name)) {
        if (!confirmReplace || !confirmReplace(name))
            return result;
        existing->Keywords().Clear();
        result.language = existing;
    } else {
        result.language = &languages.Add(name);
        result.added = true;
        // The class of the bundled style sheet, so that the keywords show at once.
        result.language->SetStartTag(u"<span class=\"kw\">");
        result.language->SetEndTag(u"</span>");
    }
    result.language->Keywords().AddRange(std::move(keywords));
    return result;
}

} // namespace brevlin
