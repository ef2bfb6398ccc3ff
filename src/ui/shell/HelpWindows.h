#pragma once

class QWidget;

namespace brevlin::shell {

class frmHelp;

// The program's help window, opened on the start page that the help file setting names.
// One window serves every request; CloseAll closes it at exit.
class HelpWindows {
public:
    // Opens the help window on the start page (or brings it back to the start page).
    static void Show(QWidget* owner);
    static void CloseAll();
    static int OpenCount();
    // The open window, or null.
    static frmHelp* Window();
};

} // namespace brevlin::shell
