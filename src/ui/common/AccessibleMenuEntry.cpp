#include "ui/common/AccessibleMenuEntry.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QStyle>

namespace brevlin {

namespace {

const char* const kDescribedProperty = "brevlinAccessibleDescription";

QMenu* MenuOf(QAction* action) {
    for (QObject* owner : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return menu;
    }
    return nullptr;
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* action = qobject_cast<QAction*>(object);
    if (action == nullptr || !action->property(kDescribedProperty).toBool())
        return nullptr;
    QMenu* menu = MenuOf(action);
    return menu ? new AccessibleMenuEntry(menu, action) : nullptr;
}

// "&Edit" reads "Edit"; "&&" is an ampersand.
QString StripAmpersands(const QString& caption) {
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

QString AccessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (caption[i + 1] != QLatin1Char('&'))
                return QStringLiteral("Alt+") + caption[i + 1].toUpper();
            ++i;
        }
    }
    return {};
}

} // namespace

AccessibleMenuEntry::AccessibleMenuEntry(QMenu* menu, QAction* action)
    : m_menu(menu), m_action(action) {}

void AccessibleMenuEntry::Describe(QAction* action, const QString& description) {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
    action->setStatusTip(description);
    action->setProperty(kDescribedProperty, true);
}

bool AccessibleMenuEntry::isValid() const {
    return m_menu && m_action;
}

QObject* AccessibleMenuEntry::object() const {
    return m_action;
}

QWindow* AccessibleMenuEntry::window() const {
    return m_menu ? m_menu->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleMenuEntry::childAt(int, int) const {
    return nullptr;
}

QAccessibleInterface* AccessibleMenuEntry::parent() const {
    return QAccessible::queryAccessibleInterface(m_menu.data());
}

QAccessibleInterface* AccessibleMenuEntry::child(int index) const {
    if (index == 0 && m_action && m_action->menu())
        return QAccessible::queryAccessibleInterface(m_action->menu());
    return nullptr;
}

int AccessibleMenuEntry::childCount() const {
    return m_action && m_action->menu() ? 1 : 0;
}

int AccessibleMenuEntry::indexOfChild(const QAccessibleInterface* child) const {
    return child && m_action && child->object() == m_action->menu() ? 0 : -1;
}

QString AccessibleMenuEntry::text(QAccessible::Text t) const {
    if (!m_action)
        return {};
    switch (t) {
    case QAccessible::Name:
        return StripAmpersands(m_action->text());
    case QAccessible::Description:
        return m_action->statusTip();
    case QAccessible::Accelerator:
        return m_action->shortcut().isEmpty() ? AccessKey(m_action->text())
                                              : m_action->shortcut().toString();
    default:
        return {};
    }
}

void AccessibleMenuEntry::setText(QAccessible::Text, const QString&) {}

QRect AccessibleMenuEntry::rect() const {
    if (!isValid())
        return {};
    const QRect place = m_menu->actionGeometry(m_action);
    return place.translated(m_menu->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role AccessibleMenuEntry::role() const {
    return m_action && m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
}

QAccessible::State AccessibleMenuEntry::state() const {
    QAccessible::State s;
    if (!isValid())
        return s;
    if (!m_menu->testAttribute(Qt::WA_WState_Visible) || !m_action->isVisible())
        s.invisible = true;
    if (m_menu->activeAction() == m_action)
        s.focused = true;
    if (m_menu->style()->styleHint(QStyle::SH_Menu_MouseTracking))
        s.hotTracked = true;
    if (m_action->isSeparator() || !m_action->isEnabled())
        s.disabled = true;
    s.checked = m_action->isChecked();
    s.checkable = m_action->isCheckable();
    return s;
}

void* AccessibleMenuEntry::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList AccessibleMenuEntry::actionNames() const {
    if (!m_action || m_action->isSeparator())
        return {};
    return {m_action->menu() ? showMenuAction() : pressAction()};
}

void AccessibleMenuEntry::doAction(const QString& actionName) {
    if (!isValid() || !m_action->isEnabled())
        return;
    if (actionName == pressAction())
        m_action->trigger();
    else if (actionName == showMenuAction())
        m_menu->setActiveAction(m_action);
}

QStringList AccessibleMenuEntry::keyBindingsForAction(const QString&) const {
    return {};
}

} // namespace brevlin
