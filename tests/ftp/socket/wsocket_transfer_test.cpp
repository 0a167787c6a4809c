// The socket layer's send queue and receive loop.
#include "ftp/socket/wsocket.h"
#include "ftp/socket_helpers.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Counts the readiness notifications a socket handles.
class CountingSocket : public TWSocket {
public:
    using TWSocket::TWSocket;
    int selects = 0;

protected:
    void WndProc(win::TMessage& MsgRec) override
    {
        if (MsgRec.Msg == WM_SOCKET_SELECT)
            ++selects;
        TWSocket::WndProc(MsgRec);
    }
};

QByteArray Pattern(int size)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 7 + i / 251) & 0xFF);
    return data;
}

} // namespace

TEST(WSocketTransfer, OneMebibyteArrivesInOrderThroughASmallBuffer)
{
    PeerListener listener;
    PeerConnection peer;
    CountingSocket socket;
    int drains = 0;
    qint64 sent = 0;
    socket.OnDataSent = [&](TObject*, win::WORD Error) {
        EXPECT_EQ(Error, 0);
        ++drains;
    };
    socket.OnSendData = [&](TObject*, int BytesSent) { sent += BytesSent; };
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    ASSERT_TRUE(pumpUntil([&] { return drains == 1; })) << "the empty queue drains once the connection is up";
    const int small = 4096;
    win::setsockopt(socket.HSocket(), win::SOL_SOCKET, win::SO_SNDBUF, reinterpret_cast<const char*>(&small),
                    sizeof small);

    const QByteArray data = Pattern(1 << 20);
    QByteArray received;
    // The peer reads in small pieces, so the socket meets a full buffer again and again.
    std::thread reader([&] {
        while (received.size() < data.size()) {
            const QByteArray piece = peer.Read(int(std::min<qsizetype>(3000, data.size() - received.size())));
            if (piece.isEmpty())
                break;
            received += piece;
        }
    });
    EXPECT_EQ(socket.Send(data.constData(), int(data.size())), data.size());
    EXPECT_EQ(drains, 1) << "too much to leave at once";
    const int selectsBefore = socket.selects;
    const bool drained = pumpUntil([&] { return drains == 2; }, 30000);
    reader.join();
    ASSERT_TRUE(drained);
    EXPECT_EQ(sent, data.size());
    EXPECT_GT(socket.selects - selectsBefore, 2) << "the rest left on write events";
    EXPECT_TRUE(received == data) << "received " << received.size() << " bytes";
    Settle();
    EXPECT_EQ(drains, 2) << "one OnDataSent per drain";
}

TEST(WSocketTransfer, SendThatLeavesAtOnceReportsTheDrainFromTheMessageLoop)
{
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    int drains = 0;
    socket.OnDataSent = [&](TObject*, win::WORD) { ++drains; };
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    ASSERT_TRUE(pumpUntil([&] { return drains == 1; }));
    EXPECT_EQ(socket.SendStr("small"), 5);
    EXPECT_EQ(drains, 1);
    ASSERT_TRUE(pumpUntil([&] { return drains == 2; }));
    EXPECT_EQ(peer.Read(5), "small");
}

TEST(WSocketTransfer, CloseComesAfterEveryWaitingByte)
{
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    socket.SetComponentOptions(wsoNoReceiveLoop);
    QByteArray received;
    qsizetype atClose = -1;
    socket.OnDataAvailable = [&](TObject*, win::WORD) {
        char buffer[1000];
        const int count = socket.Receive(buffer, sizeof buffer);
        if (count > 0)
            received.append(buffer, count);
    };
    socket.OnSessionClosed = [&](TObject*, win::WORD) { atClose = received.size(); };
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    const QByteArray data = Pattern(100000);
    ASSERT_TRUE(peer.Write(data));
    peer.Close();
    ASSERT_TRUE(pumpUntil([&] { return atClose >= 0; }));
    EXPECT_EQ(atClose, data.size());
    EXPECT_TRUE(received == data);
    EXPECT_EQ(socket.ReadCount(), data.size());
}

TEST(WSocketTransfer, ReceiveLoopRunsRoundsUntilNothingWaits)
{
    for (const bool noLoop : {false, true}) {
        PeerListener listener;
        PeerConnection peer;
        CountingSocket socket;
        if (noLoop)
            socket.SetComponentOptions(wsoNoReceiveLoop);
        QList<int> selectOfRound;
        qsizetype received = 0;
        socket.OnDataAvailable = [&](TObject*, win::WORD) {
            char buffer[10];
            received += std::max(socket.Receive(buffer, sizeof buffer), 0);
            selectOfRound << socket.selects;
        };
        ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
        ASSERT_TRUE(peer.Write(QByteArray(100, 'r')));
        ASSERT_TRUE(pumpUntil([&] { return received == 100; }));
        Settle();
        ASSERT_EQ(selectOfRound.size(), 10);
        const bool oneEvent = selectOfRound.first() == selectOfRound.last();
        EXPECT_EQ(oneEvent, !noLoop) << (noLoop ? "one round per read event" : "all rounds in one read event");
    }
}

TEST(WSocketTransfer, DataWithoutAHandlerIsDiscarded)
{
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    bool closed = false;
    socket.OnSessionClosed = [&](TObject*, win::WORD) { closed = true; };
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    ASSERT_TRUE(peer.Write(Pattern(50000)));
    peer.Close();
    EXPECT_TRUE(pumpUntil([&] { return closed; })) << "the close comes once the data was read away";
}

TEST(WSocketTransfer, HandlerThatReadsNothingIsNotCalledInALoop)
{
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    int calls = 0;
    socket.OnDataAvailable = [&](TObject*, win::WORD) { ++calls; };
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    ASSERT_TRUE(peer.Write("unread"));
    ASSERT_TRUE(pumpUntil([&] { return calls > 0; }));
    Settle();
    EXPECT_EQ(calls, 1);

    // A read re-enables the notification, and the next one offers the rest.
    char first;
    ASSERT_EQ(socket.Receive(&first, 1), 1);
    ASSERT_TRUE(pumpUntil([&] { return calls == 2; }));
    EXPECT_EQ(socket.ReceiveStr(), "nread");
}

TEST(WSocketTransfer, PausedSocketHearsNothingUntilResumed)
{
    ReadingSocket s;
    ASSERT_TRUE(s.Connect());
    s.socket.Pause();
    ASSERT_TRUE(s.peer.Write("later"));
    Settle();
    EXPECT_TRUE(s.received.isEmpty());
    s.socket.Resume();
    ASSERT_TRUE(pumpUntil([&] { return s.received == "later"; }));
}

TEST(WSocketTransfer, WaitForCloseDeliversTheDataAndReturnsClosed)
{
    ReadingSocket s;
    ASSERT_TRUE(s.Connect());
    ASSERT_TRUE(s.peer.Write("last words"));
    s.peer.Close();
    s.socket.WaitForClose();
    EXPECT_EQ(s.socket.State(), wsClosed);
    EXPECT_EQ(s.received, "last words");
}

TEST(WSocketTransfer, FlushSendsTheQueueButGivesUpAfterTheFlushTimeout)
{
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    const QByteArray data = Pattern(300000);
    QByteArray received;
    std::thread reader([&] { received = peer.Read(int(data.size()), 10000); });
    socket.Send(data.constData(), int(data.size()));
    socket.Flush();
    reader.join();
    EXPECT_TRUE(received == data);

    // A peer that reads nothing: Flush returns after FlushTimeout seconds with data still queued.
    int drains = 0;
    socket.OnDataSent = [&](TObject*, win::WORD) { ++drains; };
    socket.SetFlushTimeout(1);
    const int small = 4096;
    win::setsockopt(socket.HSocket(), win::SOL_SOCKET, win::SO_SNDBUF, reinterpret_cast<const char*>(&small),
                    sizeof small);
    peer.SetReceiveBuffer(small);
    const QByteArray flood = Pattern(1 << 20);
    socket.Send(flood.constData(), int(flood.size()));
    socket.Flush();
    Settle();
    EXPECT_EQ(drains, 0);
    EXPECT_EQ(socket.State(), wsConnected);
}
