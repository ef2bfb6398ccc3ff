#include "ui/common/modCommon.h"

#include <QApplication>
#include <QWidget>

namespace brevlin {

namespace {

std::function<void()>& BeepHandler() {
    static std::function<void()> handler;
    return handler;
}

} // namespace

QSize TwipsToPixels(const QWidget* widget, int width, int height) {
    const double dpiX = widget->logicalDpiX();
    const double dpiY = widget->logicalDpiY();
    return QSize(qRound(width * dpiX / 1440.0), qRound(height * dpiY / 1440.0));
}

void SystemBeep() {
    if (BeepHandler())
        BeepHandler()();
    else
        QApplication::beep();
}

void SetBeepHandler(std::function<void()> handler) {
    BeepHandler() = std::move(handler);
}

} // namespace brevlin
