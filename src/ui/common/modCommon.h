#pragma once

#include <QSize>

#include <functional>

class QWidget;

namespace brevlin {

// A design size in twips converted to pixels of the widget's screen.
QSize TwipsToPixels(const QWidget* widget, int width, int height);

// The system beep. Tests replace the sound to count refusals and conversions.
void SystemBeep();
void SetBeepHandler(std::function<void()> handler);

} // namespace brevlin
