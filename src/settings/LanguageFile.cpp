#include "settings/LanguageFile.h"

#include "settings/ValueConversion.h"
#include "text/BrevlinError.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "text/UiText.h"

#include <vector>

namespace brevlin {

namespace {

constexpr int KeywordsPerGroup = 10;

Text Numbered(const Text& prefix, int number) {
    return prefix + ValueConversion::FromLong(number);
}

// Splits at every ","; the empty text has no pieces.
std::vector<Text> SplitAtCommas(const Text& text) {
    std::vector<Text> pieces;
    if (text.empty())
        return pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(u',', start);
        if (comma == Text::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

Text TrimSpaces(const Text& text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == Text::npos)
        return {};
    const std::size_t last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

} // namespace

void LanguageFile::Write(const Language& language, const std::filesystem::path& path) {
    clsINIFile file;
    file.SetFilename(path);
    file.BeginUpdate();
    file.Clear();
    file.WriteString(u"Brevlin", u"Version", u"2.0");
    file.WriteString(u"Language", u"Name", language.Name());
    file.WriteString(u"Language", u"StartTag", language.StartTag());
    file.WriteString(u"Language", u"EndTag", language.EndTag());
    file.WriteString(u"Language", u"ReplaceTab",
                     ValueConversion::FromBoolean(language.ReplaceTab()));
    file.WriteString(u"Language", u"TabColumns", ValueConversion::FromLong(language.TabColumns()));
    file.WriteString(u"Language", u"IgnoreCase",
                     ValueConversion::FromBoolean(language.IgnoreCase()));

    const Keywords& keywords = language.Keywords();
    const int count = keywords.Count();
    const int groups = count == 0 ? 0 : (count - 1) / KeywordsPerGroup + 1;
    for (int k = 1; k <= groups; ++k) {
        Text group;
        const int first = (k - 1) * KeywordsPerGroup + 1;
        const int last = std::min(count, k * KeywordsPerGroup);
        for (int i = first; i <= last; ++i) {
            if (i > first)
                group += u',';
            group += keywords.Item(i);
        }
        file.WriteString(u"Language", Numbered(u"Keywords", k), group);
    }

    int j = 0;
    for (const auto& rule : language.Comments()) {
        const Text section = Numbered(u"Comment", ++j);
        file.WriteString(section, u"ClauseStart", rule->ClauseStart());
        file.WriteString(section, u"ClauseEnd", rule->ClauseEnd());
        file.WriteString(section, u"EscapeChar", rule->EscapeChar());
        file.WriteString(section, u"MatchWord", ValueConversion::FromBoolean(rule->MatchWord()));
        file.WriteString(section, u"StartTag", rule->StartTag());
        file.WriteString(section, u"EndTag", rule->EndTag());
    }
    file.EndUpdate();
}

Text LanguageFile::ReadCheckedName(clsINIFile& file) {
    // The system's message, and for those who can act on it, where the file went wrong.
    const auto refuse = [&file](const std::string& what) {
        throw BrevlinError(
            errors::FileFormat,
            UiText::Translate("LanguageFile",
                              "ファイル形式が認識できないか、または互換性がありません。"),
            platform::FilePath::ToUtf8(file.Filename()) + ": " + what);
    };
    // The line's number, or an empty text where there is no such line.
    const auto at = [&file](const Text& section, const Text& key) {
        const auto line = file.LineOf(section, key);
        return line ? std::to_string(*line) : std::string();
    };
    const Text versionText = file.ReadString(u"Brevlin", u"Version", u"");
    const double version = ValueConversion::Val(versionText);
    if (version == 0.0 || version > 2.0) {
        const std::string line = at(u"Brevlin", u"Version");
        if (line.empty())
            refuse(UiText::Translate(
                "LanguageFile",
                "[Brevlin] に Version がありません (言語設定ファイルではないか、壊れています)"));
        refuse(UiText::Fill(
            UiText::Translate("LanguageFile",
                              "%1 行目の Version=%2 は読めない版です (読めるのは 0 より大きく 2.0 "
                              "以下の版)"),
            {line, ToUtf8(versionText)}));
    }
    Text name = file.ReadString(u"Language", u"Name", u"");
    if (name.empty()) {
        const std::string line = at(u"Language", u"Name");
        if (!line.empty())
            refuse(
                UiText::Fill(UiText::Translate("LanguageFile", "%1 行目の Name が空です"), {line}));
        const std::string section = at(u"Language", u"");
        refuse(section.empty()
                   ? UiText::Translate("LanguageFile", "[Language] セクションがありません")
                   : UiText::Fill(UiText::Translate("LanguageFile",
                                                    "[Language] (%1 行目) に Name がありません"),
                                  {section}));
    }
    return name;
}

void LanguageFile::Read(clsINIFile& file, Language& language) {
    language.SetStartTag(file.ReadString(u"Language", u"StartTag", u""));
    language.SetEndTag(file.ReadString(u"Language", u"EndTag", u""));
    if (const auto value =
            ValueConversion::ToBoolean(file.ReadString(u"Language", u"ReplaceTab", u"False")))
        language.SetReplaceTab(*value);
    if (const auto value =
            ValueConversion::ToLong(file.ReadString(u"Language", u"TabColumns", u"4")))
        language.SetTabColumns(*value);
    if (const auto value =
            ValueConversion::ToBoolean(file.ReadString(u"Language", u"IgnoreCase", u"")))
        language.SetIgnoreCase(*value);

    std::vector<Text> keywords;
    for (int k = 1;; ++k) {
        const std::vector<Text> pieces =
            SplitAtCommas(file.ReadString(u"Language", Numbered(u"Keywords", k), u""));
        if (pieces.empty())
            break;
        for (const Text& piece : pieces)
            keywords.push_back(TrimSpaces(piece));
    }
    language.Keywords().AddRange(std::move(keywords));

    for (int j = 1;; ++j) {
        const Text section = Numbered(u"Comment", j);
        Text clauseStart = file.ReadString(section, u"ClauseStart", u"");
        if (clauseStart.empty())
            break;
        Comment& rule = language.Comments().Add();
        rule.SetClauseStart(std::move(clauseStart));
        rule.SetClauseEnd(file.ReadString(section, u"ClauseEnd", u""));
        rule.SetEscapeChar(file.ReadString(section, u"EscapeChar", u""));
        if (const auto value =
                ValueConversion::ToBoolean(file.ReadString(section, u"MatchWord", u"")))
            rule.SetMatchWord(*value);
        rule.SetStartTag(file.ReadString(section, u"StartTag", u""));
        rule.SetEndTag(file.ReadString(section, u"EndTag", u""));
    }
}

void LanguageFile::CheckExists(const std::filesystem::path& path) {
    if (!platform::FileSystem::Exists(path))
        throw BrevlinError(
            errors::FileNotFound,
            UiText::Fill(UiText::Translate("LanguageFile", "ファイルが見つかりません。: %1"),
                         {platform::FilePath::ToUtf8(path)}));
}

std::unique_ptr<Language> LanguageFile::Load(const std::filesystem::path& path) {
    CheckExists(path);
    clsINIFile file;
    file.SetFilename(path);
    file.HoldFirstRead();
    auto language = std::make_unique<Language>();
    language->SetName(ReadCheckedName(file));
    Read(file, *language);
    return language;
}

} // namespace brevlin
