#include "ui/options/OptionsControls.h"

#include "ui/options/ContextHelp.h"
#include "ui/options/ctlUpDown.h"
#include "ui/options/modOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace brevlin {

namespace {

template <typename T> T* Named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLineEdit* MakeTextBox(QWidget* parent, const QString& name) {
    auto* box = Named(new QLineEdit(parent), name);
    box->setFont(TextBoxFont());
    SelectAllTextOnFocus(box);
    return box;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
    return Named(new QPushButton(caption, parent), name);
}

QTreeWidget* MakeList(QWidget* parent, const QString& name) {
    auto* list = Named(new QTreeWidget(parent), name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAllColumnsShowFocus(true);
    return list;
}

// The height of a list that shows this many rows.
int RowsHeight(const QTreeWidget* list, int rows) {
    return rows * (list->fontMetrics().height() + 2) + 2 * list->frameWidth();
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

QAction* MakeEntry(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

void OptionsControls::Build(QDialog* form) {
    tbsOptions = Named(new QTabBar(form), QStringLiteral("tbsOptions"));
    tbsOptions->setExpanding(false);
    tbsOptions->setUsesScrollButtons(true);
    tbsOptions->setFocusPolicy(Qt::StrongFocus);
    tbsOptions->addTab(tr("全般"));

    fraPages = Named(new QFrame(form), QStringLiteral("fraPages"));
    fraPages->setFrameShape(QFrame::StyledPanel);
    auto* pages = new QGridLayout(fraPages);
    picOptions[0] = BuildGeneralPage(fraPages);
    picOptions[1] = BuildLanguagePage(fraPages);
    // The frame is sized for the larger page whichever one is shown.
    for (QWidget* page : picOptions) {
        QSizePolicy policy = page->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        page->setSizePolicy(policy);
        pages->addWidget(page, 0, 0);
    }

    cmdOK = MakeButton(form, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdCancel = MakeButton(form, QStringLiteral("cmdCancel"), tr("キャンセル"));
    cmdNew = MakeButton(form, QStringLiteral("cmdNew"), tr("新規(&A)"));
    cmdDelete = MakeButton(form, QStringLiteral("cmdDelete"), tr("削除(&D)"));
    cmdImport = MakeButton(form, QStringLiteral("cmdImport"), tr("インポート(&I)"));
    cmdExport = MakeButton(form, QStringLiteral("cmdExport"), tr("エクスポート(&X)"));

    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    left->addWidget(tbsOptions);
    left->addWidget(fraPages, 1);

    auto* right = new QVBoxLayout;
    const int gap = cmdOK->sizeHint().height() / 2;
    right->addWidget(cmdOK);
    right->addWidget(cmdCancel);
    right->addSpacing(gap);
    right->addWidget(cmdNew);
    right->addWidget(cmdDelete);
    right->addSpacing(gap);
    right->addWidget(cmdImport);
    right->addWidget(cmdExport);
    right->addStretch(1);
    // Six buttons of one size: as wide as the widest caption needs.
    int width = 0;
    for (QPushButton* b : {cmdOK, cmdCancel, cmdNew, cmdDelete, cmdImport, cmdExport})
        width = std::max(width, b->sizeHint().width());
    for (QPushButton* b : {cmdOK, cmdCancel, cmdNew, cmdDelete, cmdImport, cmdExport})
        b->setFixedWidth(width);

    auto* layout = new QHBoxLayout(form);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    BuildMenus(form);
    SetTabOrder();
    SetHelpContextIDs();
    SetAccessibleNames();
    right->addWidget(ContextHelp::Attach(form), 0, Qt::AlignRight);
}

QWidget* OptionsControls::BuildGeneralPage(QWidget* parent) {
    auto* page = Named(new QWidget(parent), QStringLiteral("picOptions0"));
    fraGeneral = Named(new QGroupBox(tr("全般設定"), page), QStringLiteral("fraGeneral"));
    chkBeepOnProcess = Named(new QCheckBox(tr("変換時に音を鳴らす(&B)"), fraGeneral),
                             QStringLiteral("chkBeepOnProcess"));
    chkOptimizeTags = Named(new QCheckBox(tr("連続タグの最適化(&O)"), fraGeneral),
                            QStringLiteral("chkOptimizeTags"));
    chkHtmlClipboard = Named(new QCheckBox(tr("HTML形式でもクリップボードに置く(&H)"), fraGeneral),
                             QStringLiteral("chkHtmlClipboard"));
    // The style sheet whose rules the HTML flavour carries inline; the preview shows it too.
    lblPasteStyleSheet = Named(new QLabel(tr("貼り付け用のスタイルシート(&S)"), fraGeneral),
                               QStringLiteral("lblPasteStyleSheet"));
    txtPasteStyleSheet = MakeTextBox(fraGeneral, QStringLiteral("txtPasteStyleSheet"));
    txtPasteStyleSheet->setReadOnly(true);
    txtPasteStyleSheet->setPlaceholderText(tr("同梱の brevlin.css"));
    lblPasteStyleSheet->setBuddy(txtPasteStyleSheet);
    cmdPasteStyleSheet =
        MakeButton(fraGeneral, QStringLiteral("cmdPasteStyleSheet"), tr("参照(&R)..."));
    cmdPasteStyleSheetReset =
        MakeButton(fraGeneral, QStringLiteral("cmdPasteStyleSheetReset"), tr("同梱に戻す(&U)"));
    lblPasteStyleSheetState =
        Named(new QLabel(fraGeneral), QStringLiteral("lblPasteStyleSheetState"));
    lblPasteStyleSheetState->setWordWrap(true);
    lblPasteStyleSheetState->setVisible(false);
    auto* sheet = new QHBoxLayout;
    sheet->addWidget(txtPasteStyleSheet, 1);
    sheet->addWidget(cmdPasteStyleSheet);
    sheet->addWidget(cmdPasteStyleSheetReset);

    auto* frame = new QVBoxLayout(fraGeneral);
    frame->addWidget(chkBeepOnProcess);
    frame->addWidget(chkOptimizeTags);
    frame->addWidget(chkHtmlClipboard);
    frame->addSpacing(chkHtmlClipboard->sizeHint().height() / 2);
    frame->addWidget(lblPasteStyleSheet);
    frame->addLayout(sheet);
    frame->addWidget(lblPasteStyleSheetState);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fraGeneral);
    layout->addStretch(1);
    return page;
}

QWidget* OptionsControls::BuildLanguagePage(QWidget* parent) {
    auto* page = Named(new QWidget(parent), QStringLiteral("picOptions1"));
    txtName = MakeTextBox(page, QStringLiteral("txtName"));
    lblCaption[1] = Named(new QLabel(tr("設定名(&N)"), page), QStringLiteral("lblCaption1"));
    lblCaption[1]->setBuddy(txtName);

    auto* name = new QHBoxLayout;
    name->addWidget(lblCaption[1]);
    name->addWidget(txtName, 1);

    auto* frames = new QHBoxLayout;
    frames->addWidget(BuildTagsFrame(page), 1);
    frames->addWidget(BuildKeywordsFrame(page), 1);

    lvwComments = MakeList(page, QStringLiteral("lvwComments"));
    lvwComments->setHeaderLabels({tr("開始タグ"), tr("終了タグ"), tr("エスケープ"), tr("単語単位"),
                                  tr("開始HTML"), tr("終了HTML")});
    lvwComments->header()->setSectionResizeMode(QHeaderView::Stretch);
    lvwComments->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lvwComments->setMinimumHeight(RowsHeight(lvwComments, 5) +
                                  lvwComments->header()->sizeHint().height());
    lvwComments->header()->setSectionsMovable(false);
    lblCaption[0] =
        Named(new QLabel(tr("コメント／リテラル(&C)"), page), QStringLiteral("lblCaption0"));
    lblCaption[0]->setBuddy(lvwComments);
    cmdCmAdd = MakeButton(page, QStringLiteral("cmdCmAdd"), tr("新規(&N)"));
    cmdCmEdit = MakeButton(page, QStringLiteral("cmdCmEdit"), tr("編集(&E)"));
    cmdCmDelete = MakeButton(page, QStringLiteral("cmdCmDelete"), tr("削除(&L)"));

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(name);
    layout->addLayout(frames, 3);
    layout->addWidget(lblCaption[0]);
    layout->addWidget(lvwComments, 2);
    layout->addLayout(ButtonRow({cmdCmAdd, cmdCmEdit, cmdCmDelete}));
    layout->addWidget(BuildPreviewFrame(page), 2);
    return page;
}

QGroupBox* OptionsControls::BuildPreviewFrame(QWidget* parent) {
    fraPreview = Named(new QGroupBox(tr("プレビュー"), parent), QStringLiteral("fraPreview"));
    txtPreviewSample = Named(new QPlainTextEdit(fraPreview), QStringLiteral("txtPreviewSample"));
    txtPreviewSample->setFont(TextBoxFont());
    txtPreviewSample->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab moves on, as everywhere in the dialog; a sample with tabs can be pasted.
    txtPreviewSample->setTabChangesFocus(true);
    txtPreviewSample->setPlaceholderText(tr("変換を試すコードをここに入力します"));
    lblPreviewSample =
        Named(new QLabel(tr("サンプル(&Y)"), fraPreview), QStringLiteral("lblPreviewSample"));
    lblPreviewSample->setBuddy(txtPreviewSample);
    chkPreviewSource = Named(new QCheckBox(tr("HTMLソースを表示(&V)"), fraPreview),
                             QStringLiteral("chkPreviewSource"));
    txtPreview = Named(new QTextBrowser(fraPreview), QStringLiteral("txtPreview"));
    txtPreview->setFont(TextBoxFont());
    txtPreview->setLineWrapMode(QTextEdit::NoWrap);
    txtPreview->setTabChangesFocus(true);
    // The user's own tags may hold links; the preview shows them, it does not follow them.
    txtPreview->setOpenLinks(false);
    const int height = RowsHeight(lvwKeywords, 5);
    txtPreviewSample->setMinimumHeight(height);
    txtPreview->setMinimumHeight(height);

    auto* grid = new QGridLayout(fraPreview);
    grid->addWidget(lblPreviewSample, 0, 0);
    grid->addWidget(chkPreviewSource, 0, 1);
    grid->addWidget(txtPreviewSample, 1, 0);
    grid->addWidget(txtPreview, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return fraPreview;
}

QGroupBox* OptionsControls::BuildTagsFrame(QWidget* parent) {
    fraTags = Named(new QGroupBox(tr("書式設定"), parent), QStringLiteral("fraTags"));
    txtStartHTML = MakeTextBox(fraTags, QStringLiteral("txtStartHTML"));
    txtEndHTML = MakeTextBox(fraTags, QStringLiteral("txtEndHTML"));
    lblCaption[2] =
        Named(new QLabel(tr("開始HTMLタグ(&H)"), fraTags), QStringLiteral("lblCaption2"));
    lblCaption[2]->setBuddy(txtStartHTML);
    lblCaption[3] =
        Named(new QLabel(tr("終了HTMLタグ(&M)"), fraTags), QStringLiteral("lblCaption3"));
    lblCaption[3]->setBuddy(txtEndHTML);
    chkReplaceTab =
        Named(new QCheckBox(tr("Tabを空白に変換(&P)"), fraTags), QStringLiteral("chkReplaceTab"));

    txtTabs = MakeTextBox(fraTags, QStringLiteral("txtTabs"));
    txtTabs->setMaxLength(2);
    txtTabs->setText(QStringLiteral("4"));
    txtTabs->setEnabled(false);
    txtTabs->setFixedWidth(QFontMetrics(txtTabs->font()).horizontalAdvance(QStringLiteral("000")) +
                           12);
    updTabs = Named(new ctlUpDown(fraTags), QStringLiteral("updTabs"));
    updTabs->SetBuddy(txtTabs);
    updTabs->SetRange(1, 16);
    updTabs->SetValue(4);
    updTabs->setEnabled(false);
    updTabs->setFixedHeight(txtTabs->sizeHint().height());
    lblCaption[4] = Named(new QLabel(tr("桁"), fraTags), QStringLiteral("lblCaption4"));
    lblCaption[4]->setEnabled(false);

    auto* tabs = new QHBoxLayout;
    tabs->setSpacing(0);
    tabs->addSpacing(20);
    tabs->addWidget(txtTabs);
    tabs->addWidget(updTabs);
    tabs->addSpacing(6);
    tabs->addWidget(lblCaption[4]);
    tabs->addStretch(1);

    auto* layout = new QVBoxLayout(fraTags);
    layout->addWidget(lblCaption[2]);
    layout->addWidget(txtStartHTML);
    layout->addWidget(lblCaption[3]);
    layout->addWidget(txtEndHTML);
    layout->addWidget(chkReplaceTab);
    layout->addLayout(tabs);
    layout->addStretch(1);
    return fraTags;
}

QGroupBox* OptionsControls::BuildKeywordsFrame(QWidget* parent) {
    fraKeywords = Named(new QGroupBox(tr("キーワード"), parent), QStringLiteral("fraKeywords"));
    chkIgnoreCase = Named(new QCheckBox(tr("大文字小文字を区別しない(&G)"), fraKeywords),
                          QStringLiteral("chkIgnoreCase"));
    lvwKeywords = MakeList(fraKeywords, QStringLiteral("lvwKeywords"));
    lvwKeywords->setHeaderHidden(true);
    lvwKeywords->setColumnCount(1);
    lvwKeywords->setMinimumHeight(RowsHeight(lvwKeywords, 6));
    cmdKwAdd = MakeButton(fraKeywords, QStringLiteral("cmdKwAdd"), tr("新規(&W)"));
    cmdKwEdit = MakeButton(fraKeywords, QStringLiteral("cmdKwEdit"), tr("編集(&T)"));
    cmdKwDelete = MakeButton(fraKeywords, QStringLiteral("cmdKwDelete"), tr("削除(&R)"));

    auto* layout = new QVBoxLayout(fraKeywords);
    layout->addWidget(chkIgnoreCase);
    layout->addWidget(lvwKeywords, 1);
    layout->addLayout(ButtonRow({cmdKwAdd, cmdKwEdit, cmdKwDelete}));
    return fraKeywords;
}

void OptionsControls::BuildMenus(QDialog* form) {
    mnuKwPopup = Named(new QMenu(form), QStringLiteral("mnuKwPopup"));
    mnuKwEdit = MakeEntry(mnuKwPopup, QStringLiteral("mnuKwEdit"), tr("編集(&E)"));
    mnuKwAdd = MakeEntry(mnuKwPopup, QStringLiteral("mnuKwAdd"), tr("追加(&A)"));
    mnuKwDelete = MakeEntry(mnuKwPopup, QStringLiteral("mnuKwDelete"), tr("削除(&D)"));
    mnuCmPopup = Named(new QMenu(form), QStringLiteral("mnuCmPopup"));
    mnuCmEdit = MakeEntry(mnuCmPopup, QStringLiteral("mnuCmEdit"), tr("編集(&E)"));
    mnuCmAdd = MakeEntry(mnuCmPopup, QStringLiteral("mnuCmAdd"), tr("追加(&A)"));
    mnuCmDelete = MakeEntry(mnuCmPopup, QStringLiteral("mnuCmDelete"), tr("削除(&D)"));
}

void OptionsControls::SetTabOrder() {
    QWidget* order[] = {tbsOptions,
                        chkBeepOnProcess,
                        chkOptimizeTags,
                        chkHtmlClipboard,
                        txtPasteStyleSheet,
                        cmdPasteStyleSheet,
                        cmdPasteStyleSheetReset,
                        txtName,
                        txtStartHTML,
                        txtEndHTML,
                        chkReplaceTab,
                        txtTabs,
                        chkIgnoreCase,
                        lvwKeywords,
                        cmdKwAdd,
                        cmdKwEdit,
                        cmdKwDelete,
                        lvwComments,
                        cmdCmAdd,
                        cmdCmEdit,
                        cmdCmDelete,
                        txtPreviewSample,
                        chkPreviewSource,
                        txtPreview,
                        cmdOK,
                        cmdCancel,
                        cmdNew,
                        cmdDelete,
                        cmdImport,
                        cmdExport};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void OptionsControls::SetHelpContextIDs() {
    const std::pair<QWidget*, int> ids[] = {{chkBeepOnProcess, 1008},
                                            {chkOptimizeTags, 1009},
                                            {chkHtmlClipboard, 1030},
                                            {lblCaption[1], 1010},
                                            {txtName, 1010},
                                            {lblCaption[2], 1011},
                                            {txtStartHTML, 1011},
                                            {lblCaption[3], 1012},
                                            {txtEndHTML, 1012},
                                            {chkReplaceTab, 1013},
                                            {updTabs, 1014},
                                            {txtTabs, 1014},
                                            {lblCaption[4], 1014},
                                            {chkIgnoreCase, 1015},
                                            {lvwKeywords, 1016},
                                            {cmdKwAdd, 1017},
                                            {cmdKwEdit, 1018},
                                            {cmdKwDelete, 1019},
                                            {lblCaption[0], 1020},
                                            {lvwComments, 1020},
                                            {cmdCmAdd, 1021},
                                            {cmdCmEdit, 1022},
                                            {cmdCmDelete, 1023},
                                            {cmdOK, 1000},
                                            {cmdCancel, 1001},
                                            {cmdNew, 1003},
                                            {cmdDelete, 1004},
                                            {cmdImport, 1005},
                                            {cmdExport, 1006},
                                            {lblPreviewSample, 1031},
                                            {txtPreviewSample, 1031},
                                            {chkPreviewSource, 1032},
                                            {txtPreview, 1033},
                                            {lblPasteStyleSheet, 1034},
                                            {txtPasteStyleSheet, 1034},
                                            {cmdPasteStyleSheet, 1034},
                                            {cmdPasteStyleSheetReset, 1034}};
    for (const auto& [control, id] : ids)
        SetHelpContextID(control, id);
    // The pop-up menus' entries do what the buttons beside the lists do.
    const std::pair<QAction*, int> entries[] = {{mnuKwEdit, 1018},   {mnuKwAdd, 1017},
                                                {mnuKwDelete, 1019}, {mnuCmEdit, 1022},
                                                {mnuCmAdd, 1021},    {mnuCmDelete, 1023}};
    for (const auto& [entry, id] : entries)
        SetHelpContextID(entry, id);
}

void OptionsControls::SetAccessibleNames() {
    // What a screen reader says for controls whose caption is not their own text or that
    // have none: the lists by their frame or label, the tab width by its help's words.
    lvwKeywords->setAccessibleName(fraKeywords->title());
    lvwKeywords->setHeaderLabels({fraKeywords->title()});
    lvwComments->setAccessibleName(QString(lblCaption[0]->text()).remove(QLatin1Char('&')));
    txtTabs->setAccessibleName(tr("タブの幅（桁）"));
    txtPasteStyleSheet->setAccessibleName(
        QString(lblPasteStyleSheet->text()).remove(QLatin1Char('&')));
    updTabs->setAccessibleName(tr("タブの幅"));
    mnuKwPopup->setWindowTitle(fraKeywords->title());
    mnuCmPopup->setWindowTitle(lvwComments->accessibleName());
}

} // namespace brevlin
