#include "ui/shell/frmMain.h"
#include "engine/Highlighter.h"
#include "settings/SettingsLayout.h"
#include "settings/clsRegistry.h"
#include "ui/common/AppFolders.h"
#include "ui/common/HelpLocation.h"
#include "ui/common/modCommon.h"
#include "ui/options/frmOptions.h"
#include "ui/shell/HelpWindows.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/frmHelp.h"
#include "ui/shell/tray/ctlNotify.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <memory>
#include <vector>

using namespace brevlin;
using namespace brevlin::shell;

class frmMainTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir settingsFolder;
    QString settingsFile;
    std::unique_ptr<frmMain> form;

    QMenu* Menu(const char* name) { return form->findChild<QMenu*>(QString::fromLatin1(name)); }
    QAction* Action(const char* name) {
        return form->findChild<QAction*>(QString::fromLatin1(name));
    }
    QStringList Captions(QMenu* menu) {
        QStringList captions;
        for (QAction* action : menu->actions())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return captions;
    }
    Language& AddLanguage(const char16_t* name, const char16_t* startTag) {
        Language& language = form->AllLanguages().Add(name);
        language.SetStartTag(startTag);
        language.SetEndTag(u"</k>");
        language.Keywords().Add(u"int");
        language.Keywords().Add(u"if");
        Comment& rule = language.Comments().Add();
        rule.SetClauseStart(u"//");
        rule.SetStartTag(u"<c>");
        rule.SetEndTag(u"</c>");
        return language;
    }
    void OpenLeftMenu() { emit Menu("mnuLeftClick")->aboutToShow(); }
    void Choose(int index) {
        QSignalSpy finished(form.get(), &frmMain::ProcessFinished);
        form->LanguageMenu().Item(index + 1)->trigger();
        QVERIFY(finished.wait(10000));
    }
    QMessageBox* OpenMessageBox() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
                return box;
        }
        return nullptr;
    }

private slots:
    void initTestCase() {
        QVERIFY(settingsFolder.isValid());
        settingsFile = settingsFolder.filePath(QStringLiteral("settings.reg"));
        qputenv("BREVLIN_SETTINGS", QFile::encodeName(settingsFile));
    }

    void init() {
        QFile::remove(settingsFile);
        QGuiApplication::clipboard()->clear();
        form = std::make_unique<frmMain>();
    }
    void cleanup() {
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void LoadingShowsTheIconAndBuildsBothMenus() {
        ctlNotify& icon = form->NotifyIcon();
        QCOMPARE(icon.IconID(), 1);
        // No language yet: the tooltip says how to get one.
        QCOMPARE(icon.TipText(),
                 QStringLiteral("Brevlin Glosser - 言語がありません (オプションでインポート)"));
        QVERIFY(icon.Shown());
        QVERIFY(icon.Enabled());

        QCOMPARE(
            Captions(Menu("mnuRightClick")),
            (QStringList{QStringLiteral("オプション(&O)...."), QStringLiteral("変換を元に戻す(&U)"),
                         QStringLiteral("-"), QStringLiteral("ヘルプ(&H)"),
                         QStringLiteral("Brevlin Glosserについて(&A)..."), QStringLiteral("-"),
                         QStringLiteral("閉じる(&X)")}));
        QCOMPARE(Menu("mnuRightClick")->defaultAction(), Action("mnuOption"));
        QVERIFY(Menu("mnuLeftClick")->defaultAction() == nullptr);
        QCOMPARE(Captions(Menu("mnuLeftClick")), QStringList{QStringLiteral("(設定がありません)")});
        QVERIFY(!Action("mnuProcessKw")->isEnabled());
    }

    void RebuildFollowsTheCollectionAndFallsBackToThePlaceholder() {
        AddLanguage(u"C", u"<k>");
        AddLanguage(u"Basic", u"<k>");
        AddLanguage(u"R&uby", u"<k>");
        form->RebuildLanguageMenu();
        QCOMPARE(
            Captions(Menu("mnuLeftClick")),
            (QStringList{QStringLiteral("C"), QStringLiteral("Basic"), QStringLiteral("R&uby")}));
        QCOMPARE(form->LanguageMenu().Count(), 3);
        QCOMPARE(form->LanguageMenu().Item(1), Action("mnuProcessKw"));
        for (QAction* action : Menu("mnuLeftClick")->actions())
            QVERIFY(action->isEnabled() && !action->isChecked());

        form->AllLanguages().Remove(1);
        form->AllLanguages().Remove(1);
        form->RebuildLanguageMenu();
        QCOMPARE(Captions(Menu("mnuLeftClick")), QStringList{QStringLiteral("R&uby")});
        QVERIFY(Action("mnuProcessKw")->isEnabled());

        QCOMPARE(form->NotifyIcon().TipText(), QStringLiteral("Brevlin Glosser"));

        form->AllLanguages().Clear();
        form->RebuildLanguageMenu();
        QCOMPARE(Captions(Menu("mnuLeftClick")), QStringList{QStringLiteral("(設定がありません)")});
        QVERIFY(form->NotifyIcon().TipText().contains(QStringLiteral("言語がありません")));
        QVERIFY(!Action("mnuProcessKw")->isEnabled());
        QCOMPARE(form->LanguageMenu().Count(), 0);
    }

    void LanguageEntriesAreEnabledExactlyWhileTheClipboardHoldsText() {
        OpenLeftMenu();
        QVERIFY(!Action("mnuProcessKw")->isEnabled()); // placeholder untouched

        AddLanguage(u"C", u"<k>");
        AddLanguage(u"D", u"<k>");
        form->RebuildLanguageMenu();
        OpenLeftMenu();
        QVERIFY(!form->LanguageMenu().Item(1)->isEnabled());
        QVERIFY(!form->LanguageMenu().Item(2)->isEnabled());

        QGuiApplication::clipboard()->setText(QStringLiteral("int x;"));
        OpenLeftMenu();
        QVERIFY(form->LanguageMenu().Item(1)->isEnabled());
        QVERIFY(form->LanguageMenu().Item(2)->isEnabled());

        QGuiApplication::clipboard()->clear();
        OpenLeftMenu();
        QVERIFY(!form->LanguageMenu().Item(2)->isEnabled());
    }

    void ChoosingAnEntryConvertsTheClipboardWithThatLanguage() {
        AddLanguage(u"First", u"<one>");
        AddLanguage(u"Second", u"<two>");
        AddLanguage(u"Third", u"<three>");
        form->Switches.OptimizeTags = true;
        form->RebuildLanguageMenu();

        QGuiApplication::clipboard()->setText(QStringLiteral("int if x & y; // note\nif\n"));
        Choose(1);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("<two>int if</k> x &amp; y; <c>// note</c>\n<two>if</k>\n"));
        QCOMPARE(form->NotifyIcon().IconID(), 1);
        QVERIFY(form->NotifyIcon().Enabled());

        // Applied again, the entity's ampersand is escaped once more.
        Choose(2);
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("&amp;amp;")));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("&lt;two&gt;")));
    }

    void TheHtmlFlavourGoesBesideTheTextWhenSwitchedOnAndIsStored() {
        Language& c = AddLanguage(u"C", u"<span class=\"kw\">");
        c.SetEndTag(u"</span>");
        form->RebuildLanguageMenu();
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("int a<b;"));
        Choose(0);
        QVERIFY(!clipboard->mimeData()->hasHtml());

        // On: the text as before, and beside it the rich flavour with the styles inline.
        form->Switches.HtmlClipboard = true;
        clipboard->setText(QStringLiteral("int a<b;"));
        Choose(0);
        QCOMPARE(clipboard->text(), QStringLiteral("<span class=\"kw\">int</span> a&lt;b;"));
        QVERIFY(clipboard->mimeData()->hasHtml());
        QString html = clipboard->mimeData()->html();
        QVERIFY(html.startsWith(QStringLiteral("<meta charset=\"utf-8\"><pre style=\"")));
        QVERIFY(html.endsWith(QStringLiteral("<span class=\"kw\" style=\"color: #0033b3; "
                                             "font-weight: bold\">int</span> a&lt;b;</pre>")));

        // A sheet of the user's gives its colours; once it cannot be read, the bundled one
        // does, and the conversion goes on.
        const QString sheet = settingsFolder.filePath(QStringLiteral("mine.css"));
        QFile css(sheet);
        QVERIFY(css.open(QIODevice::WriteOnly));
        css.write("span.kw { color: #123456 }");
        css.close();
        form->Switches.PasteStyleSheet = sheet.toStdU16String();
        clipboard->setText(QStringLiteral("int"));
        Choose(0);
        QVERIFY(clipboard->mimeData()->html().contains(
            QStringLiteral("<span class=\"kw\" style=\"color: #123456\">int</span>")));
        QVERIFY(QFile::remove(sheet));
        clipboard->setText(QStringLiteral("int"));
        Choose(0);
        QCOMPARE(clipboard->text(), QStringLiteral("<span class=\"kw\">int</span>"));
        QVERIFY(clipboard->mimeData()->html().contains(QStringLiteral("color: #0033b3")));

        // Stored under values of their own; a store without them reads as off and bundled.
        form->SaveSettings();
        QFile file(settingsFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray stored = file.readAll();
        QVERIFY(stored.contains("\"HtmlClipboard\"=dword:ffffffff"));
        QVERIFY(stored.contains("\"PasteStyleSheet\"="));
        form = std::make_unique<frmMain>();
        QVERIFY(form->Switches.HtmlClipboard);
        QCOMPARE(QString::fromStdU16String(form->Switches.PasteStyleSheet), sheet);
        file.close(); // Windows removes no file that is open
        QVERIFY(QFile::remove(settingsFile));
        form = std::make_unique<frmMain>();
        QVERIFY(!form->Switches.HtmlClipboard);
        QVERIFY(form->Switches.PasteStyleSheet.empty());
    }

    void UndoPutsBackWhatTheLastConversionReplacedWhileItsResultIsThere() {
        AddLanguage(u"C", u"<k>");
        form->RebuildLanguageMenu();
        QClipboard* clipboard = QGuiApplication::clipboard();
        QAction* undo = Action("mnuUndo");
        const auto openRightMenu = [this] { emit Menu("mnuRightClick")->aboutToShow(); };
        openRightMenu();
        QVERIFY(!undo->isEnabled()); // nothing converted yet

        auto* before = new QMimeData;
        before->setText(QStringLiteral("int first;"));
        before->setHtml(QStringLiteral("<b>rich</b>"));
        clipboard->setMimeData(before);
        Choose(0);
        openRightMenu();
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("int first;"));
        QCOMPARE(clipboard->mimeData()->html(), QStringLiteral("<b>rich</b>"));
        openRightMenu();
        QVERIFY(!undo->isEnabled()); // used up

        // Something copied after the conversion: the undo no longer applies.
        Choose(0);
        clipboard->setText(QStringLiteral("copied later"));
        openRightMenu();
        QVERIFY(!undo->isEnabled());
        undo->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("copied later"));
    }

    void ConversionRunsBesideTheEventLoop() {
        AddLanguage(u"C", u"<k>");
        form->RebuildLanguageMenu();
        QString big;
        for (int i = 0; i < 20000; ++i)
            big += QStringLiteral("int x%1; // &\n").arg(i);
        QGuiApplication::clipboard()->setText(big);
        QSignalSpy finished(form.get(), &frmMain::ProcessFinished);
        form->LanguageMenu().Item(1)->trigger();
        // The command returned at once; the tray ignores clicks until the result is in.
        QVERIFY(form->Converting());
        QVERIFY(!form->NotifyIcon().Enabled());
        form->LanguageMenu().Item(1)->trigger(); // a second choice meanwhile is ignored
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.count(), 1);
        const QString result = QGuiApplication::clipboard()->text();
        QVERIFY(result.startsWith(QStringLiteral("<k>int</k> x0; <c>// &amp;</c>\n")));
        QCOMPARE(result.count(u'\n'), 20000);
        QVERIFY(!result.contains(u'\r'));
        QVERIFY(form->NotifyIcon().Enabled());
        QCOMPARE(form->NotifyIcon().IconID(), 1);
    }

    void EmptyClipboardTextConvertsToEmptyText() {
        AddLanguage(u"C", u"<k>");
        form->RebuildLanguageMenu();
        QGuiApplication::clipboard()->setText(QString());
        Choose(0);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
        QVERIFY(OpenMessageBox() == nullptr);
    }

    void FailingConversionReportsAndLeavesTheClipboardAlone() {
        Language& broken = AddLanguage(u"Broken", u"<k>");
        broken.Keywords().Add(u"(");
        form->RebuildLanguageMenu();
        QGuiApplication::clipboard()->setText(QStringLiteral("int x;"));
        Choose(0);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("int x;"));
        QCOMPARE(form->NotifyIcon().IconID(), 1);
        QMessageBox* box = OpenMessageBox();
        QVERIFY(box != nullptr);
        QCOMPARE(box->windowTitle(), QStringLiteral("Brevlin Glosser"));
        QVERIFY(box->text().contains(QStringLiteral("Broken")));
        QVERIFY(!form->NotifyIcon().Enabled());
        box->accept();
        QVERIFY(form->NotifyIcon().Enabled());
    }

    // The busy icon shows from the choice until the result is in. The beep, when asked for,
    // follows every finished conversion, an empty one too, before the usual icon is back;
    // a failed one does not beep.
    void BusyIconAndBeepFrameEachConversion() {
        AddLanguage(u"C", u"<k>");
        AddLanguage(u"Broken", u"<k>").Keywords().Add(u"(");
        form->RebuildLanguageMenu();
        std::vector<int> beeps; // the icon shown at each beep
        SetBeepHandler([&beeps, this] { beeps.push_back(form->NotifyIcon().IconID()); });
        const auto restore = qScopeGuard([] { SetBeepHandler({}); });
        form->Switches.BeepOnProcess = true;
        QGuiApplication::clipboard()->setText(QString());
        QSignalSpy finished(form.get(), &frmMain::ProcessFinished);
        form->LanguageMenu().Item(1)->trigger();
        QCOMPARE(form->NotifyIcon().IconID(), ctlNotify::BusyIconID);
        QVERIFY(finished.wait(10000));
        QCOMPARE(beeps, std::vector<int>{ctlNotify::BusyIconID});
        QCOMPARE(form->NotifyIcon().IconID(), ctlNotify::AppIconID);

        form->Switches.BeepOnProcess = false;
        QGuiApplication::clipboard()->setText(QStringLiteral("int x;"));
        Choose(0);
        QCOMPARE(beeps.size(), std::size_t{1});

        form->Switches.BeepOnProcess = true;
        Choose(1);
        QCOMPARE(beeps.size(), std::size_t{1});
        QCOMPARE(form->NotifyIcon().IconID(), ctlNotify::AppIconID);
        QMessageBox* box = OpenMessageBox();
        QVERIFY(box != nullptr);
        box->accept();
    }

    void OptionsDialogDisablesTheTrayUntilItUnloads() {
        AddLanguage(u"C", u"<k>");
        form->RebuildLanguageMenu();
        QSignalSpy clicks(&form->NotifyIcon(), &ctlNotify::Click);
        Action("mnuOption")->trigger();
        frmOptions* dialog = form->OptionForm();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("オプション - Brevlin Glosser"));
        QVERIFY(!form->NotifyIcon().Enabled());
        form->NotifyIcon().Deliver(NotifyMessage::LButtonDown, 0);
        QVERIFY(form->NotifyIcon().ClickState().LeftState() == NotifyClickState::Idle);

        // A further start while it is open brings the same dialog forward.
        form->LinkExecute(QStringLiteral("Option"));
        QCOMPARE(form->OptionForm(), dialog);
        QCOMPARE(form->findChildren<frmOptions*>().size(), 1);

        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(form->OptionForm() == nullptr);
        QVERIFY(form->NotifyIcon().Enabled());
        // Closed without OK: the stored (empty) set is back.
        QCOMPARE(form->LanguageMenu().Count(), 0);

        form->ShowOptionsDialog();
        form->OptionForm()->accept();
        QVERIFY(form->OptionForm() == nullptr);
        QVERIFY(form->NotifyIcon().Enabled());
        QCOMPARE(clicks.count(), 0);
    }

    void OkSavesEverythingAndAnyOtherCloseReloadsTheStore() {
        AddLanguage(u"Kept", u"<k>");
        form->Switches.BeepOnProcess = true;
        form->ShowOptionsDialog();
        form->OptionForm()->accept();
        QCOMPARE(form->LanguageMenu().Count(), 1);

        AddLanguage(u"Dropped", u"<k>");
        form->Switches.OptimizeTags = true;
        form->RebuildLanguageMenu();
        form->ShowOptionsDialog();
        form->OptionForm()->reject();
        QCOMPARE(form->AllLanguages().Count(), 1);
        QVERIFY(!form->Switches.OptimizeTags);
        QCOMPARE(Captions(Menu("mnuLeftClick")), QStringList{QStringLiteral("Kept")});

        // A new start finds what OK stored.
        form.reset();
        form = std::make_unique<frmMain>();
        QCOMPARE(form->AllLanguages().Count(), 1);
        QCOMPARE(form->AllLanguages().Item(1).Name(), Text(u"Kept"));
        QCOMPARE(form->AllLanguages().Item(1).Comments().Count(), 1);
        QVERIFY(form->Switches.BeepOnProcess);
        QVERIFY(!form->Switches.OptimizeTags);
        QCOMPARE(Captions(Menu("mnuLeftClick")), QStringList{QStringLiteral("Kept")});
    }

    // Another program (`brevlin import`) storing a language meanwhile.
    void StoreFromOutside(const char16_t* name) {
        clsRegistry registry;
        Languages stored;
        bool beep = false, optimize = false;
        SettingsLayout::LoadSettings(registry, stored, beep, optimize);
        stored.Add(name).Keywords().Add(u"int");
        SettingsLayout::SaveSettings(registry, stored, beep, optimize);
    }

    void WhatOthersStoreIsReadWhileNoDialogIsOpenAndNothingUnsavedIsLost() {
        StoreFromOutside(u"Added");
        QTRY_COMPARE(Captions(Menu("mnuLeftClick")), QStringList{QStringLiteral("Added")});
        QCOMPARE(form->NotifyIcon().TipText(), QStringLiteral("Brevlin Glosser"));

        // The dialog's languages are the user's until it closes; Cancel then reads the store.
        form->ShowOptionsDialog();
        StoreFromOutside(u"Later");
        QTest::qWait(1500);
        QCOMPARE(form->AllLanguages().Count(), 1);
        form->OptionForm()->reject();
        QCOMPARE(Captions(Menu("mnuLeftClick")),
                 (QStringList{QStringLiteral("Added"), QStringLiteral("Later")}));

        // An OK whose save failed leaves the edits in memory only: a later change of the
        // store adds to them and drops none.
        const QString lock = settingsFile + QStringLiteral(".lock");
        QFile::remove(lock);
        QVERIFY(QDir().mkpath(lock)); // no writer can lock the store now
        form->ShowOptionsDialog();
        AddLanguage(u"Unsaved", u"<k>");
        auto* dialog = form->OptionForm();
        QTimer::singleShot(0, [this] {
            if (QMessageBox* box = OpenMessageBox())
                box->accept();
        });
        dialog->accept();
        QTRY_VERIFY(OpenMessageBox() == nullptr);
        QVERIFY(QDir().rmdir(lock));
        StoreFromOutside(u"Third");
        QTRY_COMPARE(Captions(Menu("mnuLeftClick")),
                     (QStringList{QStringLiteral("Added"), QStringLiteral("Later"),
                                  QStringLiteral("Unsaved"), QStringLiteral("Third")}));
    }

    void UnreadableSettingsStopTheLoadAndStayOnDisk() {
        form.reset();
        QFile file(settingsFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray damaged = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\"
                                   "Software\\Morvane\\Brevlin]\n\"LangCount\"=dword:zz\n";
        file.write(damaged);
        file.close();
        bool failed = false;
        try {
            frmMain broken;
        } catch (const std::exception&) {
            failed = true;
        }
        QVERIFY(failed);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), damaged);
    }

    void OnlyTheExactOptionCommandOpensTheDialog() {
        form->LinkExecute(QStringLiteral("option"));
        form->LinkExecute(QStringLiteral("Option "));
        form->LinkExecute(QStringLiteral("Exit"));
        QVERIFY(form->OptionForm() == nullptr);
        form->LinkExecute(QStringLiteral("Option"));
        QVERIFY(form->OptionForm() != nullptr);
        form->OptionForm()->reject();
    }

    void DoubleClickOfEitherButtonOpensTheOptions() {
        form->NotifyIcon().Deliver(NotifyMessage::RButtonDblClk, 0);
        QVERIFY(form->OptionForm() != nullptr);
        form->OptionForm()->reject();
        QVERIFY(form->NotifyIcon().Enabled());
        form->NotifyIcon().Deliver(NotifyMessage::LButtonDblClk, 0);
        QVERIFY(form->OptionForm() != nullptr);
        form->OptionForm()->reject();
    }

    void AboutBoxDisablesTheTrayHoweverItCloses() {
        Action("mnuAbout")->trigger();
        frmAbout* about = form->AboutForm();
        QVERIFY(about != nullptr);
        QCOMPARE(about->windowTitle(), QStringLiteral("バージョン情報 - Brevlin Glosser"));
        QVERIFY(!form->NotifyIcon().Enabled());
        QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(form->AboutForm() == nullptr);
        QVERIFY(form->NotifyIcon().Enabled());

        Action("mnuAbout")->trigger();
        form->AboutForm()->close();
        QVERIFY(form->AboutForm() == nullptr);
        QVERIFY(form->NotifyIcon().Enabled());
    }

    // Help opens on the help file's start page in a window the main window owns.
    void ExitRemovesTheIconAndClosesHelpWindows() {
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Ostrel.chm")));
        const QString startPage = program.filePath(QStringLiteral("Ostrel.chm/index.html"));
        QFile page(startPage);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><head><title>start</title></head><body>start</body></html>");
        page.close();
        HelpLocation::SetProgramHelpFile(AppFolders::HelpFileSetting(program.path()));

        Action("mnuHelp")->trigger();
        QCOMPARE(HelpWindows::OpenCount(), 1);
        QCOMPARE(HelpWindows::Window()->parentWidget(), form.get());
        QVERIFY(HelpWindows::Window()->isWindow() && HelpWindows::Window()->isVisible());
        QCOMPARE(HelpWindows::Window()->Browser()->source(), QUrl::fromLocalFile(startPage));
        Action("mnuExit")->trigger();
        QCOMPARE(HelpWindows::OpenCount(), 0);
        QVERIFY(!form->NotifyIcon().Shown());
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
