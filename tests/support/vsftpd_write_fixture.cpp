// VsftpdWriteServer.
#include "support/vsftpd_write_fixture.h"

#include "support/tcp_peer.h"
#include "support/test_env.h"
#include "support/vsftpd_config.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

namespace {
QString& LastStartError()
{
    static QString error;
    return error;
}

// Waits until something accepts connections on Port, at most ten seconds.
bool Accepts(int Port)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
        if (PeerConnection::Connect(Port).Valid())
            return true;
    }
    return false;
}
} // namespace

VsftpdWriteServer* VsftpdWriteServer::Instance()
{
    static VsftpdWriteServer* server = [] {
        auto* started = new VsftpdWriteServer;
        if (started->Start()) {
            StopAtApplicationEnd(&started->process_);
            return started;
        }
        delete started;
        return static_cast<VsftpdWriteServer*>(nullptr);
    }();
    return server;
}

QString VsftpdWriteServer::StartError()
{
    return LastStartError();
}

bool VsftpdWriteServer::Start()
{
    const QString program = QStringLiteral("/usr/sbin/vsftpd");
    if (!QFile::exists(program)) {
        LastStartError() = program + " is not installed";
        return false;
    }
    // The anonymous root may not be writable; its "pub" is, by everyone (vsftpd works as "ftp").
    const QString folder = testRunFolder() + QStringLiteral("/vsftpd");
    const QString top = folder + QStringLiteral("/anon");
    pub_ = top + QStringLiteral("/pub");
    QDir().mkpath(pub_);
    QDir().mkpath(folder + QStringLiteral("/empty"));
    QFile::setPermissions(top, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(pub_, QFileDevice::Permissions(0x7777));
    {
        RefusingPort probe;
        port_ = probe.Port();
    }
    const QString config = folder + QStringLiteral("/vsftpd.conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        LastStartError() = "cannot write " + config;
        return false;
    }
    file.write(VsftpdConfig(port_, top, folder + QStringLiteral("/empty")));
    file.close();
    if (!process_.Start(program, {config})) {
        LastStartError() = process_.Error();
        return false;
    }
    if (!Accepts(port_)) {
        LastStartError() = "vsftpd does not accept connections on port " + QString::number(port_);
        return false;
    }
    return true;
}

QString VsftpdWriteServer::NewFolder(QString& Remote)
{
    Remote = QStringLiteral("/pub/t%1").arg(++folders_);
    const QString local = pub_ + QStringLiteral("/t%1").arg(folders_);
    QDir().mkpath(local);
    QFile::setPermissions(local, QFileDevice::Permissions(0x7777));
    return local;
}
