#include "ui/common/StoreWatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace brevlin {

namespace {

constexpr int SettleMs = 300;

QString ToQString(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.wstring());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
#endif
}

platform::FileSystem::Stamp StampOf(const std::filesystem::path& file) {
    try {
        return platform::FileSystem::StampOf(file);
    } catch (const platform::FileSystem::Error&) {
        return {};
    }
}

} // namespace

StoreWatcher::StoreWatcher(std::filesystem::path file, QObject* parent)
    : QObject(parent), m_file(std::move(file)), m_seen(StampOf(m_file)) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &StoreWatcher::Check);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &StoreWatcher::Settle);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &StoreWatcher::Settle);
    Watch();
}

void StoreWatcher::Watch() {
    // The settings folder is made by the first save: until then, the nearest folder above.
    const QString file = ToQString(m_file);
    QString folder = QFileInfo(file).absolutePath();
    while (!QFileInfo(folder).isDir() && !QDir(folder).isRoot())
        folder = QFileInfo(folder).absolutePath();
    const QStringList wanted{folder};
    const QStringList watched = m_watcher.directories();
    if (watched != wanted) {
        if (!watched.isEmpty())
            m_watcher.removePaths(watched);
        m_watcher.addPaths(wanted);
    }
    // A file that is a link to one elsewhere changes there: its own changes count too.
    if (QFileInfo(file).isSymLink() && m_watcher.files().isEmpty())
        m_watcher.addPath(file);
}

void StoreWatcher::Settle() {
    m_settle.start();
}

void StoreWatcher::Check() {
    Watch();
    const platform::FileSystem::Stamp now = StampOf(m_file);
    if (now == m_seen)
        return;
    m_seen = now;
    emit Changed();
}

} // namespace brevlin
