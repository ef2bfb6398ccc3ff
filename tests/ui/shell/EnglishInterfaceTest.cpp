// The tray program in English, as everyone outside Japan sees it: every window and menu shows
// no Japanese but the user's own data, and no two controls shown together share an access key.
#include "tests/ui/options/UiTestSupport.h"
#include "ui/common/AppFolders.h"
#include "ui/common/HelpLocation.h"
#include "ui/common/InterfaceLanguage.h"
#include "ui/options/frmEditComment.h"
#include "ui/options/frmOptions.h"
#include "ui/shell/HelpWindows.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/frmHelp.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/tray/ctlNotify.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <map>
#include <memory>

using namespace brevlin;
using namespace brevlin::shell;

namespace {

// The user's own data, which stays as the user wrote it.
const QString UserLanguage = QStringLiteral("日本語テスト");

bool IsJapanese(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) ||
           (u >= 0xFF00 && u <= 0xFFEF);
}

// The texts of `text` that are Japanese once the user's data is taken out.
QString JapaneseIn(QString text) {
    text.remove(UserLanguage);
    for (const QChar c : text) {
        if (IsJapanese(c))
            return text;
    }
    return {};
}

// Every text a user can see or hear on `widget` and the widgets in it.
QStringList TextsOf(QWidget* widget) {
    QStringList texts;
    QList<QWidget*> widgets = widget->findChildren<QWidget*>();
    widgets.prepend(widget);
    for (QWidget* w : widgets) {
        texts << w->windowTitle() << w->toolTip() << w->whatsThis() << w->accessibleName()
              << w->accessibleDescription();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        if (auto* box = qobject_cast<QGroupBox*>(w))
            texts << box->title();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            texts << edit->placeholderText();
        if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
            texts << edit->placeholderText();
        if (auto* edit = qobject_cast<QTextEdit*>(w))
            texts << edit->placeholderText();
        if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
        if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            for (int i = 0; i < tree->columnCount(); ++i)
                texts << tree->headerItem()->text(i);
        }
        if (auto* browser = qobject_cast<QTextBrowser*>(w))
            texts << browser->toPlainText() << browser->documentTitle();
        if (auto* box = qobject_cast<QMessageBox*>(w))
            texts << box->text() << box->informativeText();
        for (QAction* action : w->actions())
            texts << action->text() << action->toolTip() << action->whatsThis();
    }
    return texts;
}

// The access key of a caption: the character after a single '&'.
QChar AccessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
        ++i;
    }
    return {};
}

// The captions that share an access key, as "key: caption, caption".
QStringList SharedAccessKeys(const QStringList& captions) {
    std::map<QChar, QStringList> byKey;
    for (const QString& caption : captions) {
        if (const QChar key = AccessKey(caption); !key.isNull())
            byKey[key] << caption;
    }
    QStringList shared;
    for (const auto& [key, list] : byKey) {
        if (list.size() > 1)
            shared << QString(key) + QStringLiteral(": ") + list.join(QStringLiteral(", "));
    }
    return shared;
}

// The controls shown in `window` at once that share an access key.
QStringList SharedAccessKeys(QWidget* window) {
    QStringList captions;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w))
            captions << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            captions << button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            captions << box->title();
    }
    return SharedAccessKeys(captions);
}

QStringList SharedAccessKeys(QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions()) {
        if (action->isVisible())
            captions << action->text();
    }
    return SharedAccessKeys(captions);
}

} // namespace

class EnglishInterfaceTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir settingsFolder;
    std::unique_ptr<frmMain> form;

    // Fails on the first Japanese text in what `widget` shows.
    static void CheckEnglish(QWidget* widget, const char* where) {
        for (const QString& text : TextsOf(widget)) {
            const QString japanese = JapaneseIn(text);
            QVERIFY2(japanese.isEmpty(),
                     qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(where), japanese)));
        }
    }
    static void CheckAccessKeys(QWidget* window, const char* where) {
        const QStringList shared = SharedAccessKeys(window);
        QVERIFY2(shared.isEmpty(), qPrintable(QLatin1String(where) + QStringLiteral(": ") +
                                              shared.join(QStringLiteral("; "))));
    }
    static QWidget* VisibleWindow(const char* className) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->inherits(className))
                return widget;
        }
        return nullptr;
    }
    Language& AddLanguage(const QString& name) {
        Language& language = form->AllLanguages().Add(name.toStdU16String());
        language.SetStartTag(u"<b>");
        language.SetEndTag(u"</b>");
        language.Keywords().Add(u"int");
        Comment& rule = language.Comments().Add();
        rule.SetClauseStart(u"//");
        rule.SetStartTag(u"<i>");
        rule.SetEndTag(u"</i>");
        return language;
    }

private slots:
    void initTestCase() {
        QVERIFY(settingsFolder.isValid());
        qputenv("BREVLIN_SETTINGS",
                QFile::encodeName(settingsFolder.filePath(QStringLiteral("settings.reg"))));
        qputenv("BREVLIN_UI_LANGUAGE", "en");
        const QString program = QStringLiteral(BREVLIN_BINARY_DIR);
        QCOMPARE(InterfaceLanguage::Install(program), QStringLiteral("en"));
        HelpLocation::SetProgramHelpFile(AppFolders::HelpFileSetting(program));
    }
    void init() { form = std::make_unique<frmMain>(); }
    void cleanup() {
        HelpWindows::CloseAll();
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void TrayMenusAndTooltip() {
        auto* left = form->findChild<QMenu*>(QStringLiteral("mnuLeftClick"));
        auto* right = form->findChild<QMenu*>(QStringLiteral("mnuRightClick"));
        // No language yet: the placeholder and the tooltip say so in English.
        QCOMPARE(left->actions().front()->text(), QStringLiteral("(No languages)"));
        QVERIFY(JapaneseIn(form->NotifyIcon().TipText()).isEmpty());
        CheckEnglish(left, "language menu");
        CheckEnglish(right, "command menu");
        QCOMPARE(right->actions().front()->text(), QStringLiteral("&Options..."));
        QVERIFY2(SharedAccessKeys(right).isEmpty(),
                 qPrintable(SharedAccessKeys(right).join(QStringLiteral("; "))));

        AddLanguage(QStringLiteral("C"));
        AddLanguage(UserLanguage);
        form->RebuildLanguageMenu();
        CheckEnglish(left, "language menu with languages");
        QCOMPARE(form->NotifyIcon().TipText(), QStringLiteral("Brevlin Glosser"));
    }

    // The libraries' messages, which the start-up shows when the settings cannot be read.
    void SettingsErrorsFromTheLibraries() {
        form.reset();
        QFile file(QString::fromLocal8Bit(qgetenv("BREVLIN_SETTINGS")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Windows Registry Editor Version 5.00\n\n\"Keywords\"=\"x\"\n");
        file.close();
        QString message;
        try {
            frmMain broken;
        } catch (const std::exception& error) {
            message = QString::fromUtf8(error.what());
        }
        QFile::remove(file.fileName());
        QVERIFY2(message.startsWith(QStringLiteral("Cannot make sense of the settings file: ")),
                 qPrintable(message));
        QVERIFY2(message.endsWith(QStringLiteral(": a value before any key line")),
                 qPrintable(message));
        QVERIFY(JapaneseIn(message).isEmpty());
    }

    void AboutBox() {
        form->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
        QVERIFY(form->AboutForm() != nullptr);
        QCOMPARE(form->AboutForm()->windowTitle(), QStringLiteral("About Brevlin Glosser"));
        CheckEnglish(form->AboutForm(), "about box");
        form->AboutForm()->close();
    }

    // Every page of the manual the help window opens.
    void HelpWindowAndManual() {
        form->findChild<QAction*>(QStringLiteral("mnuHelp"))->trigger();
        frmHelp* help = HelpWindows::Window();
        QVERIFY(help != nullptr);
        QVERIFY2(help->Browser()->source().path().endsWith(QStringLiteral("/help/en/index.html")),
                 qPrintable(help->Browser()->source().toString()));
        CheckAccessKeys(help, "help window");
        const QDir pages(QFileInfo(help->Browser()->source().toLocalFile()).absolutePath());
        const QStringList names = pages.entryList({QStringLiteral("*.html")}, QDir::Files);
        QVERIFY(names.size() >= 7);
        for (const QString& name : names) {
            help->Browser()->setSource(QUrl::fromLocalFile(pages.filePath(name)));
            CheckEnglish(help, qPrintable(name));
        }
    }

    // Each page, the lists' pop-up menus, the rule editor, a question and the file dialogs.
    void OptionsDialog() {
        AddLanguage(QStringLiteral("C"));
        AddLanguage(UserLanguage);
        form->ShowOptionsDialog();
        frmOptions* dialog = form->OptionForm();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Options - Brevlin Glosser"));
        auto* tabs = dialog->findChild<QTabBar*>(QStringLiteral("tbsOptions"));
        for (int i = 0; i < tabs->count(); ++i) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
            const QByteArray page = "options page " + QByteArray::number(i);
            CheckEnglish(dialog, page);
            CheckAccessKeys(dialog, page);
        }
        for (const char* name : {"mnuKwPopup", "mnuCmPopup"}) {
            auto* menu = dialog->findChild<QMenu*>(QLatin1String(name));
            CheckEnglish(menu, name);
            QVERIFY2(SharedAccessKeys(menu).isEmpty(), name);
        }

        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        dialog->findChild<QTreeWidget*>(QStringLiteral("lvwComments"))
            ->setCurrentItem(
                dialog->findChild<QTreeWidget*>(QStringLiteral("lvwComments"))->topLevelItem(0));
        dialog->findChild<QPushButton*>(QStringLiteral("cmdCmEdit"))->click();
        auto* editor = dialog->findChild<frmEditComment*>(QStringLiteral("frmEditComment"));
        QVERIFY(editor != nullptr && QTest::qWaitForWindowExposed(editor));
        QCOMPARE(editor->windowTitle(), QStringLiteral("Comment/Literal Rule"));
        CheckEnglish(editor, "rule editor");
        CheckAccessKeys(editor, "rule editor");
        editor->reject();

        auto question = test::AnswerNextMessageBox(QMessageBox::No);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdDelete"))->click();
        QVERIFY(question->shown);
        QCOMPARE(question->text, QStringLiteral("Delete the language \"C\"?"));
        for (const char* button : {"cmdImport", "cmdExport", "cmdPasteStyleSheet"}) {
            if (QLatin1String(button) == QLatin1String("cmdPasteStyleSheet"))
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
            auto seen = test::AnswerNextFileDialog(QString());
            dialog->findChild<QPushButton*>(QLatin1String(button))->click();
            QVERIFY2(seen->shown, button);
            QVERIFY2(JapaneseIn(seen->title + seen->filters.join(u' ')).isEmpty(),
                     qPrintable(seen->title + seen->filters.join(u' ')));
        }
        dialog->reject();
    }
};

QTEST_MAIN(EnglishInterfaceTest)
#include "EnglishInterfaceTest.moc"
