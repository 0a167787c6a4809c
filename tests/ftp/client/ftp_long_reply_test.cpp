// Long reply lines against a scripted server: lines up to 64 KiB are read whole; a longer one ends
// the connection with a text that says so.
#include "ftp/ftp_helpers.h"
#include "support/qt_printers.h"
#include "support/scripted_server.h"

TEST(FtpLongReply, LinesUpTo64KiBAreReadAndLongerOnesCloseTheConnection)
{
    struct Case {
        const char* what;
        int lineLength; // the reply line without its CR LF
        bool accepted;
    } cases[] = {
        {"a PWD in a deep folder (5 KiB)", 5 * 1024, true},
        {"exactly 64 KiB", 64 * 1024, true},
        {"one byte more", 64 * 1024 + 1, false},
        {"far longer", 200 * 1024, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray folder = "/" + QByteArray(c.lineLength - 7, 'd');
        const QByteArray reply = "257 \"" + folder + "\"";
        ASSERT_EQ(reply.size(), c.lineLength);

        ScriptedServer server;
        server.Send("220 Fake ready\r\n").ExpectLine("PWD").Send(reply + "\r\n");
        if (c.accepted)
            server.ExpectLine("NOOP").Send("200 Still here\r\n");
        server.AwaitClose();
        server.Start();
        RecordingClient rc;
        ASSERT_EQ(rc.Open(server.Port()), 0);
        TFtpClient& client = rc.client;

        if (c.accepted) {
            EXPECT_EQ(rc.Run([&] { client.PwdAsync(); }), 0);
            EXPECT_TRUE(client.DirResult() == QString::fromLatin1(folder)); // too long to print
            EXPECT_EQ(rc.Run([&] {
                          client.SetLocalFileName("NOOP");
                          client.QuoteAsync();
                      }),
                      0);
            client.AbortAsync();
        } else {
            EXPECT_EQ(rc.Run([&] { client.PwdAsync(); }), 421);
            EXPECT_EQ(client.ErrorMessage(), "421 Reply line too long (over 64 KiB), connection closed.");
            EXPECT_FALSE(client.Connected());
        }
        ASSERT_TRUE(pumpUntil([&] { return server.Finished(); }));
        EXPECT_EQ(server.Failure(), "");
    }
}
