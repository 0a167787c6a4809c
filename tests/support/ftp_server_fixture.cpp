// PyFtpServer.
#include "support/ftp_server_fixture.h"

#include "support/test_env.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QString& LastStartError()
{
    static QString error;
    return error;
}
} // namespace

PyFtpServer* PyFtpServer::Instance()
{
    static PyFtpServer* server = [] {
        auto* started = new PyFtpServer;
        if (started->Start()) {
            StopAtApplicationEnd(&started->process_);
            return started;
        }
        LastStartError() = started->process_.Error();
        delete started;
        return static_cast<PyFtpServer*>(nullptr);
    }();
    return server;
}

QString PyFtpServer::StartError()
{
    return LastStartError();
}

bool PyFtpServer::Start()
{
    if (!process_.Start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral(HFTP_SOURCE_DIR "/tests/support/ftp_server.py")}))
        return false;
    const QString line = process_.ReadLineStartingWith(QStringLiteral("port "));
    port_ = line.mid(5).toInt();
    return port_ > 0;
}

bool PyFtpServer::Command(const QString& line)
{
    process_.WriteLine(line);
    const QString answer = process_.ReadLineStartingWith(QString());
    EXPECT_EQ(answer, "ok") << line.toStdString();
    return answer == QLatin1String("ok");
}

FtpAccount PyFtpServer::AddUser()
{
    ++users_;
    FtpAccount account{QStringLiteral("user%1").arg(users_), QStringLiteral("secret%1").arg(users_),
                       testRunFolder() + QStringLiteral("/ftp-home-%1").arg(users_)};
    QDir().mkpath(account.home);
    Command(QStringLiteral("user %1 %2 %3").arg(account.user, account.password, account.home));
    return account;
}

void PyFtpServer::SetBanner(const QString& banner)
{
    Command(QStringLiteral("banner ") + banner);
}

void PyFtpServer::SetListing(const QString& Folder, const QStringList& Lines)
{
    static int listings = 0;
    const QString file = testRunFolder() + QStringLiteral("/canned-listing-%1").arg(++listings);
    QFile listing(file);
    ASSERT_TRUE(listing.open(QIODevice::WriteOnly)) << file.toStdString();
    for (const QString& line : Lines)
        listing.write(line.toUtf8() + "\r\n");
    listing.close();
    Command(QStringLiteral("listing %1 %2").arg(Folder, file));
}
