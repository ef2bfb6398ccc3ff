#pragma once

#include <QSize>
#include <QString>

namespace brevlin {

// What the options dialog keeps from one opening to the next while the program runs: its
// size, and the folders of the last import and the last export. None of it is stored: the
// settings hold what the user set, and are written only when the dialog closes with OK.
class DialogMemory {
public:
    // Invalid until the dialog was closed once.
    static QSize OptionsSize();
    static void SetOptionsSize(const QSize& size);
    // Empty until a file was chosen.
    static QString ImportFolder();
    static void SetImportFolder(const QString& folder);
    static QString ExportFolder();
    static void SetExportFolder(const QString& folder);
    // Back to a first opening.
    static void Forget();
};

} // namespace brevlin
