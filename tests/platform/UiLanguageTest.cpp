// Which language the programs speak, and how the libraries' messages are filled in.
#include "platform/UiLanguage.h"
#include "text/UiText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace brevlin::platform {
namespace {

TEST(UiLanguage, TakesTheLanguageOutOfALocaleName) {
    EXPECT_EQ(UiLanguage::CodeOf("ja_JP.UTF-8"), "ja");
    EXPECT_EQ(UiLanguage::CodeOf("ja-JP"), "ja");
    EXPECT_EQ(UiLanguage::CodeOf("JA"), "ja");
    EXPECT_EQ(UiLanguage::CodeOf("en_US.UTF-8"), "en");
    EXPECT_EQ(UiLanguage::CodeOf("de_DE@euro"), "de");
    EXPECT_EQ(UiLanguage::CodeOf("C.UTF-8"), "en");
    EXPECT_EQ(UiLanguage::CodeOf("POSIX"), "en");
    EXPECT_EQ(UiLanguage::CodeOf(""), "");
    EXPECT_EQ(UiLanguage::CodeOf("x"), "");
    EXPECT_EQ(UiLanguage::CodeOf("../../etc/passwd"), "");
}

#ifndef _WIN32
// Sets the locale variables for one test and puts them back after it.
class Locale : public ::testing::Test {
protected:
    static constexpr const char* Names[] = {"BREVLIN_UI_LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG",
                                            "LANGUAGE"};
    void SetUp() override {
        for (const char* name : Names) {
            const char* value = std::getenv(name);
            m_saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < std::size(Names); ++i) {
            if (m_saved[i])
                ::setenv(Names[i], m_saved[i]->c_str(), 1);
            else
                ::unsetenv(Names[i]);
        }
    }
    static std::string With(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const char* name : Names)
            ::unsetenv(name);
        for (const auto& [name, value] : values)
            ::setenv(name, value, 1);
        return UiLanguage::Code();
    }

private:
    std::vector<std::optional<std::string>> m_saved;
};

TEST_F(Locale, JapaneseOnlyForAJapaneseDesktopUnlessChosen) {
    EXPECT_EQ(With({}), "en");
    EXPECT_EQ(With({{"LANG", "ja_JP.UTF-8"}}), "ja");
    EXPECT_EQ(With({{"LANG", "en_US.UTF-8"}}), "en");
    EXPECT_EQ(With({{"LANG", "C.UTF-8"}}), "en");
    // gettext's order: LC_ALL over LC_MESSAGES over LANG, LANGUAGE unless the locale is C.
    EXPECT_EQ(With({{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}), "ja");
    EXPECT_EQ(With({{"LC_ALL", "en_GB.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}), "en");
    EXPECT_EQ(With({{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "ja:en"}}), "ja");
    EXPECT_EQ(With({{"LANG", "C.UTF-8"}, {"LANGUAGE", "ja"}}), "en");
    // The override wins both ways; one that names no language is passed over.
    EXPECT_EQ(With({{"LANG", "ja_JP.UTF-8"}, {"BREVLIN_UI_LANGUAGE", "en"}}), "en");
    EXPECT_EQ(With({{"LANG", "C"}, {"BREVLIN_UI_LANGUAGE", "ja"}}), "ja");
    EXPECT_EQ(With({{"LANG", "ja_JP.UTF-8"}, {"BREVLIN_UI_LANGUAGE", ""}}), "ja");
}
#endif

TEST(UiText, FillsTheNumberedPlacesInOnePass) {
    EXPECT_EQ(UiText::Fill("%1 行目の Version=%2 は読めない版です", {"12", "3.0"}),
              "12 行目の Version=3.0 は読めない版です");
    EXPECT_EQ(UiText::Fill("%2 before %1", {"a", "b"}), "b before a");
    // What an argument holds is not filled again; a place without an argument stays.
    EXPECT_EQ(UiText::Fill("%1: %2", {"100%2", "x"}), "100%2: x");
    EXPECT_EQ(UiText::Fill("%1 and %3, 50%", {"a"}), "a and %3, 50%");
    // Without a translator, a text is the system's own.
    EXPECT_EQ(UiText::Translate("LanguageFile", "ファイルが見つかりません。: %1"),
              "ファイルが見つかりません。: %1");
}

} // namespace
} // namespace brevlin::platform
