#include "ui/common/FocusReport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QWidget>

namespace brevlin {

namespace {

QString NameOf(const QWidget* widget) {
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    QString name = QString::fromLatin1(widget->metaObject()->className());
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        name += QLatin1Char(':') + button->text().remove(QLatin1Char('&'));
    return name;
}

} // namespace

QString FocusReport::Describe(const QWidget* widget) {
    if (widget == nullptr)
        return QStringLiteral("-");
    return NameOf(widget->window()) + QLatin1Char('/') + NameOf(widget);
}

void FocusReport::StartFromEnvironment() {
    const QString path = qEnvironmentVariable("BREVLIN_FOCUS_REPORT");
    if (path.isEmpty())
        return;
    auto* file = new QFile(path, qApp);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        qWarning("the focus report %s cannot be written", qPrintable(path));
        return;
    }
    QObject::connect(qApp, &QApplication::focusChanged, file, [file](QWidget*, QWidget* now) {
        file->write((Describe(now) + QLatin1Char('\n')).toUtf8());
    });
}

} // namespace brevlin
