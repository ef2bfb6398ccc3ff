#include "ui/options/frmOptions.h"

#include "platform/registry/FileRegistryStore.h"
#include "settings/KeywordListFile.h"
#include "settings/LanguageSet.h"
#include "text/BrevlinError.h"
#include "ui/common/AppFolders.h"
#include "ui/options/CommentList.h"
#include "ui/options/DialogMemory.h"
#include "ui/options/KeywordList.h"
#include "ui/options/LanguagePage.h"
#include "ui/options/LanguagePreview.h"
#include "ui/options/clsLeaveCheck.h"
#include "ui/options/clsListEvents.h"
#include "ui/options/frmEditComment.h"
#include "ui/options/modOptions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTabBar>

namespace brevlin {

namespace {

// The file the settings are kept in, under whatever name or link `path` reaches it.
bool IsSettingsFile(const std::filesystem::path& path) {
    using platform::FileSystem;
    try {
        return FileSystem::SameFile(
            FileSystem::StampOf(path),
            FileSystem::StampOf(platform::FileRegistryStore::DefaultPath()));
    } catch (const FileSystem::Error&) {
        return false; // not to be looked at: writing says why
    }
}

} // namespace

frmOptions::frmOptions(Languages& languages, GeneralSwitches& switches, QWidget* owner,
                       PasteControls paste)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::WindowContextHelpButtonHint),
      m_context{languages, this}, m_switches(switches), m_paste(paste),
      m_pasteSheet(StyleSheet::Bundled()) {
    setObjectName(QStringLiteral("frmOptions"));
    m_c.Build(this);
    m_c.chkHtmlClipboard->setVisible(m_paste.htmlClipboard);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_c.lblPasteStyleSheet, m_c.txtPasteStyleSheet,
                                         m_c.cmdPasteStyleSheet, m_c.cmdPasteStyleSheetReset})
        control->setVisible(m_paste.styleSheet);
    ShowPasteStyleSheet();

    m_leaveCheck = new clsLeaveCheck(this);
    clsLeaveCheck::SetCausesValidation(m_c.cmdCancel, false);
    m_leaveCheck->Watch(m_c.txtName, [this](bool& cancel) { txtName_Validate(cancel); });

    m_page = new LanguagePage(m_context, m_c, *m_leaveCheck, this);
    m_keywords = new KeywordList(m_context, m_c, this);
    m_comments = new CommentList(m_context, m_c, this);
    m_preview = new LanguagePreview(
        m_context, m_c, [this] { return m_switches.OptimizeTags; }, [this] { return m_pasteSheet; },
        this);
    for (clsListEvents* events : {m_keywords->Events(), m_comments->Events()}) {
        connect(events, &clsListEvents::GotFocus, this, &frmOptions::List_GotFocus);
        connect(events, &clsListEvents::LostFocus, this, &frmOptions::List_LostFocus);
    }

    connect(m_c.tbsOptions, &QTabBar::currentChanged, this, &frmOptions::tbsOptions_Click);
    connect(m_c.chkBeepOnProcess, &QCheckBox::toggled, this, &frmOptions::chkBeepOnProcess_Click);
    connect(m_c.chkOptimizeTags, &QCheckBox::toggled, this, &frmOptions::chkOptimizeTags_Click);
    connect(m_c.chkHtmlClipboard, &QCheckBox::toggled, this, &frmOptions::chkHtmlClipboard_Click);
    connect(m_c.cmdPasteStyleSheet, &QPushButton::clicked, this,
            &frmOptions::cmdPasteStyleSheet_Click);
    connect(m_c.cmdPasteStyleSheetReset, &QPushButton::clicked, this,
            &frmOptions::cmdPasteStyleSheetReset_Click);
    connect(m_c.cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOk_Click);
    connect(m_c.cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(m_c.cmdNew, &QPushButton::clicked, this, &frmOptions::cmdNew_Click);
    connect(m_c.cmdDelete, &QPushButton::clicked, this, &frmOptions::cmdDelete_Click);
    connect(m_c.cmdImport, &QPushButton::clicked, this, &frmOptions::cmdImport_Click);
    connect(m_c.cmdExport, &QPushButton::clicked, this, &frmOptions::cmdExport_Click);

    // Ctrl+Tab and Ctrl+Shift+Tab page through the tabs, as in every tabbed dialog.
    const auto next = [this] { SwitchTab(+1); };
    const auto previous = [this] { SwitchTab(-1); };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            next);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this),
            &QShortcut::activated, this, previous);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this),
            &QShortcut::activated, this, previous);

    Form_Load();
    SetDialogSize();
}

frmOptions::~frmOptions() {
    // While the window's controls are destroyed the focus leaves the lists; by then this
    // dialog can no longer take the signals.
    for (clsListEvents* events : {m_keywords->Events(), m_comments->Events()})
        disconnect(events, nullptr, this, nullptr);
}

void frmOptions::Form_Load() {
    if (QWidget* owner = parentWidget())
        setWindowIcon(owner->windowIcon());
    setWindowTitle(tr("オプション - %1").arg(kProductName));
    for (int i = 1; i <= m_context.languages.Count(); ++i)
        m_c.tbsOptions->addTab(ToQString(m_context.languages.Item(i).Name()));
    m_context.lCurrentIndex = -1;
    SelectTab(1);
}

void frmOptions::SetDialogSize() {
    // The design's client area, grown evenly where the fonts need more room; the user may
    // make it larger for longer lists and a bigger preview (or smaller, down to what the
    // controls need), and the next opening keeps that size.
    QSize size = TwipsToPixels(this, 8460, 5610);
    const QSize hint = minimumSizeHint();
    const double grow = std::max({1.0, static_cast<double>(hint.width()) / size.width(),
                                  static_cast<double>(hint.height()) / size.height()});
    size = QSize(qRound(size.width() * grow), qRound(size.height() * grow));
    setMinimumSize(hint);
    const QSize kept = DialogMemory::OptionsSize();
    resize(kept.isValid() ? kept.expandedTo(hint) : size);
}

void frmOptions::SelectTab(int position) {
    if (m_c.tbsOptions->currentIndex() == position - 1)
        tbsOptions_Click();
    else
        m_c.tbsOptions->setCurrentIndex(position - 1);
}

void frmOptions::SwitchTab(int step) {
    const int count = m_c.tbsOptions->count();
    if (count < 2 || !m_leaveCheck->ValidatePending())
        return;
    m_c.tbsOptions->setCurrentIndex((m_c.tbsOptions->currentIndex() + step + count) % count);
}

void frmOptions::tbsOptions_Click() {
    const int newIndex = m_c.tbsOptions->currentIndex();
    if (newIndex == m_context.lCurrentIndex)
        return;
    // A keyword still being edited belongs to the page being left.
    m_keywords->EndLabelEdit();
    // Set first: filling the controls runs their handlers, which write into this language.
    m_context.lCurrentIndex = newIndex;
    if (newIndex != 0) {
        const Language& language = m_context.Current();
        m_c.txtName->setText(ToQString(language.Name()));
        m_page->Fill(language);
        m_keywords->Fill(language);
        m_comments->Fill(language);
        m_preview->Fill(language);
        m_comments->UpdateCommentButtons();
        m_keywords->UpdateKeywordButtons();
    } else {
        m_c.chkBeepOnProcess->setChecked(m_switches.BeepOnProcess);
        m_c.chkOptimizeTags->setChecked(m_switches.OptimizeTags);
        if (m_paste.htmlClipboard)
            m_c.chkHtmlClipboard->setChecked(m_switches.HtmlClipboard);
    }
    QWidget* leaving = m_c.picOptions[newIndex == 0 ? 1 : 0];
    const bool focusLeaves = leaving->isVisible() && leaving->isAncestorOf(focusWidget());
    m_c.picOptions[0]->setVisible(newIndex == 0);
    m_c.picOptions[1]->setVisible(newIndex != 0);
    m_c.cmdDelete->setEnabled(newIndex != 0);
    m_c.cmdExport->setEnabled(newIndex != 0);
    // Qt would pass the focus of a page that goes to the next control shown, OK; the tab
    // strip is where the page changed.
    if (focusLeaves)
        ReturnFocus({m_c.tbsOptions});
}

void frmOptions::chkBeepOnProcess_Click() {
    m_switches.BeepOnProcess = m_c.chkBeepOnProcess->isChecked();
}

void frmOptions::chkOptimizeTags_Click() {
    m_switches.OptimizeTags = m_c.chkOptimizeTags->isChecked();
}

void frmOptions::chkHtmlClipboard_Click() {
    if (m_paste.htmlClipboard)
        m_switches.HtmlClipboard = m_c.chkHtmlClipboard->isChecked();
}

void frmOptions::cmdPasteStyleSheet_Click() {
    if (!m_paste.styleSheet)
        return;
    QFileDialog dlgFile(this);
    dlgFile.setObjectName(QStringLiteral("dlgFile"));
    dlgFile.setWindowTitle(tr("貼り付け用のスタイルシート"));
    dlgFile.setAcceptMode(QFileDialog::AcceptOpen);
    dlgFile.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters{tr("スタイルシート (*.css)"), tr("すべてのファイル (*.*)")};
    dlgFile.setNameFilters(filters);
    dlgFile.selectNameFilter(filters.first());
    // Beside the sheet chosen before; at first beside the bundled one, a model to start from.
    const QString chosen = ToQString(m_switches.PasteStyleSheet);
    dlgFile.setDirectory(chosen.isEmpty() ? AppFolders::LanguagesFolder(AppFolders::ProgramFolder())
                                          : QFileInfo(chosen).absolutePath());
    if (dlgFile.exec() == QDialog::Accepted && !dlgFile.selectedFiles().isEmpty()) {
        const QString path = dlgFile.selectedFiles().first();
        try {
            // A file that is no style sheet is refused at once, not found out at a paste.
            m_pasteSheet = StyleSheet::Load(AppFolders::FilePath(path));
            m_switches.PasteStyleSheet = ToText(path);
            ShowPasteStyleSheet();
        } catch (const BrevlinError& error) {
            Exclaim(this, QString::fromStdString(error.Description()), kProductName,
                    QString::fromStdString(error.Detail()));
        }
    }
    ReturnFocus({m_c.cmdPasteStyleSheet});
}

void frmOptions::cmdPasteStyleSheetReset_Click() {
    if (!m_paste.styleSheet)
        return;
    m_switches.PasteStyleSheet.clear();
    ShowPasteStyleSheet();
    // The button is disabled now.
    ReturnFocus({m_c.cmdPasteStyleSheet});
}

void frmOptions::ShowPasteStyleSheet() {
    if (!m_paste.styleSheet)
        return;
    const QString path = ToQString(m_switches.PasteStyleSheet);
    std::optional<BrevlinError> error;
    m_pasteSheet = StyleSheet::LoadOrBundled(
        path.isEmpty() ? std::filesystem::path() : AppFolders::FilePath(path), &error);
    QString trouble;
    if (error)
        trouble = tr("%1 (%2)\n貼り付けと表示には同梱のスタイルシートを使います。")
                      .arg(QString::fromStdString(error->Description()),
                           QString::fromStdString(error->Detail()));
    m_c.txtPasteStyleSheet->setText(QDir::toNativeSeparators(path));
    m_c.txtPasteStyleSheet->setToolTip(QDir::toNativeSeparators(path));
    m_c.cmdPasteStyleSheetReset->setEnabled(!path.isEmpty());
    m_c.lblPasteStyleSheetState->setText(trouble);
    m_c.lblPasteStyleSheetState->setVisible(!trouble.isEmpty());
}

void frmOptions::txtName_Validate(bool& cancel) {
    if (!m_context.ShowsLanguage())
        return;
    const QString text = m_c.txtName->text();
    if (text.isEmpty()) {
        SystemBeep();
        cancel = true;
        return;
    }
    Language* named = m_context.languages.ItemByName(ToText(text));
    if (named == nullptr) {
        m_context.Current().SetName(ToText(text));
        m_c.tbsOptions->setTabText(m_context.lCurrentIndex, text);
    } else if (named != &m_context.Current()) {
        cancel = true;
        Exclaim(this, tr("同じ名前が既にあります。"), kProgramTitle);
    }
}

void frmOptions::cmdNew_Click() {
    const Language& language = LanguageSet::AddNewLanguage(m_context.languages);
    m_c.tbsOptions->addTab(ToQString(language.Name()));
    SelectTab(m_c.tbsOptions->count());
    // Typing replaces the default name; the box may have kept the focus (an access key
    // clicks without taking it), so its text is selected here rather than on focus alone.
    ReturnFocus({m_c.txtName});
    SelectAllText(m_c.txtName);
}

void frmOptions::cmdDelete_Click() {
    if (!m_context.ShowsLanguage())
        return;
    m_keywords->EndLabelEdit();
    const int index = m_context.lCurrentIndex;
    const QString name = ToQString(m_context.Current().Name());
    if (AskYesNo(this, tr("言語設定「%1」を削除しますか？").arg(name))) {
        m_context.languages.Remove(index);
        {
            // The page must not switch to whichever tab the strip picks by itself.
            const QSignalBlocker blocker(m_c.tbsOptions);
            m_c.tbsOptions->removeTab(index);
        }
        SelectTab(index);
    }
    // On the general page the button is disabled.
    ReturnFocus({m_c.cmdDelete, m_c.tbsOptions});
}

QStringList frmOptions::ShowFileDialog(bool save, const QString& folder, const QString& fileName) {
    QFileDialog dlgFile(this);
    dlgFile.setObjectName(QStringLiteral("dlgFile"));
    dlgFile.setWindowTitle(save ? tr("言語設定のエクスポート") : tr("言語設定のインポート"));
    dlgFile.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Several languages can be taken in one go.
    dlgFile.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFiles);
    dlgFile.setDefaultSuffix(QStringLiteral("bvl"));
    QStringList filters{tr("言語設定ファイル (*.bvl)"), tr("すべてのファイル (*.*)")};
    // A keyword list from another tool becomes a language too.
    if (!save)
        filters.insert(1, tr("キーワードの一覧 (*.txt)"));
    dlgFile.setNameFilters(filters);
    dlgFile.selectNameFilter(filters.first());
    dlgFile.setDirectory(folder);
    if (!fileName.isEmpty())
        dlgFile.selectFile(fileName);
    if (dlgFile.exec() != QDialog::Accepted)
        return {};
    return dlgFile.selectedFiles();
}

void frmOptions::cmdExport_Click() {
    ExportShownLanguage();
    ReturnFocus({m_c.cmdExport});
}

void frmOptions::cmdImport_Click() {
    ImportFromFile();
    ReturnFocus({m_c.cmdImport});
}

void frmOptions::ExportShownLanguage() {
    if (!m_context.ShowsLanguage())
        return;
    // The user's own folders: the bundled languages' folder is not theirs to write, and an
    // installed one cannot be written at all.
    QString folder = DialogMemory::ExportFolder();
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(folder).isDir())
            folder = QDir::homePath();
    }
    const Language& language = m_context.Current();
    const QStringList paths = ShowFileDialog(
        true, folder,
        ToQString(LanguageSet::StripFileNameChars(language.Name())) + QStringLiteral(".bvl"));
    if (paths.isEmpty())
        return;
    const std::filesystem::path path = AppFolders::FilePath(paths.first());
    if (IsSettingsFile(path)) {
        // It holds every stored language, and this program reads it.
        Exclaim(this,
                tr("出力先が設定ファイルと同じファイルです。上書きすると失われるため、書き込みませ"
                   "ん。"),
                kProductName, QDir::toNativeSeparators(paths.first()));
        return;
    }
    try {
        LanguageSet::ExportLanguage(language, path);
        DialogMemory::SetExportFolder(QFileInfo(paths.first()).absolutePath());
    } catch (const std::exception& error) {
        // A file that cannot be written is reported, not passed over in silence.
        ShowError(this, error);
    }
}

void frmOptions::ImportFromFile() {
    // Before the import may clear the shown language's keywords under an open edit.
    m_keywords->EndLabelEdit();
    QString folder = DialogMemory::ImportFolder();
    if (folder.isEmpty())
        folder = AppFolders::LanguagesFolder(AppFolders::ProgramFolder());
    const QStringList paths = ShowFileDialog(false, folder, QString());
    if (paths.isEmpty())
        return;
    DialogMemory::SetImportFolder(QFileInfo(paths.first()).absolutePath());
    for (const QString& path : paths)
        ImportFile(path);
}

void frmOptions::ImportFile(const QString& path) {
    LanguageSet::ImportResult result;
    try {
        const bool list = KeywordListFile::IsKeywordList(AppFolders::FilePath(path));
        result = LanguageSet::ImportLanguage(
            m_context.languages, AppFolders::FilePath(path), [&](const Text& name) {
                const QString question =
                    list ? tr("言語設定「%1」は既に存在します。キーワードを一覧の内容で置き換えま"
                              "すか？")
                         : tr("言語設定「%1」は既に存在します。ファイルの内容で置き換えますか？");
                return AskYesNo(this, question.arg(ToQString(name)));
            });
    } catch (const BrevlinError& error) {
        // The system's message; below it, which file and what in it, since several files may
        // be taken at once.
        if (error.Number() == errors::FileFormat)
            Exclaim(this, QString::fromStdString(error.Description()), kProductName,
                    QString::fromStdString(error.Detail()));
        else
            ShowError(this, error);
        return;
    }
    if (result.language == nullptr)
        return;
    if (result.added)
        m_c.tbsOptions->addTab(ToQString(result.language->Name()));
    // -1 refills the page even when the replaced language is the one shown.
    m_context.lCurrentIndex = -1;
    SelectTab(result.language->Index() + 1);
}

void frmOptions::List_GotFocus() {
    m_c.cmdOK->setDefault(false);
    m_cancelActive = false;
}

void frmOptions::List_LostFocus() {
    m_c.cmdOK->setDefault(true);
    m_cancelActive = true;
}

void frmOptions::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_cancelActive)
            m_c.cmdCancel->click();
        else
            event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmOptions::cmdOk_Click() {
    // Enter takes the default button without moving the focus: a name still being typed
    // is checked and taken over here, and a refusal keeps the dialog open.
    if (!m_leaveCheck->ValidatePending())
        return;
    m_canceled = false;
    UnloadByCode();
}

void frmOptions::cmdCancel_Click() {
    m_canceled = true;
    UnloadByCode();
}

void frmOptions::accept() {
    cmdOk_Click();
}

void frmOptions::reject() {
    cmdCancel_Click();
}

void frmOptions::done(int result) {
    if (result == QDialog::Accepted)
        cmdOk_Click();
    else
        cmdCancel_Click();
}

void frmOptions::UnloadByCode() {
    m_unloadByCode = true;
    close();
}

void frmOptions::closeEvent(QCloseEvent* event) {
    if (m_unloaded) {
        event->accept();
        return;
    }
    // An open rule editor is discarded with the dialog.
    if (frmEditComment* editor = m_comments->CommentForm())
        editor->close();
    if (!m_unloadByCode)
        m_canceled = true;
    // Hiding would end an open keyword edit after the owner has saved or reloaded.
    m_keywords->EndLabelEdit(!m_canceled);
    m_unloadByCode = false;
    m_unloaded = true;
    DialogMemory::SetOptionsSize(size());
    event->accept();
    emit Unload(m_canceled);
}

void frmOptions::showEvent(QShowEvent* event) {
    if (!m_placed) {
        m_placed = true;
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen != nullptr) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

} // namespace brevlin
