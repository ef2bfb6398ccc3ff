#pragma once

#include "engine/Text.h"

#include <QString>

namespace brevlin::shell {

// Line ends at the clipboard's edge: the clipboard here carries LF, the engine CR LF.
class ClipboardText {
public:
    // Each LF not preceded by CR becomes CR LF.
    static Text ToEngine(const QString& text);
    // Each CR LF becomes LF.
    static QString FromEngine(TextView text);
};

} // namespace brevlin::shell
