#pragma once

#include "engine/Languages.h"
#include "ui/options/frmOptions.h"
#include "ui/shell/ClipboardUndo.h"
#include "ui/shell/clsVarMenu.h"
#include "ui/shell/frmAbout.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QAction;
class QMenu;
class QThread;

namespace brevlin {
class clsRegistry;
}

namespace brevlin::shell {

class ctlNotify;
struct ConversionJob;

// The hidden main window: owns the tray icon, its two pop-up menus, the settings access, the
// language collection and the general switches for the whole run, and runs the menu commands.
class frmMain : public QWidget {
    Q_OBJECT

public:
    // Loads everything and shows the tray icon; a failure to load the settings propagates.
    frmMain();
    ~frmMain() override;

    // What the options dialog's general page sets, as loaded and saved with the languages.
    GeneralSwitches Switches;

    Languages& AllLanguages() { return m_languages; }
    clsVarMenu& LanguageMenu() { return m_languageMenu; }
    ctlNotify& NotifyIcon() { return *m_notifyIcon; }
    frmOptions* OptionForm() const { return m_optionForm; }
    frmAbout* AboutForm() const { return m_aboutForm; }
    bool Converting() const { return m_job != nullptr; }

    void LoadSettings();
    void SaveSettings();
    void RebuildLanguageMenu();
    void ShowOptionsDialog();

public slots:
    // A command from a further start of the program; acts on "Option" alone.
    void LinkExecute(const QString& command);

signals:
    // A conversion ended, with the clipboard replaced or an error shown.
    void ProcessFinished();

private:
    void CreateMenus();
    void NotifyIcon_Click(int button);
    void NotifyIcon_DblClick(int button);
    void mnuLeftClick_Click();
    void mnuProcessKw_Click(int index);
    void mnuRightClick_Click();
    void mnuUndo_Click();
    void mnuHelp_Click();
    void mnuAbout_Click();
    void mnuExit_Click();
    void OptionForm_Unload(bool canceled);
    void AboutForm_Unload(bool canceled);
    void ConversionFinished();
    // Another program replaced the settings file.
    void Store_Changed();
    void UpdateTrayEnabled();
    void ShowError(const QString& description);
    // Tells that the chosen paste style sheet could not be used (empty: it was).
    void ReportSheetTrouble(const QString& trouble);

    std::unique_ptr<clsRegistry> m_registry;
    // The language names as last read from or written to the store.
    std::vector<Text> m_knownLanguages;
    // The languages in memory hold what a failed save could not store.
    bool m_unsaved = false;
    Languages m_languages;
    clsVarMenu m_languageMenu;
    ctlNotify* m_notifyIcon = nullptr;
    QPointer<frmOptions> m_optionForm;
    QPointer<frmAbout> m_aboutForm;
    int m_openErrors = 0;
    // The last trouble with the paste style sheet that was told.
    QString m_sheetTrouble;
    ClipboardUndo m_undo;

    QMenu* mnuLeftClick = nullptr;
    QAction* mnuProcessKw = nullptr;
    QMenu* mnuRightClick = nullptr;
    QAction* mnuOption = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuSep01 = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuSep02 = nullptr;
    QAction* mnuExit = nullptr;

    std::shared_ptr<ConversionJob> m_job;
    QThread* m_worker = nullptr;
};

} // namespace brevlin::shell
