#pragma once

#include "settings/StyleSheet.h"
#include "text/Text.h"

#include <QString>

#include <memory>
#include <optional>

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
    // With `html`, a text/html flavour goes beside it.
    static bool Replace(QClipboard& clipboard, const QString& text,
                        const std::optional<QString>& html = std::nullopt);
    // The text/html flavour of converted mark-up (with LF line ends): the same with the
    // sheet's styles inline, inside a styled <pre>, so that mail, documents and slides paste
    // the code as it looks in the preview; no receiver of a paste keeps a class.
    static QString HtmlFlavour(TextView markup, std::shared_ptr<const StyleSheet> sheet);
};

} // namespace brevlin::shell
