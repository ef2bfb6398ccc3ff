#include "ui/common/InterfaceLanguage.h"

#include "platform/UiLanguage.h"
#include "text/UiText.h"
#include "ui/common/AppFolders.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace brevlin {

namespace {

QString& CurrentLanguage() {
    static QString language = QStringLiteral("ja");
    return language;
}

// Installs the first of `folders` that holds `name`.qm; false when none does.
bool InstallTranslation(const QString& name, const QStringList& folders) {
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(name, folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    return false;
}

std::string TranslateMessage(const char* context, const char* text) {
    return QCoreApplication::translate(context, text).toStdString();
}

} // namespace

QStringList InterfaceLanguage::Folders(const QString& programFolder) {
    QStringList folders{AppFolders::Join(programFolder, QStringLiteral("translations"))};
    const QString data = AppFolders::DataFolder(programFolder);
    if (!data.isEmpty())
        folders << AppFolders::Join(data, QStringLiteral("translations"));
    return folders;
}

QString InterfaceLanguage::Install(const QString& programFolder) {
    const QString chosen = QString::fromStdString(platform::UiLanguage::Code());
    const QStringList folders = Folders(programFolder);
    QString language = QStringLiteral("ja");
    if (chosen != u"ja") {
        for (const QString& candidate : {chosen, QStringLiteral("en")}) {
            if (InstallTranslation(QStringLiteral("brevlin_") + candidate, folders)) {
                language = candidate;
                UiText::SetTranslator(&TranslateMessage);
                break;
            }
        }
    }
    // Qt speaks English by itself. Its own folder first; a static Qt (the Windows build) has
    // none, and its translation is shipped in the program's "translations" folder instead.
    if (language != u"en") {
        const QString qt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!InstallTranslation(QStringLiteral("qt_") + language, {qt}))
            InstallTranslation(QStringLiteral("qtbase_") + language, folders.mid(0, 1));
    }
    CurrentLanguage() = language;
    return language;
}

const QString& InterfaceLanguage::Current() {
    return CurrentLanguage();
}

} // namespace brevlin
