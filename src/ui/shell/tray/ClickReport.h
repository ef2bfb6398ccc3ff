#pragma once

#include <QString>

namespace brevlin::shell {

// What the tray icon receives and decides, for finding out on a busy machine why a click did
// or did not count. When the environment variable BREVLIN_CLICK_REPORT names a file, each
// notification, timer and raised event appends one line to it: the time it was handled (the
// monotonic clock in milliseconds, which is also the clock of a local X server's event times)
// and what happened.
class ClickReport {
public:
    // Starts the report if the environment asks for it; call once the application exists.
    static void StartFromEnvironment();
    static bool Active();
    static void Write(const QString& line);
};

} // namespace brevlin::shell
