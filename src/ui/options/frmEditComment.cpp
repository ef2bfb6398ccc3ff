#include "ui/options/frmEditComment.h"

#include "engine/Comment.h"
#include "ui/options/ContextHelp.h"
#include "ui/options/LoadedTextValidator.h"
#include "ui/options/modOptions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace brevlin {

namespace {

constexpr int kClauseLimit = 2;
constexpr int kEscapeLimit = 1;
// A text box's MaxLength of 0 means "no limit".
constexpr int kNoLimit = 32767;

QLineEdit* MakeTextBox(QWidget* parent, const QString& name, int maxLength,
                       LoadedTextValidator** limit = nullptr) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFont(TextBoxFont());
    box->setMaxLength(maxLength);
    SelectAllTextOnFocus(box);
    if (limit != nullptr) {
        *limit = new LoadedTextValidator(box);
        (*limit)->SetLimit(maxLength);
        box->setValidator(*limit);
    }
    return box;
}

QLabel* MakeLabel(QWidget* parent, int index, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QStringLiteral("lblCaption%1").arg(index));
    label->setBuddy(buddy);
    return label;
}

} // namespace

frmEditComment::frmEditComment(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::WindowContextHelpButtonHint) {
    setObjectName(QStringLiteral("frmEditComment"));
    setWindowTitle(tr("コメント／リテラルの設定"));
    BuildControls();

    connect(m_chkMatchWord, &QCheckBox::toggled, this, &frmEditComment::chkMatchWord_Click);
    connect(m_txtStartTag, &QLineEdit::textChanged, this, &frmEditComment::txtStartTag_Change);
    connect(m_cmdOk, &QPushButton::clicked, this, &frmEditComment::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmEditComment::cmdCancel_Click);
}

void frmEditComment::BuildControls() {
    m_txtStartTag = MakeTextBox(this, QStringLiteral("txtStartTag"), kClauseLimit, &m_startLimit);
    m_txtEndTag = MakeTextBox(this, QStringLiteral("txtEndTag"), kClauseLimit, &m_endLimit);
    m_chkMatchWord = new QCheckBox(tr("単語単位(&W)"), this);
    m_chkMatchWord->setObjectName(QStringLiteral("chkMatchWord"));
    m_txtEscapeChar =
        MakeTextBox(this, QStringLiteral("txtEscapeChar"), kEscapeLimit, &m_escapeLimit);
    m_fraTags = new QGroupBox(tr("書式設定"), this);
    m_fraTags->setObjectName(QStringLiteral("fraTags"));
    m_txtStartHTML = MakeTextBox(m_fraTags, QStringLiteral("txtStartHTML"), kNoLimit);
    m_txtEndHTML = MakeTextBox(m_fraTags, QStringLiteral("txtEndHTML"), kNoLimit);
    m_lblCaption[0] = MakeLabel(this, 0, tr("開始タグ(&S)"), m_txtStartTag);
    m_lblCaption[1] = MakeLabel(this, 1, tr("終了タグ(&C)"), m_txtEndTag);
    m_lblCaption[2] = MakeLabel(this, 2, tr("タグのエスケープ文字(&E)"), m_txtEscapeChar);
    m_lblCaption[3] = MakeLabel(m_fraTags, 3, tr("開始HTMLタグ(&H)"), m_txtStartHTML);
    m_lblCaption[4] = MakeLabel(m_fraTags, 4, tr("終了HTMLタグ(&T)"), m_txtEndHTML);
    m_cmdOk = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdOk->setEnabled(false);
    m_cmdCancel = new QPushButton(tr("キャンセル"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    const QFontMetrics metrics(TextBoxFont());
    const int clauseWidth = metrics.horizontalAdvance(QStringLiteral("MMMMMM")) + 8;
    m_txtEndTag->setFixedWidth(clauseWidth);
    m_txtEscapeChar->setFixedWidth(clauseWidth);

    auto* clauses = new QGridLayout;
    clauses->addWidget(m_lblCaption[0], 0, 0);
    clauses->addWidget(m_txtStartTag, 0, 1);
    clauses->addWidget(m_lblCaption[1], 0, 2);
    clauses->addWidget(m_txtEndTag, 0, 3);
    clauses->addWidget(m_chkMatchWord, 1, 0, 1, 2);
    clauses->addWidget(m_lblCaption[2], 1, 2);
    clauses->addWidget(m_txtEscapeChar, 1, 3);
    clauses->setColumnStretch(1, 1);

    auto* tags = new QGridLayout(m_fraTags);
    tags->addWidget(m_lblCaption[3], 0, 0);
    tags->addWidget(m_txtStartHTML, 0, 1);
    tags->addWidget(m_lblCaption[4], 1, 0);
    tags->addWidget(m_txtEndHTML, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(clauses);
    layout->addWidget(m_fraTags);
    layout->addStretch(1);
    layout->addLayout(buttons);

    setTabOrder(m_txtStartTag, m_txtEndTag);
    setTabOrder(m_txtEndTag, m_chkMatchWord);
    setTabOrder(m_chkMatchWord, m_txtEscapeChar);
    setTabOrder(m_txtEscapeChar, m_txtStartHTML);
    setTabOrder(m_txtStartHTML, m_txtEndHTML);
    setTabOrder(m_txtEndHTML, m_cmdOk);
    setTabOrder(m_cmdOk, m_cmdCancel);

    SetHelpContextID(m_cmdOk, 1000);
    SetHelpContextID(m_cmdCancel, 1001);
    SetHelpContextID(m_lblCaption[0], 1024);
    SetHelpContextID(m_txtStartTag, 1024);
    SetHelpContextID(m_chkMatchWord, 1025);
    SetHelpContextID(m_lblCaption[1], 1027);
    SetHelpContextID(m_txtEndTag, 1027);
    SetHelpContextID(m_lblCaption[3], 1028);
    SetHelpContextID(m_txtStartHTML, 1028);
    SetHelpContextID(m_lblCaption[4], 1029);
    SetHelpContextID(m_txtEndHTML, 1029);
    // The field has no help ID; a screen reader still says what it is for.
    m_txtEscapeChar->setAccessibleDescription(
        tr("この 1 文字の直後にある終了タグは、範囲の終わりになりません。例: 文字列の \\\"。"));
    buttons->insertWidget(0, ContextHelp::Attach(this));

    // The design's client area, grown evenly if the fonts need more room.
    QSize size = TwipsToPixels(this, 4710, 2835);
    const QSize hint = sizeHint();
    const double grow = std::max({1.0, static_cast<double>(hint.width()) / size.width(),
                                  static_cast<double>(hint.height()) / size.height()});
    size = QSize(qRound(size.width() * grow), qRound(size.height() * grow));
    setFixedSize(size);
}

void frmEditComment::chkMatchWord_Click() {
    const bool w = m_chkMatchWord->isChecked();
    m_lblCaption[1]->setEnabled(!w);
    m_txtEndTag->setEnabled(!w);
    m_lblCaption[2]->setEnabled(!w);
    m_txtEscapeChar->setEnabled(!w);
    // A shorter limit cuts what was typed at once.
    ApplyLimit(m_txtStartTag, m_startLimit, w ? kNoLimit : kClauseLimit);
    ApplyLimit(m_txtEndTag, m_endLimit, m_startLimit->Limit());
}

void frmEditComment::ApplyLimit(QLineEdit* box, LoadedTextValidator* validator, int limit) {
    validator->SetLimit(limit);
    box->setMaxLength(validator->MaxLengthFor(box->text()));
    box->setText(box->text());
}

void frmEditComment::SetLoadedText(QLineEdit* box, LoadedTextValidator* validator,
                                   const QString& text) {
    validator->SetLoaded(text);
    box->setMaxLength(validator->MaxLengthFor(text));
    box->setText(text);
}

void frmEditComment::Fill(const Comment& rule) {
    m_filled = true;
    m_loadedMatchWord = rule.MatchWord();
    m_loadedEnd = QString::fromStdU16String(rule.ClauseEnd());
    // The switch first: it sets the clauses' limits.
    m_chkMatchWord->setChecked(rule.MatchWord());
    SetLoadedText(m_txtStartTag, m_startLimit, QString::fromStdU16String(rule.ClauseStart()));
    SetLoadedText(m_txtEndTag, m_endLimit, m_loadedEnd);
    SetLoadedText(m_txtEscapeChar, m_escapeLimit, QString::fromStdU16String(rule.EscapeChar()));
    m_txtStartHTML->setText(QString::fromStdU16String(rule.StartTag()));
    m_txtEndHTML->setText(QString::fromStdU16String(rule.EndTag()));
}

QString frmEditComment::ClauseEnd() const {
    if (!m_chkMatchWord->isChecked())
        return m_txtEndTag->text();
    const bool untouched = m_filled && m_loadedMatchWord && m_txtEndTag->text() == m_loadedEnd;
    return untouched ? m_loadedEnd : QString();
}

void frmEditComment::txtStartTag_Change() {
    m_cmdOk->setEnabled(!m_txtStartTag->text().isEmpty());
}

void frmEditComment::cmdOk_Click() {
    m_canceled = false;
    UnloadByCode();
}

void frmEditComment::cmdCancel_Click() {
    m_canceled = true;
    UnloadByCode();
}

void frmEditComment::accept() {
    if (m_cmdOk->isEnabled())
        cmdOk_Click();
}

void frmEditComment::reject() {
    cmdCancel_Click();
}

void frmEditComment::done(int result) {
    if (result == QDialog::Accepted)
        accept();
    else
        reject();
}

void frmEditComment::UnloadByCode() {
    m_unloadByCode = true;
    close();
}

void frmEditComment::closeEvent(QCloseEvent* event) {
    if (!m_unloadByCode)
        m_canceled = true;
    m_unloadByCode = false;
    event->accept();
    if (!m_unloaded) {
        m_unloaded = true;
        emit Unload(m_canceled);
    }
}

void frmEditComment::showEvent(QShowEvent* event) {
    if (!m_placed) {
        m_placed = true;
        if (QWidget* owner = parentWidget()) {
            const QRect area = owner->window()->frameGeometry();
            move(area.center() - rect().center());
        }
    }
    QDialog::showEvent(event);
}

} // namespace brevlin
