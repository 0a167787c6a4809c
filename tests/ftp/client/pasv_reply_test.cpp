// The data port of a 227 reply, ASCII line ends, and the share mode property.
#include "ftp/client/ascii_line_ends.h"
#include "ftp/client/ftp_client.h"
#include "ftp/client/pasv_reply.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(PasvReply, PortOfTheReplyOrNone)
{
    struct Case {
        const char* reply;
        int port; // -1: none
    } cases[] = {
        {"227 Entering Passive Mode (10,0,0,5,4,1)", 1025},
        {"227 Entering Passive Mode (127,0,0,1,255,255).", 65535},
        {"227 =( 1, 2, 3, 4, 0, 21 )", 21},
        {"227 Entering Passive Mode (127,0,0,1,0,0)", -1},
        {"227 Entering Passive Mode (127,0,0,1,256,1)", -1},
        {"227 Entering Passive Mode (127,0,0,1,4)", -1},
        {"227 Entering Passive Mode (127,0,0,1,4,1,9)", -1},
        {"227 Entering Passive Mode (127,0,0,1,-4,1)", -1},
        {"227 Entering Passive Mode (127,0,0,1,4,)", -1},
        {"227 Entering Passive Mode (127,0,0,1,4,1", -1},
        {"227 Entering Passive Mode 127,0,0,1,4,1", 1025},
        {"227 Entering Passive Mode = 127, 0, 0, 1, 4, 1.", 1025},
        {"227 127,0,0,1,4,1", 1025},
        {"227 Entering Passive Mode 127,0,0,1,4", -1},
        {"227 Entering Passive Mode 127,0,0,1,4,1,9", -1},
        {"227 Entering Passive Mode", -1},
        {"227 (a,b,c,d,e,f)", -1},
        {"", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        const std::optional<int> port = PasvReplyPort(QString::fromLatin1(c.reply));
        EXPECT_EQ(port.value_or(-1), c.port);
    }
}

TEST(AsciiLineEnds, CrLfBecomesLfAcrossPiecesAndLfBecomesCrLf)
{
    struct Case {
        QList<QByteArray> pieces;
        QByteArray stored;
    } cases[] = {
        {{"a\r\nb\r\n"}, "a\nb\n"},     {{"a\r", "\nb"}, "a\nb"}, {{"a\r", "b"}, "a\rb"},
        {{"a\r", "", "\r\n"}, "a\r\n"}, {{"lone\r"}, "lone\r"},   {{"\r\r\n\n"}, "\r\n\n"},
    };
    for (const Case& c : cases) {
        TAsciiReceiver receiver;
        QByteArray stored;
        for (const QByteArray& piece : c.pieces)
            stored += receiver.Convert(piece.constData(), int(piece.size()));
        stored += receiver.Finish();
        EXPECT_EQ(stored, c.stored);
    }
}

TEST(AsciiLineEnds, OnlyABareLfGoesOutAsCrLfAcrossPieces)
{
    struct Case {
        QList<QByteArray> pieces;
        QByteArray sent;
    } cases[] = {
        {{"a\nb\r\n\n"}, "a\r\nb\r\n\r\n"},
        {{"a\r", "\nb"}, "a\r\nb"},
        {{"a\r", "", "\nb"}, "a\r\nb"},
        {{"a\r", "b\n"}, "a\rb\r\n"},
        {{"\n\n", "\r\r\n"}, "\r\n\r\n\r\r\n"},
    };
    for (const Case& c : cases) {
        TAsciiSender sender;
        QByteArray sent;
        for (const QByteArray& piece : c.pieces)
            sent += sender.Convert(piece.constData(), int(piece.size()));
        EXPECT_EQ(sent, c.sent);
    }
}

TEST(FtpShareMode, AValueOutsideTheTableIsExclusive)
{
    TFtpClient client;
    EXPECT_EQ(client.ShareMode(), ftpShareExclusive);
    client.SetShareMode(ftpShareDenyNone);
    EXPECT_EQ(client.ShareMode(), ftpShareDenyNone);
    client.SetShareMode(TFtpShareMode(9));
    EXPECT_EQ(client.ShareMode(), ftpShareExclusive);
}
