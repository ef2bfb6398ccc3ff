#pragma once

#include "platform/FileSystem.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <filesystem>

namespace brevlin {

// Tells when another program (`brevlin import`, another user's tool) has replaced the
// settings file. The file is only ever replaced whole, so its folder is watched; a folder
// not there yet is waited for at the nearest one above it. A burst of changes (temporary
// file, rename, lock) is reported once, when it has settled, and only when the file is not
// what it was when last looked at.
class StoreWatcher : public QObject {
    Q_OBJECT
public:
    StoreWatcher(std::filesystem::path file, QObject* parent);

signals:
    void Changed();

private:
    void Watch();
    void Settle();
    void Check();

    std::filesystem::path m_file;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    platform::FileSystem::Stamp m_seen;
};

} // namespace brevlin
