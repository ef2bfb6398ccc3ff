#include "ui/common/AppFolders.h"
#include "ui/common/HelpLocation.h"
#include "ui/common/modCommon.h"
#include "ui/shell/HelpWindows.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/frmHelp.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using namespace brevlin;
using namespace brevlin::shell;

class HelpAndAboutTest : public QObject {
    Q_OBJECT

private:
    static QString Title() { return HelpWindows::Window()->Browser()->documentTitle(); }

private slots:
    void cleanup() { HelpWindows::CloseAll(); }

    void AboutBoxShowsNameVersionContactAndPictures() {
        frmAbout about(nullptr);
        QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報 - Brevlin Glosser"));
        auto* caption = about.findChild<QLabel*>(QStringLiteral("lblCaption0"));
        QVERIFY(caption != nullptr);
        QCOMPARE(caption->text(), QStringLiteral("Brevlin Glosser Ver %1.%2")
                                      .arg(BREVLIN_TEST_VERSION_MAJOR)
                                      .arg(BREVLIN_TEST_VERSION_MINOR));
        QVERIFY(caption->font().bold());
        const QStringList lines =
            about.findChild<QLabel*>(QStringLiteral("lblCaption1"))->text().split(u'\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[3].startsWith(QStringLiteral("mailto:")));
        QVERIFY(!about.findChild<QLabel*>(QStringLiteral("imgAppIcon"))->pixmap().isNull());
        QVERIFY(!about.findChild<QLabel*>(QStringLiteral("imgLogo"))->pixmap().isNull());
        QVERIFY(about.findChild<QPushButton*>(QStringLiteral("cmdOk"))->isDefault());
        QVERIFY(!about.windowIcon().isNull());
        // The design's client area at least, and a fixed size.
        const QSize design = TwipsToPixels(&about, 4620, 2775);
        QVERIFY2(about.width() >= design.width() && about.height() >= design.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(about.width()).arg(about.height())));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(
            !(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    // Enter, OK, Esc and the close box each close the box with one Unload.
    void AboutBoxRaisesUnloadOnceHoweverItCloses_data() {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("canceled");
        QTest::newRow("Enter") << 0 << false;
        QTest::newRow("OK") << 1 << false;
        QTest::newRow("Esc") << 2 << true;
        QTest::newRow("close box") << 3 << true;
    }
    void AboutBoxRaisesUnloadOnceHoweverItCloses() {
        QFETCH(int, how);
        QFETCH(bool, canceled);
        frmAbout about(nullptr);
        QSignalSpy unload(&about, &frmAbout::Unload);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOk"));
        switch (how) {
        case 0:
            QTest::keyClick(&about, Qt::Key_Return);
            break;
        case 1:
            QTest::mouseClick(ok, Qt::LeftButton);
            break;
        case 2:
            QTest::keyClick(&about, Qt::Key_Escape);
            break;
        default:
            about.close();
        }
        QCOMPARE(unload.count(), 1);
        QCOMPARE(unload.at(0).at(0).toBool(), canceled);
        QVERIFY(!about.isVisible());
        about.close();
        QCOMPARE(unload.count(), 1);
    }

    void HelpOpensOnTheStartPageAndFollowsLinks() {
        HelpLocation::SetProgramHelpFile(
            AppFolders::HelpFileSetting(QStringLiteral(BREVLIN_BINARY_DIR)));
        HelpWindows::Show(nullptr);
        QCOMPARE(HelpWindows::OpenCount(), 1);
        QVERIFY(HelpWindows::Window()->isVisible());
        QCOMPARE(Title(), QStringLiteral("Brevlin Glosser ヘルプ"));
        QCOMPARE(HelpWindows::Window()->windowTitle(), QStringLiteral("Brevlin Glosser ヘルプ"));

        QTextBrowser* browser = HelpWindows::Window()->Browser();
        browser->setSource(QUrl(QStringLiteral("rules.html")));
        QCOMPARE(Title(), QStringLiteral("コメント／リテラルの設定"));
        QCOMPARE(HelpWindows::Window()->windowTitle(), QStringLiteral("コメント／リテラルの設定"));
        auto* back = HelpWindows::Window()->findChild<QToolButton*>(QStringLiteral("cmdBack"));
        QVERIFY(back->isEnabled());

        // The menu again: the same window, back on the start page.
        HelpWindows::Show(nullptr);
        QCOMPARE(HelpWindows::OpenCount(), 1);
        QCOMPARE(Title(), QStringLiteral("Brevlin Glosser ヘルプ"));

        HelpWindows::CloseAll();
        QCOMPARE(HelpWindows::OpenCount(), 0);
    }

    void MissingHelpIsReportedInTheWindowOnly() {
        QTemporaryDir empty;
        HelpLocation::SetProgramHelpFile(AppFolders::HelpFileSetting(empty.path()));
        HelpWindows::Show(nullptr);
        const QString text = HelpWindows::Window()->Browser()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("ヘルプ ファイルが見つかりません")));
        QVERIFY(
            text.contains(QDir::toNativeSeparators(empty.filePath(QStringLiteral("Ostrel.chm")))));
        QCOMPARE(HelpWindows::Window()->windowTitle(), QStringLiteral("ヘルプ - Brevlin Glosser"));
    }
};

QTEST_MAIN(HelpAndAboutTest)
#include "HelpAndAboutTest.moc"
