#include "ui/shell/frmMain.h"

#include "engine/Highlighter.h"
#include "engine/TextRoutines.h"
#include "platform/registry/FileRegistryStore.h"
#include "settings/SettingsLayout.h"
#include "settings/clsRegistry.h"
#include "text/BrevlinError.h"
#include "ui/common/AccessibleMenuEntry.h"
#include "ui/common/AppFolders.h"
#include "ui/common/LanguageSnapshot.h"
#include "ui/common/StoreWatcher.h"
#include "ui/common/TrayNotice.h"
#include "ui/common/modCommon.h"
#include "ui/options/frmOptions.h"
#include "ui/shell/ClipboardText.h"
#include "ui/shell/HelpWindows.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/tray/ctlNotify.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QThread>
#include <QTimer>

#include <new>

namespace brevlin::shell {

// One conversion, handed to its thread and back.
struct ConversionJob {
    std::shared_ptr<const Language> language;
    Text input;
    ClipboardUndo::Content before; // the clipboard as the conversion found it
    HighlightOptions options;
    bool beep = false; // BeepOnProcess as the conversion began
    // The engine returned a result (a beep follows only that).
    bool converted = false;
    // With the HTML flavour: the style sheet chosen for it (empty for the bundled one).
    bool html = false;
    Text sheetPath;
    QString result;
    QString htmlFlavour;
    // Why the chosen sheet could not be used; the bundled one was.
    QString sheetTrouble;
    bool failed = false;
    QString error;
};

namespace {

QString ClipboardFailure() {
    return frmMain::tr("変換結果をクリップボードに書き込めませんでした。"
                       "ほかのプログラムがクリップボードを使用しています。");
}

// The sheet chosen for the HTML flavour; where it cannot be used, the bundled one, and why.
std::shared_ptr<const StyleSheet> PasteSheet(ConversionJob& job) {
    std::optional<BrevlinError> trouble;
    auto sheet = StyleSheet::LoadOrBundled(
        job.sheetPath.empty() ? std::filesystem::path()
                              : AppFolders::FilePath(QString::fromStdU16String(job.sheetPath)),
        &trouble);
    if (trouble) {
        job.sheetTrouble = QString::fromStdString(trouble->Description());
        if (!trouble->Detail().empty())
            job.sheetTrouble +=
                QStringLiteral(" (%1)").arg(QString::fromStdString(trouble->Detail()));
    }
    return sheet;
}

void Convert(ConversionJob& job) {
    try {
        Text output = HighlightText(*job.language, job.input, job.options);
        job.converted = true;
        output = ToLf(output);
        // The flavour is made here too, beside the event loop: for a big result it takes a
        // while.
        if (job.html)
            job.htmlFlavour = ClipboardText::HtmlFlavour(output, PasteSheet(job));
        job.result = QString::fromStdU16String(output);
    } catch (const BrevlinError& error) {
        job.failed = true;
        job.error = QString::fromStdString(error.Description());
    } catch (const std::bad_alloc&) {
        job.failed = true;
        job.error = frmMain::tr("メモリが不足しています。");
    } catch (const std::exception& error) {
        job.failed = true;
        job.error = QString::fromUtf8(error.what());
    }
    // The input is no longer needed; free it before the result travels back.
    Text().swap(job.input);
}

// With no language the tray has nothing to convert with: its tooltip says how to get one.
QString TipText(const Languages& languages) {
    return languages.Count() > 0
               ? kProductName
               : kProductName + frmMain::tr(" - 言語がありません (オプションでインポート)");
}

} // namespace

frmMain::frmMain() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kProductName);

    // The order of loading: settings access and languages, the language menu, the stored
    // settings, then the tray icon.
    m_registry = std::make_unique<clsRegistry>();
    CreateMenus();
    m_languageMenu.SetMenuObject(mnuLeftClick, mnuProcessKw);
    m_languageMenu.SetEmptyCaption(tr("(設定がありません)"));
    LoadSettings();

    m_notifyIcon = new ctlNotify(this);
    m_notifyIcon->setObjectName(QStringLiteral("NotifyIcon"));
    connect(m_notifyIcon, &ctlNotify::Click, this, &frmMain::NotifyIcon_Click);
    connect(m_notifyIcon, &ctlNotify::DblClick, this, &frmMain::NotifyIcon_DblClick);
    m_notifyIcon->SetMenu(mnuRightClick);
    m_notifyIcon->SetIconID(ctlNotify::AppIconID);
    m_notifyIcon->SetTipText(TipText(m_languages));
    m_notifyIcon->Show();

    // Languages that `brevlin import` stores meanwhile reach the menu without a restart.
    if (const auto* file = dynamic_cast<const platform::FileRegistryStore*>(&m_registry->Store()))
        connect(new StoreWatcher(file->File(), this), &StoreWatcher::Changed, this,
                &frmMain::Store_Changed);
    // A first start has none: it says once how to get one.
    if (m_languages.Count() == 0)
        TrayNotice::Show(m_notifyIcon, kProductName,
                         tr("言語設定がまだありません。アイコンを右クリックして「オプション」を開"
                            "き、「インポート」で言語設定ファイル (*.bvl) を取り込んでください。"
                            "同梱の言語設定は次のフォルダーにあります: %1")
                             .arg(AppFolders::LanguagesFolder(AppFolders::ProgramFolder())));
}

void frmMain::Store_Changed() {
    // The options dialog edits the languages in memory, and its close reads or writes the
    // store anyway; an open menu is not rebuilt under the pointer, but once it has closed.
    if (m_optionForm)
        return;
    if (mnuLeftClick->isVisible()) {
        QTimer::singleShot(500, this, &frmMain::Store_Changed);
        return;
    }
    try {
        if (!m_unsaved) {
            LoadSettings();
            return;
        }
        // What the last OK could not store is only here: what others stored is added to
        // it, nothing of it is read over.
        for (Text& name :
             SettingsLayout::KeepAddedLanguages(*m_registry, m_languages, m_knownLanguages))
            m_knownLanguages.push_back(std::move(name));
        RebuildLanguageMenu();
    } catch (const std::exception&) {
        // A store that cannot be read is reported when the dialog saves; the menu stays.
    }
}

frmMain::~frmMain() {
    if (m_worker != nullptr) {
        // The engine cannot be interrupted; its result is dropped.
        m_worker->disconnect(this);
        m_worker->wait();
        delete m_worker;
    }
    HelpWindows::CloseAll();
}

void frmMain::CreateMenus() {
    mnuLeftClick = new QMenu(tr("左クリック"), this);
    mnuLeftClick->setObjectName(QStringLiteral("mnuLeftClick"));
    mnuProcessKw = mnuLeftClick->addAction(QStringLiteral("（処理）"));
    mnuProcessKw->setObjectName(QStringLiteral("mnuProcessKw"));
    connect(mnuLeftClick, &QMenu::aboutToShow, this, &frmMain::mnuLeftClick_Click);
    connect(mnuLeftClick, &QMenu::triggered, this, [this](QAction* action) {
        const int index = m_languageMenu.IndexOf(action);
        if (index >= 0)
            mnuProcessKw_Click(index);
    });

    mnuRightClick = new QMenu(tr("右クリック"), this);
    mnuRightClick->setObjectName(QStringLiteral("mnuRightClick"));
    mnuOption = mnuRightClick->addAction(tr("オプション(&O)...."));
    mnuUndo = mnuRightClick->addAction(tr("変換を元に戻す(&U)"));
    mnuUndo->setEnabled(false);
    mnuSep01 = mnuRightClick->addSeparator();
    mnuHelp = mnuRightClick->addAction(tr("ヘルプ(&H)"));
    mnuAbout = mnuRightClick->addAction(tr("%1について(&A)...").arg(kProductName));
    mnuSep02 = mnuRightClick->addSeparator();
    mnuExit = mnuRightClick->addAction(tr("閉じる(&X)"));
    mnuOption->setObjectName(QStringLiteral("mnuOption"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuSep01->setObjectName(QStringLiteral("mnuSep01"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    mnuSep02->setObjectName(QStringLiteral("mnuSep02"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuRightClick->setDefaultAction(mnuOption);
    // What a screen reader reads for the menus and their entries.
    mnuLeftClick->setWindowTitle(tr("変換する言語"));
    mnuRightClick->setWindowTitle(kProductName);
    AccessibleMenuEntry::Describe(mnuOption,
                                  tr("言語とその設定を編集するオプション ダイアログを開きます。"));
    AccessibleMenuEntry::Describe(
        mnuUndo, tr("最後の変換の前にクリップボードにあったテキストを元に戻します。"));
    AccessibleMenuEntry::Describe(mnuHelp, tr("%1 のヘルプを表示します。").arg(kProductName));
    AccessibleMenuEntry::Describe(mnuAbout, tr("バージョンと連絡先を表示します。"));
    AccessibleMenuEntry::Describe(
        mnuExit, tr("%1 を終了し、通知領域のアイコンを消します。").arg(kProductName));
    connect(mnuOption, &QAction::triggered, this, &frmMain::ShowOptionsDialog);
    connect(mnuRightClick, &QMenu::aboutToShow, this, &frmMain::mnuRightClick_Click);
    connect(mnuUndo, &QAction::triggered, this, &frmMain::mnuUndo_Click);
    connect(mnuHelp, &QAction::triggered, this, &frmMain::mnuHelp_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
}

void frmMain::LoadSettings() {
    GeneralSwitches loaded = Switches;
    SettingsLayout::Extras extras;
    SettingsLayout::LoadSettings(*m_registry, m_languages, loaded.BeepOnProcess,
                                 loaded.OptimizeTags, &extras);
    loaded.HtmlClipboard = extras.htmlClipboard;
    loaded.PasteStyleSheet = extras.pasteStyleSheet;
    Switches = std::move(loaded);
    m_knownLanguages = SettingsLayout::NamesOf(m_languages);
    m_unsaved = false;
    RebuildLanguageMenu();
}

void frmMain::SaveSettings() {
    // `brevlin import` may have stored a language since this program last read the store;
    // it is kept, not overwritten by the set in memory.
    SettingsLayout::Extras extras;
    extras.htmlClipboard = Switches.HtmlClipboard;
    extras.pasteStyleSheet = Switches.PasteStyleSheet;
    m_unsaved = true;
    SettingsLayout::SaveSettingsKeepingAdded(*m_registry, m_languages, m_knownLanguages,
                                             Switches.BeepOnProcess, Switches.OptimizeTags,
                                             &extras);
    m_unsaved = false;
}

void frmMain::RebuildLanguageMenu() {
    m_languageMenu.Clear();
    for (int i = 1; i <= m_languages.Count(); ++i) {
        const QString name = QString::fromStdU16String(m_languages.Item(i).Name());
        AccessibleMenuEntry::Describe(
            m_languageMenu.Add(name, true, false),
            tr("クリップボードのテキストを「%1」の設定で HTML に変換します。").arg(name));
    }
    if (m_languageMenu.Count() == 0)
        AccessibleMenuEntry::Describe(mnuProcessKw,
                                      tr("言語がありません。オプション ダイアログで追加するか、"
                                         "言語設定ファイルをインポートしてください。"));
    if (m_notifyIcon != nullptr)
        m_notifyIcon->SetTipText(TipText(m_languages));
}

void frmMain::NotifyIcon_Click(int button) {
    // A hidden window needs no foreground: the pop-up takes the pointer itself.
    const QPoint position = m_notifyIcon->PopupPosition();
    if (button == vbLeftButton)
        mnuLeftClick->popup(position);
    else
        mnuRightClick->popup(position);
}

void frmMain::NotifyIcon_DblClick(int button) {
    (void)button;
    ShowOptionsDialog();
}

void frmMain::mnuLeftClick_Click() {
    const QMimeData* content = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    const bool hasText = content != nullptr && content->hasText();
    for (int i = 1; i <= m_languageMenu.Count(); ++i)
        m_languageMenu.Item(i)->setEnabled(hasText);
}

void frmMain::mnuProcessKw_Click(int index) {
    if (m_job)
        return;
    auto job = std::make_shared<ConversionJob>();
    job->language = LanguageSnapshot::Of(m_languages.Item(index + 1));
    QClipboard* clipboard = QGuiApplication::clipboard();
    job->before = ClipboardUndo::Content::Of(clipboard->mimeData(QClipboard::Clipboard));
    job->input = ClipboardText::ToEngine(job->before.text);
    job->options = HighlightOptions{Switches.OptimizeTags};
    job->beep = Switches.BeepOnProcess;
    job->html = Switches.HtmlClipboard;
    job->sheetPath = Switches.PasteStyleSheet;
    m_job = job;
    UpdateTrayEnabled();
    m_notifyIcon->SetIconID(ctlNotify::BusyIconID);

    // The conversion runs beside the event loop, so the tray, the clipboard and a further
    // start are served meanwhile; the tray ignores clicks until it is done.
    m_worker = QThread::create([job] { Convert(*job); });
    connect(m_worker, &QThread::finished, this, &frmMain::ConversionFinished);
    m_worker->start();
}

void frmMain::ConversionFinished() {
    std::shared_ptr<ConversionJob> job = std::move(m_job);
    m_worker->deleteLater();
    m_worker = nullptr;
    // The beep, then the usual icon, then the clipboard or the error.
    if (job->beep && job->converted)
        SystemBeep();
    m_notifyIcon->SetIconID(ctlNotify::AppIconID);
    if (job->failed) {
        // The clipboard stays as it was.
        ShowError(job->error);
    } else {
        const std::optional<QString> html =
            job->html ? std::optional(job->htmlFlavour) : std::nullopt;
        if (ClipboardText::Replace(*QGuiApplication::clipboard(), job->result, html))
            m_undo.Converted(std::move(job->before), job->result);
        else
            ShowError(ClipboardFailure());
        if (job->html)
            ReportSheetTrouble(job->sheetTrouble);
    }
    UpdateTrayEnabled();
    emit ProcessFinished();
}

void frmMain::ReportSheetTrouble(const QString& trouble) {
    // Said once for each trouble, not at every conversion; once the sheet is read again, a
    // later trouble is said again.
    if (trouble == m_sheetTrouble)
        return;
    m_sheetTrouble = trouble;
    if (!trouble.isEmpty())
        TrayNotice::Show(
            m_notifyIcon, kProductName,
            tr("%1\nHTML 形式には同梱のスタイルシート (brevlin.css) を使いました。").arg(trouble));
}

void frmMain::ShowOptionsDialog() {
    if (m_optionForm) {
        // One dialog at a time: a further request brings it to the front.
        m_optionForm->show();
        m_optionForm->raise();
        m_optionForm->activateWindow();
        return;
    }
    try {
        // The dialog shows what was stored meanwhile, too; those are known now, so deleting
        // one in the dialog deletes it.
        for (Text& name :
             SettingsLayout::KeepAddedLanguages(*m_registry, m_languages, m_knownLanguages))
            m_knownLanguages.push_back(std::move(name));
    } catch (const std::exception&) {
        // An unreadable store is reported when the dialog saves.
    }
    m_optionForm =
        new frmOptions(m_languages, Switches, this, {.htmlClipboard = true, .styleSheet = true});
    connect(m_optionForm, &frmOptions::Unload, this, &frmMain::OptionForm_Unload);
    m_optionForm->show();
    // Opened from the tray or by a second start, it takes the keyboard at once; without a
    // window manager nothing else would give it.
    m_optionForm->activateWindow();
    UpdateTrayEnabled();
}

void frmMain::OptionForm_Unload(bool canceled) {
    try {
        if (canceled) {
            LoadSettings();
        } else {
            SaveSettings();
            RebuildLanguageMenu();
        }
    } catch (const std::exception& error) {
        // The menu follows the languages in memory, whatever the store did.
        RebuildLanguageMenu();
        ShowError(QString::fromUtf8(error.what()));
    }
    if (m_optionForm)
        m_optionForm->deleteLater();
    m_optionForm = nullptr;
    UpdateTrayEnabled();
}

void frmMain::mnuRightClick_Click() {
    mnuUndo->setEnabled(m_undo.Available(*QGuiApplication::clipboard()));
}

void frmMain::mnuUndo_Click() {
    QClipboard& clipboard = *QGuiApplication::clipboard();
    // Something copied since the menu opened: nothing of this program's to undo.
    if (m_undo.Available(clipboard) && !m_undo.Restore(clipboard))
        ShowError(ClipboardFailure());
}

void frmMain::mnuHelp_Click() {
    HelpWindows::Show(this);
}

void frmMain::mnuAbout_Click() {
    if (m_aboutForm) {
        m_aboutForm->raise();
        m_aboutForm->activateWindow();
        return;
    }
    m_aboutForm = new frmAbout(this);
    connect(m_aboutForm, &frmAbout::Unload, this, &frmMain::AboutForm_Unload);
    m_aboutForm->show();
    m_aboutForm->activateWindow();
    UpdateTrayEnabled();
}

void frmMain::AboutForm_Unload(bool canceled) {
    (void)canceled;
    if (m_aboutForm)
        m_aboutForm->deleteLater();
    m_aboutForm = nullptr;
    UpdateTrayEnabled();
}

void frmMain::mnuExit_Click() {
    HelpWindows::CloseAll();
    m_notifyIcon->Hide();
    QCoreApplication::quit();
}

void frmMain::LinkExecute(const QString& command) {
    if (command == QStringLiteral("Option"))
        ShowOptionsDialog();
}

void frmMain::UpdateTrayEnabled() {
    // The tray is quiet while a dialog, an error or a conversion is open.
    const bool idle = !m_optionForm && !m_aboutForm && !m_job && m_openErrors == 0;
    if (m_notifyIcon != nullptr)
        m_notifyIcon->SetEnabled(idle);
}

void frmMain::ShowError(const QString& description) {
    auto* box =
        new QMessageBox(QMessageBox::Critical, kProductName, description, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    ++m_openErrors;
    connect(box, &QDialog::finished, this, [this] {
        --m_openErrors;
        UpdateTrayEnabled();
    });
    UpdateTrayEnabled();
    box->show();
}

} // namespace brevlin::shell
