// Address texts, byte order, and the service and protocol tables.
#include "platform/winsock/posix_net.h"
#include "platform/winsock/winsock_internal.h"

#include <QByteArray>
#include <QtEndian>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace win {

using namespace detail;

u_long inet_addr(const char* cp)
{
    if (!cp)
        return INADDR_NONE;
    const char* p = cp;
    while (*p == ' ')
        ++p;
    u_long address = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && *p++ != '.')
            return INADDR_NONE;
        if (!std::isdigit(static_cast<unsigned char>(*p)))
            return INADDR_NONE;
        unsigned value = 0;
        while (std::isdigit(static_cast<unsigned char>(*p))) {
            value = value * 10 + unsigned(*p++ - '0');
            if (value > 255)
                return INADDR_NONE;
        }
        address = (address << 8) | value;
    }
    while (*p == ' ')
        ++p;
    return *p ? INADDR_NONE : htonl(address);
}

char* inet_ntoa(in_addr in)
{
    thread_local char text[16];
    const u_long a = ntohl(in.s_addr);
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned(a >> 24), unsigned((a >> 16) & 0xFF),
                  unsigned((a >> 8) & 0xFF), unsigned(a & 0xFF));
    return text;
}

u_short htons(u_short hostshort) { return qToBigEndian(hostshort); }
u_short ntohs(u_short netshort) { return qFromBigEndian(netshort); }
u_long htonl(u_long hostlong) { return qToBigEndian(hostlong); }
u_long ntohl(u_long netlong) { return qFromBigEndian(netlong); }

namespace {

// Entries used when the system's tables lack them (minimal systems ship no /etc/services).
struct KnownService {
    const char* name;
    int port;
};
constexpr KnownService KnownServices[] = {
    {"ftp", 21}, {"ftp-data", 20}, {"telnet", 23}, {"http", 80}, {"socks", 1080},
};

struct KnownProtocol {
    const char* name;
    int number;
};
constexpr KnownProtocol KnownProtocols[] = {{"ip", 0}, {"icmp", 1}, {"tcp", 6}, {"udp", 17}};

// A result entry of the calling thread, kept until its next call.
template <class Entry>
struct Result {
    Entry entry{};
    QByteArray name;
    QByteArray proto;
    char* aliases[1] = {nullptr};
};

} // namespace

servent* getservbyname(const char* name, const char* proto)
{
    if (!RequireStarted())
        return nullptr;
    if (!name) {
        Fail(WSAEFAULT);
        return nullptr;
    }
    int port = 0;
    std::string official;
    bool found = posixnet::FindService(name, proto, &port, &official);
    const bool tcp = !proto || qstricmp(proto, "tcp") == 0;
    for (const KnownService& known : KnownServices) {
        if (!found && tcp && qstricmp(known.name, name) == 0) {
            port = known.port;
            official = known.name;
            found = true;
        }
    }
    if (!found) {
        Fail(WSANO_DATA);
        return nullptr;
    }
    thread_local Result<servent> result;
    result.name = QByteArray::fromStdString(official);
    result.proto = proto ? QByteArray(proto) : QByteArray("tcp");
    result.entry.s_name = result.name.data();
    result.entry.s_aliases = result.aliases;
    result.entry.s_port = short(htons(u_short(port)));
    result.entry.s_proto = result.proto.data();
    return &result.entry;
}

protoent* getprotobyname(const char* name)
{
    if (!RequireStarted())
        return nullptr;
    if (!name) {
        Fail(WSAEFAULT);
        return nullptr;
    }
    int number = 0;
    std::string official;
    bool found = posixnet::FindProtocol(name, &number, &official);
    for (const KnownProtocol& known : KnownProtocols) {
        if (!found && qstricmp(known.name, name) == 0) {
            number = known.number;
            official = known.name;
            found = true;
        }
    }
    if (!found) {
        Fail(WSANO_DATA);
        return nullptr;
    }
    thread_local Result<protoent> result;
    result.name = QByteArray::fromStdString(official);
    result.entry.p_name = result.name.data();
    result.entry.p_aliases = result.aliases;
    result.entry.p_proto = short(number);
    return &result.entry;
}

} // namespace win
