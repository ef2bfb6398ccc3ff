#include "ui/options/clsListEvents.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>

namespace brevlin {

clsListEvents::clsListEvents(QTreeWidget* list)
    : QObject(list), m_list(list), m_viewport(list->viewport()) {
    m_list->installEventFilter(this);
    m_viewport->installEventFilter(this);
}

bool clsListEvents::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_list) {
        switch (type) {
        case QEvent::FocusIn:
            emit GotFocus();
            break;
        case QEvent::FocusOut:
            emit LostFocus();
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Keys typed into an in-place editor reach the list only as leftovers.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (QApplication::focusWidget() != m_list || key->isAutoRepeat())
                break;
            if (type == QEvent::KeyPress) {
                m_pressedKey = key->key();
            } else {
                // The release of the Enter that closed an in-place editor or a dialog
                // was not pressed here and must not act again.
                const bool pressedHere = m_pressedKey == key->key();
                m_pressedKey = 0;
                if (pressedHere)
                    emit KeyUp(key->key());
            }
            break;
        }
        default:
            break;
        }
    } else if (watched == m_viewport) {
        if (type == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            emit MouseUp(mouse->button(), mouse->globalPosition().toPoint());
        } else if (type == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                emit DblClick();
        }
    }
    return false;
}

} // namespace brevlin
