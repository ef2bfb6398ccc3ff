// The help file setting, and the help and language folders derived from it.
#include "ui/common/HelpLocation.h"
#include "ui/common/AppFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brevlin {
namespace {

// Paths compared with forward slashes: the program gives Windows its own separators.
std::string Str(const QString& text) {
    return QDir::fromNativeSeparators(text).toStdString();
}

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(HelpFileSetting, HasExactlyOneSeparatorBeforeTheHelpFile) {
    EXPECT_EQ(Str(AppFolders::HelpFileSetting(QStringLiteral("/opt/tools"))),
              "/opt/tools/Ostrel.chm::/popups.txt");
    EXPECT_EQ(Str(AppFolders::HelpFileSetting(QStringLiteral("/opt/tools/"))),
              "/opt/tools/Ostrel.chm::/popups.txt");
    // A program in the root folder: no doubled separator.
    EXPECT_EQ(Str(AppFolders::HelpFileSetting(QDir::rootPath())),
              Str(QDir::rootPath() + "Ostrel.chm::/popups.txt"));
}

TEST(HelpLocation, SplitsTheSettingIntoHelpFileAndPopupTopic) {
    QTemporaryDir root;
    Touch(root.filePath(QStringLiteral("share/brevlin-glosser/help/index.html")));
    const HelpLocation help(AppFolders::HelpFileSetting(root.filePath(QStringLiteral("bin"))));
    EXPECT_EQ(Str(help.HelpFile()), Str(root.filePath(QStringLiteral("bin/Ostrel.chm"))));
    const QString folder = QDir(root.path()).canonicalPath() + "/share/brevlin-glosser/help";
    EXPECT_EQ(Str(help.Folder()), Str(folder));
    EXPECT_EQ(Str(help.StartPage()), Str(folder + "/index.html"));
    EXPECT_EQ(Str(help.PopupFile()), Str(folder + "/popups.txt"));
}

TEST(HelpLocation, FindsTheBuildTreeLayoutAndAPortableFolder) {
    QTemporaryDir build;
    Touch(build.filePath(QStringLiteral("share/brevlin-glosser/help/popups.txt")));
    const HelpLocation inBuild(AppFolders::HelpFileSetting(build.path()));
    EXPECT_TRUE(Str(inBuild.PopupFile()).ends_with("share/brevlin-glosser/help/popups.txt"));

    // A folder named like the help file beside the program wins.
    Touch(build.filePath(QStringLiteral("Ostrel.chm/index.html")));
    const HelpLocation portable(AppFolders::HelpFileSetting(build.path()));
    EXPECT_EQ(Str(portable.StartPage()),
              Str(build.filePath(QStringLiteral("Ostrel.chm/index.html"))));
}

TEST(HelpLocation, OtherInterfaceLanguagesOpenTheirPagesElseTheEnglishOnes) {
    QTemporaryDir root;
    Touch(root.filePath(QStringLiteral("share/brevlin-glosser/help/index.html")));
    Touch(root.filePath(QStringLiteral("share/brevlin-glosser/help/en/index.html")));
    Touch(root.filePath(QStringLiteral("share/brevlin-glosser/help/de/index.html")));
    const QString setting = AppFolders::HelpFileSetting(root.filePath(QStringLiteral("bin")));
    const QString folder = QDir(root.path()).canonicalPath() + "/share/brevlin-glosser/help";
    EXPECT_EQ(Str(HelpLocation(setting, QStringLiteral("ja")).StartPage()),
              Str(folder + "/index.html"));
    EXPECT_EQ(Str(HelpLocation(setting, QStringLiteral("en")).StartPage()),
              Str(folder + "/en/index.html"));
    EXPECT_EQ(Str(HelpLocation(setting, QStringLiteral("de")).PopupFile()),
              Str(folder + "/de/popups.txt"));
    EXPECT_EQ(Str(HelpLocation(setting, QStringLiteral("fr")).Folder()), Str(folder + "/en"));

    // A portable folder without translated pages keeps its own.
    Touch(root.filePath(QStringLiteral("bin/Ostrel.chm/index.html")));
    EXPECT_EQ(Str(HelpLocation(setting, QStringLiteral("en")).StartPage()),
              Str(root.filePath(QStringLiteral("bin/Ostrel.chm/index.html"))));
}

TEST(HelpLocation, WithoutHelpFilesTheStartPageIsTheMissingHelpFile) {
    QTemporaryDir empty;
    const HelpLocation help(AppFolders::HelpFileSetting(empty.path()));
    EXPECT_TRUE(help.Folder().isEmpty());
    EXPECT_EQ(Str(help.StartPage()), Str(empty.filePath(QStringLiteral("Ostrel.chm"))));
    EXPECT_TRUE(help.PopupFile().isEmpty());
    // The root folder case derives the same way, without a doubled separator.
    EXPECT_EQ(Str(HelpLocation(QStringLiteral("/Ostrel.chm::/popups.txt")).HelpFile()),
              "/Ostrel.chm");
}

TEST(AppFolders, LanguagesFolderFollowsTheDataFolderElseTheProgramFolder) {
    QTemporaryDir prefix;
    Touch(prefix.filePath(QStringLiteral("share/brevlin-glosser/languages/c.bvl")));
    QDir().mkpath(prefix.filePath(QStringLiteral("bin")));
    EXPECT_EQ(Str(AppFolders::LanguagesFolder(prefix.filePath(QStringLiteral("bin")))),
              Str(QDir(prefix.path()).canonicalPath() + "/share/brevlin-glosser/languages"));
    QTemporaryDir bare;
    EXPECT_EQ(Str(AppFolders::LanguagesFolder(bare.path())), Str(bare.path()));
}

} // namespace
} // namespace brevlin
