// The preview of the language page: the sample converted with the language as it stands,
// with its tags applied or as source, following every kind of edit, kept per language, and
// converted once a burst of typing pauses rather than on every key.
#include "LanguagePreview.h"
#include "UiTestSupport.h"
#include "modOptions.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace brevlin;
using namespace brevlin::test;

namespace {

// The text colour where `word` first appears in the shown document.
QColor ColourOf(QTextBrowser* view, const QString& word) {
    const QTextDocument* document = view->document();
    const int at = document->toPlainText().indexOf(word);
    if (at < 0)
        return {};
    QTextCursor cursor(const_cast<QTextDocument*>(document));
    cursor.setPosition(at + 1);
    return cursor.charFormat().foreground().color();
}

} // namespace

class LanguagePreviewTest : public QObject {
    Q_OBJECT

private slots:
    void TheSampleShowsConvertedAndFollowsEveryEdit() {
        OptionsFixture f;
        Language& c = AddLanguage(f.languages, QStringLiteral("C"));
        c.SetStartTag(u"<span class=\"kw\">");
        c.SetEndTag(u"</span>");
        c.Comments().Item(1).SetStartTag(u"<span class=\"cm\">");
        c.Comments().Item(1).SetEndTag(u"</span>");
        c.SetPreviewSample(u"int x; // note\r\nif (y) \"s\"");
        AddLanguage(f.languages, QStringLiteral("Other"));
        QVERIFY(f.Open());
        f.ClickTab(1);
        auto* view = f.Find<QTextBrowser>(QStringLiteral("txtPreview"));
        auto* sample = f.Find<QPlainTextEdit>(QStringLiteral("txtPreviewSample"));
        QCOMPARE(sample->toPlainText(), QStringLiteral("int x; // note\nif (y) \"s\""));
        // Rendered with the bundled style sheet's colours.
        QTRY_COMPARE(view->toPlainText(), QStringLiteral("int x; // note\nif (y) \"s\""));
        QCOMPARE(ColourOf(view, QStringLiteral("int")), QColor(0x00, 0x33, 0xb3));
        QCOMPARE(ColourOf(view, QStringLiteral("note")), QColor(0x5f, 0x7a, 0x5f));
        // On a dark desktop, the sheet's dark scheme: light colours on a dark block.
        QPalette dark = view->palette();
        dark.setColor(QPalette::Base, Qt::black);
        dark.setColor(QPalette::Text, Qt::white);
        view->setPalette(dark);
        sample->appendPlainText(QStringLiteral("x"));
        QTRY_COMPARE(ColourOf(view, QStringLiteral("int")), QColor(0x7a, 0xa2, 0xf7));
        QCOMPARE(ColourOf(view, QStringLiteral("note")), QColor(0x8a, 0x9a, 0x8a));
        QCOMPARE(view->document()->begin().blockFormat().background().color(),
                 QColor(0x1e, 0x21, 0x27));
        sample->undo();

        // The source, then each kind of edit.
        f.Find<QCheckBox>(QStringLiteral("chkPreviewSource"))->setChecked(true);
        QTRY_COMPARE(view->toPlainText(), QStringLiteral("<span class=\"kw\">int</span> x; "
                                                         "<span class=\"cm\">// note</span>\n"
                                                         "<span class=\"kw\">if</span> (y) "
                                                         "<s>&quot;s&quot;</s>"));
        f.Find<QLineEdit>(QStringLiteral("txtStartHTML"))->setText(QStringLiteral("<k>"));
        QTRY_VERIFY(view->toPlainText().startsWith(QStringLiteral("<k>int</span>")));
        auto* rules = f.Find<QTreeWidget>(QStringLiteral("lvwComments"));
        rules->setCurrentItem(rules->topLevelItem(1));
        auto ruleQuestion = AnswerNextMessageBox(QMessageBox::Yes);
        f.Find<QPushButton>(QStringLiteral("cmdCmDelete"))->click();
        QVERIFY(ruleQuestion->shown);
        QTRY_VERIFY(view->toPlainText().endsWith(QStringLiteral("(y) &quot;s&quot;")));
        auto* keywords = f.Find<QTreeWidget>(QStringLiteral("lvwKeywords"));
        keywords->setCurrentItem(keywords->topLevelItem(1)); // "if"
        auto keywordQuestion = AnswerNextMessageBox(QMessageBox::Yes);
        f.Find<QPushButton>(QStringLiteral("cmdKwDelete"))->click();
        QVERIFY(keywordQuestion->shown);
        QTRY_VERIFY(view->toPlainText().contains(QStringLiteral("\nif (y)")));

        // The sample belongs to its language: typed into one, the other keeps its own.
        sample->setPlainText(QStringLiteral("else"));
        QTRY_COMPARE(view->toPlainText(), QStringLiteral("<k>else</span>"));
        QCOMPARE(c.PreviewSample(), u"else");
        f.ClickTab(2);
        QCOMPARE(sample->toPlainText(), QString());
        QTRY_COMPARE(view->toPlainText(), QString());
        f.ClickTab(1);
        QCOMPARE(sample->toPlainText(), QStringLiteral("else"));
    }

    void TypingIntoABigSampleConvertsWhenTheTypingPauses() {
        OptionsFixture f;
        Language& c = AddLanguage(f.languages, QStringLiteral("C"));
        Text big;
        while (big.size() < 100 * 1024)
            big += u"int value = compute(); // a comment with \"quotes\"\r\n";
        c.SetPreviewSample(big);
        QVERIFY(f.Open());
        f.ClickTab(1);
        auto* preview = f.form->findChild<LanguagePreview*>();
        QVERIFY(preview != nullptr);
        auto* view = f.Find<QTextBrowser>(QStringLiteral("txtPreview"));
        QTRY_VERIFY_WITH_TIMEOUT(!view->toPlainText().isEmpty(), 20000);
        const int before = preview->ConversionsStarted();

        auto* sample = f.Find<QPlainTextEdit>(QStringLiteral("txtPreviewSample"));
        sample->setFocus();
        sample->moveCursor(QTextCursor::End);
        // Faster than the pause: no conversion starts in between.
        for (const QChar key : QStringLiteral("else if")) {
            QTest::keyClick(sample, key.toLatin1());
            QTest::qWait(LanguagePreview::PauseMs / 5);
        }
        QCOMPARE(preview->ConversionsStarted(), before);
        QTRY_VERIFY_WITH_TIMEOUT(view->toPlainText().endsWith(QStringLiteral("else if")), 20000);
        QVERIFY(preview->ConversionsStarted() <= before + 2);
        QVERIFY(ToQString(c.PreviewSample()).endsWith(QStringLiteral("else if")));
    }
};

QTEST_MAIN(LanguagePreviewTest)
#include "LanguagePreviewTest.moc"
