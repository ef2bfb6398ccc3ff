#include "ui/shell/instance/DdeLink.h"
#include "ui/shell/instance/clsDdeClient.h"
#include "ui/shell/instance/clsSingleInstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace brevlin::shell {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "shell_logic_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs `work` on its own thread while this thread serves events, as two processes would.
template <typename Result> Result WhileServing(const std::function<Result()>& work) {
    std::atomic<bool> done = false;
    Result result{};
    std::thread thread([&] {
        result = work();
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    thread.join();
    QCoreApplication::processEvents();
    return result;
}

class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(directory.isValid());
    }
    QString Path(const QString& name) const { return QDir(directory.path()).filePath(name); }

    clsSingleInstance::Role StartFurther(const QString& command, int timeoutMs,
                                         QString* error = nullptr) {
        return WhileServing<clsSingleInstance::Role>([&] {
            clsSingleInstance further(directory.path());
            QString message;
            auto role = further.Start(command, timeoutMs, message);
            if (error != nullptr)
                *error = message;
            return role;
        });
    }

    QTemporaryDir directory;
};

TEST_F(SingleInstance, FirstStartServesAndFurtherStartsHandOverEveryCommand) {
    clsSingleInstance first(directory.path());
    QString error;
    ASSERT_EQ(first.Start(DdeLink::OptionCommand, 1000, error), clsSingleInstance::Role::Primary)
        << error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(first.SocketPath()));
    EXPECT_TRUE(QFileInfo::exists(first.LockPath()));

    QStringList received;
    QObject::connect(&first.Server(), &clsDdeServer::LinkExecute,
                     [&](const QString& command) { received << command; });
    EXPECT_EQ(StartFurther(QStringLiteral("Option"), 5000), clsSingleInstance::Role::HandedOver);
    EXPECT_EQ(StartFurther(QStringLiteral("option"), 5000), clsSingleInstance::Role::HandedOver);
    EXPECT_EQ(received, (QStringList{QStringLiteral("Option"), QStringLiteral("option")}));

    // The first instance still holds everything.
    EXPECT_EQ(StartFurther(QStringLiteral("Option"), 5000), clsSingleInstance::Role::HandedOver);
    EXPECT_EQ(received.size(), 3);
}

TEST_F(SingleInstance, AnotherServiceOrTopicIsRefused) {
    clsSingleInstance first(directory.path());
    QString error;
    ASSERT_EQ(first.Start(DdeLink::OptionCommand, 1000, error), clsSingleInstance::Role::Primary);
    int received = 0;
    QObject::connect(&first.Server(), &clsDdeServer::LinkExecute, [&] { ++received; });
    const QString socket = first.SocketPath();
    auto execute = [&](const QString& service, const QString& topic) {
        return WhileServing<clsDdeClient::Result>([&] {
            return clsDdeClient::Execute(socket, service, topic, QStringLiteral("Option"), 5000);
        });
    };
    EXPECT_EQ(execute(QStringLiteral("Other"), DdeLink::Topic),
              clsDdeClient::Result::NotAcknowledged);
    EXPECT_EQ(execute(DdeLink::Service, QStringLiteral("system")),
              clsDdeClient::Result::NotAcknowledged);
    EXPECT_EQ(received, 0);
    EXPECT_EQ(execute(DdeLink::Service, DdeLink::Topic), clsDdeClient::Result::Acknowledged);
    EXPECT_EQ(received, 1);
}

TEST_F(SingleInstance, LockAndSocketOfACrashedInstanceAreTakenOver) {
    const QString lockPath = Path(DdeLink::LockFileName);
    const QString socketPath = Path(DdeLink::SocketFileName);
    // A child takes the lock, binds the socket and dies without cleaning up.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(lockPath);
        const bool locked = lock.tryLock(0);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(socketPath);
        std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
        const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                           listen(fd, 1) == 0;
        _exit(locked && bound ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFileInfo::exists(lockPath));
    ASSERT_TRUE(QFileInfo::exists(socketPath));

    clsSingleInstance next(directory.path());
    QString error;
    ASSERT_EQ(next.Start(DdeLink::OptionCommand, 2000, error), clsSingleInstance::Role::Primary)
        << error.toStdString();
    EXPECT_EQ(StartFurther(QStringLiteral("Option"), 5000), clsSingleInstance::Role::HandedOver);
}

TEST_F(SingleInstance, LiveLockHolderThatDoesNotListenIsNeverReplaced) {
    QLockFile holder(Path(DdeLink::LockFileName));
    ASSERT_TRUE(holder.tryLock(0));
    // A running instance's lock is old; age does not make it stale.
    QFile lockFile(Path(DdeLink::LockFileName));
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lockFile.setFileTime(QDateTime::currentDateTime().addDays(-2),
                                     QFileDevice::FileModificationTime));
    lockFile.close();
    QString error;
    EXPECT_EQ(StartFurther(QStringLiteral("Option"), 300, &error), clsSingleInstance::Role::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Path(DdeLink::SocketFileName)));
    EXPECT_TRUE(holder.isLocked());
}

TEST_F(SingleInstance, ServerThatDoesNotAnswerIsAFailureNotATakeOver) {
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(Path(DdeLink::SocketFileName)));
    QString error;
    EXPECT_EQ(StartFurther(QStringLiteral("Option"), 300, &error), clsSingleInstance::Role::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Path(DdeLink::LockFileName)));
    EXPECT_TRUE(silent.isListening());
}

TEST_F(SingleInstance, StartDuringTheRunningInstancesExitBecomesTheNextInstance) {
    // The running instance is ending: it drops the request unread, closes its socket and
    // gives up the lock a moment later.
    QLockFile ending(Path(DdeLink::LockFileName));
    ASSERT_TRUE(ending.tryLock(0));
    QLocalServer server;
    ASSERT_TRUE(server.listen(Path(DdeLink::SocketFileName)));
    QObject::connect(&server, &QLocalServer::newConnection, [&] {
        server.nextPendingConnection()->abort();
        server.close();
        QTimer::singleShot(300, [&] { ending.unlock(); });
    });
    QString error;
    EXPECT_EQ(StartFurther(QStringLiteral("Option"), 5000, &error),
              clsSingleInstance::Role::Primary)
        << error.toStdString();
}

TEST_F(SingleInstance, MalformedRequestsGetNoAcknowledgementAndNoCommand) {
    clsSingleInstance first(directory.path());
    QString error;
    ASSERT_EQ(first.Start(DdeLink::OptionCommand, 1000, error), clsSingleInstance::Role::Primary);
    int received = 0;
    QObject::connect(&first.Server(), &clsDdeServer::LinkExecute, [&] { ++received; });
    const QString socketPath = first.SocketPath();
    const QByteArray answer = WhileServing<QByteArray>([&] {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (!socket.waitForConnected(2000))
            return QByteArray("no connection");
        socket.write("Option\nEXECUTE\tBrevlin\tSystem\n");
        socket.flush();
        QByteArray lines;
        while (lines.count('\n') < 2 && socket.waitForReadyRead(2000))
            lines += socket.readAll();
        return lines;
    });
    EXPECT_EQ(answer, "NAK\nNAK\n");
    EXPECT_EQ(received, 0);

    // An endless line is cut off rather than buffered.
    const bool dropped = WhileServing<bool>([&] {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (!socket.waitForConnected(2000))
            return false;
        const QByteArray chunk(64 * 1024, 'x');
        for (int i = 0; i < 8 && socket.state() == QLocalSocket::ConnectedState; ++i) {
            socket.write(chunk);
            socket.waitForBytesWritten(500);
        }
        return socket.state() != QLocalSocket::ConnectedState || socket.waitForDisconnected(2000);
    });
    EXPECT_TRUE(dropped);
    EXPECT_EQ(received, 0);
}

} // namespace
} // namespace brevlin::shell
