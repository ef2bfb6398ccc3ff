// Context help of the options dialog and the rule editor: every control with a help ID shows
// its pop-up text, Shift+F1 picks the control under the pointer, "?" starts the "?" mode.
#include "ui/options/ContextHelp.h"
#include "tests/ui/options/UiTestSupport.h"
#include "ui/common/AppFolders.h"
#include "ui/common/HelpLocation.h"
#include "ui/options/HelpPopups.h"
#include "ui/options/frmEditComment.h"
#include "ui/options/modOptions.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QWhatsThis>

using namespace brevlin;
using namespace brevlin::test;

namespace {

QString ExpectedText(const QString& popup) {
    return QStringLiteral("<p>") + popup.toHtmlEscaped() + QStringLiteral("</p>");
}

// Each control with a help ID carries exactly its pop-up text; returns how many there are.
int CheckTexts(QWidget* dialog, const HelpPopups& popups) {
    int count = 0;
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        const int id = HelpContextID(control);
        if (id == 0)
            continue;
        ++count;
        const QString text = popups.Text(id);
        if (text.isEmpty())
            qWarning() << "no pop-up text for" << id;
        if (control->whatsThis() != ExpectedText(text))
            qWarning() << control->objectName() << control->whatsThis();
        if (text.isEmpty() || control->whatsThis() != ExpectedText(text))
            return -1;
    }
    return count;
}

// The help ID of each control that has one, by object name.
QMap<QString, int> HelpIds(QWidget* dialog) {
    QMap<QString, int> ids;
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        if (HelpContextID(control) != 0)
            ids.insert(control->objectName(), HelpContextID(control));
    }
    return ids;
}

QWidget* OpenPopup() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->inherits("QWhatsThat"))
            return widget;
    }
    return nullptr;
}

} // namespace

class ContextHelpTest : public QObject {
    Q_OBJECT

    HelpPopups popups;

private slots:
    void initTestCase() {
        HelpLocation::SetProgramHelpFile(
            AppFolders::HelpFileSetting(QStringLiteral(BREVLIN_BINARY_DIR)));
        popups = HelpPopups(HelpLocation(HelpLocation::ProgramHelpFile()).PopupFile());
        QVERIFY(popups.Count() >= 27);
    }

    void cleanup() {
        if (QWhatsThis::inWhatsThisMode())
            QWhatsThis::leaveWhatsThisMode();
        QWhatsThis::hideText();
    }

    void EveryControlOfBothDialogsHasItsText() {
        OptionsFixture f;
        AddLanguage(f.languages, QStringLiteral("C"));
        QVERIFY(f.Open());
        // 37 controls and labels in the dialog, markup in the texts shown literally.
        QCOMPARE(CheckTexts(f.form.get(), popups), 37);
        QVERIFY(f.Find<QLineEdit>(QStringLiteral("txtStartHTML"))
                    ->whatsThis()
                    .contains(QStringLiteral("&lt;span class=&quot;kw&quot;&gt;")));

        frmEditComment editor(f.form.get());
        QCOMPARE(CheckTexts(&editor, popups), 11);
        QVERIFY(editor.findChild<QToolButton*>(QStringLiteral("cmdWhatsThis")) != nullptr);
    }

    // Each control carries the ID of its own pop-up text; a label shares its field's ID, and
    // the escape character, the tab strip and the frames have none.
    void EveryControlHasItsOwnHelpId() {
        OptionsFixture f;
        QVERIFY(f.Open());
        const QMap<QString, int> options{{QStringLiteral("cmdOK"), 1000},
                                         {QStringLiteral("cmdCancel"), 1001},
                                         {QStringLiteral("cmdNew"), 1003},
                                         {QStringLiteral("cmdDelete"), 1004},
                                         {QStringLiteral("cmdImport"), 1005},
                                         {QStringLiteral("cmdExport"), 1006},
                                         {QStringLiteral("lblPreviewSample"), 1031},
                                         {QStringLiteral("txtPreviewSample"), 1031},
                                         {QStringLiteral("chkPreviewSource"), 1032},
                                         {QStringLiteral("txtPreview"), 1033},
                                         {QStringLiteral("chkBeepOnProcess"), 1008},
                                         {QStringLiteral("chkOptimizeTags"), 1009},
                                         {QStringLiteral("chkHtmlClipboard"), 1030},
                                         {QStringLiteral("lblPasteStyleSheet"), 1034},
                                         {QStringLiteral("txtPasteStyleSheet"), 1034},
                                         {QStringLiteral("cmdPasteStyleSheet"), 1034},
                                         {QStringLiteral("cmdPasteStyleSheetReset"), 1034},
                                         {QStringLiteral("lblCaption1"), 1010},
                                         {QStringLiteral("txtName"), 1010},
                                         {QStringLiteral("lblCaption2"), 1011},
                                         {QStringLiteral("txtStartHTML"), 1011},
                                         {QStringLiteral("lblCaption3"), 1012},
                                         {QStringLiteral("txtEndHTML"), 1012},
                                         {QStringLiteral("chkReplaceTab"), 1013},
                                         {QStringLiteral("txtTabs"), 1014},
                                         {QStringLiteral("updTabs"), 1014},
                                         {QStringLiteral("lblCaption4"), 1014},
                                         {QStringLiteral("chkIgnoreCase"), 1015},
                                         {QStringLiteral("lvwKeywords"), 1016},
                                         {QStringLiteral("cmdKwAdd"), 1017},
                                         {QStringLiteral("cmdKwEdit"), 1018},
                                         {QStringLiteral("cmdKwDelete"), 1019},
                                         {QStringLiteral("lblCaption0"), 1020},
                                         {QStringLiteral("lvwComments"), 1020},
                                         {QStringLiteral("cmdCmAdd"), 1021},
                                         {QStringLiteral("cmdCmEdit"), 1022},
                                         {QStringLiteral("cmdCmDelete"), 1023}};
        QCOMPARE(HelpIds(f.form.get()), options);
        QCOMPARE(f.Find<QLabel>(QStringLiteral("lblCaption1"))->text(),
                 QStringLiteral("設定名(&N)"));
        QCOMPARE(f.Find<QLabel>(QStringLiteral("lblCaption0"))->text(),
                 QStringLiteral("コメント／リテラル(&C)"));

        frmEditComment editor(f.form.get());
        const QMap<QString, int> rule{
            {QStringLiteral("cmdOk"), 1000},        {QStringLiteral("cmdCancel"), 1001},
            {QStringLiteral("lblCaption0"), 1024},  {QStringLiteral("txtStartTag"), 1024},
            {QStringLiteral("chkMatchWord"), 1025}, {QStringLiteral("lblCaption1"), 1027},
            {QStringLiteral("txtEndTag"), 1027},    {QStringLiteral("lblCaption3"), 1028},
            {QStringLiteral("txtStartHTML"), 1028}, {QStringLiteral("lblCaption4"), 1029},
            {QStringLiteral("txtEndHTML"), 1029}};
        QCOMPARE(HelpIds(&editor), rule);
        const QStringList labels{QStringLiteral("開始タグ(&S)"), QStringLiteral("終了タグ(&C)"),
                                 QStringLiteral("タグのエスケープ文字(&E)"),
                                 QStringLiteral("開始HTMLタグ(&H)"),
                                 QStringLiteral("終了HTMLタグ(&T)")};
        for (int i = 0; i < labels.size(); ++i)
            QCOMPARE(editor.findChild<QLabel*>(QStringLiteral("lblCaption%1").arg(i))->text(),
                     labels[i]);
    }

    // Over a control without a help ID Shift+F1 shows nothing, never the focused control's
    // text; over a frame or the dialog's background it shows the focused control's.
    void ShiftF1OverAControlWithoutHelpShowsNoOtherText() {
        OptionsFixture f;
        AddLanguage(f.languages, QStringLiteral("C"));
        QVERIFY(f.Open());
        f.ClickTab(1);
        f.Find<QLineEdit>(QStringLiteral("txtName"))->setFocus();
        QCOMPARE(ContextHelp::TextAt(f.form.get(), f.Find<QWidget>(QStringLiteral("tbsOptions"))),
                 QString());
        QCOMPARE(ContextHelp::TextAt(f.form.get(), f.Find<QWidget>(QStringLiteral("fraKeywords"))),
                 ExpectedText(popups.Text(1010)));

        frmEditComment editor(f.form.get());
        editor.findChild<QLineEdit*>(QStringLiteral("txtStartTag"))->setFocus();
        const QString startText = ExpectedText(popups.Text(1024));
        QCOMPARE(ContextHelp::TextAt(&editor, &editor), startText);
        QCOMPARE(
            ContextHelp::TextAt(&editor, editor.findChild<QWidget*>(QStringLiteral("fraTags"))),
            startText);
        for (const char* none : {"txtEscapeChar", "lblCaption2", "cmdWhatsThis"})
            QCOMPARE(
                ContextHelp::TextAt(&editor, editor.findChild<QWidget*>(QString::fromLatin1(none))),
                QString());
        // Parts of a control have the control's text: the rule list's header.
        auto* comments = f.Find<QTreeWidget>(QStringLiteral("lvwComments"));
        QCOMPARE(ContextHelp::TextAt(f.form.get(), comments->header()),
                 ExpectedText(popups.Text(1020)));
    }

    void QuestionButtonStartsTheQuestionMode() {
        OptionsFixture f;
        QVERIFY(f.Open());
        auto* button = f.Find<QToolButton>(QStringLiteral("cmdWhatsThis"));
        QVERIFY(button != nullptr);
        QVERIFY(button->isVisible());
        QVERIFY(!QWhatsThis::inWhatsThisMode());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(QWhatsThis::inWhatsThisMode());
    }

    void ShiftF1TakesThePointersControlThenTheFocusedOne() {
        OptionsFixture f;
        AddLanguage(f.languages, QStringLiteral("C"));
        QVERIFY(f.Open());
        f.ClickTab(1);
        auto* keywords = f.Find<QWidget>(QStringLiteral("lvwKeywords"));
        auto* name = f.Find<QLineEdit>(QStringLiteral("txtName"));
        QVERIFY(keywords != nullptr && name != nullptr);
        const QString keywordText = ExpectedText(popups.Text(1016));

        // A part of a control (the list's viewport) has the control's text.
        QWidget* viewport = keywords->findChildren<QWidget*>().value(0, keywords);
        QCOMPARE(ContextHelp::TextAt(f.form.get(), viewport), keywordText);
        QCOMPARE(ContextHelp::TextAt(f.form.get(), name), ExpectedText(popups.Text(1010)));
        // Pointer outside the dialog: the focused control's text.
        name->setFocus();
        QCOMPARE(ContextHelp::TextAt(f.form.get(), nullptr), ExpectedText(popups.Text(1010)));
        QWidget elsewhere;
        QCOMPARE(ContextHelp::TextAt(f.form.get(), &elsewhere), ExpectedText(popups.Text(1010)));

        // The key itself shows a pop-up.
        QVERIFY(OpenPopup() == nullptr);
        QTest::keyClick(name, Qt::Key_F1, Qt::ShiftModifier);
        QTRY_VERIFY(OpenPopup() != nullptr);
    }
};

QTEST_MAIN(ContextHelpTest)
#include "ContextHelpTest.moc"
