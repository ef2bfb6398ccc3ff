#pragma once

#include <QCoreApplication>
#include <QString>

class QAction;
class QCheckBox;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTextBrowser;
class QTreeWidget;
class QWidget;

namespace brevlin {

class ctlUpDown;

// The controls of the options dialog, named, laid out and in tab order as designed.
struct OptionsControls {
    Q_DECLARE_TR_FUNCTIONS(OptionsControls)

public:
    QTabBar* tbsOptions = nullptr;
    QFrame* fraPages = nullptr;
    QWidget* picOptions[2] = {};
    QLabel* lblCaption[5] = {};

    QGroupBox* fraGeneral = nullptr;
    QCheckBox* chkBeepOnProcess = nullptr;
    QCheckBox* chkOptimizeTags = nullptr;
    QCheckBox* chkHtmlClipboard = nullptr;
    QLabel* lblPasteStyleSheet = nullptr;
    QLineEdit* txtPasteStyleSheet = nullptr;
    QPushButton* cmdPasteStyleSheet = nullptr;
    QPushButton* cmdPasteStyleSheetReset = nullptr;
    QLabel* lblPasteStyleSheetState = nullptr;

    QLineEdit* txtName = nullptr;
    QGroupBox* fraTags = nullptr;
    QLineEdit* txtStartHTML = nullptr;
    QLineEdit* txtEndHTML = nullptr;
    QCheckBox* chkReplaceTab = nullptr;
    ctlUpDown* updTabs = nullptr;
    QLineEdit* txtTabs = nullptr;
    QGroupBox* fraKeywords = nullptr;
    QCheckBox* chkIgnoreCase = nullptr;
    QTreeWidget* lvwKeywords = nullptr;
    QPushButton* cmdKwAdd = nullptr;
    QPushButton* cmdKwEdit = nullptr;
    QPushButton* cmdKwDelete = nullptr;
    QTreeWidget* lvwComments = nullptr;
    QPushButton* cmdCmAdd = nullptr;
    QPushButton* cmdCmEdit = nullptr;
    QPushButton* cmdCmDelete = nullptr;
    QGroupBox* fraPreview = nullptr;
    QLabel* lblPreviewSample = nullptr;
    QPlainTextEdit* txtPreviewSample = nullptr;
    QCheckBox* chkPreviewSource = nullptr;
    QTextBrowser* txtPreview = nullptr;

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdExport = nullptr;

    QMenu* mnuKwPopup = nullptr;
    QAction* mnuKwEdit = nullptr;
    QAction* mnuKwAdd = nullptr;
    QAction* mnuKwDelete = nullptr;
    QMenu* mnuCmPopup = nullptr;
    QAction* mnuCmEdit = nullptr;
    QAction* mnuCmAdd = nullptr;
    QAction* mnuCmDelete = nullptr;

    void Build(QDialog* form);

private:
    QWidget* BuildGeneralPage(QWidget* parent);
    QWidget* BuildLanguagePage(QWidget* parent);
    QGroupBox* BuildTagsFrame(QWidget* parent);
    QGroupBox* BuildKeywordsFrame(QWidget* parent);
    QGroupBox* BuildPreviewFrame(QWidget* parent);
    void BuildMenus(QDialog* form);
    void SetTabOrder();
    void SetHelpContextIDs();
    void SetAccessibleNames();
};

} // namespace brevlin
