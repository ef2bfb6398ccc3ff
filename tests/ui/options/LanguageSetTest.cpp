// Deleting and renaming languages with the tabs in step, the leave checks, and closing.
#include "tests/ui/options/UiTestSupport.h"
#include "ui/options/ctlUpDown.h"
#include "ui/options/modOptions.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

using namespace brevlin;
using namespace brevlin::test;

namespace {

QStringList Names(const Languages& languages) {
    QStringList names;
    for (int i = 1; i <= languages.Count(); ++i)
        names << ToQString(languages.Item(i).Name());
    return names;
}

QStringList Tabs(QTabBar* tabs) {
    QStringList captions;
    for (int i = 1; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    return captions;
}

} // namespace

class LanguageSetTest : public QObject {
    Q_OBJECT

private slots:
    void deleteSelectsTheTabBefore_data();
    void deleteSelectsTheTabBefore();
    void deleteAnsweredNoChangesNothing();
    void renameFollowsInTheTabCaption();
    void emptyNameBeepsAndKeepsTheFocus();
    void takenNameIsRefusedWithAMessage();
    void nameOfItsOwnOrDifferingInCaseIsAccepted();
    void refusedNameBlocksTabsAndButtonsButNotCancel();
    void enterTakesOverATypedNameBeforeClosing();
    void enterWithARefusedNameKeepsTheDialogOpen();
    void aNameLeftForCancelIsCheckedWhenTheFocusMovesOn();
    void upDownDoesNotCheckTheBoxItSteps();
    void closingReportsOnceWithCanceled_data();
    void closingReportsOnceWithCanceled();

private:
    void OpenWith(OptionsFixture& f, QStringList names, int tab) {
        for (const QString& name : names)
            AddLanguage(f.languages, name);
        QVERIFY(f.Open());
        if (tab > 0)
            f.ClickTab(tab);
    }
    QTabBar* TabsOf(OptionsFixture& f) { return f.Find<QTabBar>(QStringLiteral("tbsOptions")); }
    QLineEdit* NameBox(OptionsFixture& f) { return f.Find<QLineEdit>(QStringLiteral("txtName")); }
};

void LanguageSetTest::deleteSelectsTheTabBefore_data() {
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<int>("shown");
    QTest::newRow("first") << 1 << QStringList{QStringLiteral("B"), QStringLiteral("C")} << 0;
    QTest::newRow("second") << 2 << QStringList{QStringLiteral("A"), QStringLiteral("C")} << 1;
    QTest::newRow("third") << 3 << QStringList{QStringLiteral("A"), QStringLiteral("B")} << 2;
}

void LanguageSetTest::deleteSelectsTheTabBefore() {
    QFETCH(int, deleted);
    QFETCH(QStringList, remaining);
    QFETCH(int, shown);
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, deleted);

    auto yes = AnswerNextMessageBox(QMessageBox::Yes);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdDelete")), Qt::LeftButton);
    QVERIFY(yes->shown);
    QCOMPARE(yes->text,
             QStringLiteral("言語設定「%1」を削除しますか？").arg(QChar(u'A' + deleted - 1)));
    QCOMPARE(yes->title, QStringLiteral("Brevlin Glosser"));
    QCOMPARE(yes->icon, QMessageBox::Question);

    QCOMPARE(Names(f.languages), remaining);
    QCOMPARE(Tabs(TabsOf(f)), remaining);
    for (int i = 1; i <= f.languages.Count(); ++i)
        QCOMPARE(f.languages.Item(i).Index(), i);
    QCOMPARE(f.form->CurrentIndex(), shown);
    QCOMPARE(TabsOf(f)->currentIndex(), shown);
    if (shown > 0)
        QCOMPARE(NameBox(f)->text(), remaining[shown - 1]);
    else
        QVERIFY(!f.Find<QPushButton>(QStringLiteral("cmdDelete"))->isEnabled());
}

void LanguageSetTest::deleteAnsweredNoChangesNothing() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A"), QStringLiteral("B")}, 2);
    auto no = AnswerNextMessageBox(QMessageBox::No);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdDelete")), Qt::LeftButton);
    QVERIFY(no->shown);
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
    QCOMPARE(f.form->CurrentIndex(), 2);
}

void LanguageSetTest::renameFollowsInTheTabCaption() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A"), QStringLiteral("B")}, 2);
    NameBox(f)->setFocus();
    Type(QStringLiteral("Basic"));
    // Typing alone renames nothing; leaving the box does.
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    Press(Qt::Key_Tab);
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("A"), QStringLiteral("Basic")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));

    // Clicking another tab takes the name over too.
    NameBox(f)->setFocus();
    Type(QStringLiteral("VB"));
    f.ClickTab(1);
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("A"), QStringLiteral("VB")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
    QCOMPARE(NameBox(f)->text(), QStringLiteral("A"));
}

void LanguageSetTest::emptyNameBeepsAndKeepsTheFocus() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A")}, 1);
    BeepCounter beeps;
    auto unexpected = AnswerNextMessageBox(QMessageBox::Ok);
    NameBox(f)->setFocus();
    Press(Qt::Key_Delete);
    QVERIFY(NameBox(f)->text().isEmpty());
    Press(Qt::Key_Tab);
    QCOMPARE(beeps.Count(), 1);
    QCOMPARE(Focused(), NameBox(f));
    QVERIFY(!unexpected->shown);
    QCOMPARE(Names(f.languages), QStringList{QStringLiteral("A")});
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
}

void LanguageSetTest::takenNameIsRefusedWithAMessage() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A"), QStringLiteral("B")}, 2);
    NameBox(f)->setFocus();
    Type(QStringLiteral("A"));
    auto message = AnswerNextMessageBox(QMessageBox::Ok);
    Press(Qt::Key_Tab);
    QVERIFY(message->shown);
    QCOMPARE(message->text, QStringLiteral("同じ名前が既にあります。"));
    QCOMPARE(message->title, QStringLiteral("Brevlin"));
    QCOMPARE(message->icon, QMessageBox::Warning);
    QTRY_COMPARE(Focused(), NameBox(f));
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(Tabs(TabsOf(f)), Names(f.languages));
}

void LanguageSetTest::nameOfItsOwnOrDifferingInCaseIsAccepted() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("Perl"), QStringLiteral("C")}, 2);
    auto unexpected = AnswerNextMessageBox(QMessageBox::Ok);
    NameBox(f)->setFocus();
    Type(QStringLiteral("C"));
    Press(Qt::Key_Tab);
    NameBox(f)->setFocus();
    Type(QStringLiteral("perl"));
    Press(Qt::Key_Tab);
    NameBox(f)->setFocus();
    Type(QStringLiteral("Perl "));
    Press(Qt::Key_Tab);
    QVERIFY(!unexpected->shown);
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("Perl"), QStringLiteral("Perl ")}));
}

void LanguageSetTest::refusedNameBlocksTabsAndButtonsButNotCancel() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A"), QStringLiteral("B")}, 2);
    BeepCounter beeps;
    auto unexpected = AnswerNextMessageBox(QMessageBox::Yes);
    NameBox(f)->setFocus();
    Press(Qt::Key_Backspace);

    f.ClickTab(1);
    QCOMPARE(f.form->CurrentIndex(), 2);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(f.form->CurrentIndex(), 2);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdDelete")), Qt::LeftButton);
    QTest::keyClick(f.form.get(), Qt::Key_D, Qt::AltModifier); // the access key of cmdDelete
    QVERIFY(!unexpected->shown);
    QCOMPARE(beeps.Count(), 4);
    QCOMPARE(Focused(), NameBox(f));
    QCOMPARE(f.languages.Count(), 2);

    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    QCOMPARE(beeps.Count(), 4);
    QCOMPARE(f.unloadCount, 1);
    QVERIFY(f.unloadCanceled);
}

void LanguageSetTest::enterTakesOverATypedNameBeforeClosing() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A")}, 1);
    QString nameAtUnload;
    QObject::connect(f.form.get(), &frmOptions::Unload, f.form.get(),
                     [&] { nameAtUnload = ToQString(f.languages.Item(1).Name()); });
    NameBox(f)->setFocus();
    Type(QStringLiteral("Ada"));
    Press(Qt::Key_Return);
    QCOMPARE(f.unloadCount, 1);
    QVERIFY(!f.unloadCanceled);
    QVERIFY(!f.form->Canceled());
    QCOMPARE(nameAtUnload, QStringLiteral("Ada"));
}

void LanguageSetTest::enterWithARefusedNameKeepsTheDialogOpen() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A"), QStringLiteral("B")}, 1);
    NameBox(f)->setFocus();
    Type(QStringLiteral("B"));
    auto message = AnswerNextMessageBox(QMessageBox::Ok);
    Press(Qt::Key_Return);
    QVERIFY(message->shown);
    QCOMPARE(f.unloadCount, 0);
    QVERIFY(f.form->isVisible());
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
}

// Pressing Cancel and letting go outside it gives it the focus without a click or a check;
// the name is checked when the focus moves on to a control that checks.
void LanguageSetTest::aNameLeftForCancelIsCheckedWhenTheFocusMovesOn() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A"), QStringLiteral("B")}, 1);
    auto* cancel = f.Find<QPushButton>(QStringLiteral("cmdCancel"));
    const auto pressCancelAndSlipOff = [&] {
        QTest::mousePress(cancel, Qt::LeftButton);
        QTest::mouseRelease(cancel, Qt::LeftButton, {}, QPoint(-40, -40));
    };
    NameBox(f)->setFocus();
    Type(QStringLiteral("B"));
    pressCancelAndSlipOff();
    QCOMPARE(Focused(), cancel);
    QCOMPARE(f.unloadCount, 0);

    auto message = AnswerNextMessageBox(QMessageBox::Ok);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(message->shown);
    QCOMPARE(message->text, QStringLiteral("同じ名前が既にあります。"));
    QTRY_COMPARE(Focused(), NameBox(f));
    QCOMPARE(f.unloadCount, 0);

    Type(QStringLiteral("Ada"));
    pressCancelAndSlipOff();
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QCOMPARE(f.unloadCount, 1);
    QVERIFY(!f.unloadCanceled);
    QCOMPARE(Names(f.languages), QStringList({QStringLiteral("Ada"), QStringLiteral("B")}));
}

void LanguageSetTest::upDownDoesNotCheckTheBoxItSteps() {
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A")}, 1);
    f.languages.Item(1).SetReplaceTab(true);
    f.ClickTab(0);
    f.ClickTab(1);
    auto* upDown = f.Find<ctlUpDown>(QStringLiteral("updTabs"));
    auto* tabs = f.Find<QLineEdit>(QStringLiteral("txtTabs"));
    tabs->setFocus();
    QTest::mouseClick(upDown->UpButton(), Qt::LeftButton);
    QCOMPARE(Focused(), tabs);
    QCOMPARE(f.languages.Item(1).TabColumns(), 5);

    // From the name box, the arrows are a control like any other: an empty name stops them.
    BeepCounter beeps;
    NameBox(f)->setFocus();
    Press(Qt::Key_Backspace);
    QTest::mouseClick(upDown->UpButton(), Qt::LeftButton);
    QCOMPARE(beeps.Count(), 1);
    QCOMPARE(f.languages.Item(1).TabColumns(), 5);
}

void LanguageSetTest::closingReportsOnceWithCanceled_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("canceled");
    QTest::newRow("OK") << QStringLiteral("ok") << false;
    QTest::newRow("Enter") << QStringLiteral("enter") << false;
    QTest::newRow("Cancel") << QStringLiteral("cancel") << true;
    QTest::newRow("Escape") << QStringLiteral("escape") << true;
    QTest::newRow("close box") << QStringLiteral("close") << true;
}

void LanguageSetTest::closingReportsOnceWithCanceled() {
    QFETCH(QString, how);
    QFETCH(bool, canceled);
    OptionsFixture f;
    OpenWith(f, {QStringLiteral("A")}, 1);
    f.Find<QLineEdit>(QStringLiteral("txtStartHTML"))->setFocus();
    if (how == QStringLiteral("ok"))
        QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdOK")), Qt::LeftButton);
    else if (how == QStringLiteral("enter"))
        Press(Qt::Key_Return);
    else if (how == QStringLiteral("cancel"))
        QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    else if (how == QStringLiteral("escape"))
        Press(Qt::Key_Escape);
    else
        f.form->close();
    QCOMPARE(f.unloadCount, 1);
    QCOMPARE(f.unloadCanceled, canceled);
    QCOMPARE(f.form->Canceled(), canceled);
    QVERIFY(!f.form->isVisible());
    f.form->close();
    QCOMPARE(f.unloadCount, 1);
}

QTEST_MAIN(LanguageSetTest)
#include "LanguageSetTest.moc"
