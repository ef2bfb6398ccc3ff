#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

namespace brevlin::shell {

// The running instance's end of the hand-over: accepts connections of the same user on a
// local socket and raises LinkExecute for each command on its service and topic, which it
// always acknowledges as accepted.
class clsDdeServer : public QObject {
    Q_OBJECT

public:
    explicit clsDdeServer(QObject* parent = nullptr);
    ~clsDdeServer() override;

    // Only the holder of the instance lock listens, after removing a stale socket: listening
    // on a path takes it over even from a live server.
    bool Listen(const QString& path, QString& error);
    void Close();
    QString Path() const { return m_server.fullServerName(); }

signals:
    void LinkExecute(const QString& command);

private:
    void NewConnection();
    void ReadRequests(QLocalSocket* socket);

    QLocalServer m_server;
};

} // namespace brevlin::shell
