#pragma once

#include "engine/Languages.h"

#include <filesystem>
#include <functional>

namespace brevlin {

// Managing the language set without a window: file names, new languages, export, import.
class LanguageSet {
public:
    // The name without the characters \ / : , ; * ? " < > | that file names cannot hold.
    static Text StripFileNameChars(const Text& text);

    // Adds "新しい言語" followed by the first free number from 1.
    static Language& AddNewLanguage(Languages& languages);

    // Writes the language to the file; any earlier file there is replaced whole, so none of
    // its keys survive. Failures are raised.
    static void ExportLanguage(const Language& language, const std::filesystem::path& path);

    struct ImportResult {
        Language* language = nullptr; // nothing when the replacement was declined
        bool added = false;           // true: a new last language; false: replaced in place
    };
    // Asked with the language name when a language of that name exists: true replaces it.
    using ConfirmReplace = std::function<bool(const Text& name)>;

    // Reads a language file into the set: as a new last language, or, when the name exists
    // and `confirmReplace` agrees, over that language (its keywords and rules cleared first;
    // settings the file lacks, like IgnoreCase, keep their values). Raises errors::FileNotFound
    // or errors::FileFormat ("ファイル形式が認識できないか、または互換性がありません。") and
    // then changes nothing.
    // A keyword list (KeywordListFile, a ".txt" file) is read as a language named after the
    // file, with those keywords and the bundled style sheet's keyword tags; over an existing
    // language of that name only its keywords are replaced, its tags and rules stay.
    static ImportResult ImportLanguage(Languages& languages, const std::filesystem::path& path,
                                       const ConfirmReplace& confirmReplace);

private:
    static ImportResult ImportKeywordList(Languages& languages, const std::filesystem::path& path,
                                          const ConfirmReplace& confirmReplace);
};

} // namespace brevlin
