// Helpers of the socket layer's tests: connecting a socket to a plain peer, recording events,
// and letting every pending notification arrive.
#pragma once

#include "ftp/socket/wsocket.h"
#include "support/pump.h"
#include "support/tcp_peer.h"

#include <gtest/gtest.h>

#include <QStringList>

inline const char* StateName(TSocketState State)
{
    static const char* const names[] = {"Invalid", "Opened",    "Bound",     "Connecting",
                                        "Connected", "Accepting", "Listening", "Closed"};
    return names[State];
}

// Bytes from a list of byte values.
inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray data;
    for (int value : values)
        data.append(char(value));
    return data;
}

// Records what a socket reports, one short line per event, in order.
struct EventLog {
    QStringList lines;

    void Attach(TCustomWSocket& Socket)
    {
        Socket.OnChangeState = [this](TObject*, TSocketState Old, TSocketState New) {
            lines << QStringLiteral("state %1>%2").arg(StateName(Old), StateName(New));
        };
        Socket.OnSessionConnected = [this](TObject*, win::WORD Error) { lines << QStringLiteral("connected %1").arg(Error); };
        Socket.OnSessionClosed = [this](TObject*, win::WORD Error) { lines << QStringLiteral("closed %1").arg(Error); };
        Socket.OnDnsLookupDone = [this](TObject*, win::WORD Error) { lines << QStringLiteral("dns %1").arg(Error); };
    }
    bool Has(const QString& line) const { return lines.contains(line); }
};

// Connects Socket to a fresh connection of Listener and hands the far end to Peer.
inline ::testing::AssertionResult ConnectToPeer(TCustomWSocket& Socket, PeerListener& Listener, PeerConnection& Peer)
{
    Socket.SetAddr(QStringLiteral("127.0.0.1"));
    Socket.SetPort(QString::number(Listener.Port()));
    Socket.Connect();
    Peer = Listener.Accept();
    if (!Peer.Valid())
        return ::testing::AssertionFailure() << "the peer saw no connection";
    if (!pumpUntil([&] { return Socket.State() == wsConnected; }))
        return ::testing::AssertionFailure() << "still " << StateName(Socket.State());
    return ::testing::AssertionSuccess();
}

// A socket connected to a plain peer, keeping what it reads with ReceiveStr.
struct ReadingSocket {
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    QByteArray received;

    ReadingSocket()
    {
        socket.OnDataAvailable = [this](TObject*, win::WORD) { received += socket.ReceiveStr(); };
    }
    ::testing::AssertionResult Connect() { return ConnectToPeer(socket, listener, peer); }
};

// Returns once every notification that the sockets' current readiness causes has been delivered.
inline void Settle()
{
    for (int round = 0; round < 2; ++round) {
        bool arrived = false;
        const win::HWND marker = win::AllocateHWnd([&](win::TMessage&) { arrived = true; });
        win::PostMessage(marker, win::WM_USER, 0, 0);
        EXPECT_TRUE(pumpUntil([&] { return arrived; }));
        win::DeallocateHWnd(marker);
    }
}

// Runs body and returns the message of the ESocketException it raises ("" when none).
template <class Body>
QString RaisedMessage(Body body)
{
    try {
        body();
    } catch (const ESocketException& E) {
        return E.Message;
    }
    return QString();
}
