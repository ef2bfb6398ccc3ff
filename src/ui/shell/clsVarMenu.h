#pragma once

#include <QPointer>
#include <QString>

#include <vector>

class QAction;
class QMenu;

namespace brevlin::shell {

// A variable-length list of menu entries over a menu "array": entry 0 belongs to the menu
// for good and serves as the disabled placeholder while the list is empty; further entries
// are clones of it placed right after it.
class clsVarMenu {
public:
    clsVarMenu() = default;
    clsVarMenu(const clsVarMenu&) = delete;
    clsVarMenu& operator=(const clsVarMenu&) = delete;
    ~clsVarMenu();

    // Takes the array whose entry 0 is `first` (already in `menu`), then empties the list.
    void SetMenuObject(QMenu* menu, QAction* first);

    const QString& EmptyCaption() const { return m_emptyCaption; }
    void SetEmptyCaption(const QString& caption);

    int Count() const { return m_count; }
    // Entry index - 1 of the array (1-based).
    QAction* Item(int index) const;
    // The 0-based array index of `action`, or -1 when it is not a list entry.
    int IndexOf(const QAction* action) const;

    QAction* Add(const QString& caption, bool enabled, bool checked);
    void Clear();

private:
    QPointer<QMenu> m_menu;
    std::vector<QPointer<QAction>> m_entries;
    QString m_emptyCaption;
    int m_count = 0;
};

} // namespace brevlin::shell
