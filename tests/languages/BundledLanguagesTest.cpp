// The bundled language files: each loads, survives an export unchanged, and converts its
// sample exactly as checked in.
#include "engine/Highlighter.h"
#include "engine/TextRoutines.h"
#include "settings/LanguageFile.h"

#include "tests/settings/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace brevlin {
namespace {

struct Bundled {
    const char* Key;    // languages/<Key>.bvl, tests/data/languages/<Key>.html
    const char* Sample; // tests/data/languages/<Sample>
    const char* Name;   // the name shown in the tray menu
    bool IgnoreCase;
};

const Bundled kBundled[] = {
    {"c", "c.c", "C", false},
    {"cpp", "cpp.cpp", "C++", false},
    {"csharp", "csharp.cs", "C#", false},
    {"java", "java.java", "Java", false},
    {"javascript", "javascript.js", "JavaScript", false},
    {"typescript", "typescript.ts", "TypeScript", false},
    {"python", "python.py", "Python", false},
    {"ruby", "ruby.rb", "Ruby", false},
    {"go", "go.go", "Go", false},
    {"rust", "rust.rs", "Rust", false},
    {"php", "php.php", "PHP", true},
    {"sql", "sql.sql", "SQL", true},
    {"shell", "shell.sh", "Shell", false},
    {"vb", "vb.vb", "Visual Basic", true},
    {"pascal", "pascal.pas", "Pascal", true},
    {"perl", "perl.pl", "Perl", false},
};

void PrintTo(const Bundled& bundled, std::ostream* out) {
    *out << bundled.Key;
}

std::filesystem::path SourcePath(const std::string& relative) {
    return std::filesystem::path(BREVLIN_SOURCE_DIR) / relative;
}

std::string ReadAll(const std::filesystem::path& path) {
    if (!std::filesystem::exists(path))
        throw std::runtime_error("cannot read " + path.string());
    return test::ReadBytes(path);
}

class BundledLanguage : public testing::TestWithParam<Bundled> {
protected:
    std::filesystem::path BvlPath() const {
        return SourcePath("languages/" + std::string(GetParam().Key) + ".bvl");
    }
};

TEST_P(BundledLanguage, LoadsWithItsNameAndCaseSwitch) {
    const auto language = LanguageFile::Load(BvlPath());
    EXPECT_EQ(language->Name(), FromUtf8(GetParam().Name));
    EXPECT_EQ(language->IgnoreCase(), GetParam().IgnoreCase);
    EXPECT_GT(language->Keywords().Count(), 10);
    EXPECT_GE(language->Comments().Count(), 3);
    EXPECT_EQ(language->StartTag(), u"<span class=\"kw\">");
    EXPECT_EQ(language->EndTag(), u"</span>");
}

// The files are exactly what an export of the same language writes: same keys, keyword groups
// of ten in list order, and no rule clause that the rule editor would have to cut.
TEST_P(BundledLanguage, IsExactlyWhatAnExportWrites) {
    const auto language = LanguageFile::Load(BvlPath());
    const test::TempFolder folder;
    const std::filesystem::path exported = folder.Path("exported.bvl");
    LanguageFile::Write(*language, exported);
    EXPECT_EQ(ReadAll(exported), ReadAll(BvlPath()));

    for (const auto& rule : language->Comments()) {
        if (!rule->MatchWord()) {
            EXPECT_LE(rule->ClauseStart().size(), 2u);
            EXPECT_LE(rule->ClauseEnd().size(), 2u);
        }
        EXPECT_LE(rule->EscapeChar().size(), 1u);
    }
}

TEST_P(BundledLanguage, ConvertsItsSampleAsCheckedIn) {
    const auto language = LanguageFile::Load(BvlPath());
    const Text sample =
        FromUtf8(ReadAll(SourcePath("tests/data/languages/" + std::string(GetParam().Sample))));
    const std::string expected =
        ReadAll(SourcePath("tests/data/languages/" + std::string(GetParam().Key) + ".html"));
    // Files carry LF line ends; the engine works on CR LF, as the clipboard layer gives it.
    const Text html = HighlightText(*language, ToCrLf(sample), HighlightOptions{});
    EXPECT_EQ(ToUtf8(ToLf(html)), expected);
}

INSTANTIATE_TEST_SUITE_P(Languages, BundledLanguage, testing::ValuesIn(kBundled),
                         [](const testing::TestParamInfo<Bundled>& param) {
                             return std::string(param.param.Key);
                         });

} // namespace
} // namespace brevlin
