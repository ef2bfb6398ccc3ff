#include "ui/shell/HelpWindows.h"

#include "ui/common/HelpLocation.h"
#include "ui/shell/frmHelp.h"

#include <QPointer>

namespace brevlin::shell {

namespace {

QPointer<frmHelp>& OpenWindow() {
    static QPointer<frmHelp> window;
    return window;
}

} // namespace

void HelpWindows::Show(QWidget* owner) {
    QPointer<frmHelp>& window = OpenWindow();
    if (window) {
        window->ShowStartPage();
    } else {
        window = new frmHelp(HelpLocation(HelpLocation::ProgramHelpFile()).StartPage(), owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void HelpWindows::CloseAll() {
    if (OpenWindow())
        OpenWindow()->close();
    OpenWindow() = nullptr;
}

int HelpWindows::OpenCount() {
    return OpenWindow() ? 1 : 0;
}

frmHelp* HelpWindows::Window() {
    return OpenWindow();
}

} // namespace brevlin::shell
