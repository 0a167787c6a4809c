// VsftpdWriteServer: Debian's vsftpd shared by the tests of a binary, on 127.0.0.1 with a
// generated configuration: anonymous logins that may read, write, make and delete below "pub/".
// One server per test binary, started on first use and stopped when the binary ends.
#pragma once

#include "support/server_process.h"

class VsftpdWriteServer {
public:
    // The running server, or null when it cannot run here (StartError() says why).
    static VsftpdWriteServer* Instance();
    static QString StartError();

    int Port() const { return port_; }
    // A new empty folder below "pub/": its local path, and its path on the server in Remote.
    QString NewFolder(QString& Remote);

private:
    VsftpdWriteServer() = default;
    bool Start();

    ServerProcess process_;
    int port_ = 0;
    QString pub_;
    int folders_ = 0;
};
