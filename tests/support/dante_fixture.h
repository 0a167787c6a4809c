// DanteServer: Debian's danted as the real SOCKS server of the tests, on 127.0.0.1 with a
// generated configuration that serves only 127.0.0.0/8 (SOCKS 4 and 5; it has no SOCKS 4A).
// One server per method and test binary, started on first use and stopped when the binary ends.
#pragma once

#include "support/server_process.h"

class DanteServer {
public:
    enum Method { NoAuthentication, UserPassword };

    // The running server, or null when it cannot run here (StartError() says why).
    static DanteServer* Instance(Method method);
    static QString StartError();

    // The system account user name and password authentication checks (scripts/test creates it).
    static QString User();
    static QString Password();

    int Port() const { return port_; }

private:
    DanteServer() = default;
    bool Start(Method method);

    ServerProcess process_;
    int port_ = 0;
};
