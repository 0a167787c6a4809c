// Helpers of the FTP client's tests: a client that records what it reports, and running one
// request to its end.
#pragma once

#include "ftp/client/ftp_client.h"
#include "support/pump.h"

#include <gtest/gtest.h>

#include <QStringList>

// A client whose events are written, one short line each, into log.
template <class Client = TFtpClient> struct BasicRecordingClient {
    Client client;
    QStringList log;
    QList<std::pair<TFtpRequest, int>> done;

    BasicRecordingClient()
    {
        client.OnDisplay = [this](TObject*, QString& Msg) { log << Msg; };
        client.OnRequestDone = [this](TObject*, TFtpRequest Rq, win::WORD Error) {
            done << std::pair{Rq, int(Error)};
            log << QStringLiteral("done %1 %2").arg(Rq).arg(Error);
        };
        client.OnSessionConnected = [this](TObject*, win::WORD E) {
            log << QStringLiteral("session connected %1").arg(E);
        };
        client.OnSessionClosed = [this](TObject*, win::WORD E) {
            log << QStringLiteral("session closed %1").arg(E);
        };
    }

    // Runs a request method to its OnRequestDone and returns the reported error (-1 when none
    // came). The event must never come before the method returned.
    int Run(const std::function<void()>& request)
    {
        done.clear();
        request();
        EXPECT_TRUE(done.isEmpty()) << "OnRequestDone came inside the request method";
        if (!pumpUntil([&] { return !done.isEmpty(); }))
            return -1;
        return done.last().second;
    }

    // Opens a connection to 127.0.0.1:port and waits for its end.
    int Open(int port)
    {
        client.SetHostName(QStringLiteral("127.0.0.1"));
        client.SetPort(QString::number(port));
        return Run([&] { client.OpenAsync(); });
    }

    // Logs in with USER and PASS.
    ::testing::AssertionResult Login(const QString& user, const QString& password)
    {
        client.SetUserName(user);
        client.SetPassWord(password);
        if (const int e = Run([&] { client.UserAsync(); }); e != 0)
            return ::testing::AssertionFailure() << "USER gave " << e;
        if (const int e = Run([&] { client.PassAsync(); }); e != 0)
            return ::testing::AssertionFailure() << "PASS gave " << e;
        return ::testing::AssertionSuccess();
    }
};

using RecordingClient = BasicRecordingClient<>;

// Runs body and returns the message of the FtpException it raises ("" when none).
template <class Body> QString FtpRaised(Body body)
{
    try {
        body();
    } catch (const FtpException& E) {
        return E.Message;
    }
    return QString();
}
