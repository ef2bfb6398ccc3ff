#include "ui/shell/modMain.h"
#include "ui/common/modCommon.h"

#include "platform/RuntimeDirectory.h"
#include "ui/common/AppFolders.h"
#include "ui/common/FocusReport.h"
#include "ui/common/HelpLocation.h"
#include "ui/common/InterfaceLanguage.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/instance/clsSingleInstance.h"
#include "ui/shell/tray/ClickReport.h"
#include "ui/shell/tray/ctlNotify.h"

#include <QApplication>
#include <QMessageBox>

#include <memory>

namespace brevlin::shell {

QByteArray modMain::PlatformFor(const std::function<QByteArray(const char*)>& environment,
                                const QStringList& arguments) {
    if (!environment("QT_QPA_PLATFORM").isEmpty())
        return {};
    for (const QString& argument : arguments) {
        if (argument == u"-platform" || argument == u"--platform" ||
            argument.startsWith(u"-platform=") || argument.startsWith(u"--platform="))
            return {};
    }
    const bool wayland =
        environment("XDG_SESSION_TYPE") == "wayland" || !environment("WAYLAND_DISPLAY").isEmpty();
    // Under Wayland a program without a focused window cannot set the clipboard.
    if (wayland && !environment("DISPLAY").isEmpty())
        return QByteArrayLiteral("xcb");
    return {};
}

void modMain::ShowStartError(const QString& description) {
    QMessageBox::critical(nullptr, kProductName, description);
}

int modMain::Main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QByteArray platform =
        PlatformFor([](const char* name) { return qgetenv(name); }, arguments);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);

    QApplication app(argc, argv);
    // Dialogs come and go; the program lives as long as its tray icon.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ctlNotify::LoadIcon(ctlNotify::AppIconID));
    InterfaceLanguage::Install(AppFolders::ProgramFolder());
    FocusReport::StartFromEnvironment();
    ClickReport::StartFromEnvironment();

    std::string directoryError;
    const std::string directory = platform::RuntimeDirectory::Path(directoryError);
    if (directory.empty()) {
        ShowStartError(QString::fromStdString(directoryError));
        return 1;
    }
    clsSingleInstance instance(QString::fromStdString(directory));
    QString error;
    switch (instance.Start(QStringLiteral("Option"), HandOverTimeoutMs, error)) {
    case clsSingleInstance::Role::HandedOver:
        return 0;
    case clsSingleInstance::Role::Failed:
        ShowStartError(error);
        return 1;
    case clsSingleInstance::Role::Primary:
        break;
    }

    HelpLocation::SetProgramHelpFile(AppFolders::HelpFileSetting(AppFolders::ProgramFolder()));
    std::unique_ptr<frmMain> main;
    try {
        main = std::make_unique<frmMain>();
    } catch (const std::exception& failure) {
        // A settings file that cannot be read is left alone, not replaced by an empty one.
        ShowStartError(QString::fromUtf8(failure.what()));
        return 1;
    }
    QObject::connect(&instance.Server(), &clsDdeServer::LinkExecute, main.get(),
                     &frmMain::LinkExecute);
    const int status = QApplication::exec();
    // Requests that arrive from here on are dropped unread, which tells a further start to
    // wait for the lock instead of counting on this instance.
    instance.Server().Close();
    main.reset();
    return status;
}

} // namespace brevlin::shell
