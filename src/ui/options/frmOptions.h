#pragma once

#include "settings/StyleSheet.h"
#include "ui/options/GeneralSwitches.h"
#include "ui/options/OptionsContext.h"
#include "ui/options/OptionsControls.h"

#include <QDialog>

#include <memory>

namespace brevlin {

class CommentList;
class KeywordList;
class LanguagePage;
class LanguagePreview;
class clsLeaveCheck;

// The options dialog: the general switches on the first tab, one tab per language.
// It edits the live languages and switches directly; the owner decides on Unload whether
// the edits are saved (OK) or discarded by reloading (any other close).
// Shown modeless; the owner releases it with deleteLater() after Unload.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    // The paste's controls on the general page, for an owner that pastes: the switch for a
    // text/html flavour on the clipboard, and the choice of that flavour's style sheet.
    // Without them those switches are neither shown nor changed. ({} is neither.)
    struct PasteControls {
        bool htmlClipboard;
        bool styleSheet;
    };

    frmOptions(Languages& languages, GeneralSwitches& switches, QWidget* owner,
               PasteControls paste = {});
    ~frmOptions() override;

    bool Canceled() const { return m_canceled; }
    // The page shown: -1 before the first switch, 0 general, k language k.
    int CurrentIndex() const { return m_context.lCurrentIndex; }

signals:
    // Raised once, when the dialog closes: false after OK, true after any other close.
    void Unload(bool canceled);

public slots:
    // The dialog's own accept and reject are OK and Cancel.
    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void SetDialogSize();
    // Selects the tab at the 1-based position; the page switch runs even when it already was.
    void SelectTab(int position);
    void SwitchTab(int step);
    void tbsOptions_Click();
    void chkBeepOnProcess_Click();
    void chkOptimizeTags_Click();
    void chkHtmlClipboard_Click();
    void cmdPasteStyleSheet_Click();
    void cmdPasteStyleSheetReset_Click();
    // Reads the chosen paste style sheet and shows it, and why the bundled one stands in.
    void ShowPasteStyleSheet();
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdNew_Click();
    void cmdDelete_Click();
    void cmdImport_Click();
    void cmdExport_Click();
    void ImportFromFile();
    // One file, as a language file or a keyword list, with its questions and refusals.
    void ImportFile(const QString& path);
    void ExportShownLanguage();
    // The file dialog, set up as both commands need it, opened in `folder`; the files chosen
    // (one to export, any number to import), none when cancelled.
    QStringList ShowFileDialog(bool save, const QString& folder, const QString& fileName);
    void txtName_Validate(bool& cancel);
    void List_GotFocus();
    void List_LostFocus();
    void UnloadByCode();

    OptionsContext m_context;
    GeneralSwitches& m_switches;
    const PasteControls m_paste;
    // The sheet the preview shows the paste with.
    std::shared_ptr<const StyleSheet> m_pasteSheet;
    OptionsControls m_c;
    clsLeaveCheck* m_leaveCheck = nullptr;
    LanguagePage* m_page = nullptr;
    KeywordList* m_keywords = nullptr;
    CommentList* m_comments = nullptr;
    LanguagePreview* m_preview = nullptr;

    bool m_canceled = false;
    bool m_unloadByCode = false;
    bool m_unloaded = false;
    bool m_placed = false;
    // False while a list has the focus: Escape then belongs to the list, not to Cancel.
    bool m_cancelActive = true;
};

} // namespace brevlin
