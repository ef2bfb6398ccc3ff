#include "HelpWindows.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QVBoxLayout>

namespace brevlin::shell {

namespace {

QString& HelpFileText() {
    static QString text;
    return text;
}

QList<QPointer<QDialog>>& OpenWindows() {
    static QList<QPointer<QDialog>> windows;
    return windows;
}

} // namespace

QString HelpWindows::HelpFileSetting(const QString& programFolder) {
    QString setting = programFolder;
    if (!setting.endsWith(u'/'))
        setting += u'/';
    return setting + QStringLiteral("Ostrel.chm::/popups.txt");
}

void HelpWindows::SetHelpFile(const QString& setting) {
    HelpFileText() = setting;
}

const QString& HelpWindows::HelpFile() {
    return HelpFileText();
}

void HelpWindows::Show(QWidget* owner) {
    auto* window = new QDialog(owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("ヘルプ - Brevlin Glosser"));
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(new QLabel(HelpFile(), window));
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
