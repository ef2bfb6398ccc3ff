#pragma once

#include <QByteArray>
#include <QString>

namespace brevlin::shell {

// The hand-over between two starts of the program: a second start executes "Option" on the
// service "Brevlin", topic "System" of the running instance, which acknowledges it.
// On the wire (a local socket) a request is one UTF-8 line "EXECUTE\t<service>\t<topic>\t
// <command>"; the answer is the line "ACK" (accepted) or "NAK" (no such service or topic).
namespace DdeLink {

inline const QString Service = QStringLiteral("Brevlin");
inline const QString Topic = QStringLiteral("System");
inline const QString OptionCommand = QStringLiteral("Option");

inline const QByteArray ExecuteVerb = QByteArrayLiteral("EXECUTE");
inline const QByteArray Ack = QByteArrayLiteral("ACK");
inline const QByteArray Nak = QByteArrayLiteral("NAK");
constexpr qint64 MaxLine = 64 * 1024;

// File names inside the user's runtime directory.
inline const QString LockFileName = QStringLiteral("brevlin-glosser.lock");
inline const QString SocketFileName = QStringLiteral("brevlin-glosser.socket");

} // namespace DdeLink

} // namespace brevlin::shell
