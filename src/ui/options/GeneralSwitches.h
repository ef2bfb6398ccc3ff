#pragma once

#include "text/Text.h"

namespace brevlin {

// The switches of the options dialog's general page, held by the dialog's owner for the
// whole run; the dialog edits them in place.
struct GeneralSwitches {
    bool BeepOnProcess = false;
    bool OptimizeTags = false;
    // A text/html flavour beside the text on the clipboard (off: the text alone).
    bool HtmlClipboard = false;
    // The CSS file whose rules that flavour carries inline; empty for the bundled sheet.
    Text PasteStyleSheet;
};

} // namespace brevlin
