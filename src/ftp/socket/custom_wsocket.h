// TCustomWSocket: a non-blocking TCP/UDP socket component driven by messages. Readiness and host
// look-ups arrive as private messages on the socket's hidden message target and become events on
// the GUI thread; outgoing data waits in a queue of chunks and leaves as fast as the network takes it.
#pragma once

#include "ftp/socket/buffer.h"
#include "ftp/socket/wsocket_errors.h"
#include "platform/messages/messages.h"
#include "platform/rtl/object.h"
#include "platform/winsock/winsock.h"

#include <QFlags>
#include <QObject>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

enum TSocketState { wsInvalidState, wsOpened, wsBound, wsConnecting, wsConnected, wsAccepting, wsListening, wsClosed };
enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };
enum TSocketSendFlags { wsSendNormal, wsSendUrgent };
enum TWSocketOption { wsoNoReceiveLoop = 0x1 };
using TWSocketOptions = QFlags<TWSocketOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TWSocketOptions)

using TSessionAvailable = std::function<void(TObject* Sender, win::WORD Error)>;
using TSessionConnected = std::function<void(TObject* Sender, win::WORD Error)>;
using TSessionClosed = std::function<void(TObject* Sender, win::WORD Error)>;
using TDataAvailable = std::function<void(TObject* Sender, win::WORD Error)>;
using TDataSent = std::function<void(TObject* Sender, win::WORD Error)>;
using TSendData = std::function<void(TObject* Sender, int BytesSent)>;
using TChangeState = std::function<void(TObject* Sender, TSocketState OldState, TSocketState NewState)>;
using TDnsLookupDone = std::function<void(TObject* Sender, win::WORD Error)>;
using TBgExceptionEvent = std::function<void(TObject* Sender, Exception& E, bool& CanClose)>;

// Errors of a Winsock call raise ESocketException with "Error <n> in function <name>" and the
// error's description, or call OnError instead when it is assigned (LastError holds the number).
// A handler must not free its socket directly: Release frees it from the message loop.
class TCustomWSocket : public QObject, public TComponent {
public:
    // The private messages of the socket's message target.
    static constexpr win::UINT WM_SOCKET_SELECT = win::WM_USER + 1;
    static constexpr win::UINT WM_SOCKET_HOST_BY_NAME = win::WM_USER + 2;
    static constexpr win::UINT WM_SOCKET_HOST_BY_ADDR = win::WM_USER + 3;
    static constexpr win::UINT WM_SOCKET_CLOSE_DELAYED = win::WM_USER + 4;
    static constexpr win::UINT WM_SOCKET_RELEASE = win::WM_USER + 5;
    static constexpr win::UINT WM_SOCKET_TEST_EXCEPTION = win::WM_USER + 6;

    explicit TCustomWSocket(TComponent* AOwner = nullptr);
    ~TCustomWSocket() override;

    // Remote host name or dotted address, port number or service name, and protocol ("tcp", "udp"
    // or a number); each can change only while the socket is closed. After a close they must be
    // set again before the next Connect.
    QString Addr() const { return FAddrStr; }
    void SetAddr(const QString& Value);
    QString Port() const { return FPortStr; }
    virtual void SetPort(const QString& Value);
    QString Proto() const { return FProtoStr; }
    virtual void SetProto(const QString& Value);
    QString LocalAddr() const { return FLocalAddr; }
    void SetLocalAddr(const QString& Value);
    QString LocalPort() const { return FLocalPortStr; }
    void SetLocalPort(const QString& Value);

    QString PeerAddr() { return GetPeerAddr(); }
    QString PeerPort() { return GetPeerPort(); }
    QString DnsResult() const { return FDnsResult; }
    const QStringList& DnsResultList() const { return FDnsResultList; }
    TSocketState State() const { return FState; }
    int ReadCount() const { return FReadCount; }
    int RcvdCount() { return GetRcvdCount(); }
    int LastError() const { return FLastError; }
    bool MultiThreaded() const { return FMultiThreaded; }
    void SetMultiThreaded(bool Value) { FMultiThreaded = Value; }
    TWSocketOptions ComponentOptions() const { return FComponentOptions; }
    void SetComponentOptions(TWSocketOptions Value) { FComponentOptions = Value; }
    int FlushTimeout() const { return FFlushTimeout; }
    void SetFlushTimeout(int Value) { FFlushTimeout = Value; }
    TSocketSendFlags SendFlags() const { return FSendFlags; }
    void SetSendFlags(TSocketSendFlags Value);
    TSocketLingerOnOff LingerOnOff() const { return FLingerOnOff; }
    void SetLingerOnOff(TSocketLingerOnOff Value) { FLingerOnOff = Value; }
    int LingerTimeout() const { return FLingerTimeout; }
    void SetLingerTimeout(int Value) { FLingerTimeout = Value; }

    win::SOCKET HSocket() const { return FHSocket; }
    // True when every byte given to Send has gone to the system (none waits in the socket's queue).
    bool AllSent() const { return bAllSent; }
    // The hidden message target that receives the socket's private messages.
    win::HWND Handle() const { return FWindowHandle; }

    virtual void Connect();
    virtual void Close();
    // Close and free from the message loop (posted), so that an event handler can ask for them.
    virtual void CloseDelayed();
    virtual void Release();
    // Closes at once; a connected TCP socket is reset.
    virtual void Abort();
    // Sends the queued data, pumping messages, for at most FlushTimeout seconds (0: no limit).
    virtual void Flush();
    virtual void WaitForClose();
    virtual void Listen();
    // The handle of a waiting connection (INVALID_SOCKET on failure); give it to another socket's Dup.
    virtual win::SOCKET Accept();
    virtual int Receive(void* Buffer, int BufferSize);
    virtual QByteArray ReceiveStr();
    virtual int ReceiveFrom(void* Buffer, int BufferSize, win::sockaddr_in& From, int& FromLen);
    // Queues Len bytes and sends what the network takes now; the rest leaves on write events.
    // Returns Len, or -1 when the socket is not connected.
    virtual int Send(const void* Data, int Len);
    virtual int SendTo(const win::sockaddr_in& Dest, int DestLen, const void* Data, int Len);
    virtual int SendStr(const QByteArray& Str);
    virtual void DnsLookup(const QString& HostName);
    virtual void ReverseDnsLookup(const QString& HostAddr);
    virtual void CancelDnsLookup();
    virtual QString GetPeerAddr();
    virtual QString GetPeerPort();
    virtual int GetPeerName(win::sockaddr_in& Name, int NameLen);
    virtual QString GetXPort();
    virtual QString GetXAddr();
    virtual int GetSockName(win::sockaddr_in& saddr, int& saddrlen);
    // Takes over a handle returned by Accept: the socket becomes connected.
    virtual void Dup(win::SOCKET NewHSocket);
    virtual void Shutdown(int How);
    virtual void Pause();
    virtual void Resume();
    virtual void MessagePump();

    TSessionAvailable OnSessionAvailable;
    TSessionConnected OnSessionConnected;
    TSessionClosed OnSessionClosed;
    TDataAvailable OnDataAvailable;
    TDataSent OnDataSent;
    TSendData OnSendData;
    TChangeState OnChangeState;
    TDnsLookupDone OnDnsLookupDone;
    TNotifyEvent OnError;
    TBgExceptionEvent OnBgException;

protected:
    virtual void WndProc(win::TMessage& MsgRec);
    virtual void AssignDefaultValue();
    virtual void InternalClose(bool bShut, win::WORD Error);
    // Bytes waiting to be read, or -1 on failure.
    virtual int GetRcvdCount();
    virtual bool BindSocket();
    virtual int RealSend(const char* Data, int Len);
    virtual void RaiseException(const QString& Msg);
    virtual void HandleBackGroundException(Exception& E);
    // Offers received data to the user; returns false when nobody took it (no handler).
    virtual bool TriggerDataAvailable(win::WORD Error);
    virtual void TriggerSessionAvailable(win::WORD Error);
    virtual void TriggerSessionConnected(win::WORD Error);
    virtual void TriggerSessionClosed(win::WORD Error);
    virtual void TriggerDataSent(win::WORD Error);
    virtual void TriggerChangeState(TSocketState OldState, TSocketState NewState);
    virtual void TriggerDnsLookupDone(win::WORD Error);
    virtual void TriggerError();
    virtual int DoRecv(char* Buffer, int BufferSize, int Flags);
    virtual int DoRecvFrom(char* Buffer, int BufferSize, int Flags, win::sockaddr_in& From, int& FromLen);

    // Raises the error of the Winsock call FuncName with WSAGetLastError's number.
    void SocketError(const QString& FuncName);
    void ChangeState(TSocketState NewState);
    void TryToSend();
    void DeleteBufferedData();
    bool SetLingerOption();

    win::SOCKET FHSocket = win::INVALID_SOCKET;
    TSocketState FState = wsClosed;
    win::HWND FWindowHandle = nullptr;
    int FLastError = 0;
    // Bytes taken from the network so far; a receive round that adds nothing ends the loop.
    qint64 FReceivedTotal = 0;
    // Set when the socket's own message pumping met a quit message.
    bool FTerminated = false;

    // The address record (remote address and port in network order) and, for each of address,
    // port, protocol and local port, whether it was assigned and resolved since its last change.
    win::sockaddr_in sin{};
    QString FAddrStr;
    QString FPortStr;
    QString FProtoStr;
    QString FLocalAddr;
    QString FLocalPortStr;
    bool FAddrAssigned = false;
    bool FAddrResolved = false;
    bool FPortAssigned = false;
    bool FPortResolved = false;
    bool FProtoAssigned = false;
    bool FProtoResolved = false;
    bool FLocalPortResolved = false;
    int FProto = win::IPPROTO_TCP;
    int FType = win::SOCK_STREAM;
    int FLocalPortNum = 0;

private:
    // True while closed; otherwise raises "Cannot change <Property> if not closed".
    bool ChangeAllowed(const char* Property);
    // Resolve what changed since the last use: protocol and remote port, remote address.
    void ResolveProtoAndPort();
    void ResolveAddr();
    void ReceiveLoop(win::WORD Error, bool AllData);
    void HandleSelect(win::TMessage& MsgRec);
    void HandleHostByName(win::TMessage& MsgRec);
    void HandleHostByAddr(win::TMessage& MsgRec);
    // With Valid false raises InvalidText and reports 10022; otherwise forgets the previous
    // look-up and its results. Returns Valid.
    bool PrepareLookup(bool Valid, const QString& InvalidText);
    // True when MsgRec completes the pending look-up, which then ends; Error is its result.
    bool LookupCompleted(const win::TMessage& MsgRec, win::WORD& Error);
    void PutDataInSendBuffer(const char* Data, int Len);

    long FSelectEvent = 0;
    std::deque<std::unique_ptr<TBuffer>> FBufList;
    int FBufSize = 1514;
    bool bAllSent = true;
    bool FCloseInvoked = false;
    bool FPaused = false;
    bool FDestroying = false;

    win::HANDLE FDnsLookupHandle = nullptr;
    alignas(win::hostent) char FDnsLookupBuffer[win::MAXGETHOSTSTRUCT];
    QString FDnsResult;
    QStringList FDnsResultList;

    int FReadCount = 0;
    bool FMultiThreaded = false;
    TWSocketOptions FComponentOptions;
    int FFlushTimeout = 60;
    TSocketSendFlags FSendFlags = wsSendNormal;
    TSocketLingerOnOff FLingerOnOff = wsLingerOn;
    int FLingerTimeout = 0;
};
