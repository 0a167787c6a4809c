// PyFtpServer: the real FTP server of the tests, pyftpdlib run through tests/support/ftp_server.py
// by /usr/bin/python3 on 127.0.0.1. One server per test binary, started on first use and stopped
// when the binary ends; each test logs in as a user of its own whose root is a fresh folder.
#pragma once

#include "support/server_process.h"

struct FtpAccount {
    QString user;
    QString password;
    QString home; // the local folder that is the user's root
};

class PyFtpServer {
public:
    // The running server, or null when it cannot run here (StartError() says why).
    static PyFtpServer* Instance();
    static QString StartError();

    int Port() const { return port_; }
    // A new user with every right, whose root is a new empty folder.
    FtpAccount AddUser();
    // The greeting of the connections made from now on.
    void SetBanner(const QString& banner);
    // LIST of the local folder Folder (a folder without blanks) answers with Lines, each ended by
    // CR LF, whatever the folder holds.
    void SetListing(const QString& Folder, const QStringList& Lines);

private:
    PyFtpServer() = default;
    bool Start();
    bool Command(const QString& line);

    ServerProcess process_;
    int port_ = 0;
    int users_ = 0;
};
