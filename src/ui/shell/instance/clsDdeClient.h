#pragma once

#include <QString>

namespace brevlin::shell {

// A further start's end of the hand-over: connects, executes one command, disconnects.
class clsDdeClient {
public:
    enum class Result {
        Acknowledged,    // the running instance accepted the command
        NotAcknowledged, // a server answered, but not for this service and topic
        NoServer,        // nobody listens on the path
        NoAnswer,        // connected, but no answer within the time
        Closed,          // connected, but the server went away without answering
    };

    static Result Execute(const QString& path, const QString& service, const QString& topic,
                          const QString& command, int timeoutMs);
};

} // namespace brevlin::shell
