#pragma once

#include <QString>

class QWidget;

namespace brevlin::shell {

// The program's help windows. Stand-in until the help window lands: Show opens a window
// that names the help start page; CloseAll closes every help window at exit.
class HelpWindows {
public:
    static void Show(QWidget* owner);
    static void CloseAll();
    static int OpenCount();
};

} // namespace brevlin::shell
