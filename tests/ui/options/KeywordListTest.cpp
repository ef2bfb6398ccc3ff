// The keyword list: default names, in-place renaming with the text rule, deletion, keys.
#include "tests/ui/options/UiTestSupport.h"
#include "ui/options/modOptions.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>

using namespace brevlin;
using namespace brevlin::test;

namespace {

QStringList Rows(QTreeWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0);
    return rows;
}

QStringList KeywordTexts(const Language& language) {
    QStringList keywords;
    for (int i = 1; i <= language.Keywords().Count(); ++i)
        keywords << ToQString(language.Keywords().Item(i));
    return keywords;
}

QLineEdit* OpenEditor(QTreeWidget* list) {
    return list->findChild<QLineEdit*>();
}

} // namespace

class KeywordListTest : public QObject {
    Q_OBJECT

private slots:
    void addTakesTheFirstFreeDefaultNameAtItsSortedPlace();
    void renameKeepsThePositionAndAcceptsDuplicates();
    void renameFollowsTheTextRule_data();
    void renameFollowsTheTextRule();
    void confirmingTheDefaultNameBeepsAndKeepsIt();
    void deleteAsksAndRemovesTheSamePositionFromBoth();
    void keysInAnEmptyListChangeNothing();
    void enterAndEscapeBelongToTheListWhileItHasTheFocus();
    void leavingThePageEndsAnOpenEditInItsOwnLanguage_data();
    void leavingThePageEndsAnOpenEditInItsOwnLanguage();
    void popupEnablesOnlyAddWithoutSelection();

private:
    void Prepare(OptionsFixture& f, QStringList keywords);
};

void KeywordListTest::Prepare(OptionsFixture& f, QStringList keywords) {
    Language& language = AddLanguage(f.languages, QStringLiteral("L"));
    language.Keywords().Clear();
    for (const QString& k : keywords)
        language.Keywords().Add(ToText(k));
    QVERIFY(f.Open());
    f.ClickTab(1);
}

void KeywordListTest::addTakesTheFirstFreeDefaultNameAtItsSortedPlace() {
    OptionsFixture f;
    Prepare(f, {QStringLiteral("新規キーワード1"), QStringLiteral("abc"),
                QStringLiteral("新規キーワード2"), QStringLiteral("zzz")});
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    Language& language = f.languages.Item(1);

    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdKwAdd")), Qt::LeftButton);

    const QString added = QStringLiteral("新規キーワード3");
    QCOMPARE(KeywordTexts(language), QStringList({QStringLiteral("abc"), QStringLiteral("zzz"),
                                                  QStringLiteral("新規キーワード1"),
                                                  QStringLiteral("新規キーワード2"), added}));
    QCOMPARE(Rows(list), KeywordTexts(language));
    QCOMPARE(list->selectedItems().value(0), list->topLevelItem(4));
    QLineEdit* editor = OpenEditor(list);
    QVERIFY(editor != nullptr);
    QCOMPARE(editor->text(), added);
    QVERIFY(f.Find<QPushButton>(QStringLiteral("cmdKwEdit"))->isEnabled());

    // Typing replaces the default name.
    Type(QStringLiteral("while"));
    Press(Qt::Key_Return);
    QCOMPARE(KeywordTexts(language).value(4), QStringLiteral("while"));
    QCOMPARE(Rows(list), KeywordTexts(language));
    QCOMPARE(f.unloadCount, 0);
}

void KeywordListTest::renameKeepsThePositionAndAcceptsDuplicates() {
    OptionsFixture f;
    Prepare(f, {QStringLiteral("else"), QStringLiteral("if"), QStringLiteral("int")});
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    Language& language = f.languages.Item(1);
    BeepCounter beeps;

    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    Press(Qt::Key_F2);
    QVERIFY(OpenEditor(list) != nullptr);
    Type(QStringLiteral("zz"));
    Press(Qt::Key_Return);
    QCOMPARE(KeywordTexts(language),
             QStringList({QStringLiteral("else"), QStringLiteral("zz"), QStringLiteral("int")}));

    list->setCurrentItem(list->topLevelItem(2));
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdKwEdit")), Qt::LeftButton);
    Type(QStringLiteral("else"));
    Press(Qt::Key_Return);
    QCOMPARE(KeywordTexts(language),
             QStringList({QStringLiteral("else"), QStringLiteral("zz"), QStringLiteral("else")}));
    QCOMPARE(Rows(list), KeywordTexts(language));
    QCOMPARE(beeps.Count(), 0);
}

void KeywordListTest::renameFollowsTheTextRule_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("#include") << QStringLiteral("#include") << true;
    QTest::newRow("_tmp") << QStringLiteral("_tmp") << true;
    QTest::newRow("Int32") << QStringLiteral("Int32") << true;
    QTest::newRow("space") << QStringLiteral("a b") << false;
    QTest::newRow("hyphen") << QStringLiteral("a-b") << false;
    QTest::newRow("full stop") << QStringLiteral("a.b") << false;
    QTest::newRow("non-ASCII") << QStringLiteral("ä") << false;
}

void KeywordListTest::renameFollowsTheTextRule() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    OptionsFixture f;
    Prepare(f, {QStringLiteral("else"), QStringLiteral("if")});
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    BeepCounter beeps;
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    Press(Qt::Key_Return);
    QVERIFY(OpenEditor(list) != nullptr);
    Type(typed);
    Press(Qt::Key_Return);
    QCOMPARE(beeps.Count(), accepted ? 0 : 1);
    QCOMPARE(KeywordTexts(f.languages.Item(1)),
             QStringList({QStringLiteral("else"), accepted ? typed : QStringLiteral("if")}));
    QCOMPARE(Rows(list), KeywordTexts(f.languages.Item(1)));
}

void KeywordListTest::confirmingTheDefaultNameBeepsAndKeepsIt() {
    OptionsFixture f;
    Prepare(f, {});
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    BeepCounter beeps;
    list->setFocus();
    Press(Qt::Key_Insert);
    QVERIFY(OpenEditor(list) != nullptr);
    Press(Qt::Key_Return);
    QCOMPARE(beeps.Count(), 1);

    // An emptied editor is refused the same way.
    Press(Qt::Key_F2);
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Return);
    QCOMPARE(beeps.Count(), 2);
    QCOMPARE(KeywordTexts(f.languages.Item(1)), QStringList{QStringLiteral("新規キーワード1")});
    QCOMPARE(Rows(list), KeywordTexts(f.languages.Item(1)));
}

void KeywordListTest::deleteAsksAndRemovesTheSamePositionFromBoth() {
    OptionsFixture f;
    Prepare(f, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    Language& language = f.languages.Item(1);
    list->setCurrentItem(list->topLevelItem(1));

    auto no = AnswerNextMessageBox(QMessageBox::No);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdKwDelete")), Qt::LeftButton);
    QVERIFY(no->shown);
    QCOMPARE(no->text, QStringLiteral("キーワード「b」を削除しますか？"));
    QCOMPARE(no->title, QStringLiteral("Brevlin Glosser"));
    QCOMPARE(no->icon, QMessageBox::Question);
    QCOMPARE(KeywordTexts(language).size(), 3);

    auto yes = AnswerNextMessageBox(QMessageBox::Yes);
    list->setFocus();
    Press(Qt::Key_Delete);
    QVERIFY(yes->shown);
    QCOMPARE(KeywordTexts(language), QStringList({QStringLiteral("a"), QStringLiteral("c")}));
    QCOMPARE(Rows(list), KeywordTexts(language));
}

void KeywordListTest::keysInAnEmptyListChangeNothing() {
    OptionsFixture f;
    Prepare(f, {});
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    auto unexpected = AnswerNextMessageBox(QMessageBox::Yes);
    list->setFocus();
    Press(Qt::Key_Delete);
    Press(Qt::Key_Return);
    Press(Qt::Key_F2);
    QVERIFY(!unexpected->shown);
    QVERIFY(OpenEditor(list) == nullptr);
    QCOMPARE(list->topLevelItemCount(), 0);
    QCOMPARE(f.languages.Item(1).Keywords().Count(), 0);
    QCOMPARE(f.unloadCount, 0);
    QVERIFY(!f.Find<QPushButton>(QStringLiteral("cmdKwEdit"))->isEnabled());
    QVERIFY(!f.Find<QPushButton>(QStringLiteral("cmdKwDelete"))->isEnabled());
}

void KeywordListTest::enterAndEscapeBelongToTheListWhileItHasTheFocus() {
    OptionsFixture f;
    Prepare(f, {QStringLiteral("if")});
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    list->setFocus();
    Press(Qt::Key_Escape);
    QCOMPARE(f.unloadCount, 0);
    Press(Qt::Key_Return);
    QCOMPARE(f.unloadCount, 0);
    QLineEdit* editor = OpenEditor(list);
    QVERIFY(editor != nullptr);
    Press(Qt::Key_Escape); // closes the in-place editor only
    QCOMPARE(f.unloadCount, 0);
    QTRY_VERIFY(OpenEditor(list) == nullptr || !OpenEditor(list)->isVisible());
    QCOMPARE(Focused(), list);
    Press(Qt::Key_Escape);
    QCOMPARE(f.unloadCount, 0);

    // Away from the list, Escape is the dialog's Cancel again.
    f.Find<QLineEdit>(QStringLiteral("txtStartHTML"))->setFocus();
    Press(Qt::Key_Escape);
    QCOMPARE(f.unloadCount, 1);
    QVERIFY(f.unloadCanceled);
}

void KeywordListTest::leavingThePageEndsAnOpenEditInItsOwnLanguage_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("shown");
    QTest::newRow("Ctrl+Tab") << QStringLiteral("next") << 2;
    QTest::newRow("Ctrl+Shift+Tab to the general page") << QStringLiteral("previous") << 0;
    QTest::newRow("wheel over the tabs") << QStringLiteral("wheel") << 2;
    QTest::newRow("new language by its access key") << QStringLiteral("new") << 3;
}

// None of these moves the focus out of the in-place editor, yet the page changes under it.
void KeywordListTest::leavingThePageEndsAnOpenEditInItsOwnLanguage() {
    QFETCH(QString, how);
    QFETCH(int, shown);
    OptionsFixture f;
    Language& a = AddLanguage(f.languages, QStringLiteral("A"));
    Language& b = AddLanguage(f.languages, QStringLiteral("B"));
    b.Keywords().Remove(3);
    QVERIFY(f.Open());
    f.ClickTab(1);
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(2));
    Press(Qt::Key_F2);
    QVERIFY(OpenEditor(list) != nullptr);
    Type(QStringLiteral("zz"));

    auto* tabs = f.Find<QTabBar>(QStringLiteral("tbsOptions"));
    if (how == QStringLiteral("next")) {
        Press(Qt::Key_Tab, Qt::ControlModifier);
    } else if (how == QStringLiteral("previous")) {
        Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    } else if (how == QStringLiteral("wheel")) {
        const QPoint at = tabs->tabRect(1).center();
        QWheelEvent wheel(at, tabs->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tabs, &wheel);
    } else {
        QTest::keyClick(f.form.get(), Qt::Key_A, Qt::AltModifier);
    }
    QTRY_COMPARE(f.form->CurrentIndex(), shown);

    QCOMPARE(KeywordTexts(a),
             QStringList({QStringLiteral("else"), QStringLiteral("if"), QStringLiteral("zz")}));
    QCOMPARE(KeywordTexts(b), QStringList({QStringLiteral("else"), QStringLiteral("if")}));
    if (shown == 2)
        QCOMPARE(Rows(list), KeywordTexts(b));
}

void KeywordListTest::popupEnablesOnlyAddWithoutSelection() {
    OptionsFixture f;
    Prepare(f, {});
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
    auto* menu = f.Find<QMenu>(QStringLiteral("mnuKwPopup"));
    bool shown = false;
    bool add = false;
    bool edit = true;
    bool remove = true;
    QTimer::singleShot(50, menu, [&] {
        shown = menu->isVisible();
        add = f.Find<QAction>(QStringLiteral("mnuKwAdd"))->isEnabled();
        edit = f.Find<QAction>(QStringLiteral("mnuKwEdit"))->isEnabled();
        remove = f.Find<QAction>(QStringLiteral("mnuKwDelete"))->isEnabled();
        menu->close();
    });
    QTest::mouseClick(list->viewport(), Qt::RightButton);
    QVERIFY(shown);
    QVERIFY(add);
    QVERIFY(!edit);
    QVERIFY(!remove);
}

QTEST_MAIN(KeywordListTest)
#include "KeywordListTest.moc"
