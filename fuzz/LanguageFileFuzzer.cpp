// Loading arbitrary bytes as a language file: refused with a BrevlinError, or a language that
// writes and loads again; where its texts survive the INI rules (no blanks at either end, no
// enclosing quotes, no comma or quote at the ends of a keyword), the second file is the same as the
// first.

#include "settings/LanguageFile.h"
#include "text/BrevlinError.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace brevlin;

namespace {

namespace fs = std::filesystem;

fs::path Folder() {
    static const fs::path folder = [] {
        // In memory where there is a tmpfs: every write flushes its file.
        const fs::path base =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path path = base / ("brevlin-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' ||
           c == u'\x1A';
}

bool Survives(const Text& value) {
    if (value.empty())
        return true;
    if (IsBlank(value.front()) || IsBlank(value.back()))
        return false;
    return !(value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
             value.back() == value.front());
}

bool SurvivesIniRules(const Language& language) {
    bool survives = Survives(language.StartTag()) && Survives(language.EndTag());
    for (const auto& rule : language.Comments())
        survives = survives && Survives(rule->ClauseStart()) && Survives(rule->ClauseEnd()) &&
                   Survives(rule->EscapeChar()) && Survives(rule->StartTag()) &&
                   Survives(rule->EndTag());
    for (const Text& keyword : language.Keywords().GetAllItems())
        // A keyword starting or ending a group may make the group's value look quoted.
        survives = survives && !keyword.empty() && Survives(keyword) &&
                   keyword.find(u',') == Text::npos && keyword.find_first_of(u"\"'") != 0 &&
                   keyword.find_last_of(u"\"'") != keyword.size() - 1;
    return survives;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path input = Folder() / "input.bvl";
    const fs::path first = Folder() / "first.bvl";
    const fs::path second = Folder() / "second.bvl";
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        if (!file)
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::unique_ptr<Language> language;
    try {
        language = LanguageFile::Load(input);
    } catch (const BrevlinError&) {
        return 0;
    }
    try {
        fs::remove(first);
        fs::remove(second);
        LanguageFile::Write(*language, first);
        auto again = LanguageFile::Load(first);
        again->SetName(language->Name());
        LanguageFile::Write(*again, second);
    } catch (const BrevlinError& error) {
        std::fprintf(stderr, "a loaded language does not write and load again: %s\n",
                     error.Description().c_str());
        std::abort();
    }
    if (SurvivesIniRules(*language) && ReadAll(first) != ReadAll(second)) {
        std::fprintf(stderr, "a language changes when written, loaded and written again\n");
        std::abort();
    }
    return 0;
}
