// TCustomWSocket: host name and address look-ups.
#include "ftp/socket/custom_wsocket.h"

#include "ftp/socket/wsocket_resolve.h"

#include <cstring>

using namespace win;

bool TCustomWSocket::PrepareLookup(bool Valid, const QString& InvalidText)
{
    if (!Valid) {
        RaiseException(InvalidText);
        TriggerDnsLookupDone(WSAEINVAL);
        return false;
    }
    if (FDnsLookupHandle) {
        WSACancelAsyncRequest(FDnsLookupHandle);
        FDnsLookupHandle = nullptr;
    }
    FDnsResult.clear();
    FDnsResultList.clear();
    return true;
}

void TCustomWSocket::DnsLookup(const QString& HostName)
{
    if (!PrepareLookup(!HostName.isEmpty(), QStringLiteral("DNS lookup: invalid host name.")))
        return;
    if (WSocketIsDottedIP(HostName)) {
        in_addr Address{inet_addr(HostName.toLatin1().constData())};
        FDnsResult = QString::fromLatin1(inet_ntoa(Address));
        FDnsResultList << FDnsResult;
        TriggerDnsLookupDone(0);
        return;
    }
    FDnsLookupHandle = WSAAsyncGetHostByName(FWindowHandle, WM_SOCKET_HOST_BY_NAME, HostName.toUtf8().constData(),
                                             FDnsLookupBuffer, sizeof FDnsLookupBuffer);
    if (!FDnsLookupHandle)
        RaiseException(QStringLiteral("%1: can't start DNS lookup, error #%2").arg(HostName).arg(WSAGetLastError()));
}

void TCustomWSocket::ReverseDnsLookup(const QString& HostAddr)
{
    if (!PrepareLookup(!HostAddr.isEmpty() && HostAddr.size() < 257,
                       QStringLiteral("ReverseDnsLookup: Invalid host name.")))
        return;
    const win::u_long Address = inet_addr(HostAddr.toLatin1().constData());
    FDnsLookupHandle = WSAAsyncGetHostByAddr(FWindowHandle, WM_SOCKET_HOST_BY_ADDR,
                                             reinterpret_cast<const char*>(&Address), sizeof Address, AF_INET,
                                             FDnsLookupBuffer, sizeof FDnsLookupBuffer);
    if (!FDnsLookupHandle)
        RaiseException(QStringLiteral("%1: can't start DNS lookup, error #%2").arg(HostAddr).arg(WSAGetLastError()));
}

void TCustomWSocket::CancelDnsLookup()
{
    if (!FDnsLookupHandle)
        return;
    const HANDLE Pending = FDnsLookupHandle;
    FDnsLookupHandle = nullptr;
    if (WSACancelAsyncRequest(Pending) != 0) {
        SocketError(QStringLiteral("WSACancelAsyncRequest"));
        return;
    }
    if (!FDestroying)
        TriggerDnsLookupDone(WSAEINTR);
}

bool TCustomWSocket::LookupCompleted(const TMessage& MsgRec, WORD& Error)
{
    if (!FDnsLookupHandle || MsgRec.WParam != reinterpret_cast<WPARAM>(FDnsLookupHandle))
        return false;
    FDnsLookupHandle = nullptr;
    Error = WSAGETASYNCERROR(MsgRec.LParam);
    return true;
}

void TCustomWSocket::HandleHostByName(TMessage& MsgRec)
{
    WORD Error;
    if (!LookupCompleted(MsgRec, Error))
        return;
    if (Error == 0) {
        const auto* Host = reinterpret_cast<const hostent*>(FDnsLookupBuffer);
        for (char** Item = Host->h_addr_list; *Item; ++Item) {
            in_addr Address;
            std::memcpy(&Address.s_addr, *Item, sizeof Address.s_addr);
            FDnsResultList << QString::fromLatin1(inet_ntoa(Address));
        }
        if (!FDnsResultList.isEmpty())
            FDnsResult = FDnsResultList.first();
    }
    TriggerDnsLookupDone(Error);
}

void TCustomWSocket::HandleHostByAddr(TMessage& MsgRec)
{
    WORD Error;
    if (!LookupCompleted(MsgRec, Error))
        return;
    if (Error == 0) {
        const auto* Host = reinterpret_cast<const hostent*>(FDnsLookupBuffer);
        FDnsResult = QString::fromUtf8(Host->h_name);
        FDnsResultList << FDnsResult;
    }
    TriggerDnsLookupDone(Error);
}
