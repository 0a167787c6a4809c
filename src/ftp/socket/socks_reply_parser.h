// ParseSocksReply: reads the answers of a SOCKS 4, 4A or 5 server from the bytes received so far.
// It holds no socket and no state of its own, so that it can be tested and fuzzed on bytes alone.
#pragma once

#include <QByteArray>
#include <QString>

// What the SOCKS client waits for.
enum TSocksPhase { socksPhaseNone = 0, socksPhaseMethod = 1, socksPhaseAuth = 2, socksPhaseConnect = 3 };

struct TSocksReply {
    enum Kind {
        NeedMore,       // the reply is not complete: Need bytes must be there
        Failed,         // ErrorCode and ErrorText tell why
        MethodNone,     // the server chose no authentication
        MethodUsercode, // the server chose user name and password
        AuthAccepted,   // the user name and password were accepted
        Granted,        // the connection is made; Length bytes were the reply
    };
    Kind Result = NeedMore;
    int Need = 0;
    int ErrorCode = 0;
    QString ErrorText;
    int Length = 0;
    // Address and port the server bound for the connection (SOCKS 5), as text.
    QString BoundAddr;
    QString BoundPort;
};

// Reads Data, everything received in Phase. Level5 tells SOCKS 5 from SOCKS 4 and 4A.
TSocksReply ParseSocksReply(TSocksPhase Phase, bool Level5, const QByteArray& Data);
