// Loading, page switching, the general switches and the language page's own settings.
#include "tests/ui/options/UiTestSupport.h"
#include "ui/options/DialogMemory.h"
#include "ui/options/ctlUpDown.h"
#include "ui/options/modOptions.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

using namespace brevlin;
using namespace brevlin::test;

class OptionsPagesTest : public QObject {
    Q_OBJECT

private slots:
    void loadingShowsTheGeneralPageAndOneTabPerLanguage();
    void withoutLanguagesDeleteAndExportStayDisabled();
    void generalSwitchesWriteTheOwnersSwitches();
    void switchingLanguagesNeverWritesOneIntoTheOther();
    void editsGoIntoTheShownLanguageAtOnce();
    void ctrlTabPagesThroughTheTabs();
    void tabColumnsAreClampedWhenShown_data();
    void tabColumnsAreClampedWhenShown();
    void tabColumnsAreClampedWhileTyping_data();
    void tabColumnsAreClampedWhileTyping();
    void upDownStepsWithinRange();
    void tabSwitchEnablesTheColumnControls();
    void textBoxesSelectTheirWholeTextOnFocus();
    void resizingGrowsTheListsAndThePreviewAndIsKept();
    void cleanup() { DialogMemory::Forget(); }
};

void OptionsPagesTest::loadingShowsTheGeneralPageAndOneTabPerLanguage() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    AddLanguage(f.languages, QStringLiteral("Perl"));
    QVERIFY(f.Open());

    QCOMPARE(f.form->windowTitle(), QStringLiteral("オプション - Brevlin Glosser"));
    auto* tabs = f.Find<QTabBar>(QStringLiteral("tbsOptions"));
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("全般"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("C"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Perl"));
    QCOMPARE(f.form->CurrentIndex(), 0);
    QVERIFY(f.Find<QWidget>(QStringLiteral("picOptions0"))->isVisible());
    QVERIFY(!f.Find<QWidget>(QStringLiteral("picOptions1"))->isVisible());
    QVERIFY(!f.Find<QPushButton>(QStringLiteral("cmdDelete"))->isEnabled());
    QVERIFY(!f.Find<QPushButton>(QStringLiteral("cmdExport"))->isEnabled());

    f.ClickTab(2);
    QCOMPARE(f.form->CurrentIndex(), 2);
    QVERIFY(!f.Find<QWidget>(QStringLiteral("picOptions0"))->isVisible());
    QVERIFY(f.Find<QWidget>(QStringLiteral("picOptions1"))->isVisible());
    QVERIFY(f.Find<QPushButton>(QStringLiteral("cmdDelete"))->isEnabled());
    QVERIFY(f.Find<QPushButton>(QStringLiteral("cmdExport"))->isEnabled());
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtName"))->text(), QStringLiteral("Perl"));
}

void OptionsPagesTest::withoutLanguagesDeleteAndExportStayDisabled() {
    OptionsFixture f;
    QVERIFY(f.Open());
    QCOMPARE(f.Find<QTabBar>(QStringLiteral("tbsOptions"))->count(), 1);
    QVERIFY(!f.Find<QPushButton>(QStringLiteral("cmdDelete"))->isEnabled());
    QVERIFY(!f.Find<QPushButton>(QStringLiteral("cmdExport"))->isEnabled());
    QVERIFY(f.Find<QPushButton>(QStringLiteral("cmdNew"))->isEnabled());
    QVERIFY(f.Find<QPushButton>(QStringLiteral("cmdImport"))->isEnabled());
    Press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(f.form->CurrentIndex(), 0);
}

void OptionsPagesTest::generalSwitchesWriteTheOwnersSwitches() {
    OptionsFixture f;
    f.switches.BeepOnProcess = true;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    auto* beep = f.Find<QCheckBox>(QStringLiteral("chkBeepOnProcess"));
    auto* optimize = f.Find<QCheckBox>(QStringLiteral("chkOptimizeTags"));
    QVERIFY(beep->isChecked());
    QVERIFY(!optimize->isChecked());

    ClickCheckBox(optimize);
    QVERIFY(f.switches.OptimizeTags);
    ClickCheckBox(beep);
    QVERIFY(!f.switches.BeepOnProcess);

    // The boxes are set from the switches each time the general tab is selected.
    f.ClickTab(1);
    f.switches.BeepOnProcess = true;
    f.switches.OptimizeTags = false;
    f.ClickTab(0);
    QVERIFY(beep->isChecked());
    QVERIFY(!optimize->isChecked());
}

void OptionsPagesTest::switchingLanguagesNeverWritesOneIntoTheOther() {
    OptionsFixture f;
    Language& a = AddLanguage(f.languages, QStringLiteral("A"));
    a.SetIgnoreCase(true);
    a.SetReplaceTab(true);
    a.SetTabColumns(8);
    Language& b = AddLanguage(f.languages, QStringLiteral("B"));
    b.SetStartTag(u"<em>");
    b.SetEndTag(u"</em>");
    b.SetTabColumns(2);
    b.Keywords().Clear();
    b.Keywords().Add(u"begin");
    b.Comments().Remove(1);
    QVERIFY(f.Open());

    f.ClickTab(1);
    f.ClickTab(2);
    f.ClickTab(1);
    f.ClickTab(2);

    QCOMPARE(QString::fromStdU16String(a.StartTag()), QStringLiteral("<b class=\"A\">"));
    QVERIFY(a.IgnoreCase());
    QVERIFY(a.ReplaceTab());
    QCOMPARE(a.TabColumns(), 8);
    QCOMPARE(a.Keywords().Count(), 3);
    QCOMPARE(a.Comments().Count(), 2);
    QCOMPARE(QString::fromStdU16String(b.StartTag()), QStringLiteral("<em>"));
    QVERIFY(!b.IgnoreCase());
    QVERIFY(!b.ReplaceTab());
    QCOMPARE(b.TabColumns(), 2);
    QCOMPARE(b.Keywords().Count(), 1);
    QCOMPARE(b.Comments().Count(), 1);

    // The page shows B throughout.
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtStartHTML"))->text(), QStringLiteral("<em>"));
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtTabs"))->text(), QStringLiteral("2"));
    QVERIFY(!f.Find<QCheckBox>(QStringLiteral("chkIgnoreCase"))->isChecked());
    auto* keywords = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    QCOMPARE(keywords->topLevelItemCount(), 1);
    QCOMPARE(keywords->topLevelItem(0)->text(0), QStringLiteral("begin"));
    auto* rules = f.Find<QTreeWidget>(QStringLiteral("lvwComments"));
    QCOMPARE(rules->topLevelItemCount(), 1);
    const QStringList row{QStringLiteral("\""),    QStringLiteral("\""),  QStringLiteral("\\"),
                          QStringLiteral("False"), QStringLiteral("<s>"), QStringLiteral("</s>")};
    for (int column = 0; column < 6; ++column)
        QCOMPARE(rules->topLevelItem(0)->text(column), row[column]);
}

void OptionsPagesTest::editsGoIntoTheShownLanguageAtOnce() {
    OptionsFixture f;
    Language& a = AddLanguage(f.languages, QStringLiteral("A"));
    Language& b = AddLanguage(f.languages, QStringLiteral("B"));
    QVERIFY(f.Open());
    f.ClickTab(2);
    auto* start = f.Find<QLineEdit>(QStringLiteral("txtStartHTML"));
    start->setFocus();
    Type(QStringLiteral("<u"));
    QCOMPARE(QString::fromStdU16String(b.StartTag()), QStringLiteral("<u"));
    Type(QStringLiteral(">"));
    QCOMPARE(QString::fromStdU16String(b.StartTag()), QStringLiteral("<u>"));
    ClickCheckBox(f.Find<QCheckBox>(QStringLiteral("chkIgnoreCase")));
    QVERIFY(b.IgnoreCase());

    f.ClickTab(1);
    QCOMPARE(start->text(), QStringLiteral("<b class=\"A\">"));
    QVERIFY(!a.IgnoreCase());
    f.ClickTab(2);
    QCOMPARE(start->text(), QStringLiteral("<u>"));
    QVERIFY(f.Find<QCheckBox>(QStringLiteral("chkIgnoreCase"))->isChecked());
}

void OptionsPagesTest::ctrlTabPagesThroughTheTabs() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("A"));
    AddLanguage(f.languages, QStringLiteral("B"));
    QVERIFY(f.Open());
    f.Find<QCheckBox>(QStringLiteral("chkBeepOnProcess"))->setFocus();
    Press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(f.form->CurrentIndex(), 1);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(f.form->CurrentIndex(), 2);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(f.form->CurrentIndex(), 0);
    Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.form->CurrentIndex(), 2);
}

void OptionsPagesTest::tabColumnsAreClampedWhenShown_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -3 << 1;
    QTest::newRow("in range") << 7 << 7;
    QTest::newRow("forty") << 40 << 16;
    QTest::newRow("three digits") << 123 << 16;
}

void OptionsPagesTest::tabColumnsAreClampedWhenShown() {
    QFETCH(int, stored);
    QFETCH(int, shown);
    OptionsFixture f;
    // The first language shows 16 already, so the second one's box text may not change.
    AddLanguage(f.languages, QStringLiteral("A")).SetTabColumns(16);
    Language& b = AddLanguage(f.languages, QStringLiteral("B"));
    b.SetTabColumns(stored);
    QVERIFY(f.Open());
    f.ClickTab(1);
    f.ClickTab(2);
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtTabs"))->text(), QString::number(shown));
    QCOMPARE(b.TabColumns(), shown);
}

void OptionsPagesTest::tabColumnsAreClampedWhileTyping_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("1");
    QTest::newRow("letter") << QStringLiteral("x") << QStringLiteral("1");
    QTest::newRow("twelve") << QStringLiteral("12") << QStringLiteral("12");
    QTest::newRow("ninety-nine") << QStringLiteral("99") << QStringLiteral("16");
    QTest::newRow("three digits stop at two") << QStringLiteral("123") << QStringLiteral("12");
}

void OptionsPagesTest::tabColumnsAreClampedWhileTyping() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    OptionsFixture f;
    Language& a = AddLanguage(f.languages, QStringLiteral("A"));
    a.SetReplaceTab(true);
    QVERIFY(f.Open());
    f.ClickTab(1);
    auto* tabs = f.Find<QLineEdit>(QStringLiteral("txtTabs"));
    tabs->setFocus();
    QCOMPARE(tabs->selectedText(), QStringLiteral("4"));
    Type(typed);
    QCOMPARE(tabs->text(), shown);
    QCOMPARE(a.TabColumns(), shown.toInt());
}

void OptionsPagesTest::upDownStepsWithinRange() {
    OptionsFixture f;
    Language& a = AddLanguage(f.languages, QStringLiteral("A"));
    a.SetReplaceTab(true);
    a.SetTabColumns(15);
    QVERIFY(f.Open());
    f.ClickTab(1);
    auto* upDown = f.Find<ctlUpDown>(QStringLiteral("updTabs"));
    QTest::mouseClick(upDown->UpButton(), Qt::LeftButton);
    QCOMPARE(a.TabColumns(), 16);
    QTest::mouseClick(upDown->UpButton(), Qt::LeftButton);
    QCOMPARE(a.TabColumns(), 16);
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtTabs"))->text(), QStringLiteral("16"));
    f.Find<QLineEdit>(QStringLiteral("txtTabs"))->setText(QStringLiteral("2"));
    QTest::mouseClick(upDown->DownButton(), Qt::LeftButton);
    QTest::mouseClick(upDown->DownButton(), Qt::LeftButton);
    QCOMPARE(a.TabColumns(), 1);
    QCOMPARE(f.Find<QLineEdit>(QStringLiteral("txtTabs"))->text(), QStringLiteral("1"));
}

void OptionsPagesTest::tabSwitchEnablesTheColumnControls() {
    OptionsFixture f;
    Language& a = AddLanguage(f.languages, QStringLiteral("A"));
    Language& b = AddLanguage(f.languages, QStringLiteral("B"));
    b.SetReplaceTab(true);
    QVERIFY(f.Open());
    auto* replace = f.Find<QCheckBox>(QStringLiteral("chkReplaceTab"));
    auto* tabs = f.Find<QLineEdit>(QStringLiteral("txtTabs"));
    auto* upDown = f.Find<QWidget>(QStringLiteral("updTabs"));
    auto* unit = f.Find<QLabel>(QStringLiteral("lblCaption4"));
    const auto enabled = [&] {
        return tabs->isEnabled() && upDown->isEnabled() && unit->isEnabled();
    };
    const auto disabled = [&] {
        return !tabs->isEnabled() && !upDown->isEnabled() && !unit->isEnabled();
    };

    f.ClickTab(1);
    QVERIFY(disabled());
    ClickCheckBox(replace);
    QVERIFY(enabled());
    QVERIFY(a.ReplaceTab());
    ClickCheckBox(replace);
    QVERIFY(disabled());
    QVERIFY(!a.ReplaceTab());

    f.ClickTab(2);
    QVERIFY(enabled());
    f.ClickTab(1);
    QVERIFY(disabled());
}

void OptionsPagesTest::textBoxesSelectTheirWholeTextOnFocus() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("A"));
    QVERIFY(f.Open());
    f.ClickTab(1);
    auto* name = f.Find<QLineEdit>(QStringLiteral("txtName"));
    // The boxes draw their text in a fixed-pitch font the system has: under Wine, without
    // Courier New, a stand-in font once drew nothing at all.
    QVERIFY(QFontInfo(name->font()).fixedPitch());
    const QImage withText = name->grab().toImage();
    name->setText(QString());
    QVERIFY(name->grab().toImage() != withText);
    name->setText(QStringLiteral("A"));
    name->setFocus();
    QCOMPARE(name->selectedText(), QStringLiteral("A"));
    Press(Qt::Key_Tab);
    auto* start = f.Find<QLineEdit>(QStringLiteral("txtStartHTML"));
    QCOMPARE(Focused(), start);
    QCOMPARE(start->selectedText(), start->text());
    start->setCursorPosition(0);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(Focused(), start);
    QCOMPARE(start->selectedText(), start->text());
}

void OptionsPagesTest::resizingGrowsTheListsAndThePreviewAndIsKept() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C"));
    QVERIFY(f.Open());
    f.ClickTab(1);
    const QSize first = f.form->size();
    QVERIFY(f.form->minimumSize() != f.form->maximumSize());
    QWidget* grows[] = {f.Find<QTreeWidget>(QStringLiteral("lvwKeywords")),
                        f.Find<QTreeWidget>(QStringLiteral("lvwComments")),
                        f.Find<QPlainTextEdit>(QStringLiteral("txtPreviewSample")),
                        f.Find<QTextBrowser>(QStringLiteral("txtPreview"))};
    QList<QSize> before;
    for (QWidget* control : grows)
        before << control->size();

    const QSize larger = first + QSize(240, 180);
    f.form->resize(larger);
    QTRY_COMPARE(f.form->size(), larger);
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(grows[i]->width() > before[i].width(), qPrintable(grows[i]->objectName()));
        QVERIFY2(grows[i]->height() > before[i].height(), qPrintable(grows[i]->objectName()));
    }
    // The buttons keep their size; they are not what needs the room.
    QCOMPARE(f.Find<QPushButton>(QStringLiteral("cmdOK"))->height(),
             f.Find<QPushButton>(QStringLiteral("cmdOK"))->sizeHint().height());

    // Closed (OK or not), the next dialog opens at that size.
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    QCOMPARE(f.unloadCount, 1);
    OptionsFixture again;
    QVERIFY(again.Open());
    QCOMPARE(again.form->size(), larger);
}

QTEST_MAIN(OptionsPagesTest)
#include "OptionsPagesTest.moc"
