#include "ui/shell/instance/clsDdeClient.h"

#include "ui/shell/instance/DdeLink.h"

#include <QDeadlineTimer>
#include <QLocalSocket>

namespace brevlin::shell {

clsDdeClient::Result clsDdeClient::Execute(const QString& path, const QString& service,
                                           const QString& topic, const QString& command,
                                           int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
        return Result::NoServer;

    QByteArray request = DdeLink::ExecuteVerb;
    for (const QString& field : {service, topic, command}) {
        QString clean = field;
        clean.replace(u'\t', u' ').replace(u'\n', u' ');
        request += '\t' + clean.toUtf8();
    }
    request += '\n';
    socket.write(request);
    socket.flush();

    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || socket.bytesAvailable() > DdeLink::MaxLine)
            return Result::NoAnswer;
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())) &&
            !socket.canReadLine()) {
            // An instance that is ending drops the requests it has not read.
            return socket.state() == QLocalSocket::ConnectedState ? Result::NoAnswer
                                                                  : Result::Closed;
        }
    }
    const QByteArray answer = socket.readLine(DdeLink::MaxLine).trimmed();
    socket.disconnectFromServer();
    return answer == DdeLink::Ack ? Result::Acknowledged : Result::NotAcknowledged;
}

} // namespace brevlin::shell
