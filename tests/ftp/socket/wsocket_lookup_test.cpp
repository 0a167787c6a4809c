// The socket layer's host look-ups: dotted addresses at once, names asynchronously, failures,
// cancelling, and reverse look-ups.
#include "ftp/socket/wsocket.h"
#include "platform/threads/sync_objects.h"
#include "ftp/socket_helpers.h"
#include "support/qt_printers.h"
#include "support/test_resolver.h"

#include <gtest/gtest.h>

TEST(WSocketLookup, DottedAddressIsReportedBeforeTheCallReturns)
{
    TWSocket socket;
    EventLog log;
    log.Attach(socket);
    socket.DnsLookup(" 192.168.001.010 ");
    EXPECT_EQ(log.lines, QStringList{"dns 0"});
    EXPECT_EQ(socket.DnsResult(), "192.168.1.10");
    EXPECT_EQ(socket.DnsResultList(), QStringList{"192.168.1.10"});
}

TEST(WSocketLookup, NamesAreLookedUpAsynchronously)
{
    ResolverScope resolver;
    TWSocket socket;
    EventLog log;
    log.Attach(socket);
    socket.DnsLookup("alpha.test");
    EXPECT_TRUE(log.lines.isEmpty()) << "the answer comes from the message loop";
    ASSERT_TRUE(pumpUntil([&] { return !log.lines.isEmpty(); }));
    EXPECT_EQ(log.lines, QStringList{"dns 0"});
    EXPECT_EQ(socket.DnsResult(), "10.0.0.1");
    EXPECT_EQ(socket.DnsResultList(), (QStringList{"10.0.0.1", "10.0.0.2"}));

    socket.DnsLookup("nowhere.test");
    EXPECT_TRUE(socket.DnsResult().isEmpty());
    ASSERT_TRUE(pumpUntil([&] { return log.lines.size() == 2; }));
    EXPECT_EQ(log.lines.last(), "dns 11001");
    EXPECT_TRUE(socket.DnsResultList().isEmpty());

    socket.ReverseDnsLookup("10.0.0.1");
    ASSERT_TRUE(pumpUntil([&] { return log.lines.size() == 3; }));
    EXPECT_EQ(log.lines.last(), "dns 0");
    EXPECT_EQ(socket.DnsResult(), "alpha.test");
}

TEST(WSocketLookup, CancelReports10004AndNoLaterAnswer)
{
    auto release = std::make_shared<TEvent>();
    win::HostResolver slow = TestResolver();
    slow.ByName = [release, fixed = slow.ByName](const std::string& name, std::string& official,
                                                 std::vector<win::u_long>& addresses) {
        release->WaitFor(5000);
        return fixed(name, official, addresses);
    };
    ResolverScope resolver(slow);
    TWSocket socket;
    EventLog log;
    log.Attach(socket);
    socket.DnsLookup("alpha.test");
    socket.CancelDnsLookup();
    EXPECT_EQ(log.lines, QStringList{"dns 10004"});
    release->SetEvent();

    // A second socket's look-up through the same resolver finishing shows the first had its chance.
    TWSocket other;
    bool done = false;
    other.OnDnsLookupDone = [&](TObject*, win::WORD) { done = true; };
    other.DnsLookup("alpha.test");
    ASSERT_TRUE(pumpUntil([&] { return done; }));
    Settle();
    EXPECT_EQ(log.lines, QStringList{"dns 10004"});
    EXPECT_TRUE(socket.DnsResult().isEmpty());
}

TEST(WSocketLookup, EmptyNamesAreRefused)
{
    TWSocket socket;
    EventLog log;
    log.Attach(socket);
    EXPECT_EQ(RaisedMessage([&] { socket.DnsLookup(""); }), "DNS lookup: invalid host name.");
    EXPECT_EQ(RaisedMessage([&] { socket.ReverseDnsLookup(""); }), "ReverseDnsLookup: Invalid host name.");
    EXPECT_TRUE(log.lines.isEmpty());

    socket.OnError = [&](TObject*) { log.lines << "error"; };
    socket.DnsLookup("");
    EXPECT_EQ(log.lines, (QStringList{"error", "dns 10022"}));
}
