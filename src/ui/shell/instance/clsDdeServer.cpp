#include "ui/shell/instance/clsDdeServer.h"

#include "platform/LocalPeer.h"
#include "ui/shell/instance/DdeLink.h"

#include <QLocalSocket>

namespace brevlin::shell {

clsDdeServer::clsDdeServer(QObject* parent) : QObject(parent) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &clsDdeServer::NewConnection);
}

clsDdeServer::~clsDdeServer() {
    Close();
}

bool clsDdeServer::Listen(const QString& path, QString& error) {
    if (m_server.listen(path))
        return true;
    error = m_server.errorString();
    return false;
}

void clsDdeServer::Close() {
    if (m_server.isListening())
        m_server.close();
}

void clsDdeServer::NewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!platform::LocalPeer::IsCurrentUser(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequests(socket); });
        ReadRequests(socket);
    }
}

void clsDdeServer::ReadRequests(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine(DdeLink::MaxLine);
        if (!line.endsWith('\n')) {
            socket->abort();
            return;
        }
        line.chop(1);
        const QList<QByteArray> fields = line.split('\t');
        const bool ours = fields.size() == 4 && fields[0] == DdeLink::ExecuteVerb &&
                          QString::fromUtf8(fields[1]) == DdeLink::Service &&
                          QString::fromUtf8(fields[2]) == DdeLink::Topic;
        socket->write((ours ? DdeLink::Ack : DdeLink::Nak) + '\n');
        socket->flush();
        if (ours)
            emit LinkExecute(QString::fromUtf8(fields[3]));
    }
    if (socket->bytesAvailable() > DdeLink::MaxLine)
        socket->abort();
}

} // namespace brevlin::shell
