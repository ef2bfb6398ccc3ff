#pragma once

#include <QString>

class QObject;

namespace brevlin {

// A short message from the tray program, shown as the desktop shows such messages: through
// the desktop's notification service where the session has one, else as a balloon of the
// program's tray icon (the QSystemTrayIcon among `trayIcon`'s children, where it has one).
// Nothing waits for it; where neither is there, the message is not shown.
class TrayNotice {
public:
    static void Show(QObject* trayIcon, const QString& title, const QString& text);
};

} // namespace brevlin
