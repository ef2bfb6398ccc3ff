#include "ui/options/KeywordList.h"

#include "engine/RegExp.h"
#include "ui/options/OptionsContext.h"
#include "ui/options/OptionsControls.h"
#include "ui/options/clsLabelEditDelegate.h"
#include "ui/options/clsListEvents.h"
#include "ui/options/modOptions.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

namespace brevlin {

namespace {

// A new keyword's name, followed by the first free number.
QString DefaultName() {
    return KeywordList::tr("新規キーワード");
}

QTreeWidgetItem* MakeRow(const QString& text) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

} // namespace

KeywordList::KeywordList(OptionsContext& context, OptionsControls& controls, QObject* parent)
    : QObject(parent), m_context(context), m_c(controls),
      m_events(new clsListEvents(controls.lvwKeywords)),
      m_labelEdit(new clsLabelEditDelegate(
          [this](int row, const QString& text) { return lvwKeywords_AfterLabelEdit(row, text); },
          controls.lvwKeywords)) {
    m_c.lvwKeywords->setItemDelegate(m_labelEdit);
    connect(m_events, &clsListEvents::KeyUp, this, &KeywordList::lvwKeywords_KeyUp);
    connect(m_events, &clsListEvents::MouseUp, this, &KeywordList::lvwKeywords_MouseUp);

    connect(m_c.cmdKwAdd, &QPushButton::clicked, this, &KeywordList::AddKeyword);
    connect(m_c.cmdKwEdit, &QPushButton::clicked, this, &KeywordList::EditKeyword);
    connect(m_c.cmdKwDelete, &QPushButton::clicked, this,
            [this] { DeleteKeyword(m_c.cmdKwDelete); });
    connect(m_c.mnuKwAdd, &QAction::triggered, this, &KeywordList::AddKeyword);
    connect(m_c.mnuKwEdit, &QAction::triggered, this, &KeywordList::EditKeyword);
    // The pop-up menu belongs to the list.
    connect(m_c.mnuKwDelete, &QAction::triggered, this, [this] { DeleteKeyword(m_c.lvwKeywords); });
    connect(m_c.mnuKwPopup, &QMenu::aboutToShow, this, &KeywordList::UpdateKeywordButtons);
}

bool KeywordList::IsKeywordText(const QString& text) {
    if (text.isEmpty())
        return false;
    RegExp outside;
    outside.SetPattern(u"[^\\w#]");
    return !outside.Test(ToText(text));
}

void KeywordList::Fill(const Language& language) {
    m_c.lvwKeywords->clear();
    const Keywords& keywords = language.Keywords();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(keywords.Count());
    for (int i = 1; i <= keywords.Count(); ++i)
        rows.append(MakeRow(ToQString(keywords.Item(i))));
    m_c.lvwKeywords->addTopLevelItems(rows);
    if (!rows.isEmpty())
        m_c.lvwKeywords->setCurrentItem(rows.first());
}

int KeywordList::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_c.lvwKeywords->selectedItems();
    if (selected.isEmpty())
        return -1;
    return m_c.lvwKeywords->indexOfTopLevelItem(selected.first());
}

void KeywordList::UpdateKeywordButtons() {
    const bool has = SelectedRow() >= 0;
    m_c.cmdKwDelete->setEnabled(has);
    m_c.cmdKwEdit->setEnabled(has);
    m_c.mnuKwDelete->setEnabled(has);
    m_c.mnuKwEdit->setEnabled(has);
}

void KeywordList::AddKeyword() {
    if (!m_context.ShowsLanguage())
        return;
    QTreeWidget* list = m_c.lvwKeywords;
    list->setFocus();
    int n = 1;
    for (;;) {
        const QString candidate = DefaultName() + QString::number(n);
        bool taken = false;
        for (int row = 0; row < list->topLevelItemCount() && !taken; ++row)
            taken = list->topLevelItem(row)->text(0) == candidate;
        if (!taken)
            break;
        ++n;
    }
    const QString name = DefaultName() + QString::number(n);
    const int pos = m_context.Current().Keywords().Add(ToText(name));
    QTreeWidgetItem* row = MakeRow(name);
    list->insertTopLevelItem(pos - 1, row);
    list->setCurrentItem(row);
    list->editItem(row, 0);
    UpdateKeywordButtons();
}

void KeywordList::EditKeyword() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_c.lvwKeywords->setFocus();
    m_c.lvwKeywords->editItem(m_c.lvwKeywords->topLevelItem(row), 0);
}

void KeywordList::DeleteKeyword(QWidget* opener) {
    const QPointer<QWidget> returnTo = opener ? opener : m_context.form->focusWidget();
    const int row = SelectedRow();
    if (row >= 0 && m_context.ShowsLanguage()) {
        const QString text = m_c.lvwKeywords->topLevelItem(row)->text(0);
        if (AskYesNo(m_context.form, tr("キーワード「%1」を削除しますか？").arg(text))) {
            m_context.Current().Keywords().Remove(row + 1);
            delete m_c.lvwKeywords->takeTopLevelItem(row);
            // Keep a row selected, as the list view of the design does.
            const int count = m_c.lvwKeywords->topLevelItemCount();
            if (count > 0)
                m_c.lvwKeywords->setCurrentItem(
                    m_c.lvwKeywords->topLevelItem(std::min(row, count - 1)));
        }
    }
    UpdateKeywordButtons();
    ReturnFocus({returnTo.data(), m_c.lvwKeywords});
}

void KeywordList::EndLabelEdit(bool commit) {
    m_labelEdit->EndLabelEdit(commit);
}

bool KeywordList::lvwKeywords_AfterLabelEdit(int row, const QString& newString) {
    if (IsKeywordText(newString) && m_context.ShowsLanguage() &&
        row < m_context.Current().Keywords().Count()) {
        m_context.Current().Keywords().SetItem(row + 1, ToText(newString));
        return true;
    }
    SystemBeep();
    return false;
}

void KeywordList::lvwKeywords_KeyUp(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        EditKeyword();
        break;
    case Qt::Key_Delete:
        DeleteKeyword(m_c.lvwKeywords);
        break;
    case Qt::Key_Insert:
        AddKeyword();
        break;
    default:
        break;
    }
}

void KeywordList::lvwKeywords_MouseUp(Qt::MouseButton button, const QPoint& position) {
    if (button == Qt::RightButton)
        m_c.mnuKwPopup->exec(position);
}

} // namespace brevlin
