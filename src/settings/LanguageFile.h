#pragma once

#include "engine/Language.h"
#include "settings/clsINIFile.h"

#include <filesystem>
#include <memory>

namespace brevlin {

// Language files (.bvl): one language in an INI file, format version "2.0".
class LanguageFile {
public:
    // Writes the file whole; afterwards it holds only this language. Failures are raised.
    static void Write(const Language& language, const std::filesystem::path& path);

    // The language name after the format check; raises errors::FileFormat with
    // "ファイル形式が認識できないか、または互換性がありません。" when the version is absent,
    // not a number, 0 or above 2.0, or the name is empty.
    static Text ReadCheckedName(clsINIFile& file);

    // Reads the file's values into the language (not its name). A value that does not convert
    // leaves its property as it was; keywords and rules are added to those present.
    static void Read(clsINIFile& file, Language& language);

    // Checked read of a whole file into a fresh language.
    static std::unique_ptr<Language> Load(const std::filesystem::path& path);

    // Raises errors::FileNotFound naming the path when there is no file.
    static void CheckExists(const std::filesystem::path& path);
};

} // namespace brevlin
