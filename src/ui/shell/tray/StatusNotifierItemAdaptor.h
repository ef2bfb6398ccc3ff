#pragma once

#include "ui/shell/tray/DBusTrayTypes.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>

namespace brevlin::shell {

class StatusNotifierItem;

// The "org.kde.StatusNotifierItem" interface of a StatusNotifierItem: its properties, the
// host's calls and the change signals.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ Category)
    Q_PROPERTY(QString Id READ Id)
    Q_PROPERTY(QString Title READ Title)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(int WindowId READ WindowId)
    Q_PROPERTY(QString IconThemePath READ Empty)
    Q_PROPERTY(QString IconName READ Empty)
    Q_PROPERTY(brevlin::shell::DBusIconPixmapList IconPixmap READ IconPixmap)
    Q_PROPERTY(QString OverlayIconName READ Empty)
    Q_PROPERTY(brevlin::shell::DBusIconPixmapList OverlayIconPixmap READ NoPixmaps)
    Q_PROPERTY(QString AttentionIconName READ Empty)
    Q_PROPERTY(brevlin::shell::DBusIconPixmapList AttentionIconPixmap READ NoPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ Empty)
    Q_PROPERTY(brevlin::shell::DBusToolTip ToolTip READ ToolTip)
    Q_PROPERTY(bool ItemIsMenu READ ItemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ Menu)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem* item);

    QString Category() const { return QStringLiteral("ApplicationStatus"); }
    QString Id() const;
    QString Title() const;
    QString Status() const { return QStringLiteral("Active"); }
    int WindowId() const { return 0; }
    QString Empty() const { return {}; }
    DBusIconPixmapList IconPixmap() const;
    DBusIconPixmapList NoPixmaps() const { return {}; }
    DBusToolTip ToolTip() const;
    // The host calls Activate on a left click instead of showing the menu.
    bool ItemIsMenu() const { return false; }
    QDBusObjectPath Menu() const;

public slots:
    void ContextMenu(int x, int y);
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    void Scroll(int delta, const QString& orientation);

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    StatusNotifierItem* m_item;
};

} // namespace brevlin::shell
