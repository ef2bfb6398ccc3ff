#include "ui/common/TrayNotice.h"

#include <QPointer>
#include <QSystemTrayIcon>
#include <QVariantMap>

#if BREVLIN_DESKTOP_NOTIFICATIONS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#endif

namespace brevlin {

namespace {

void ShowBalloon(QObject* trayIcon, const QString& title, const QString& text) {
    if (trayIcon == nullptr)
        return;
    auto* tray = trayIcon->findChild<QSystemTrayIcon*>();
    if (tray != nullptr && tray->isVisible() && QSystemTrayIcon::supportsMessages())
        tray->showMessage(title, text, QSystemTrayIcon::Information);
}

} // namespace

void TrayNotice::Show(QObject* trayIcon, const QString& title, const QString& text) {
#if BREVLIN_DESKTOP_NOTIFICATIONS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        // org.freedesktop.Notifications.Notify(app_name, replaces_id, app_icon, summary,
        // body, actions, hints, expire_timeout)
        QDBusMessage notify = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.Notifications"),
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
        QVariantMap hints;
        hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("brevlin-glosser"));
        notify << title << 0u << QStringLiteral("brevlin-glosser") << title << text.toHtmlEscaped()
               << QStringList() << hints << -1;
        auto* call = new QDBusPendingCallWatcher(bus.asyncCall(notify));
        QPointer<QObject> icon(trayIcon);
        QObject::connect(call, &QDBusPendingCallWatcher::finished, call, [call, icon, title, text] {
            // No notification service: the tray icon says it instead.
            if (call->isError())
                ShowBalloon(icon.data(), title, text);
            call->deleteLater();
        });
        return;
    }
#endif
    ShowBalloon(trayIcon, title, text);
}

} // namespace brevlin
