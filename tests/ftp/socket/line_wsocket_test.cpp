// Line mode: lines split across reads, several per read, other line ends, the line limit, the last
// line at close, switching modes, editing and echo; and the synchronous wait.
#include "ftp/socket/wsocket.h"
#include "ftp/socket_helpers.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// A line-mode socket that can tell how many bytes it has taken from the network.
class LineSocket : public TWSocket {
public:
    using TWSocket::TWSocket;
    qint64 Taken() const { return FReceivedTotal; }
};

// A line-mode socket connected to a peer, collecting the lines it is offered.
struct LineFixture {
    PeerListener listener;
    PeerConnection peer;
    LineSocket socket;
    QList<QByteArray> lines;
    bool closed = false;
    qint64 written = 0;

    LineFixture()
    {
        socket.SetLineMode(true);
        socket.OnDataAvailable = [this](TObject*, win::WORD) { lines << socket.ReceiveStr(); };
        socket.OnSessionClosed = [this](TObject*, win::WORD) {
            closed = true;
            lines << "<closed>";
        };
    }
    ::testing::AssertionResult Connect() { return ConnectToPeer(socket, listener, peer); }
    // Writes one piece and waits until the socket has read it, so pieces arrive as separate reads.
    ::testing::AssertionResult Feed(const QByteArray& piece)
    {
        if (!peer.Write(piece))
            return ::testing::AssertionFailure() << "write failed";
        written += piece.size();
        if (!pumpUntil([&] { return socket.Taken() == written; }))
            return ::testing::AssertionFailure() << "read " << socket.Taken() << " of " << written;
        return ::testing::AssertionSuccess();
    }
};

} // namespace

TEST(LineMode, LinesAreOfferedOneAtATime)
{
    const struct {
        const char* name;
        QByteArray lineEnd;
        QList<QByteArray> pieces;
        bool closeAfter;
        QList<QByteArray> expected;
    } cases[] = {
        {"line end split between reads", "\r\n", {"abc\r", "\ndef\r\n"}, false, {"abc\r\n", "def\r\n"}},
        {"two lines in one read", "\r\n", {"one\r\ntwo\r\n"}, false, {"one\r\n", "two\r\n"}},
        {"line across three reads", "\r\n", {"a", "b", "c\r\n"}, false, {"abc\r\n"}},
        {"LF-only lines with LF as line end", "\n", {"a\nb\n"}, false, {"a\n", "b\n"}},
        {"LF-only lines wait for CR LF", "\r\n", {"a\nb\n"}, true, {"a\nb\n", "<closed>"}},
        {"last line without line end at close", "\r\n", {"x\r\npartial"}, true, {"x\r\n", "partial", "<closed>"}},
        {"long line end", "END", {"oneENDtwoE", "NDthree"}, true, {"oneEND", "twoEND", "three", "<closed>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LineFixture f;
        f.socket.SetLineEnd(c.lineEnd);
        ASSERT_TRUE(f.Connect());
        for (const QByteArray& piece : c.pieces)
            ASSERT_TRUE(f.Feed(piece));
        if (c.closeAfter) {
            f.peer.Close();
            ASSERT_TRUE(pumpUntil([&] { return f.closed; }));
        }
        Settle();
        EXPECT_EQ(f.lines, c.expected);
    }
}

TEST(LineMode, LineLimitClearsTheBufferUnlessTheHandlerKeepsIt)
{
    for (const bool keep : {false, true}) {
        LineFixture f;
        f.socket.SetLineLimit(10);
        QList<int> exceeded;
        f.socket.OnLineLimitExceeded = [&](TObject*, int RcvdLength, bool& ClearData) {
            EXPECT_TRUE(ClearData);
            exceeded << RcvdLength;
            ClearData = !keep;
        };
        ASSERT_TRUE(f.Connect());
        ASSERT_TRUE(f.Feed("0123456789A"));
        EXPECT_EQ(exceeded, QList<int>{11});
        ASSERT_TRUE(f.Feed("x\r\n"));
        EXPECT_EQ(f.lines, QList<QByteArray>{keep ? "0123456789Ax\r\n" : "x\r\n"});
    }
}

TEST(LineMode, HandlerThatReadsNothingIsOfferedEachLineOnce)
{
    LineFixture f;
    int offers = 0;
    f.socket.OnDataAvailable = [&](TObject*, win::WORD) { ++offers; };
    ASSERT_TRUE(f.Connect());
    ASSERT_TRUE(f.Feed("a\r\nb\r\nc"));
    Settle();
    EXPECT_EQ(offers, 2);
    f.peer.Close();
    ASSERT_TRUE(pumpUntil([&] { return f.closed; }));
    EXPECT_EQ(offers, 3) << "the last line once, then the close";
}

TEST(LineMode, SwitchingModesOffersTheBufferedBytesAgain)
{
    LineFixture f;
    bool readRaw = true;
    f.socket.OnDataAvailable = [&](TObject*, win::WORD) {
        if (!f.socket.LineMode() && !readRaw) {
            f.lines << "<raw offer>";
            return;
        }
        const QByteArray data = f.socket.ReceiveStr();
        f.lines << data;
        if (data == "header\r\n" || data == "a\r\n")
            f.socket.SetLineMode(false);
    };
    ASSERT_TRUE(f.Connect());
    ASSERT_TRUE(f.Feed("header\r\nraw bytes\r\nmore"));
    ASSERT_TRUE(pumpUntil([&] { return f.lines.size() == 2; }));
    EXPECT_EQ(f.lines, (QList<QByteArray>{"header\r\n", "raw bytes\r\nmore"}));

    // Bytes left over in raw mode are offered as lines once line mode is back.
    f.lines.clear();
    readRaw = false;
    f.socket.SetLineMode(true);
    ASSERT_TRUE(f.Feed("a\r\nb\r\nc"));
    Settle();
    EXPECT_EQ(f.lines, (QList<QByteArray>{"a\r\n", "<raw offer>"}));
    f.socket.SetLineMode(true);
    Settle();
    EXPECT_EQ(f.lines, (QList<QByteArray>{"a\r\n", "<raw offer>", "b\r\n"}));
}

TEST(LineMode, EditingAppliesBackspaceAndTabAndEchoes)
{
    LineFixture f;
    f.socket.SetLineEdit(true);
    f.socket.SetLineEcho(true);
    ASSERT_TRUE(f.Connect());
    ASSERT_TRUE(f.Feed("\bab\bc\td\r\n"));
    ASSERT_TRUE(f.Feed("12345678\tz\r\n"));
    EXPECT_EQ(f.lines, (QList<QByteArray>{"ac      d\r\n", "12345678        z\r\n"}));
    const QByteArray echo = "ab\b \bc      d\r\n12345678        z\r\n";
    EXPECT_EQ(f.peer.Read(int(echo.size())), echo) << "backspace at the line start is ignored";
}

TEST(SyncWait, WaitUntilReadyPumpsUntilTheFlagOrTheTimeout)
{
    PeerListener listener;
    TWSocket socket;
    bool connected = false;
    socket.OnSessionConnected = [&](TObject*, win::WORD) { connected = true; };
    socket.SetAddr("127.0.0.1");
    socket.SetPort(QString::number(listener.Port()));
    EXPECT_EQ(socket.Synchronize([&] { socket.Connect(); }, connected), 0);
    EXPECT_EQ(socket.State(), wsConnected);

    bool done = true;
    EXPECT_EQ(socket.WaitUntilReady(done), 0);
    socket.SetTimeout(50);
    EXPECT_EQ(socket.Synchronize(nullptr, done), TWSocket::WaitTimedOut) << "cleared, and set by nobody";
    EXPECT_FALSE(done);
}
