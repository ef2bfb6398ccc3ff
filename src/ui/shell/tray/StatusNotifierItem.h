#pragma once

#include "ui/shell/tray/DBusTrayTypes.h"

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>

class QDBusServiceWatcher;
class QMenu;

namespace brevlin::shell {

class DBusMenuExporter;

// The program's icon as a StatusNotifierItem on the session bus, the tray of desktops that
// have no XEmbed notification area (KDE Plasma, GNOME with the AppIndicator extension,
// waybar, ...). It follows the StatusNotifierWatcher: the item is offered while it is shown
// and a watcher with a host is on the bus, and offered again whenever the watcher or a host
// comes back. The host's calls arrive as the three signals, with the point it reported.
class StatusNotifierItem : public QObject {
    Q_OBJECT

public:
    static constexpr const char* WatcherService = "org.kde.StatusNotifierWatcher";
    static constexpr const char* ItemPath = "/StatusNotifierItem";
    static constexpr const char* MenuPath = "/MenuBar";

    // Connects to the session bus and asks, once and waiting for the answer, whether a host
    // is there; without a session bus the item is never available.
    explicit StatusNotifierItem(QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    bool HostAvailable() const { return m_hostAvailable; }
    // Whether the item is offered on the bus now.
    bool Registered() const { return m_registered; }

    void SetShown(bool value);
    void SetIcon(const QIcon& icon);
    void SetToolTip(const QString& text);
    // The menu a host shows by itself (on its right click, typically).
    void SetMenu(QMenu* menu);
    void SetMenuEnabled(bool value);

    // The icon as the protocol carries it, at the sizes hosts draw.
    static DBusIconPixmapList PixmapsOf(const QIcon& icon);

    // What the bus reads.
    const QString& Title() const { return m_toolTip; }
    const DBusIconPixmapList& IconPixmaps() const { return m_pixmaps; }
    DBusToolTip ToolTip() const;

    // The host's calls; hosts that know no position (Wayland ones, mostly) send 0, 0.
    void HostContextMenu(int x, int y);
    void HostActivate(int x, int y);
    void HostSecondaryActivate(int x, int y);

signals:
    void Activated(QPoint position);
    void SecondaryActivated(QPoint position);
    void ContextMenuRequested(QPoint position);
    void HostAvailableChanged(bool available);

    // Relayed to the host by the adaptor.
    void NewIcon();
    void NewToolTip();
    void NewTitle();

private slots:
    void HostsChanged();

private:
    void WatcherAppeared();
    void WatcherVanished();
    void QueryHost();
    void SetHostAvailable(bool value);
    void UpdateRegistration();

    QString m_service;
    bool m_connected = false;
    QDBusServiceWatcher* m_watcher = nullptr;
    QObject* m_menuHost = nullptr;
    DBusMenuExporter* m_menu = nullptr;
    bool m_hostAvailable = false;
    bool m_shown = false;
    bool m_registered = false;
    DBusIconPixmapList m_pixmaps;
    QString m_toolTip;
};

} // namespace brevlin::shell
