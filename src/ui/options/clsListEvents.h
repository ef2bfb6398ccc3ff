#pragma once

#include <QObject>
#include <QPoint>

class QTreeWidget;

namespace brevlin {

// The events of a list view as the dialogs use them: a key released after it was pressed
// in the list itself, a mouse button released over the rows, a double click, and the list
// receiving and losing the focus.
class clsListEvents : public QObject {
    Q_OBJECT
public:
    explicit clsListEvents(QTreeWidget* list);

signals:
    void KeyUp(int key);
    void MouseUp(Qt::MouseButton button, const QPoint& globalPosition);
    void DblClick();
    void GotFocus();
    void LostFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidget* m_list;
    // Kept, not asked for: the viewport's last events arrive while the list is being
    // destroyed, when the list can no longer be asked.
    QObject* m_viewport;
    int m_pressedKey = 0;
};

} // namespace brevlin
