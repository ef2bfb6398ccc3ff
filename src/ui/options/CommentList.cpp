#include "ui/options/CommentList.h"

#include "ui/options/OptionsContext.h"
#include "ui/options/OptionsControls.h"
#include "ui/options/clsListEvents.h"
#include "ui/options/frmEditComment.h"
#include "ui/options/modOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

namespace brevlin {

namespace {

QString BoolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

CommentList::CommentList(OptionsContext& context, OptionsControls& controls, QObject* parent)
    : QObject(parent), m_context(context), m_c(controls),
      m_events(new clsListEvents(controls.lvwComments)) {
    connect(m_events, &clsListEvents::KeyUp, this, &CommentList::lvwComments_KeyUp);
    connect(m_events, &clsListEvents::MouseUp, this, &CommentList::lvwComments_MouseUp);
    QTreeWidget* list = m_c.lvwComments;
    connect(m_events, &clsListEvents::DblClick, this, [this, list] { EditComment(list); });

    connect(m_c.cmdCmAdd, &QPushButton::clicked, this, [this] { AddComment(m_c.cmdCmAdd); });
    connect(m_c.cmdCmEdit, &QPushButton::clicked, this, [this] { EditComment(m_c.cmdCmEdit); });
    connect(m_c.cmdCmDelete, &QPushButton::clicked, this,
            [this] { DeleteComment(m_c.cmdCmDelete); });
    // The pop-up menu belongs to the list.
    connect(m_c.mnuCmAdd, &QAction::triggered, this, [this, list] { AddComment(list); });
    connect(m_c.mnuCmEdit, &QAction::triggered, this, [this, list] { EditComment(list); });
    connect(m_c.mnuCmDelete, &QAction::triggered, this, [this, list] { DeleteComment(list); });
    connect(m_c.mnuCmPopup, &QMenu::aboutToShow, this, &CommentList::UpdateCommentButtons);
}

void CommentList::Fill(const Language& language) {
    m_c.lvwComments->clear();
    QList<QTreeWidgetItem*> rows;
    for (const auto& rule : language.Comments()) {
        rows.append(new QTreeWidgetItem(
            QStringList{ToQString(rule->ClauseStart()), ToQString(rule->ClauseEnd()),
                        ToQString(rule->EscapeChar()), BoolText(rule->MatchWord()),
                        ToQString(rule->StartTag()), ToQString(rule->EndTag())}));
    }
    m_c.lvwComments->addTopLevelItems(rows);
    if (!rows.isEmpty())
        m_c.lvwComments->setCurrentItem(rows.first());
}

int CommentList::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_c.lvwComments->selectedItems();
    if (selected.isEmpty())
        return -1;
    return m_c.lvwComments->indexOfTopLevelItem(selected.first());
}

void CommentList::UpdateCommentButtons() {
    const bool s = SelectedRow() >= 0;
    m_c.cmdCmDelete->setEnabled(s);
    m_c.cmdCmEdit->setEnabled(s);
    m_c.mnuCmDelete->setEnabled(s);
    m_c.mnuCmEdit->setEnabled(s);
}

frmEditComment* CommentList::OpenEditor(bool addMode, QWidget* opener) {
    // The options dialog stays disabled while its editor is open.
    m_opener = opener ? opener : m_context.form->focusWidget();
    m_context.form->setEnabled(false);
    auto* editor = new frmEditComment(m_context.form);
    editor->setEnabled(true);
    editor->SetAddMode(addMode);
    connect(editor, &frmEditComment::Unload, this, &CommentList::CommentForm_Unload);
    m_commentForm = editor;
    return editor;
}

void CommentList::AddComment(QWidget* opener) {
    if (!m_context.ShowsLanguage() || m_commentForm)
        return;
    m_editRow = -1;
    ShowEditor(OpenEditor(true, opener));
}

void CommentList::EditComment(QWidget* opener) {
    const int row = SelectedRow();
    if (row < 0 || !m_context.ShowsLanguage() || m_commentForm)
        return;
    frmEditComment* editor = OpenEditor(false, opener);
    m_editRow = row;
    editor->Fill(m_context.Current().Comments().Item(row + 1));
    ShowEditor(editor);
}

void CommentList::ShowEditor(frmEditComment* editor) {
    editor->show();
    // The options dialog is disabled meanwhile: the keyboard belongs to the editor.
    editor->activateWindow();
}

void CommentList::CommentForm_Unload(bool canceled) {
    frmEditComment* editor = m_commentForm;
    if (editor == nullptr)
        return;
    if (!canceled && m_context.ShowsLanguage()) {
        Comments& rules = m_context.Current().Comments();
        QTreeWidgetItem* row = nullptr;
        Comment* rule = nullptr;
        if (editor->AddMode()) {
            row = new QTreeWidgetItem;
            // The selection stays where it was; a first row is selected, as after filling.
            const bool first = m_c.lvwComments->topLevelItemCount() == 0;
            m_c.lvwComments->addTopLevelItem(row);
            rule = &rules.Add();
            if (first)
                m_c.lvwComments->setCurrentItem(row);
            UpdateCommentButtons();
        } else if (m_editRow >= 0 && m_editRow < rules.Count()) {
            row = m_c.lvwComments->topLevelItem(m_editRow);
            rule = &rules.Item(m_editRow + 1);
        }
        if (row != nullptr && rule != nullptr) {
            const bool word = editor->chkMatchWord()->isChecked();
            const QString e = editor->ClauseEnd();
            row->setText(0, editor->txtStartTag()->text());
            row->setText(1, e);
            row->setText(2, editor->txtEscapeChar()->text());
            row->setText(3, BoolText(word));
            row->setText(4, editor->txtStartHTML()->text());
            row->setText(5, editor->txtEndHTML()->text());
            rule->SetClauseStart(ToText(editor->txtStartTag()->text()));
            rule->SetClauseEnd(ToText(e));
            rule->SetEscapeChar(ToText(editor->txtEscapeChar()->text()));
            rule->SetMatchWord(word);
            rule->SetStartTag(ToText(editor->txtStartHTML()->text()));
            rule->SetEndTag(ToText(editor->txtEndHTML()->text()));
        }
    }
    m_commentForm = nullptr;
    m_editRow = -1;
    editor->deleteLater();
    m_context.form->setEnabled(true);
    ReturnFocus({m_opener.data(), m_c.lvwComments});
}

void CommentList::DeleteComment(QWidget* opener) {
    const QPointer<QWidget> returnTo = opener ? opener : m_context.form->focusWidget();
    const int row = SelectedRow();
    if (row >= 0 && m_context.ShowsLanguage()) {
        const QString text = m_c.lvwComments->topLevelItem(row)->text(0);
        if (AskYesNo(m_context.form, tr("「%1」を削除しますか？").arg(text))) {
            m_context.Current().Comments().Remove(row + 1);
            delete m_c.lvwComments->takeTopLevelItem(row);
            const int count = m_c.lvwComments->topLevelItemCount();
            if (count > 0)
                m_c.lvwComments->setCurrentItem(
                    m_c.lvwComments->topLevelItem(std::min(row, count - 1)));
        }
    }
    UpdateCommentButtons();
    ReturnFocus({returnTo.data(), m_c.lvwComments});
}

void CommentList::lvwComments_KeyUp(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        EditComment(m_c.lvwComments);
        break;
    case Qt::Key_Delete:
        DeleteComment(m_c.lvwComments);
        break;
    case Qt::Key_Insert:
        AddComment(m_c.lvwComments);
        break;
    default:
        break;
    }
}

void CommentList::lvwComments_MouseUp(Qt::MouseButton button, const QPoint& position) {
    if (button == Qt::RightButton)
        m_c.mnuCmPopup->exec(position);
}

} // namespace brevlin
