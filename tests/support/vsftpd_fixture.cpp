// VsftpdServer: a listener of the test's own that starts vsftpd for each accepted connection.
#include "support/vsftpd_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const char* const Program = "/usr/sbin/vsftpd";

} // namespace

VsftpdServer::VsftpdServer(const QString& Root)
{
    if (!QFileInfo::exists(Program)) {
        error_ = "vsftpd is not installed";
        return;
    }
    // Started by root, vsftpd locks its users into the root folder and refuses one they may write
    // to; started by another user, it runs as that user (without locking them in).
    const bool root = geteuid() == 0;
    const QString absoluteRoot = QDir(Root).absolutePath();
    const QString empty = absoluteRoot + ".empty";
    QDir().mkpath(absoluteRoot);
    QDir().mkpath(empty);
    if (root)
        QFile::setPermissions(absoluteRoot, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    config_ = absoluteRoot + ".conf";
    QFile file(config_);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = "cannot write " + config_;
        return;
    }
    file.write(
        QStringLiteral("listen=NO\nlisten_ipv6=NO\nanonymous_enable=YES\nlocal_enable=NO\n"
                       "no_anon_password=YES\nanon_root=%1\nftp_username=ftp\nwrite_enable=NO\n"
                       "connect_from_port_20=NO\npasv_enable=YES\nport_enable=YES\n"
                       "pasv_address=127.0.0.1\nsecure_chroot_dir=%2\nseccomp_sandbox=NO\nisolate=NO\n"
                       "isolate_network=NO\nxferlog_enable=NO\ndirmessage_enable=NO\nuse_localtime=NO\n"
                       "check_shell=NO\n%3")
            .arg(absoluteRoot, empty, root ? QString() : QStringLiteral("run_as_launching_user=YES\n"))
            .toUtf8());
    file.close();

    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error_ = "cannot listen on 127.0.0.1";
        return;
    }
    port_ = ntohs(address.sin_port);
    notifier_ = std::make_unique<QSocketNotifier>(listener_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Accept(); });
}

VsftpdServer::~VsftpdServer()
{
    notifier_.reset();
    if (listener_ >= 0)
        ::close(listener_);
    for (pid_t pid : sessions_) {
        if (::waitpid(pid, nullptr, WNOHANG) == 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
}

void VsftpdServer::Accept()
{
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, connection, 0);
    posix_spawn_file_actions_adddup2(&actions, connection, 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const QByteArray config = QFile::encodeName(config_);
    char* const argv[] = {const_cast<char*>(Program), const_cast<char*>(config.constData()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, Program, &actions, nullptr, argv, environ) == 0)
        sessions_.push_back(pid);
    posix_spawn_file_actions_destroy(&actions);
    ::close(connection);
}
