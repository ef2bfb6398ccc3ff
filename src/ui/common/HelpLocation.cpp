#include "ui/common/HelpLocation.h"

#include "ui/common/AppFolders.h"

#include <QDir>
#include <QFileInfo>

namespace brevlin {

namespace {

QString& ProgramHelpFileText() {
    static QString text;
    return text;
}

} // namespace

void HelpLocation::SetProgramHelpFile(const QString& helpFileSetting) {
    ProgramHelpFileText() = helpFileSetting;
}

const QString& HelpLocation::ProgramHelpFile() {
    return ProgramHelpFileText();
}

HelpLocation::HelpLocation(const QString& helpFileSetting, const QString& language) {
    const qsizetype split = helpFileSetting.indexOf(QStringLiteral("::"));
    m_helpFile = split < 0 ? helpFileSetting : helpFileSetting.left(split);
    m_topic = split < 0 ? QString() : helpFileSetting.mid(split + 2);
    while (m_topic.startsWith(QLatin1Char('/')))
        m_topic.remove(0, 1);

    const QFileInfo container(QDir::fromNativeSeparators(m_helpFile));
    if (container.isDir()) {
        m_folder = QDir::toNativeSeparators(container.absoluteFilePath());
    } else {
        const QString data = AppFolders::DataFolder(container.absolutePath());
        if (!data.isEmpty() && QFileInfo(AppFolders::Join(data, QStringLiteral("help"))).isDir())
            m_folder = AppFolders::Join(data, QStringLiteral("help"));
    }
    if (m_folder.isEmpty() || language == u"ja")
        return;
    for (const QString& candidate : {language, QStringLiteral("en")}) {
        const QString translated = AppFolders::Join(m_folder, candidate);
        if (QFileInfo(translated).isDir()) {
            m_folder = translated;
            return;
        }
    }
}

QString HelpLocation::StartPage() const {
    if (m_folder.isEmpty())
        return m_helpFile;
    return AppFolders::Join(m_folder, QStringLiteral("index.html"));
}

QString HelpLocation::PopupFile() const {
    if (m_folder.isEmpty())
        return {};
    return AppFolders::Join(m_folder, m_topic.isEmpty() ? QStringLiteral("popups.txt") : m_topic);
}

} // namespace brevlin
