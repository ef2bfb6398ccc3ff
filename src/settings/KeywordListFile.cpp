#include "settings/KeywordListFile.h"

#include "settings/LanguageFile.h"
#include "settings/clsINIFile.h"
#include "text/BrevlinError.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "text/UiText.h"

#include <unordered_set>

namespace brevlin {

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == u'\x3000' || c == u'\xFEFF';
}

} // namespace

bool KeywordListFile::IsKeywordList(const std::filesystem::path& path) {
    std::string suffix = path.extension().string();
    for (char& c : suffix)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return suffix == ".txt";
}

Text KeywordListFile::LanguageName(const std::filesystem::path& path) {
    return FromUtf8(platform::FilePath::ToUtf8(path.stem()));
}

std::vector<Text> KeywordListFile::Read(const std::filesystem::path& path) {
    LanguageFile::CheckExists(path);
    const Text text = clsINIFile::ReadText(path);
    std::vector<Text> keywords;
    std::unordered_set<Text> seen;
    std::size_t line = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == Text::npos)
            end = text.size();
        ++line;
        TextView word = TextView(text).substr(start, end - start);
        while (!word.empty() && IsSpace(word.front()))
            word.remove_prefix(1);
        while (!word.empty() && IsSpace(word.back()))
            word.remove_suffix(1);
        for (const char16_t c : word) {
            if (IsSpace(c))
                throw BrevlinError(
                    errors::FileFormat,
                    UiText::Fill(
                        UiText::Translate("KeywordListFile",
                                          "キーワードの一覧の %1 行目に空白があります。1 行に "
                                          "1 つのキーワードを書いてください。: %2"),
                        {std::to_string(line), platform::FilePath::ToUtf8(path)}));
        }
        if (!word.empty() && seen.emplace(word).second)
            keywords.emplace_back(word);
        // CR LF is one line end.
        start =
            end + (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);
    }
    if (keywords.empty())
        throw BrevlinError(
            errors::FileFormat,
            UiText::Fill(UiText::Translate("KeywordListFile",
                                           "キーワードの一覧にキーワードがありません。: %1"),
                         {platform::FilePath::ToUtf8(path)}));
    return keywords;
}

} // namespace brevlin
