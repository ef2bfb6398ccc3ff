#pragma once

#include "ui/common/InterfaceLanguage.h"

#include <QString>

namespace brevlin {

// The help files named by the help file setting "<folder>/Ostrel.chm::/popups.txt". The
// container "Ostrel.chm" stands for the folder of help pages: a folder of that name beside
// the program (a portable copy), else the help folder of the program's data folder. Its pages
// are Japanese; those of another interface language are in its subfolder named after the
// language, and the English ones, in "en", serve a language that has none.
class HelpLocation {
public:
    explicit HelpLocation(const QString& helpFileSetting,
                          const QString& language = InterfaceLanguage::Current());

    // The program-wide help file setting, made once at start-up and read by the help window
    // and the context help of the dialogs.
    static void SetProgramHelpFile(const QString& helpFileSetting);
    static const QString& ProgramHelpFile();

    // The container part of the setting: "<folder>/Ostrel.chm".
    const QString& HelpFile() const { return m_helpFile; }
    // The folder of help pages in the language; empty when none was found.
    const QString& Folder() const { return m_folder; }
    // The page the help window opens first. When no help folder exists it is the container
    // path, which the window then reports as missing.
    QString StartPage() const;
    // The pop-up text file inside the help folder (empty when there is no folder).
    QString PopupFile() const;

private:
    QString m_helpFile;
    QString m_topic;
    QString m_folder;
};

} // namespace brevlin
