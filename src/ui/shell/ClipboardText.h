#pragma once

#include "engine/Text.h"

#include <QString>

class QClipboard;

namespace brevlin::shell {

// Line ends at the clipboard's edge: the clipboard here carries LF, the engine CR LF.
class ClipboardText {
public:
    // Each LF not preceded by CR becomes CR LF.
    static Text ToEngine(const QString& text);
    // Each CR LF becomes LF.
    static QString FromEngine(TextView text);

    // Clears the clipboard and puts the text on it. False when the clipboard did not take
    // it: on X11 another program that took the clipboard after this one's last input
    // (copying while the conversion ran, or the bridge of a Wayland compositor) keeps it.
    // With `html`, a text/html flavour of the same mark-up inside <pre> goes beside it, so
    // that rich editors paste the formatted code.
    static bool Replace(QClipboard& clipboard, const QString& text, bool html = false);
    static QString HtmlFlavour(const QString& markup);
};

} // namespace brevlin::shell
