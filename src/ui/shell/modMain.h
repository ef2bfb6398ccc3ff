#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

namespace brevlin::shell {

// The program's start-up routine and the routines around it.
class modMain {
public:
    static constexpr int HandOverTimeoutMs = 10000;

    // Becomes the running tray instance or hands "Option" to the one that runs; returns the
    // process's exit status.
    static int Main(int argc, char** argv);

    // The Qt platform to force, or empty: xcb on a Wayland session that has an X display,
    // unless the user chose a platform.
    static QByteArray PlatformFor(const std::function<QByteArray(const char*)>& environment,
                                  const QStringList& arguments);

private:
    static void ShowStartError(const QString& description);
};

} // namespace brevlin::shell
