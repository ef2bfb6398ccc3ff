#pragma once

#include "text/Text.h"

#include <filesystem>
#include <vector>

namespace brevlin {

// Keyword lists as other tools keep them: a plain text file (".txt"), one keyword a line, in
// any encoding a language file may have. White space around a keyword is dropped, blank
// lines and repeats are skipped.
class KeywordListFile {
public:
    // Whether the import reads the file as a keyword list: by its extension, ".txt".
    static bool IsKeywordList(const std::filesystem::path& path);
    // The keywords in the order of the file; errors::FileNotFound, errors::PathFileAccess, or
    // errors::FileFormat for a line with white space inside or a list without a keyword.
    static std::vector<Text> Read(const std::filesystem::path& path);
    // The name a language made from the list gets: the file's name without its extension.
    static Text LanguageName(const std::filesystem::path& path);
};

} // namespace brevlin
