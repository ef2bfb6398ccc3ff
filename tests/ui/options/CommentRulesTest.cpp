// The rule list and the rule editor: limits, the whole-word switch, add, edit and delete.
#include "tests/ui/options/UiTestSupport.h"
#include "ui/options/frmEditComment.h"
#include "ui/options/modOptions.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace brevlin;
using namespace brevlin::test;

namespace {

QStringList Row(QTreeWidget* list, int row) {
    QStringList texts;
    for (int column = 0; column < 6; ++column)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

QStringList Fields(const Comment& rule) {
    return {ToQString(rule.ClauseStart()),
            ToQString(rule.ClauseEnd()),
            ToQString(rule.EscapeChar()),
            rule.MatchWord() ? QStringLiteral("True") : QStringLiteral("False"),
            ToQString(rule.StartTag()),
            ToQString(rule.EndTag())};
}

} // namespace

class CommentRulesTest : public QObject {
    Q_OBJECT

private slots:
    void addNeedsAStartClauseAndAppendsRowAndRule();
    void firstRuleAddedToAnEmptyListIsSelected();
    void clauseLimitsAndTheWholeWordSwitch();
    void wholeWordRuleDropsTheEndClauseButKeepsTheEscape();
    void editShowsLoadedClausesWholeAndKeepsThemUntilEdited();
    void cancelEscapeAndCloseBoxChangeNothing();
    void deleteAsksAndRemovesTheSamePositionFromBoth();
    void enterEditsWhileTheListHasTheFocus();
    void closingTheDialogDiscardsAnOpenEditor();

private:
    frmEditComment* Editor(OptionsFixture& f) {
        return f.form->findChild<frmEditComment*>(QStringLiteral("frmEditComment"));
    }
    void Prepare(OptionsFixture& f) {
        AddLanguage(f.languages, QStringLiteral("C"));
        QVERIFY(f.Open());
        f.ClickTab(1);
    }
};

void CommentRulesTest::addNeedsAStartClauseAndAppendsRowAndRule() {
    OptionsFixture f;
    Prepare(f);
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwComments"));
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmAdd")), Qt::LeftButton);
    frmEditComment* editor = Editor(f);
    QVERIFY(editor != nullptr && editor->isVisible());
    QCOMPARE(editor->windowTitle(), QStringLiteral("コメント／リテラルの設定"));
    QVERIFY(!f.form->isEnabled());
    QVERIFY(editor->isEnabled());
    auto* ok = editor->findChild<QPushButton*>(QStringLiteral("cmdOk"));
    QVERIFY(!ok->isEnabled());

    editor->txtStartTag()->setText(QStringLiteral("/*"));
    QVERIFY(ok->isEnabled());
    editor->txtStartTag()->clear();
    QVERIFY(!ok->isEnabled());
    editor->txtStartTag()->setText(QStringLiteral("/*"));
    editor->txtEndTag()->setText(QStringLiteral("*/"));
    editor->txtEscapeChar()->setText(QStringLiteral("\\"));
    editor->txtStartHTML()->setText(QStringLiteral("<i>"));
    editor->txtEndHTML()->setText(QStringLiteral("</i>"));
    QTest::mouseClick(ok, Qt::LeftButton);

    QTRY_VERIFY(Editor(f) == nullptr);
    QVERIFY(f.form->isEnabled());
    const QStringList expected{QStringLiteral("/*"),  QStringLiteral("*/"),
                               QStringLiteral("\\"),  QStringLiteral("False"),
                               QStringLiteral("<i>"), QStringLiteral("</i>")};
    const Comments& rules = f.languages.Item(1).Comments();
    QCOMPARE(rules.Count(), 3);
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(Row(list, 2), expected);
    QCOMPARE(Fields(rules.Item(3)), expected);
    QVERIFY(!rules.Item(3).MatchPattern().empty());
    QCOMPARE(f.unloadCount, 0);
    // The selection stays on the row it was on: Enter still edits that rule.
    QCOMPARE(list->selectedItems().value(0), list->topLevelItem(0));
}

void CommentRulesTest::firstRuleAddedToAnEmptyListIsSelected() {
    OptionsFixture f;
    AddLanguage(f.languages, QStringLiteral("C")).Comments().Clear();
    QVERIFY(f.Open());
    f.ClickTab(1);
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwComments"));
    QVERIFY(!f.Find<QPushButton>(QStringLiteral("cmdCmEdit"))->isEnabled());
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmAdd")), Qt::LeftButton);
    Editor(f)->txtStartTag()->setText(QStringLiteral("'"));
    QTest::mouseClick(Editor(f)->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    QTRY_VERIFY(Editor(f) == nullptr);
    QCOMPARE(list->selectedItems().value(0), list->topLevelItem(0));
    QVERIFY(f.Find<QPushButton>(QStringLiteral("cmdCmEdit"))->isEnabled());
    QVERIFY(f.Find<QPushButton>(QStringLiteral("cmdCmDelete"))->isEnabled());
}

void CommentRulesTest::clauseLimitsAndTheWholeWordSwitch() {
    OptionsFixture f;
    Prepare(f);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmAdd")), Qt::LeftButton);
    frmEditComment* editor = Editor(f);
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    editor->txtStartTag()->setFocus();
    Type(QStringLiteral("REM"));
    QCOMPARE(editor->txtStartTag()->text(), QStringLiteral("RE"));
    editor->txtEscapeChar()->setFocus();
    Type(QStringLiteral("\\\\"));
    QCOMPARE(editor->txtEscapeChar()->text(), QStringLiteral("\\"));

    ClickCheckBox(editor->chkMatchWord());
    QVERIFY(!editor->txtEndTag()->isEnabled());
    QVERIFY(!editor->txtEscapeChar()->isEnabled());
    QVERIFY(!editor->findChild<QWidget*>(QStringLiteral("lblCaption1"))->isEnabled());
    QVERIFY(!editor->findChild<QWidget*>(QStringLiteral("lblCaption2"))->isEnabled());
    editor->txtStartTag()->setFocus();
    editor->txtStartTag()->end(false);
    Type(QStringLiteral("MARK"));
    QCOMPARE(editor->txtStartTag()->text(), QStringLiteral("REMARK"));

    ClickCheckBox(editor->chkMatchWord());
    QVERIFY(editor->txtEndTag()->isEnabled());
    QVERIFY(editor->txtEscapeChar()->isEnabled());
    QCOMPARE(editor->txtStartTag()->text(), QStringLiteral("RE"));
}

void CommentRulesTest::wholeWordRuleDropsTheEndClauseButKeepsTheEscape() {
    OptionsFixture f;
    Prepare(f);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmAdd")), Qt::LeftButton);
    frmEditComment* editor = Editor(f);
    editor->txtStartTag()->setText(QStringLiteral("RE"));
    editor->txtEndTag()->setText(QStringLiteral("*/"));
    editor->txtEscapeChar()->setText(QStringLiteral("^"));
    editor->chkMatchWord()->setChecked(true);
    editor->txtStartTag()->setText(QStringLiteral("REM"));
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    QTRY_VERIFY(Editor(f) == nullptr);
    const QStringList expected{QStringLiteral("REM"),  QString(), QStringLiteral("^"),
                               QStringLiteral("True"), QString(), QString()};
    QCOMPARE(Fields(f.languages.Item(1).Comments().Item(3)), expected);
    QCOMPARE(Row(f.Find<QTreeWidget>(QStringLiteral("lvwComments")), 2), expected);
}

void CommentRulesTest::editShowsLoadedClausesWholeAndKeepsThemUntilEdited() {
    // Rules from a language file or the store may be longer than the editor's limits.
    OptionsFixture f;
    Language& language = AddLanguage(f.languages, QStringLiteral("C"));
    language.Comments().Item(1).SetClauseStart(u"ABCD");
    language.Comments().Item(1).SetClauseEnd(u"EFGH");
    language.Comments().Item(1).SetEscapeChar(u"xy");
    Comment& word = language.Comments().Add();
    word.SetMatchWord(true);
    word.SetClauseStart(u"REMARK");
    word.SetClauseEnd(u"!!");
    QVERIFY(f.Open());
    f.ClickTab(1);
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwComments"));
    const QStringList long4 = Fields(language.Comments().Item(1));
    const QStringList whole = Fields(word);
    const auto ok = [&] {
        QTest::mouseClick(Editor(f)->findChild<QPushButton*>(QStringLiteral("cmdOk")),
                          Qt::LeftButton);
        QTRY_VERIFY(Editor(f) == nullptr);
    };

    // Opened and confirmed: shown whole, stored as it was, the whole-word rule's end too.
    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(list->topLevelItem(0)).center());
    QVERIFY(Editor(f) != nullptr);
    QCOMPARE(Editor(f)->txtStartTag()->text(), QStringLiteral("ABCD"));
    QCOMPARE(Editor(f)->txtEndTag()->text(), QStringLiteral("EFGH"));
    QCOMPARE(Editor(f)->txtEscapeChar()->text(), QStringLiteral("xy"));
    ok();
    QCOMPARE(Fields(language.Comments().Item(1)), long4);
    QCOMPARE(Row(list, 0), long4);
    list->setCurrentItem(list->topLevelItem(2));
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmEdit")), Qt::LeftButton);
    QCOMPARE(Editor(f)->txtStartTag()->text(), QStringLiteral("REMARK"));
    ok();
    QCOMPARE(Fields(word), whole);

    // The whole-word switch on and off again changes nothing either.
    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmEdit")), Qt::LeftButton);
    frmEditComment* editor = Editor(f);
    ClickCheckBox(editor->chkMatchWord());
    ClickCheckBox(editor->chkMatchWord());
    QCOMPARE(editor->txtStartTag()->text(), QStringLiteral("ABCD"));
    QCOMPARE(editor->txtEndTag()->text(), QStringLiteral("EFGH"));
    // Typing keeps to the limits: nothing is added to a long clause, characters can be taken
    // away, and what replaces it fits the limit.
    QLineEdit* start = editor->txtStartTag();
    start->setFocus();
    start->end(false);
    QTest::keyClicks(start, QStringLiteral("Z"));
    QCOMPARE(start->text(), QStringLiteral("ABCD"));
    QTest::keyClick(start, Qt::Key_Backspace);
    QTest::keyClicks(start, QStringLiteral("Z"));
    QCOMPARE(start->text(), QStringLiteral("ABC"));
    // Typed afresh, even letters of the loaded clause keep to the limit.
    start->selectAll();
    QTest::keyClicks(start, QStringLiteral("ACD"));
    QCOMPARE(start->text(), QStringLiteral("AC"));
    start->selectAll();
    QTest::keyClicks(start, QStringLiteral("<!--"));
    QCOMPARE(start->text(), QStringLiteral("<!"));
    QLineEdit* escape = editor->txtEscapeChar();
    escape->selectAll();
    QTest::keyClick(escape, Qt::Key_Backspace);
    QTest::keyClicks(escape, QStringLiteral("^^"));
    QCOMPARE(escape->text(), QStringLiteral("^"));
    ok();
    QCOMPARE(Fields(language.Comments().Item(1)).mid(0, 3),
             QStringList({QStringLiteral("<!"), QStringLiteral("EFGH"), QStringLiteral("^")}));
    QCOMPARE(Row(list, 0), Fields(language.Comments().Item(1)));

    // A whole-word rule's end clause goes once the switch is set by the user.
    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmEdit")), Qt::LeftButton);
    ClickCheckBox(Editor(f)->chkMatchWord());
    ok();
    QCOMPARE(ToQString(language.Comments().Item(1).ClauseEnd()), QString());
}

void CommentRulesTest::cancelEscapeAndCloseBoxChangeNothing() {
    OptionsFixture f;
    Prepare(f);
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwComments"));
    const Comments& rules = f.languages.Item(1).Comments();
    const QStringList before = Fields(rules.Item(1));

    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmAdd")), Qt::LeftButton);
    Editor(f)->txtStartTag()->setText(QStringLiteral("#"));
    QTest::mouseClick(Editor(f)->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                      Qt::LeftButton);
    QTRY_VERIFY(Editor(f) == nullptr);
    QCOMPARE(rules.Count(), 2);
    QCOMPARE(list->topLevelItemCount(), 2);

    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmEdit")), Qt::LeftButton);
    frmEditComment* editor = Editor(f);
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    editor->txtStartTag()->setText(QStringLiteral(";"));
    editor->txtStartTag()->setFocus();
    Press(Qt::Key_Escape);
    QTRY_VERIFY(Editor(f) == nullptr);
    QCOMPARE(Fields(rules.Item(1)), before);

    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmEdit")), Qt::LeftButton);
    Editor(f)->txtStartTag()->setText(QStringLiteral(";"));
    Editor(f)->close(); // the close box
    QTRY_VERIFY(Editor(f) == nullptr);
    QCOMPARE(Fields(rules.Item(1)), before);
    QCOMPARE(Row(list, 0), before);
    QVERIFY(f.form->isEnabled());
    QCOMPARE(f.unloadCount, 0);
}

void CommentRulesTest::deleteAsksAndRemovesTheSamePositionFromBoth() {
    OptionsFixture f;
    Prepare(f);
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwComments"));
    const Comments& rules = f.languages.Item(1).Comments();
    list->setCurrentItem(list->topLevelItem(0));

    auto no = AnswerNextMessageBox(QMessageBox::No);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmDelete")), Qt::LeftButton);
    QVERIFY(no->shown);
    QCOMPARE(no->text, QStringLiteral("「//」を削除しますか？"));
    QCOMPARE(no->title, QStringLiteral("Brevlin Glosser"));
    QCOMPARE(rules.Count(), 2);

    auto yes = AnswerNextMessageBox(QMessageBox::Yes);
    list->setFocus();
    Press(Qt::Key_Delete);
    QVERIFY(yes->shown);
    QCOMPARE(rules.Count(), 1);
    QCOMPARE(ToQString(rules.Item(1).ClauseStart()), QStringLiteral("\""));
    QCOMPARE(rules.Item(1).Index(), 1);
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(Row(list, 0), Fields(rules.Item(1)));

    // With nothing selected, nothing is asked and nothing changes.
    list->clearSelection();
    auto unexpected = AnswerNextMessageBox(QMessageBox::Yes);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmDelete")), Qt::LeftButton);
    QVERIFY(!unexpected->shown);
    QCOMPARE(rules.Count(), 1);
    QVERIFY(!f.Find<QPushButton>(QStringLiteral("cmdCmDelete"))->isEnabled());
}

void CommentRulesTest::enterEditsWhileTheListHasTheFocus() {
    OptionsFixture f;
    Prepare(f);
    auto* list = f.Find<QTreeWidget>(QStringLiteral("lvwComments"));
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    Press(Qt::Key_Return);
    QCOMPARE(f.unloadCount, 0);
    QVERIFY(Editor(f) != nullptr);
    QCOMPARE(Editor(f)->txtStartTag()->text(), QStringLiteral("\""));
    QVERIFY(!Editor(f)->AddMode());
    Editor(f)->close();
    QTRY_VERIFY(Editor(f) == nullptr);

    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    list->setFocus();
    Press(Qt::Key_Escape);
    QCOMPARE(f.unloadCount, 0);
    Press(Qt::Key_Insert);
    QVERIFY(Editor(f) != nullptr);
    QVERIFY(Editor(f)->AddMode());
    Editor(f)->close();
    QTRY_VERIFY(Editor(f) == nullptr);
}

void CommentRulesTest::closingTheDialogDiscardsAnOpenEditor() {
    OptionsFixture f;
    Prepare(f);
    QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("cmdCmAdd")), Qt::LeftButton);
    QPointer<frmEditComment> editor = Editor(f);
    QVERIFY(editor);
    editor->txtStartTag()->setText(QStringLiteral("#"));
    f.form->close(); // the owner's close box, or the session ending
    QCOMPARE(f.unloadCount, 1);
    QVERIFY(f.unloadCanceled);
    QVERIFY(!editor || !editor->isVisible());
    QCOMPARE(f.languages.Item(1).Comments().Count(), 2);
}

QTEST_MAIN(CommentRulesTest)
#include "CommentRulesTest.moc"
