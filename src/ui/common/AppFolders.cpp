#include "ui/common/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace brevlin {

namespace {

const QString kDataSubfolder = QStringLiteral("share/brevlin-glosser");

} // namespace

QString AppFolders::ProgramFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString AppFolders::Join(const QString& folder, const QString& name) {
    const QString native = QDir::toNativeSeparators(folder);
    if (native.endsWith(QDir::separator()))
        return native + name;
    return native + QDir::separator() + name;
}

QString AppFolders::HelpFileSetting(const QString& programFolder) {
    return Join(programFolder, QStringLiteral("Ostrel.chm::/popups.txt"));
}

QString AppFolders::DataFolder(const QString& programFolder) {
    const QString program = QDir::fromNativeSeparators(programFolder);
    // Installed (<prefix>/bin beside <prefix>/share) first, then the build tree.
    for (const QString& candidate :
         {QDir::cleanPath(program + QStringLiteral("/../") + kDataSubfolder),
          QDir::cleanPath(program + QLatin1Char('/') + kDataSubfolder)}) {
        const QFileInfo info(candidate);
        if (info.isDir())
            return QDir::toNativeSeparators(info.canonicalFilePath());
    }
    return {};
}

QString AppFolders::LanguagesFolder(const QString& programFolder) {
    const QString data = DataFolder(programFolder);
    if (data.isEmpty())
        return QDir::toNativeSeparators(programFolder);
    return Join(data, QStringLiteral("languages"));
}

std::filesystem::path AppFolders::FilePath(const QString& name) {
#ifdef Q_OS_WIN
    // Windows' own names are UTF-16; QFile::encodeName would give its ANSI code page.
    return std::filesystem::path(name.toStdWString());
#else
    const QByteArray encoded = QFile::encodeName(name);
    return std::filesystem::path(std::string(encoded.constData(), encoded.size()));
#endif
}

} // namespace brevlin
