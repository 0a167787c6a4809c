// The socket layer: aborting, delayed close and release, freeing with notifications queued,
// listening and taking over accepted connections, and background exceptions.
#include "ftp/socket/wsocket.h"
#include "ftp/socket_helpers.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QPointer>

TEST(WSocketClose, AbortResetsTheConnection)
{
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    EventLog log;
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    log.Attach(socket);
    socket.SetLingerOnOff(wsLingerOff);
    socket.Abort();
    EXPECT_EQ(log.lines, (QStringList{"state Connected>Closed", "closed 0"}));
    EXPECT_TRUE(peer.ReadToEnd().reset);
}

TEST(WSocketClose, CloseDelayedAndReleaseActFromTheMessageLoop)
{
    PeerListener listener;
    PeerConnection peer;
    TComponent owner;
    QPointer<TWSocket> socket = new TWSocket(&owner);
    ASSERT_TRUE(ConnectToPeer(*socket, listener, peer));
    socket->CloseDelayed();
    EXPECT_EQ(socket->State(), wsConnected);
    ASSERT_TRUE(pumpUntil([&] { return socket->State() == wsClosed; }));

    socket->Release();
    EXPECT_FALSE(socket.isNull());
    ASSERT_TRUE(pumpUntil([&] { return socket.isNull(); }));
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(WSocketClose, FreedSocketGetsNoQueuedNotification)
{
    TWSocket server;
    server.SetAddr("127.0.0.1");
    server.SetPort("0");
    server.Listen();
    bool delivered = false;
    bool taken = false;
    server.OnSessionAvailable = [&](TObject*, win::WORD) {
        auto* socket = new TWSocket;
        socket->OnDataAvailable = [&](TObject*, win::WORD) { delivered = true; };
        socket->OnDataSent = [&](TObject*, win::WORD) { delivered = true; };
        socket->Dup(server.Accept());
        EXPECT_GE(win::QueuedMessageCount(), 2) << "the waiting data and the free buffer are already posted";
        delete socket;
        taken = true;
    };
    PeerConnection peer = PeerConnection::Connect(server.GetXPort().toInt());
    ASSERT_TRUE(peer.Write("waiting"));
    ASSERT_TRUE(pumpUntil([&] { return taken; }));
    Settle();
    EXPECT_FALSE(delivered);
}

TEST(WSocketListen, AcceptedConnectionIsTakenOverWithItsWaitingDataAndClose)
{
    TWSocket server;
    EventLog serverLog;
    serverLog.Attach(server);
    server.SetAddr("127.0.0.1");
    server.SetPort("0");
    server.Listen();
    EXPECT_EQ(serverLog.lines, (QStringList{"state Closed>Bound", "state Bound>Listening"}));
    EXPECT_EQ(server.GetXAddr(), "127.0.0.1");

    TWSocket data;
    EventLog log;
    log.Attach(data);
    QByteArray received;
    data.OnDataAvailable = [&](TObject*, win::WORD) { received += data.ReceiveStr(); };
    server.OnSessionAvailable = [&](TObject*, win::WORD Error) {
        EXPECT_EQ(Error, 0);
        data.Dup(server.Accept());
    };
    PeerConnection peer = PeerConnection::Connect(server.GetXPort().toInt());
    ASSERT_TRUE(peer.Write("hello"));
    peer.ShutdownWrite();
    ASSERT_TRUE(pumpUntil([&] { return log.Has("closed 0"); }));
    EXPECT_EQ(received, "hello");
    EXPECT_EQ(log.lines, (QStringList{"state Closed>Connected", "closed 0", "state Connected>Closed"}));
    EXPECT_EQ(server.State(), wsListening);

    EXPECT_EQ(RaisedMessage([&] { data.Accept(); }), "Error 10022 in function not a listening socket\r\nInvalid argument");
    EXPECT_EQ(RaisedMessage([&] { data.Dup(win::INVALID_SOCKET); }), "Error 10022 in function Dup\r\nInvalid argument");
}

TEST(WSocketBackground, TestExceptionAbortsTheSocketUnlessKept)
{
    for (const bool keep : {false, true}) {
        PeerListener listener;
        PeerConnection peer;
        TWSocket socket;
        QString message;
        socket.OnBgException = [&](TObject*, Exception& E, bool& CanClose) {
            EXPECT_TRUE(CanClose);
            message = E.Message;
            CanClose = !keep;
        };
        ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
        win::PostMessage(socket.Handle(), TWSocket::WM_SOCKET_TEST_EXCEPTION, 0, 0);
        ASSERT_TRUE(pumpUntil([&] { return !message.isEmpty(); }));
        EXPECT_EQ(message, "Test exception in WSocket");
        EXPECT_EQ(socket.State(), keep ? wsConnected : wsClosed);
        if (!keep) {
            EXPECT_TRUE(peer.ReadToEnd().reset) << "aborted";
        }
    }
}
