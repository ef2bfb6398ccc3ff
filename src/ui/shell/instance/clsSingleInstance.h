#pragma once

#include "ui/shell/instance/clsDdeServer.h"

#include <QCoreApplication>
#include <QString>
#ifdef _WIN32
#include "platform/win/InstanceMutex.h"
#else
#include <QLockFile>
#endif

namespace brevlin::shell {

// Decides at start whether this process becomes the running instance or hands a command to
// the one that runs. The running instance holds the lock file (on Windows a named mutex) for
// its whole life and serves the socket beside it; a lock or socket left by a crashed instance
// is taken over.
class clsSingleInstance {
    Q_DECLARE_TR_FUNCTIONS(clsSingleInstance)

public:
    enum class Role {
        Primary,    // this process holds the lock and listens
        HandedOver, // the running instance acknowledged the command
        Failed,     // neither: see the error
    };

    // `directory` is the user's private runtime directory.
    explicit clsSingleInstance(const QString& directory);

    // Connects first, so that a live instance is found even if its lock file went missing.
    // Nobody listening, or an ending instance that drops the request: take the lock
    // (recovering a stale one), remove a stale socket and listen. Lock held by a live
    // instance that does not answer within `timeoutMs`: Failed.
    Role Start(const QString& command, int timeoutMs, QString& error);

    clsDdeServer& Server() { return m_server; }
    QString SocketPath() const { return m_socketPath; }
    QString LockPath() const { return m_lockPath; }

private:
    enum class Lock { Taken, HeldElsewhere, Failed };
    Lock TryLock();
    void Unlock();

    QString m_lockPath;
    QString m_socketPath;
#ifdef _WIN32
    platform::InstanceMutex m_lock;
#else
    QLockFile m_lock;
#endif
    clsDdeServer m_server;
};

} // namespace brevlin::shell
