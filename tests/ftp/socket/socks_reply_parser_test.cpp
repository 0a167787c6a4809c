// The SOCKS reply parser on bytes alone: replies growing byte by byte, address types, errors.
#include "ftp/socket/socks_reply_parser.h"
#include "ftp/socket_helpers.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// Feeds every prefix of Reply and returns the first result that is not NeedMore, with the length
// of the prefix that gave it.
std::pair<TSocksReply, int> FirstOutcome(TSocksPhase Phase, bool Level5, const QByteArray& Reply)
{
    for (int length = 0; length <= Reply.size(); ++length) {
        const TSocksReply result = ParseSocksReply(Phase, Level5, Reply.left(length));
        if (result.Result != TSocksReply::NeedMore)
            return {result, length};
        EXPECT_GT(result.Need, length) << "a reply that needs more must ask for more than it has";
    }
    return {TSocksReply{}, -1};
}

} // namespace

TEST(SocksReplyParser, RepliesCompleteOnTheirLastByte)
{
    const QByteArray name = "bound.example.test.x"; // 20 characters
    ASSERT_EQ(name.size(), 20);
    struct Case {
        const char* what;
        TSocksPhase phase;
        bool level5;
        QByteArray reply;
        TSocksReply::Kind result;
        int completeAt;
        QString boundAddr;
        QString boundPort;
    } cases[] = {
        {"method none", socksPhaseMethod, true, Bytes({5, 0}), TSocksReply::MethodNone, 2, "", ""},
        {"method user code", socksPhaseMethod, true, Bytes({5, 2}), TSocksReply::MethodUsercode, 2, "", ""},
        {"auth accepted", socksPhaseAuth, true, Bytes({1, 0}), TSocksReply::AuthAccepted, 2, "", ""},
        {"socks 4 granted", socksPhaseConnect, false, Bytes({0, 90, 0, 21, 127, 0, 0, 1}),
         TSocksReply::Granted, 8, "", ""},
        {"socks 5 IPv4", socksPhaseConnect, true, Bytes({5, 0, 0, 1, 192, 0, 2, 7, 0x12, 0x34}),
         TSocksReply::Granted, 10, "192.0.2.7", "4660"},
        {"socks 5 name of 20", socksPhaseConnect, true, Bytes({5, 0, 0, 3, 20}) + name + Bytes({0, 21}),
         TSocksReply::Granted, 27, "bound.example.test.x", "21"},
        {"socks 5 IPv6", socksPhaseConnect, true,
         Bytes({5, 0, 0, 4, 0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0x04, 0x00}),
         TSocksReply::Granted, 22, "2001:db8:0:0:0:0:0:1", "1024"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Bytes behind a complete SOCKS 5 reply belong to the user and change nothing.
        const QByteArray withData =
            c.reply + (c.phase == socksPhaseConnect ? QByteArray("220 ready\r\n") : "");
        const auto [result, length] = FirstOutcome(c.phase, c.level5, withData);
        EXPECT_EQ(result.Result, c.result);
        EXPECT_EQ(length, c.completeAt);
        EXPECT_EQ(result.Length, c.completeAt);
        EXPECT_EQ(result.BoundAddr, c.boundAddr);
        EXPECT_EQ(result.BoundPort, c.boundPort);
        if (c.level5 && c.phase == socksPhaseConnect) {
            const TSocksReply whole = ParseSocksReply(c.phase, c.level5, withData);
            EXPECT_EQ(whole.Result, TSocksReply::Granted);
            EXPECT_EQ(whole.Length, c.completeAt);
        }
    }
}

TEST(SocksReplyParser, ErrorsCarryTheirCodeAndText)
{
    struct Case {
        TSocksPhase phase;
        bool level5;
        QByteArray reply;
        int code;
        QString text;
    } cases[] = {
        {socksPhaseMethod, false, Bytes({5, 0}), 20001, "TWSocket logic error"},
        {socksPhaseMethod, true, Bytes({4}), 20002, "socks version error"},
        {socksPhaseMethod, true, Bytes({5, 0xFF}), 20003, "authentification method not acceptable"},
        {socksPhaseMethod, true, Bytes({5, 0, 1}), 20001, "too much data availaible"},
        {socksPhaseAuth, true, Bytes({5}), 20002, "socks version error"},
        {socksPhaseAuth, true, Bytes({1, 1}), 20015, "socks authentication failed"},
        {socksPhaseAuth, true, Bytes({1, 0, 0}), 20001, "too much data availaible"},
        {socksPhaseConnect, false, Bytes({1, 90, 0, 0, 0, 0, 0, 0}), 20002, "socks version error"},
        {socksPhaseConnect, false, Bytes({0, 91, 0, 0, 0, 0, 0, 0}), 20016, "request rejected or failed"},
        {socksPhaseConnect, false, Bytes({0, 92, 0, 0, 0, 0, 0, 0}), 20008, "connection refused"},
        {socksPhaseConnect, false, Bytes({0, 93, 0, 0, 0, 0, 0, 0}), 20015, "authentification failed"},
        {socksPhaseConnect, false, Bytes({0, 94, 0, 0, 0, 0, 0, 0}), 20012, "unassigned error #94"},
        {socksPhaseConnect, true, Bytes({4}), 20002, "socks version error"},
        {socksPhaseConnect, true, Bytes({5, 1}), 20004, "general SOCKS server failure"},
        {socksPhaseConnect, true, Bytes({5, 2}), 20005, "connection not allowed by ruleset"},
        {socksPhaseConnect, true, Bytes({5, 3}), 20006, "network unreachable"},
        {socksPhaseConnect, true, Bytes({5, 4}), 20007, "host unreachable"},
        {socksPhaseConnect, true, Bytes({5, 5}), 20008, "connection refused"},
        {socksPhaseConnect, true, Bytes({5, 6}), 20009, "time to live expired"},
        {socksPhaseConnect, true, Bytes({5, 7}), 20010, "command not supported"},
        {socksPhaseConnect, true, Bytes({5, 8}), 20011, "address type not supported"},
        {socksPhaseConnect, true, Bytes({5, 9}), 20012, "unassigned error #9"},
        {socksPhaseConnect, true, Bytes({5, 0, 0, 5, 0}), 20011, "address type not supported"},
        {socksPhaseNone, true, Bytes({5, 0}), 20013, "internal error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toHex(' ').toStdString());
        const TSocksReply result = ParseSocksReply(c.phase, c.level5, c.reply);
        EXPECT_EQ(result.Result, TSocksReply::Failed);
        EXPECT_EQ(result.ErrorCode, c.code);
        EXPECT_EQ(result.ErrorText, c.text);
    }
}
