#pragma once

#include <QString>
#include <filesystem>

namespace brevlin {

// Where the program finds its help and its bundled languages. The data lies in
// <prefix>/share/brevlin-glosser when installed (program in <prefix>/bin) and in
// <build>/share/brevlin-glosser in the build tree (program in <build>).
class AppFolders {
public:
    // The folder of the running executable, with the platform's separators.
    static QString ProgramFolder();

    // The help file setting made at start-up: the folder, one separator unless the folder
    // already ends in one, then "Ostrel.chm::/popups.txt". It is the key the help location
    // is derived from (HelpLocation).
    static QString HelpFileSetting(const QString& programFolder);

    // The shared data folder for a program in `programFolder`; empty when there is none.
    static QString DataFolder(const QString& programFolder);

    // The bundled language files; the program folder itself when no data folder exists.
    static QString LanguagesFolder(const QString& programFolder);

    // `folder` joined with `name` by one platform separator (a root folder keeps its own).
    static QString Join(const QString& folder, const QString& name);

    // A file name from a dialog as the settings library takes it, encoded as Qt encodes
    // names for the system.
    static std::filesystem::path FilePath(const QString& name);
};

} // namespace brevlin
