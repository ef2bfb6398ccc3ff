#pragma once

#include <QString>

class QWidget;

namespace brevlin::shell {

// The program's help windows. Stand-in until the help window lands: Show opens a window
// that names the help file; CloseAll closes every help window at exit.
class HelpWindows {
public:
    // The program-wide help file setting: the program's folder, one separator and
    // "Ostrel.chm::/popups.txt".
    static QString HelpFileSetting(const QString& programFolder);
    static void SetHelpFile(const QString& setting);
    static const QString& HelpFile();

    static void Show(QWidget* owner);
    static void CloseAll();
    static int OpenCount();
};

} // namespace brevlin::shell
