// Context help of the options dialog and the rule editor: every control with a help ID shows
// its pop-up text, Shift+F1 picks the control under the pointer, "?" starts the "?" mode.
#include "ContextHelp.h"
#include "UiTestSupport.h"
#include "frmEditComment.h"
#include "modOptions.h"
#include "settings/AppFolders.h"
#include "settings/HelpLocation.h"
#include "settings/HelpPopups.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
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
        // 28 controls and labels in the dialog, markup in the texts shown literally.
        QCOMPARE(CheckTexts(f.form.get(), popups), 28);
        QVERIFY(f.Find<QLineEdit>(QStringLiteral("txtStartHTML"))
                    ->whatsThis()
                    .contains(QStringLiteral("&lt;span class=&quot;kw&quot;&gt;")));

        frmEditComment editor(f.form.get());
        QCOMPARE(CheckTexts(&editor, popups), 11);
        QVERIFY(editor.findChild<QToolButton*>(QStringLiteral("cmdWhatsThis")) != nullptr);
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
