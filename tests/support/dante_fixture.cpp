// DanteServer.
#include "support/dante_fixture.h"

#include "support/tcp_peer.h"
#include "support/test_env.h"

#include <QFile>
#include <pwd.h>

namespace {

QString& LastStartError()
{
    static QString error;
    return error;
}

DanteServer* Started(DanteServer* server, bool ok)
{
    if (ok)
        return server;
    delete server;
    return nullptr;
}

} // namespace

QString DanteServer::User()
{
    return QStringLiteral("hftp-socks");
}

QString DanteServer::Password()
{
    return QStringLiteral("halyard-socks-test");
}

QString DanteServer::StartError()
{
    return LastStartError();
}

DanteServer* DanteServer::Instance(Method method)
{
    static DanteServer* servers[2] = {};
    static bool tried[2] = {};
    if (!tried[method]) {
        tried[method] = true;
        auto* server = new DanteServer;
        servers[method] = Started(server, server->Start(method));
    }
    return servers[method];
}

bool DanteServer::Start(Method method)
{
    if (method == UserPassword && !getpwnam(User().toLatin1().constData())) {
        LastStartError() = "the system account " + User() + " is missing (scripts/test creates it as root)";
        return false;
    }
    {
        // A port that is free now; danted binds it right away.
        RefusingPort probe;
        port_ = probe.Port();
    }
    const QString config = testRunFolder() + QStringLiteral("/danted-%1.conf").arg(method);
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        LastStartError() = "cannot write " + config;
        return false;
    }
    const char* socksMethod = method == UserPassword ? "username" : "none";
    file.write(QStringLiteral("logoutput: stderr\n"
                              "internal: 127.0.0.1 port = %1\n"
                              "external: 127.0.0.1\n"
                              "socksmethod: %2\n"
                              "clientmethod: none\n"
                              "user.privileged: root\n"
                              "user.unprivileged: nobody\n"
                              "client pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n"
                              "socks pass { from: 127.0.0.0/8 to: 127.0.0.0/8 command: connect }\n"
                              "socks block { from: 0.0.0.0/0 to: 0.0.0.0/0 }\n")
                   .arg(port_)
                   .arg(QLatin1String(socksMethod))
                   .toUtf8());
    file.close();

    const QString pidFile = testRunFolder() + QStringLiteral("/danted-%1.pid").arg(method);
    if (!process_.Start(QStringLiteral("/usr/sbin/danted"), {"-f", config, "-p", pidFile, "-N", "1"})) {
        LastStartError() = process_.Error();
        return false;
    }
    // It logs "... running" once it serves.
    while (true) {
        const QString line = process_.ReadLineStartingWith(QString(), true);
        if (line.isEmpty()) {
            LastStartError() = process_.Error();
            return false;
        }
        if (line.endsWith(QLatin1String(" running")))
            break;
    }
    StopAtApplicationEnd(&process_);
    return true;
}
