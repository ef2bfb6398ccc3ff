#include "ui/shell/instance/clsSingleInstance.h"

#include "platform/LocalPeer.h"
#include "ui/common/modCommon.h"
#include "ui/shell/instance/DdeLink.h"
#include "ui/shell/instance/clsDdeClient.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

namespace brevlin::shell {

clsSingleInstance::clsSingleInstance(const QString& directory)
    : m_lockPath(QDir(directory).filePath(DdeLink::LockFileName)),
      m_socketPath(QString::fromStdString(platform::LocalPeer::ServerName(
          directory.toStdString(), DdeLink::SocketFileName.toStdString()))),
#ifdef _WIN32
      m_lock(m_socketPath.toStdString()) {
}

clsSingleInstance::Lock clsSingleInstance::TryLock() {
    switch (m_lock.TryLock()) {
    case platform::InstanceMutex::Result::Taken:
        return Lock::Taken;
    case platform::InstanceMutex::Result::HeldElsewhere:
        return Lock::HeldElsewhere;
    case platform::InstanceMutex::Result::Failed:
        break;
    }
    return Lock::Failed;
}

void clsSingleInstance::Unlock() {
    m_lock.Unlock();
}
#else
      m_lock(m_lockPath) {
    // Age alone never makes the lock stale: the running instance holds it for days.
    m_lock.setStaleLockTime(0);
}

clsSingleInstance::Lock clsSingleInstance::TryLock() {
    if (m_lock.tryLock(0))
        return Lock::Taken;
    return m_lock.error() == QLockFile::LockFailedError ? Lock::HeldElsewhere : Lock::Failed;
}

void clsSingleInstance::Unlock() {
    m_lock.unlock();
}
#endif

clsSingleInstance::Role clsSingleInstance::Start(const QString& command, int timeoutMs,
                                                 QString& error) {
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const int remaining = static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1));
        switch (clsDdeClient::Execute(m_socketPath, DdeLink::Service, DdeLink::Topic, command,
                                      remaining)) {
        case clsDdeClient::Result::Acknowledged:
            return Role::HandedOver;
        case clsDdeClient::Result::NotAcknowledged:
            error = tr("起動中の %1 がコマンドを受け付けませんでした。").arg(kProductName);
            return Role::Failed;
        case clsDdeClient::Result::NoAnswer:
            error = tr("起動中の %1 が応答しません。").arg(kProductName);
            return Role::Failed;
        case clsDdeClient::Result::NoServer:
        case clsDdeClient::Result::Closed:
            // Nobody serves, or the instance is ending: whoever holds the lock decides.
            break;
        }

        const Lock lock = TryLock();
        if (lock == Lock::Taken) {
            // Whatever socket is left belongs to a dead instance: only the lock holder may
            // remove it.
            QLocalServer::removeServer(m_socketPath);
            if (m_server.Listen(m_socketPath, error))
                return Role::Primary;
            Unlock();
            error = QStringLiteral("%1: %2").arg(m_socketPath, error);
            return Role::Failed;
        }
        if (lock == Lock::Failed) {
            error = tr("%1 をロックできません。").arg(m_lockPath);
            return Role::Failed;
        }
        // A live instance holds the lock but does not listen yet: it may be starting.
        if (deadline.hasExpired()) {
            error = tr("起動中の %1 が応答しません。").arg(kProductName);
            return Role::Failed;
        }
        QThread::msleep(50);
    }
}

} // namespace brevlin::shell
