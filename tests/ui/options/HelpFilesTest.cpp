// The help files in the build tree and the shipped ones, and the pop-up texts read from them.
#include "ui/common/AppFolders.h"
#include "ui/common/HelpLocation.h"
#include "ui/options/HelpPopups.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace brevlin {
namespace {

// Paths compared with forward slashes: the program gives Windows its own separators.
std::string Str(const QString& text) {
    return QDir::fromNativeSeparators(text).toStdString();
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
