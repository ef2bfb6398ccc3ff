// The preview of the language page: the sample converted with the language as it stands,
// with its tags applied or as source, following every kind of edit, kept per language, and
// converted once a burst of typing pauses rather than on every key.
#include "ui/options/LanguagePreview.h"
#include "tests/ui/options/UiTestSupport.h"
#include "ui/options/modOptions.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextFrame>
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

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
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
        // On a dark desktop, the paste's look still: its colours are for a light page, so
        // the code is shown on white, never dark colours on the dark palette.
        QPalette dark = view->palette();
        dark.setColor(QPalette::Base, Qt::black);
        dark.setColor(QPalette::Text, Qt::white);
        view->setPalette(dark);
        sample->appendPlainText(QStringLiteral("x"));
        QTRY_VERIFY(view->toPlainText().endsWith(QStringLiteral("\nx")));
        QCOMPARE(ColourOf(view, QStringLiteral("int")), QColor(0x00, 0x33, 0xb3));
        QCOMPARE(view->document()->rootFrame()->frameFormat().background().color(),
                 QColor(Qt::white));
        QImage shown(view->viewport()->size(), QImage::Format_RGB32);
        view->viewport()->render(&shown);
        QCOMPARE(shown.pixelColor(shown.width() - 2, shown.height() - 2), QColor(Qt::white));
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

    // The preview shows the code as a rich paste does: with the paste style sheet chosen on
    // the general page, or the bundled one where none is, or the chosen one cannot be read.
    void ThePreviewFollowsThePasteStyleSheetChosen() {
        QTemporaryDir folder;
        const QString mine = folder.filePath(QStringLiteral("mine.css"));
        const QString broken = folder.filePath(QStringLiteral("broken.css"));
        WriteFile(mine, ".kw { color: rgb(18, 52, 86) }");
        WriteFile(broken, ".kw { color: red");
        OptionsFixture f;
        f.choosePasteStyleSheet = true;
        const Text& chosen = f.switches.PasteStyleSheet;
        Language& c = AddLanguage(f.languages, QStringLiteral("C"));
        c.SetStartTag(u"<span class=\"kw\">");
        c.SetEndTag(u"</span>");
        c.SetPreviewSample(u"int x;");
        QVERIFY(f.Open());
        auto* box = f.Find<QLineEdit>(QStringLiteral("txtPasteStyleSheet"));
        auto* choose = f.Find<QPushButton>(QStringLiteral("cmdPasteStyleSheet"));
        auto* reset = f.Find<QPushButton>(QStringLiteral("cmdPasteStyleSheetReset"));
        QVERIFY(box->isVisible());
        QVERIFY(box->text().isEmpty());
        QVERIFY(!reset->isEnabled());

        // A file that is no style sheet is refused when chosen, saying why.
        auto dialog = AnswerNextFileDialog(broken);
        auto refusal = AnswerNextMessageBox(QMessageBox::Ok);
        choose->click();
        QVERIFY(dialog->shown);
        QVERIFY(refusal->shown);
        QVERIFY(refusal->text.startsWith(QStringLiteral("スタイルシートとして読めません: ")));
        QCOMPARE(refusal->informative, QStringLiteral("1 行目: 「{」を閉じる「}」がありません"));
        QVERIFY(chosen.empty());

        dialog = AnswerNextFileDialog(mine);
        choose->click();
        QVERIFY(dialog->shown);
        QCOMPARE(ToQString(chosen), mine);
        QCOMPARE(box->text(), QDir::toNativeSeparators(mine));
        QVERIFY(reset->isEnabled());
        f.ClickTab(1);
        auto* view = f.Find<QTextBrowser>(QStringLiteral("txtPreview"));
        QTRY_COMPARE(ColourOf(view, QStringLiteral("int")), QColor(0x12, 0x34, 0x56));

        // Gone by the next opening: the page says so and the bundled colours stand in.
        QVERIFY(QFile::remove(mine));
        QVERIFY(f.Open());
        auto* state = f.Find<QLabel>(QStringLiteral("lblPasteStyleSheetState"));
        QVERIFY(state->isVisible());
        QVERIFY(state->text().startsWith(QStringLiteral("スタイルシートを読めません: ")));
        f.ClickTab(1);
        view = f.Find<QTextBrowser>(QStringLiteral("txtPreview"));
        QTRY_COMPARE(ColourOf(view, QStringLiteral("int")), QColor(0x00, 0x33, 0xb3));
        f.ClickTab(0);
        f.Find<QPushButton>(QStringLiteral("cmdPasteStyleSheetReset"))->click();
        QVERIFY(chosen.empty());
        QVERIFY(!state->isVisible());
        QVERIFY(f.Find<QLineEdit>(QStringLiteral("txtPasteStyleSheet"))->text().isEmpty());
    }
};

QTEST_MAIN(LanguagePreviewTest)
#include "LanguagePreviewTest.moc"
