#include "ui/shell/tray/StatusNotifierItemAdaptor.h"

#include "ui/shell/tray/StatusNotifierItem.h"

#include <QCoreApplication>

namespace brevlin::shell {

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(StatusNotifierItem* item)
    : QDBusAbstractAdaptor(item), m_item(item) {
    setAutoRelaySignals(false);
    connect(item, &StatusNotifierItem::NewIcon, this, &StatusNotifierItemAdaptor::NewIcon);
    connect(item, &StatusNotifierItem::NewToolTip, this, &StatusNotifierItemAdaptor::NewToolTip);
    connect(item, &StatusNotifierItem::NewTitle, this, &StatusNotifierItemAdaptor::NewTitle);
}

QString StatusNotifierItemAdaptor::Id() const {
    return QCoreApplication::applicationName();
}

QString StatusNotifierItemAdaptor::Title() const {
    return m_item->Title();
}

DBusIconPixmapList StatusNotifierItemAdaptor::IconPixmap() const {
    return m_item->IconPixmaps();
}

DBusToolTip StatusNotifierItemAdaptor::ToolTip() const {
    return m_item->ToolTip();
}

QDBusObjectPath StatusNotifierItemAdaptor::Menu() const {
    return QDBusObjectPath(QString::fromLatin1(StatusNotifierItem::MenuPath));
}

void StatusNotifierItemAdaptor::ContextMenu(int x, int y) {
    m_item->HostContextMenu(x, y);
}

void StatusNotifierItemAdaptor::Activate(int x, int y) {
    m_item->HostActivate(x, y);
}

void StatusNotifierItemAdaptor::SecondaryActivate(int x, int y) {
    m_item->HostSecondaryActivate(x, y);
}

void StatusNotifierItemAdaptor::Scroll(int delta, const QString& orientation) {
    (void)delta;
    (void)orientation;
}

} // namespace brevlin::shell
