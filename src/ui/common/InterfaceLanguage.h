#pragma once

#include <QString>
#include <QStringList>

namespace brevlin {

// The language of the tray program's windows: the translation of its own texts, of Qt's
// (standard buttons, the file dialog) and of the messages of the libraries without Qt. The
// system's texts are Japanese and need none.
class InterfaceLanguage {
public:
    // Installs the translations for the language that platform::UiLanguage chooses, from the
    // translation folders of a program in `programFolder`; a language without a translation
    // of its own gets the English one. Returns the language now in use.
    static QString Install(const QString& programFolder);

    // "ja" (the system's own texts) until Install chose another.
    static const QString& Current();

    // Where translations are looked for: "translations" beside the program (the Windows
    // build, which has Qt's there too), then in the data folder.
    static QStringList Folders(const QString& programFolder);
};

} // namespace brevlin
