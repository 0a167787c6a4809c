// VsftpdServer: vsftpd on 127.0.0.1 for one test, serving a folder of the test to anonymous users.
#pragma once

#include <QSocketNotifier>
#include <QString>
#include <memory>
#include <sys/types.h>
#include <vector>

// The test listens on a port of its own; each connection it accepts is handed to a vsftpd started
// for that one session (vsftpd's standalone listener is off), so the port takes connections from
// the moment the object stands, with no waiting for a server to come up. Accepting needs the event
// loop to run. The sessions still running when the object goes are ended.
class VsftpdServer {
public:
    // Root is made (when missing) and served as the anonymous user's root, read-only. The files the
    // test puts there must be readable by all.
    explicit VsftpdServer(const QString& Root);
    ~VsftpdServer();
    VsftpdServer(const VsftpdServer&) = delete;
    VsftpdServer& operator=(const VsftpdServer&) = delete;

    // False (with StartError) when vsftpd cannot run here or the port could not be opened.
    bool Running() const { return port_ > 0; }
    QString StartError() const { return error_; }
    int Port() const { return port_; }
    static QString User() { return QStringLiteral("anonymous"); }
    static QString Password() { return QStringLiteral("test@"); }

private:
    void Accept();

    QString config_;
    QString error_;
    int listener_ = -1;
    int port_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<pid_t> sessions_;
};
