#include "HelpWindows.h"

#include "settings/HelpLocation.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QVBoxLayout>

namespace brevlin::shell {

namespace {

QList<QPointer<QDialog>>& OpenWindows() {
    static QList<QPointer<QDialog>> windows;
    return windows;
}

} // namespace

void HelpWindows::Show(QWidget* owner) {
    auto* window = new QDialog(owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("ヘルプ - Brevlin Glosser"));
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(
        new QLabel(HelpLocation(HelpLocation::ProgramHelpFile()).StartPage(), window));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::reject);
    layout->addWidget(buttons);
    OpenWindows().removeAll(QPointer<QDialog>());
    OpenWindows().append(window);
    window->show();
}

void HelpWindows::CloseAll() {
    for (const QPointer<QDialog>& window : OpenWindows()) {
        if (window)
            window->close();
    }
    OpenWindows().clear();
}

int HelpWindows::OpenCount() {
    int count = 0;
    for (const QPointer<QDialog>& window : OpenWindows())
        count += window ? 1 : 0;
    return count;
}

} // namespace brevlin::shell
