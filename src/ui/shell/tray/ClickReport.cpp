#include "ui/shell/tray/ClickReport.h"

#include <QCoreApplication>
#include <QFile>

#include <chrono>

namespace brevlin::shell {

namespace {

QFile* s_file = nullptr;

} // namespace

void ClickReport::StartFromEnvironment() {
    const QString path = qEnvironmentVariable("BREVLIN_CLICK_REPORT");
    if (path.isEmpty() || s_file != nullptr)
        return;
    auto* file = new QFile(path, QCoreApplication::instance());
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        qWarning("the click report %s cannot be written", qPrintable(path));
        delete file;
        return;
    }
    s_file = file;
    QObject::connect(file, &QObject::destroyed, [] { s_file = nullptr; });
}

bool ClickReport::Active() {
    return s_file != nullptr;
}

void ClickReport::Write(const QString& line) {
    if (s_file == nullptr)
        return;
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    s_file->write(
        (QString::number(now.count()) + QLatin1Char(' ') + line + QLatin1Char('\n')).toUtf8());
}

} // namespace brevlin::shell
