// Host, port and protocol resolution; failures raise ESocketException.
#include "ftp/socket/wsocket_resolve.h"

#include "ftp/socket/winsock_library.h"
#include "ftp/socket/wsocket_errors.h"

#include <QHash>
#include <QRegularExpression>
#include <cstring>
#include <mutex>
#include <optional>

namespace {

// The decimal number at the start of S after blanks; nullopt when it does not start with a digit.
// Numbers above limit give limit + 1.
std::optional<long> LeadingNumber(const QString& S, long limit)
{
    qsizetype i = 0;
    while (i < S.size() && S[i] == u' ')
        ++i;
    if (i >= S.size() || S[i] < u'0' || S[i] > u'9')
        return std::nullopt;
    long value = 0;
    for (; i < S.size() && S[i] >= u'0' && S[i] <= u'9'; ++i)
        value = std::min(value * 10 + (S[i].unicode() - u'0'), limit + 1);
    return value;
}

} // namespace

bool WSocketIsDottedIP(const QString& S)
{
    static const QRegularExpression dotted(QStringLiteral("^ *([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+) *$"));
    const QRegularExpressionMatch match = dotted.match(S);
    if (!match.hasMatch())
        return false;
    for (int part = 1; part <= 4; ++part) {
        if (LeadingNumber(match.captured(part), 255).value() > 255)
            return false;
    }
    return true;
}

win::in_addr WSocketResolveHost(const QString& InAddr)
{
    if (InAddr.isEmpty() || InAddr.size() >= 257)
        throw ESocketException(QStringLiteral("WSocketResolveHost: '%1' Invalid Hostname.").arg(InAddr));
    if (WSocketIsDottedIP(InAddr)) {
        const win::u_long address = win::inet_addr(InAddr.toLatin1().constData());
        if (address == win::INADDR_NONE && InAddr.trimmed() != QLatin1String("255.255.255.255"))
            throw ESocketException(QStringLiteral("WSocketResolveHost: '%1' Invalid IP address.").arg(InAddr));
        return win::in_addr{address};
    }
    WSocketLoadWinsock();
    const win::hostent* host = win::gethostbyname(InAddr.toUtf8().constData());
    if (!host)
        throw ESocketException(QStringLiteral("WSocketResolveHost: Cannot convert host address '%1', Error #%2")
                                   .arg(InAddr)
                                   .arg(win::WSAGetLastError()));
    win::in_addr address;
    std::memcpy(&address.s_addr, host->h_addr_list[0], sizeof address.s_addr);
    return address;
}

win::u_short WSocketResolvePort(const QString& Port, const QString& Proto)
{
    if (Port.isEmpty() || Port.size() >= 32)
        throw ESocketException(QStringLiteral("WSocketResolvePort: Invalid Port."));
    if (Proto.isEmpty() || Proto.size() >= 32)
        throw ESocketException(QStringLiteral("WSocketResolvePort: Invalid Proto."));
    if (const std::optional<long> number = LeadingNumber(Port, 65535)) {
        // A number that does not fit in 16 bits would silently name another port.
        if (*number > 65535)
            throw ESocketException(QStringLiteral("WSocketResolvePort: Invalid Port."));
        return win::htons(win::u_short(*number));
    }
    WSocketLoadWinsock();
    const win::servent* service = win::getservbyname(Port.toLatin1().constData(), Proto.toLatin1().constData());
    if (!service)
        throw ESocketException(QStringLiteral("WSocketResolvePort: Cannot convert port '%1', Error #%2")
                                   .arg(Port)
                                   .arg(win::WSAGetLastError()));
    return win::u_short(service->s_port);
}

int WSocketResolveProto(const QString& Proto)
{
    if (Proto.isEmpty() || Proto.size() >= 32)
        throw ESocketException(QStringLiteral("WSocketResolveProto: Invalid Protocol."));
    if (const std::optional<long> number = LeadingNumber(Proto, 65535))
        return int(*number);
    // The system's protocol table does not change while the program runs, and every socket of
    // a transfer asks for "tcp": each name is looked up once.
    static std::mutex knownMutex;
    static QHash<QString, int> known;
    {
        const std::lock_guard lock(knownMutex);
        if (const auto found = known.constFind(Proto); found != known.cend())
            return *found;
    }
    WSocketLoadWinsock();
    const win::protoent* protocol = win::getprotobyname(Proto.toLatin1().constData());
    if (!protocol)
        throw ESocketException(QStringLiteral("WSocketResolveProto: Cannot convert protocol '%1', Error #%2")
                                   .arg(Proto)
                                   .arg(win::WSAGetLastError()));
    const std::lock_guard lock(knownMutex);
    known.insert(Proto, protocol->p_proto);
    return protocol->p_proto;
}
