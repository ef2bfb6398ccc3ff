#include "ui/shell/clsVarMenu.h"

#include "text/BrevlinError.h"

#include <QAction>
#include <QMenu>

namespace brevlin::shell {

namespace {

void SetChecked(QAction* entry, bool checked) {
    entry->setCheckable(checked);
    entry->setChecked(checked);
}

} // namespace

clsVarMenu::~clsVarMenu() {
    // The clones go with the list; entry 0 stays with its menu.
    for (std::size_t i = m_entries.size(); i > 1; --i)
        delete m_entries[i - 1].data();
}

void clsVarMenu::SetMenuObject(QMenu* menu, QAction* first) {
    m_menu = menu;
    m_entries.clear();
    m_entries.emplace_back(first);
    m_count = 0;
    Clear();
}

void clsVarMenu::SetEmptyCaption(const QString& caption) {
    m_emptyCaption = caption;
    if (m_count == 0 && !m_entries.empty() && m_entries[0])
        m_entries[0]->setText(caption);
}

QAction* clsVarMenu::Item(int index) const {
    if (index < 1 || index > m_count)
        ThrowSubscriptOutOfRange();
    return m_entries[static_cast<std::size_t>(index - 1)];
}

int clsVarMenu::IndexOf(const QAction* action) const {
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[static_cast<std::size_t>(i)] == action)
            return i;
    }
    return -1;
}

QAction* clsVarMenu::Add(const QString& caption, bool enabled, bool checked) {
    QAction* entry = nullptr;
    if (m_count == 0) {
        entry = m_entries[0];
    } else {
        // The clone goes right after the last entry, so the list stays together.
        entry = new QAction(m_menu);
        const QList<QAction*> actions = m_menu->actions();
        const qsizetype last = actions.indexOf(m_entries.back().data());
        QAction* before = last + 1 < actions.size() ? actions[last + 1] : nullptr;
        m_menu->insertAction(before, entry);
        m_entries.emplace_back(entry);
    }
    entry->setText(caption);
    entry->setEnabled(enabled);
    SetChecked(entry, checked);
    entry->setVisible(true);
    ++m_count;
    return entry;
}

void clsVarMenu::Clear() {
    while (m_entries.size() > 1) {
        delete m_entries.back().data();
        m_entries.pop_back();
    }
    if (!m_entries.empty() && m_entries[0]) {
        QAction* placeholder = m_entries[0];
        placeholder->setText(m_emptyCaption);
        SetChecked(placeholder, false);
        placeholder->setEnabled(false);
    }
    m_count = 0;
}

} // namespace brevlin::shell
