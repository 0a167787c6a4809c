// TCustomSocksWSocket: the requests of the negotiation, its replies, and the hand-over to the user.
#include "ftp/socket/socks_wsocket.h"

#include "ftp/socket/handler_guard.h"
#include "ftp/socket/wsocket_resolve.h"
#include "platform/rtl/events.h"

#include <algorithm>
#include <cstring>

using namespace win;

namespace {

// The reply buffer: the longest SOCKS 5 reply (a 255-byte name) with room for data behind it.
constexpr int ReplyCapacity = 1024;

void AppendPort(QByteArray& Request, u_short NetworkPort)
{
    const u_short Port = ntohs(NetworkPort);
    Request.append(char(Port >> 8));
    Request.append(char(Port & 0xFF));
}

} // namespace

void TCustomSocksWSocket::SetSocksServer(const QString& Value)
{
    if (FState != wsClosed) {
        RaiseException(QStringLiteral("Can't change socks server if not closed"));
        return;
    }
    FSocksServer = Value.trimmed();
}

void TCustomSocksWSocket::SetSocksPort(const QString& Value)
{
    if (FState != wsClosed) {
        RaiseException(QStringLiteral("Can't change socks port if not closed"));
        return;
    }
    FSocksPort = Value.trimmed();
}

void TCustomSocksWSocket::SetSocksLevel(const QString& Value)
{
    if (FState != wsClosed) {
        RaiseException(QStringLiteral("Can't change socks level if not closed"));
        return;
    }
    const QString Level = Value.toUpper();
    if (Level != QLatin1String("4") && Level != QLatin1String("4A") && Level != QLatin1String("5")) {
        RaiseException(QStringLiteral("Invalid socks level. Must be 4, 4A or 5."));
        return;
    }
    FSocksLevel = Level;
}

void TCustomSocksWSocket::AssignDefaultValue()
{
    TCustomWSocket::AssignDefaultValue();
    FSocksPhase = socksPhaseNone;
    FSocksServer.clear();
    FSocksPort.clear();
    FSocksLevel = QStringLiteral("5");
    FReply.clear();
    FHeldData.clear();
}

void TCustomSocksWSocket::Listen()
{
    if (!FSocksServer.isEmpty()) {
        RaiseException(QStringLiteral("Listening is not supported thru socks server"));
        return;
    }
    TCustomWSocket::Listen();
}

void TCustomSocksWSocket::Connect()
{
    // Without a SOCKS server, or with a value missing (the plain Connect raises the error).
    if (FSocksServer.isEmpty() || !FAddrAssigned || !FPortAssigned ||
        (FHSocket != INVALID_SOCKET && FState != wsClosed)) {
        TCustomWSocket::Connect();
        return;
    }
    if (FProtoStr.toLower() != QLatin1String("tcp")) {
        RaiseException(QStringLiteral("tcp is the only protocol supported thru socks server"));
        return;
    }
    try {
        PrepareRequests();
        if (FConnectRequest.isEmpty())
            return;
        // The address record names the SOCKS server; Addr and Port keep the destination.
        sin.sin_addr = WSocketResolveHost(FSocksServer);
        sin.sin_port = WSocketResolvePort(FSocksPort, QStringLiteral("tcp"));
        FAddrResolved = true;
        FPortResolved = true;
        FSocksPhase = socksPhaseMethod;
        FReply.clear();
        FHeldData.clear();
        TCustomWSocket::Connect();
    } catch (...) {
        FSocksPhase = socksPhaseNone;
        FAddrResolved = false;
        FPortResolved = false;
        throw;
    }
    if (FState == wsClosed)
        FSocksPhase = socksPhaseNone;
}

void TCustomSocksWSocket::PrepareRequests()
{
    FConnectRequest.clear();
    const QByteArray Host = FAddrStr.toUtf8();
    const QByteArray User = FSocksUsercode.toUtf8();
    const QByteArray Password = FSocksPassword.toUtf8();
    const u_short Port = WSocketResolvePort(FPortStr, QStringLiteral("tcp"));
    FUsercodeOffered = Level5() && FSocksAuthentication == socksAuthenticateUsercode && !User.isEmpty();

    // SOCKS 5 carries each of these with a one-byte length.
    const char* TooLong = nullptr;
    if (Level5() && Host.size() > 255)
        TooLong = "host name";
    else if (FUsercodeOffered && User.size() > 255)
        TooLong = "user code";
    else if (FUsercodeOffered && Password.size() > 255)
        TooLong = "password";
    if (TooLong) {
        RaiseException(QStringLiteral("Socks %1 longer than 255 bytes").arg(QLatin1String(TooLong)));
        return;
    }

    QByteArray Request;
    if (Level5()) {
        FGreeting = FUsercodeOffered ? QByteArray("\x05\x02\x00\x02", 4) : QByteArray("\x05\x01\x00", 3);
        FAuthRequest = QByteArray(1, '\x01') + char(User.size()) + User + char(Password.size()) + Password;
        Request = QByteArray("\x05\x01\x00\x03", 4) + char(Host.size()) + Host;
        AppendPort(Request, Port);
    } else {
        Request = QByteArray("\x04\x01", 2);
        AppendPort(Request, Port);
        if (FSocksLevel == QLatin1String("4")) {
            const in_addr Address = WSocketResolveHost(FAddrStr);
            Request.append(reinterpret_cast<const char*>(&Address.s_addr), 4);
        } else {
            Request.append("\x00\x00\x00\x01", 4);
        }
        Request += User + '\0';
        if (FSocksLevel == QLatin1String("4A"))
            Request += Host + '\0';
    }
    FConnectRequest = Request;
}

void TCustomSocksWSocket::SendRequest(const QByteArray& Request, TSocksPhase Phase)
{
    FSocksPhase = Phase;
    FReply.clear();
    Send(Request.constData(), int(Request.size()));
}

void TCustomSocksWSocket::TriggerSessionConnected(WORD Error)
{
    if (FSocksPhase != socksPhaseMethod) {
        TCustomWSocket::TriggerSessionConnected(Error);
        return;
    }
    const HandlerGuard Guard(this);
    TriggerSocksConnected(Error);
    if (!Guard.Unchanged())
        return;
    if (Error != 0) {
        FSocksPhase = socksPhaseNone;
        TCustomWSocket::TriggerSessionConnected(Error);
        return;
    }
    if (Level5())
        SendRequest(FGreeting, socksPhaseMethod);
    else
        SendRequest(FConnectRequest, socksPhaseConnect);
}

bool TCustomSocksWSocket::TriggerDataAvailable(WORD Error)
{
    if (FSocksPhase == socksPhaseNone)
        return TCustomWSocket::TriggerDataAvailable(Error);
    if (Error != 0) {
        SocksError(Error, QStringLiteral("data receive error"));
        return true;
    }
    // A SOCKS 4 reply is read exactly, so that what follows it stays in the socket for the user;
    // what follows a SOCKS 5 reply is held and handed over first.
    const int Room = !Level5() && FSocksPhase == socksPhaseConnect ? 8 - int(FReply.size())
                                                                   : ReplyCapacity - int(FReply.size());
    char Buffer[ReplyCapacity];
    const int Count = TCustomWSocket::DoRecv(Buffer, std::max(Room, 0), 0);
    if (Count <= 0)
        return true; // a closed connection reports its close next
    FReply.append(Buffer, Count);
    HandleReply(ParseSocksReply(FSocksPhase, Level5(), FReply));
    return true;
}

void TCustomSocksWSocket::HandleReply(const TSocksReply& Reply)
{
    const HandlerGuard Guard(this);
    switch (Reply.Result) {
    case TSocksReply::NeedMore: break;
    case TSocksReply::Failed: SocksError(Reply.ErrorCode, Reply.ErrorText); break;
    case TSocksReply::MethodNone:
        if (FUsercodeOffered) {
            TriggerSocksAuthState(socksAuthNotRequired);
            if (!Guard.Unchanged())
                return;
        }
        SendRequest(FConnectRequest, socksPhaseConnect);
        break;
    case TSocksReply::MethodUsercode:
        // A method the client did not offer is as bad as no acceptable method.
        if (!FUsercodeOffered) {
            SocksError(20003, QStringLiteral("authentification method not acceptable"));
            return;
        }
        TriggerSocksAuthState(socksAuthStart);
        if (Guard.Unchanged())
            SendRequest(FAuthRequest, socksPhaseAuth);
        break;
    case TSocksReply::AuthAccepted:
        TriggerSocksAuthState(socksAuthSuccess);
        if (Guard.Unchanged())
            SendRequest(FConnectRequest, socksPhaseConnect);
        break;
    case TSocksReply::Granted: Negotiated(Reply); break;
    }
}

void TCustomSocksWSocket::Negotiated(const TSocksReply& Reply)
{
    FSocksPhase = socksPhaseNone;
    FBoundAddr = Reply.BoundAddr;
    FBoundPort = Reply.BoundPort;
    FHeldData = FReply.mid(Reply.Length);
    FReply.clear();
    const HandlerGuard Guard(this);
    TCustomWSocket::TriggerSessionConnected(0);
    if (Guard.Unchanged() && !FHeldData.isEmpty())
        TriggerDataAvailable(0);
}

void TCustomSocksWSocket::SocksError(int Error, const QString& Msg)
{
    const HandlerGuard Guard(this);
    TriggerSocksError(Error, Msg);
    if (!Guard.Unchanged())
        return;
    FSocksPhase = socksPhaseNone;
    TCustomWSocket::TriggerSessionConnected(WORD(Error));
    if (Guard.Unchanged())
        InternalClose(true, WORD(Error));
}

void TCustomSocksWSocket::TriggerSessionClosed(WORD Error)
{
    if (FSocksPhase == socksPhaseAuth) {
        const QPointer<TCustomSocksWSocket> Alive(this);
        TriggerSocksAuthState(socksAuthFailure);
        if (!Alive)
            return;
    }
    FSocksPhase = socksPhaseNone;
    TCustomWSocket::TriggerSessionClosed(Error);
}

int TCustomSocksWSocket::GetRcvdCount()
{
    return FHeldData.isEmpty() ? TCustomWSocket::GetRcvdCount() : int(FHeldData.size());
}

int TCustomSocksWSocket::DoRecv(char* Buffer, int BufferSize, int Flags)
{
    if (FHeldData.isEmpty())
        return TCustomWSocket::DoRecv(Buffer, BufferSize, Flags);
    const int Count = std::clamp(BufferSize, 0, int(FHeldData.size()));
    std::memcpy(Buffer, FHeldData.constData(), std::size_t(Count));
    FHeldData.remove(0, Count);
    FReceivedTotal += Count;
    return Count;
}

void TCustomSocksWSocket::TriggerSocksConnected(WORD Error)
{
    Fire(OnSocksConnected, this, Error);
}

void TCustomSocksWSocket::TriggerSocksError(int Error, const QString& Msg)
{
    Fire(OnSocksError, this, Error, Msg);
}

void TCustomSocksWSocket::TriggerSocksAuthState(TSocksAuthState AuthState)
{
    Fire(OnSocksAuthState, this, AuthState);
}
