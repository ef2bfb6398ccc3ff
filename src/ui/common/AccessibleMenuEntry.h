#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>

class QAction;
class QMenu;

namespace brevlin {

// The accessible side of a menu entry that has a description. Qt's own menu entries give a
// screen reader their caption but no description; entries passed to Describe read their
// description as well, and behave as Qt's otherwise (state, place, press).
class AccessibleMenuEntry : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleMenuEntry(QMenu* menu, QAction* action);

    // Gives the entry its description (also its status tip). The first call installs the
    // accessibility factory that serves such entries.
    static void Describe(QAction* action, const QString& description);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_action;
};

} // namespace brevlin
