// The help file setting, the help and language folders derived from it, and pop-up texts.
#include "HelpLocation.h"
#include "AppFolders.h"
#include "HelpPopups.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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

TEST(AppFolders, TheBuildTreeHoldsTheBundledFiles) {
    const QString languages = AppFolders::LanguagesFolder(QStringLiteral(BREVLIN_BINARY_DIR));
    EXPECT_TRUE(QFile::exists(languages + "/c.bvl")) << Str(languages);
    EXPECT_TRUE(QFile::exists(languages + "/brevlin.css"));
    const HelpLocation help(AppFolders::HelpFileSetting(QStringLiteral(BREVLIN_BINARY_DIR)));
    EXPECT_TRUE(QFile::exists(help.StartPage())) << Str(help.StartPage());
    EXPECT_GE(HelpPopups(help.PopupFile()).Count(), 27);
}

TEST(HelpPopups, ReadsTopicsAndTrimsBlankLinesAroundThem) {
    const HelpPopups popups = HelpPopups::Parse(
        QStringLiteral("ignored preamble\r\n.topic 1000\r\n\r\nfirst line\r\nsecond line\r\n\r\n"
                       ".topic 1001\nother\n.topic x\nskipped\n.topic 1024\n"));
    EXPECT_EQ(Str(popups.Text(1000)), "first line\nsecond line");
    EXPECT_EQ(Str(popups.Text(1001)), "other");
    EXPECT_EQ(Str(popups.Text(1024)), "");
    EXPECT_EQ(popups.Count(), 3);
    EXPECT_EQ(Str(popups.Text(1002)), "");
    EXPECT_EQ(HelpPopups(QStringLiteral("/no/such/popups.txt")).Count(), 0);
}

// Every control with a help ID has its text in the shipped files, and the English file has
// the topics of the Japanese one, no more and no fewer.
TEST(HelpPopups, TheShippedFilesHaveATextForEveryHelpId) {
    const HelpPopups japanese(QStringLiteral(BREVLIN_SOURCE_DIR "/help/popups.txt"));
    const HelpPopups english(QStringLiteral(BREVLIN_SOURCE_DIR "/help/en/popups.txt"));
    for (int id :
         {1000, 1001, 1003, 1004, 1005, 1006, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015,
          1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1027, 1028, 1029}) {
        EXPECT_FALSE(japanese.Text(id).isEmpty()) << id;
        EXPECT_FALSE(english.Text(id).isEmpty()) << id;
    }
    EXPECT_EQ(english.Count(), japanese.Count());
    for (int id = 1000; id < 1100; ++id)
        EXPECT_EQ(english.Text(id).isEmpty(), japanese.Text(id).isEmpty()) << id;
}

// The English manual has a page for every Japanese one, and its links lead to files that are
// there.
TEST(HelpPages, TheEnglishManualIsWholeAndItsLinksHold) {
    const QDir japanese(QStringLiteral(BREVLIN_SOURCE_DIR "/help"));
    const QDir english(QStringLiteral(BREVLIN_SOURCE_DIR "/help/en"));
    const QStringList pages = japanese.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 7);
    EXPECT_EQ(english.entryList({QStringLiteral("*.html")}, QDir::Files), pages);
    const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"#:]+)[^"]*")re"));
    for (const QString& page : pages) {
        QFile file(english.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << Str(page);
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("<html lang=\"en\">"))) << Str(page);
        for (const QRegularExpressionMatch& match : link.globalMatch(html))
            EXPECT_TRUE(QFileInfo::exists(english.filePath(match.captured(1))))
                << Str(page) << ": " << Str(match.captured(1));
    }
}

} // namespace
} // namespace brevlin
