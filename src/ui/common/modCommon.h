#pragma once

#include "settings/ProductName.h"

#include <QSize>
#include <QString>

#include <functional>

class QWidget;

namespace brevlin {

// The product's display name, the title of the windows' message boxes.
inline const QString kProductName = QString::fromUtf8(ProductName);

// A design size in twips converted to pixels of the widget's screen.
QSize TwipsToPixels(const QWidget* widget, int width, int height);

// The system beep. Tests replace the sound to count refusals and conversions.
void SystemBeep();
void SetBeepHandler(std::function<void()> handler);

} // namespace brevlin
