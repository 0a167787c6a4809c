// TCustomWSocket: life cycle, properties, connecting, listening, taking over and closing.
#include "ftp/socket/custom_wsocket.h"

#include "ftp/socket/winsock_library.h"
#include "ftp/socket/wsocket_resolve.h"
#include "platform/rtl/application.h"
#include "platform/rtl/events.h"
#include "platform/system/tick_count.h"

#include <QCoreApplication>
#include <cstring>

using namespace win;

namespace {
const QString DefaultLocalAddr = QStringLiteral("0.0.0.0");
constexpr long ConnectEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE; // 59
constexpr long ListenEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;               // 43
constexpr long DupEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;                 // 51
} // namespace

TCustomWSocket::TCustomWSocket(TComponent* AOwner) : TComponent(AOwner)
{
    WSocketAddObject();
    FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); },
                                 [this](Exception& E) { HandleBackGroundException(E); });
    AssignDefaultValue();
}

TCustomWSocket::~TCustomWSocket()
{
    FDestroying = true;
    try {
        CancelDnsLookup();
        InternalClose(true, 0);
    } catch (...) {
        // Nobody is left to be told that closing failed.
    }
    DeleteBufferedData();
    DeallocateHWnd(FWindowHandle);
    WSocketRemoveObject();
}

void TCustomWSocket::AssignDefaultValue()
{
    std::memset(&sin, 0, sizeof sin);
    sin.sin_family = AF_INET;
    FAddrAssigned = false;
    FAddrResolved = false;
    FPortAssigned = false;
    FPortResolved = false;
    FProtoStr = QStringLiteral("tcp");
    FProto = IPPROTO_TCP;
    FType = SOCK_STREAM;
    FProtoAssigned = true;
    FProtoResolved = false;
    FLocalPortStr = QStringLiteral("0");
    FLocalPortNum = 0;
    FLocalPortResolved = false;
    FLocalAddr = DefaultLocalAddr;
    FLingerOnOff = wsLingerOn;
    FLingerTimeout = 0;
    FFlushTimeout = 60;
    FHSocket = INVALID_SOCKET;
    FSelectEvent = 0;
    FState = wsClosed;
    bAllSent = true;
    FCloseInvoked = false;
    FPaused = false;
}

bool TCustomWSocket::ChangeAllowed(const char* Property)
{
    if (FState == wsClosed)
        return true;
    RaiseException(QStringLiteral("Cannot change %1 if not closed").arg(QLatin1String(Property)));
    return false;
}

void TCustomWSocket::SetAddr(const QString& Value)
{
    if (!ChangeAllowed("Addr"))
        return;
    FAddrStr = Value;
    FAddrAssigned = true;
    FAddrResolved = false;
}

void TCustomWSocket::SetPort(const QString& Value)
{
    if (!ChangeAllowed("Port"))
        return;
    FPortStr = Value.trimmed();
    FPortAssigned = true;
    FPortResolved = false;
}

void TCustomWSocket::SetProto(const QString& Value)
{
    if (!ChangeAllowed("Proto"))
        return;
    FProtoStr = Value.trimmed();
    FProtoAssigned = true;
    FProtoResolved = false;
}

void TCustomWSocket::SetLocalAddr(const QString& Value)
{
    if (!ChangeAllowed("LocalAddr"))
        return;
    if (!WSocketIsDottedIP(Value)) {
        RaiseException(QStringLiteral("SetLocalAddr(): Invalid IP address"));
        return;
    }
    FLocalAddr = Value.trimmed();
}

void TCustomWSocket::SetLocalPort(const QString& Value)
{
    if (!ChangeAllowed("LocalPort"))
        return;
    FLocalPortStr = Value.trimmed();
    FLocalPortResolved = false;
}

void TCustomWSocket::SetSendFlags(TSocketSendFlags Value)
{
    if (Value != wsSendNormal && Value != wsSendUrgent) {
        RaiseException(QStringLiteral("Invalid SendFlags"));
        return;
    }
    FSendFlags = Value;
}

void TCustomWSocket::ChangeState(TSocketState NewState)
{
    const TSocketState OldState = FState;
    FState = NewState;
    // A socket being freed tells nobody: its handlers' owners may be gone already.
    if (OldState != NewState && !FDestroying)
        TriggerChangeState(OldState, NewState);
}

void TCustomWSocket::SocketError(const QString& FuncName)
{
    const int Error = WSAGetLastError();
    const QString Line =
        QStringLiteral("Error %1 in function %2\r\n%3").arg(Error).arg(FuncName, WSocketErrorDesc(Error));
    FLastError = Error;
    if (Error == WSAECONNRESET || Error == WSAENOTCONN) {
        if (FHSocket != INVALID_SOCKET) {
            closesocket(FHSocket);
            FHSocket = INVALID_SOCKET;
        }
        ChangeState(wsClosed);
    }
    RaiseException(Line);
}

void TCustomWSocket::RaiseException(const QString& Msg)
{
    if (OnError && !FDestroying)
        TriggerError();
    else
        throw ESocketException(Msg);
}

bool TCustomWSocket::SetLingerOption()
{
    if (FLingerOnOff == wsLingerNoSet)
        return true;
    if (FHSocket == INVALID_SOCKET) {
        RaiseException(QStringLiteral("Cannot set linger option at this time"));
        return false;
    }
    const linger Value{win::u_short(FLingerOnOff == wsLingerOn ? 1 : 0), win::u_short(FLingerTimeout)};
    if (setsockopt(FHSocket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&Value), sizeof Value) != 0) {
        SocketError(QStringLiteral("setsockopt(SO_LINGER)"));
        return false;
    }
    return true;
}

bool TCustomWSocket::BindSocket()
{
    sockaddr_in Local{};
    Local.sin_family = AF_INET;
    Local.sin_port = htons(win::u_short(FLocalPortNum));
    Local.sin_addr = WSocketResolveHost(FLocalAddr);
    if (bind(FHSocket, reinterpret_cast<const sockaddr*>(&Local), sizeof Local) != 0) {
        FLastError = WSAGetLastError();
        RaiseException(QStringLiteral("winsock.bind failed, error #%1").arg(FLastError));
        return false;
    }
    int Len = sizeof Local;
    if (getsockname(FHSocket, reinterpret_cast<sockaddr*>(&Local), &Len) != 0) {
        FLastError = WSAGetLastError();
        RaiseException(QStringLiteral("winsock.getsockname failed, error #%1").arg(FLastError));
        return false;
    }
    FLocalPortNum = ntohs(Local.sin_port);
    FLocalPortStr = QString::number(FLocalPortNum);
    return true;
}

void TCustomWSocket::ResolveProtoAndPort()
{
    if (!FProtoResolved) {
        FProto = WSocketResolveProto(FProtoStr);
        FType = FProto == IPPROTO_UDP ? SOCK_DGRAM : SOCK_STREAM;
        FProtoResolved = true;
    }
    if (!FPortResolved) {
        sin.sin_port = WSocketResolvePort(FPortStr, FProtoStr);
        FPortResolved = true;
    }
}

void TCustomWSocket::ResolveAddr()
{
    if (!FAddrResolved) {
        sin.sin_addr = WSocketResolveHost(FAddrStr);
        FAddrResolved = true;
    }
}

void TCustomWSocket::Connect()
{
    if (FHSocket != INVALID_SOCKET && FState != wsClosed) {
        RaiseException(QStringLiteral("Connect: Socket already in use"));
        return;
    }
    if (!FPortAssigned) {
        RaiseException(QStringLiteral("Connect: No Port Specified"));
        return;
    }
    if (!FAddrAssigned) {
        RaiseException(QStringLiteral("Connect: No IP Address Specified"));
        return;
    }
    if (!FProtoAssigned) {
        RaiseException(QStringLiteral("Connect: No Protocol Specified"));
        return;
    }
    ResolveProtoAndPort();
    if (!FLocalPortResolved) {
        FLocalPortNum = ntohs(WSocketResolvePort(FLocalPortStr, FProtoStr));
        FLocalPortResolved = true;
    }
    ResolveAddr();

    DeleteBufferedData();
    FHSocket = socket(AF_INET, FType, FProto);
    if (FHSocket == INVALID_SOCKET) {
        SocketError(QStringLiteral("Connect (socket)"));
        return;
    }
    FReadCount = 0;
    ChangeState(wsOpened);

    if (FType == SOCK_STREAM) {
        const int On = 1;
        if (setsockopt(FHSocket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&On), sizeof On) != 0) {
            SocketError(QStringLiteral("setsockopt(SO_REUSEADDR)"));
            return;
        }
        if (!SetLingerOption())
            return;
        if (setsockopt(FHSocket, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&On), sizeof On) != 0) {
            SocketError(QStringLiteral("setsockopt(SO_KEEPALIVE)"));
            return;
        }
        if ((FLocalPortNum != 0 || FLocalAddr != DefaultLocalAddr) && !BindSocket())
            return;
    } else {
        if (!BindSocket())
            return;
        if (sin.sin_addr.s_addr == INADDR_BROADCAST) {
            const int On = 1;
            if (setsockopt(FHSocket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&On), sizeof On) != 0) {
                SocketError(QStringLiteral("setsockopt(SO_BROADCAST)"));
                return;
            }
        }
    }

    FSelectEvent = ConnectEvents;
    if (WSAAsyncSelect(FHSocket, FWindowHandle, WM_SOCKET_SELECT, FSelectEvent) != 0) {
        SocketError(QStringLiteral("WSAAsyncSelect"));
        return;
    }

    if (FType == SOCK_DGRAM) {
        ChangeState(wsConnected);
        TriggerSessionConnected(0);
        return;
    }
    if (win::connect(FHSocket, reinterpret_cast<const sockaddr*>(&sin), sizeof sin) != 0 &&
        WSAGetLastError() != WSAEWOULDBLOCK) {
        SocketError(QStringLiteral("Connect"));
        return;
    }
    ChangeState(wsConnecting);
}

void TCustomWSocket::Listen()
{
    const char* Missing = !FPortAssigned ? "listen: port not assigned"
                          : !FProtoAssigned ? "listen: protocol not assigned"
                          : !FAddrAssigned ? "listen: address not assigned"
                                            : nullptr;
    if (Missing) {
        WSASetLastError(WSAEINVAL);
        SocketError(QLatin1String(Missing));
        return;
    }
    ResolveProtoAndPort();
    ResolveAddr();

    DeleteBufferedData();
    FHSocket = socket(AF_INET, FType, FProto);
    if (FHSocket == INVALID_SOCKET) {
        SocketError(QStringLiteral("socket"));
        return;
    }
    FReadCount = 0;
    if (bind(FHSocket, reinterpret_cast<const sockaddr*>(&sin), sizeof sin) != 0) {
        // Close first, keeping the error, so that a failed bind leaves no socket behind.
        const int Error = WSAGetLastError();
        closesocket(FHSocket);
        FHSocket = INVALID_SOCKET;
        WSASetLastError(Error);
        SocketError(QStringLiteral("Bind"));
        return;
    }
    ChangeState(wsBound);

    if (FType == SOCK_DGRAM) {
        ChangeState(wsListening);
        ChangeState(wsConnected);
        TriggerSessionConnected(0);
    } else {
        if (listen(FHSocket, 5) != 0) {
            SocketError(QStringLiteral("Listen"));
            return;
        }
        ChangeState(wsListening);
    }

    FSelectEvent = ListenEvents;
    if (WSAAsyncSelect(FHSocket, FWindowHandle, WM_SOCKET_SELECT, FSelectEvent) != 0)
        SocketError(QStringLiteral("WSAASyncSelect"));
}

SOCKET TCustomWSocket::Accept()
{
    if (FState != wsListening) {
        WSASetLastError(WSAEINVAL);
        SocketError(QStringLiteral("not a listening socket"));
        return INVALID_SOCKET;
    }
    sockaddr_in From{};
    int Len = sizeof From;
    const SOCKET Accepted = accept(FHSocket, reinterpret_cast<sockaddr*>(&From), &Len);
    if (Accepted == INVALID_SOCKET)
        SocketError(QStringLiteral("Accept"));
    return Accepted;
}

void TCustomWSocket::Dup(SOCKET NewHSocket)
{
    if (NewHSocket == INVALID_SOCKET || NewHSocket == 0) {
        WSASetLastError(WSAEINVAL);
        SocketError(QStringLiteral("Dup"));
        return;
    }
    if (FState != wsClosed && FHSocket != INVALID_SOCKET) {
        const SOCKET Old = FHSocket;
        FHSocket = INVALID_SOCKET;
        if (closesocket(Old) != 0) {
            SocketError(QStringLiteral("Dup (closesocket)"));
            return;
        }
    }
    FHSocket = NewHSocket;
    FReadCount = 0;
    if (!SetLingerOption())
        return;
    FSelectEvent = DupEvents;
    if (WSAAsyncSelect(FHSocket, FWindowHandle, WM_SOCKET_SELECT, FSelectEvent) != 0) {
        SocketError(QStringLiteral("WSAAsyncSelect"));
        return;
    }
    ChangeState(wsConnected);
}

void TCustomWSocket::Close() { InternalClose(true, 0); }

void TCustomWSocket::CloseDelayed() { PostMessage(FWindowHandle, WM_SOCKET_CLOSE_DELAYED, 0, 0); }

void TCustomWSocket::Release() { PostMessage(FWindowHandle, WM_SOCKET_RELEASE, 0, 0); }

void TCustomWSocket::Abort()
{
    CancelDnsLookup();
    DeleteBufferedData();
    // Linger on with no time makes closing reset the connection.
    if (FHSocket != INVALID_SOCKET && FState == wsConnected && FType == SOCK_STREAM) {
        FLingerOnOff = wsLingerOn;
        FLingerTimeout = 0;
        SetLingerOption();
    }
    InternalClose(false, 0);
}

void TCustomWSocket::InternalClose(bool bShut, WORD Error)
{
    if (FHSocket == INVALID_SOCKET) {
        if (FState != wsClosed)
            ChangeState(wsClosed);
        AssignDefaultValue();
        return;
    }
    if (FState == wsClosed)
        return;
    if (bShut)
        shutdown(FHSocket, SD_SEND);
    const SOCKET Closing = FHSocket;
    FHSocket = INVALID_SOCKET;
    if (closesocket(Closing) != 0 && WSAGetLastError() != WSANOTINITIALISED) {
        SocketError(QStringLiteral("Disconnect (closesocket)"));
        return;
    }
    ChangeState(wsClosed);
    if (!FDestroying && !FCloseInvoked) {
        FCloseInvoked = true;
        TriggerSessionClosed(Error);
    }
    // A handler that opened the socket again keeps what it set up.
    if (FHSocket == INVALID_SOCKET && FState == wsClosed)
        AssignDefaultValue();
}

void TCustomWSocket::Shutdown(int How)
{
    if (FHSocket != INVALID_SOCKET)
        shutdown(FHSocket, How);
}

void TCustomWSocket::Pause()
{
    FPaused = true;
    WSAAsyncSelect(FHSocket, FWindowHandle, 0, 0);
}

void TCustomWSocket::Resume()
{
    FPaused = false;
    if (WSAAsyncSelect(FHSocket, FWindowHandle, WM_SOCKET_SELECT, FSelectEvent) != 0)
        SocketError(QStringLiteral("WSAAsyncSelect"));
}

void TCustomWSocket::Flush()
{
    const std::uint32_t Start = GetTickCount();
    while (FHSocket != INVALID_SOCKET && !bAllSent) {
        TryToSend();
        if (bAllSent || (FFlushTimeout > 0 && GetTickCount() - Start >= std::uint32_t(FFlushTimeout) * 1000))
            break;
        MessagePump();
    }
}

void TCustomWSocket::WaitForClose()
{
    while (FHSocket != INVALID_SOCKET && FState != wsClosed) {
        MessagePump();
        win::u_long Waiting = 0;
        if (ioctlsocket(FHSocket, FIONREAD, &Waiting) == 0 && Waiting > 0)
            TriggerDataAvailable(0);
        char Probe;
        if (FHSocket == INVALID_SOCKET || (recv(FHSocket, &Probe, 0, 0) == SOCKET_ERROR &&
                                           WSAGetLastError() != WSAEWOULDBLOCK))
            break;
        MessagePump();
    }
}

QString TCustomWSocket::GetPeerAddr()
{
    if (FState != wsConnected)
        return QStringLiteral("error");
    sockaddr_in Peer{};
    if (GetPeerName(Peer, sizeof Peer) != 0) {
        SocketError(QStringLiteral("GetPeerName"));
        return QStringLiteral("error");
    }
    return QString::fromLatin1(inet_ntoa(Peer.sin_addr));
}

QString TCustomWSocket::GetPeerPort()
{
    if (FState != wsConnected)
        return QStringLiteral("error");
    sockaddr_in Peer{};
    if (GetPeerName(Peer, sizeof Peer) != 0) {
        SocketError(QStringLiteral("GetPeerPort"));
        return QStringLiteral("error");
    }
    return QString::number(ntohs(Peer.sin_port));
}

int TCustomWSocket::GetPeerName(sockaddr_in& Name, int NameLen)
{
    return getpeername(FHSocket, reinterpret_cast<sockaddr*>(&Name), &NameLen);
}

int TCustomWSocket::GetSockName(sockaddr_in& saddr, int& saddrlen)
{
    return getsockname(FHSocket, reinterpret_cast<sockaddr*>(&saddr), &saddrlen);
}

QString TCustomWSocket::GetXPort()
{
    if (FState != wsBound && FState != wsConnected && FState != wsListening)
        return QStringLiteral("error");
    sockaddr_in Local{};
    int Len = sizeof Local;
    if (GetSockName(Local, Len) != 0)
        return QStringLiteral("error");
    return QString::number(ntohs(Local.sin_port));
}

QString TCustomWSocket::GetXAddr()
{
    if (FState != wsBound && FState != wsConnected && FState != wsListening)
        return QStringLiteral("error");
    sockaddr_in Local{};
    int Len = sizeof Local;
    if (GetSockName(Local, Len) != 0)
        return QStringLiteral("error");
    return QString::fromLatin1(inet_ntoa(Local.sin_addr));
}

void TCustomWSocket::MessagePump()
{
    if (!FMultiThreaded) {
        if (Application)
            Application->ProcessMessages();
        return;
    }
    if (!PumpMessages())
        FTerminated = true;
    QCoreApplication::processEvents();
}
