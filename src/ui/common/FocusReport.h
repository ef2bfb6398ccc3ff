#pragma once

#include <QString>

class QWidget;

namespace brevlin {

// Where the keyboard focus is, for whole-program tests that drive the program by keyboard
// alone. When the environment variable BREVLIN_FOCUS_REPORT names a file, every focus change
// appends one line to it: the focused window and control as Describe gives them, or "-" when
// no control of the program has the focus.
class FocusReport {
public:
    // Starts the report if the environment asks for it; call once the application exists.
    static void StartFromEnvironment();

    // "window/control": each by its object name, or where it has none (message boxes and
    // their buttons, file dialogs' parts) by its class and its text.
    static QString Describe(const QWidget* widget);
};

} // namespace brevlin
