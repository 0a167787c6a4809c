// TCustomWSocket: the send queue, sending and receiving.
#include "ftp/socket/custom_wsocket.h"

#include "platform/rtl/events.h"

#include <algorithm>

using namespace win;

int TCustomWSocket::Send(const void* Data, int Len)
{
    if (FState != wsConnected) {
        WSASetLastError(WSAENOTCONN);
        SocketError(QStringLiteral("Send"));
        return -1;
    }
    if (Len <= 0)
        return 0;
    bAllSent = false;
    PutDataInSendBuffer(static_cast<const char*>(Data), Len);
    TryToSend();
    // Drained at once: OnDataSent follows from the message loop, as after any write event.
    if (bAllSent && FHSocket != INVALID_SOCKET)
        PostMessage(FWindowHandle, WM_SOCKET_SELECT, FHSocket, MAKELONG(WORD(FD_WRITE), 0));
    return Len;
}

int TCustomWSocket::SendStr(const QByteArray& Str) { return Str.isEmpty() ? 0 : Send(Str.constData(), int(Str.size())); }

int TCustomWSocket::SendTo(const sockaddr_in& Dest, int DestLen, const void* Data, int Len)
{
    const int Sent = sendto(FHSocket, static_cast<const char*>(Data), Len, FSendFlags == wsSendUrgent ? MSG_OOB : 0,
                            reinterpret_cast<const sockaddr*>(&Dest), DestLen);
    if (Sent < 0)
        FLastError = WSAGetLastError();
    else if (Sent > 0)
        Fire(OnSendData, this, Sent);
    return Sent;
}

void TCustomWSocket::PutDataInSendBuffer(const char* Data, int Len)
{
    while (Len > 0) {
        const int Written = FBufList.empty() ? 0 : FBufList.back()->Write(Data, Len);
        if (Written == 0) {
            // One block for the rest of a large send, so that it leaves in as few calls as the
            // network allows.
            FBufList.push_back(std::make_unique<TBuffer>(std::max(FBufSize, Len)));
            continue;
        }
        Data += Written;
        Len -= Written;
    }
}

void TCustomWSocket::DeleteBufferedData()
{
    FBufList.clear();
    bAllSent = true;
}

void TCustomWSocket::TryToSend()
{
    if (FHSocket == INVALID_SOCKET || FBufList.empty())
        return;
    const SOCKET Sending = FHSocket;
    while (true) {
        int Len;
        const char* Data = FBufList.front()->Peek(Len);
        if (Len <= 0) {
            // Emptied chunks go, but the last one stays for the next data.
            if (FBufList.size() > 1) {
                FBufList.pop_front();
                continue;
            }
            bAllSent = true;
            return;
        }
        const int Count = RealSend(Data, Len);
        if (Count == 0 || FHSocket != Sending)
            return;
        if (Count < 0) {
            const int Error = WSAGetLastError();
            if (Error == WSAECONNRESET || Error == WSAENOTSOCK || Error == WSAENOTCONN || Error == WSAEINVAL ||
                Error == WSAECONNABORTED) {
                FCloseInvoked = true;
                Close();
                TriggerSessionClosed(WORD(Error));
            } else if (Error != WSAEWOULDBLOCK) {
                SocketError(QStringLiteral("TryToSend failed"));
            }
            return;
        }
        FBufList.front()->Remove(Count);
        if (Count < Len)
            return; // the rest waits for the next write event
    }
}

int TCustomWSocket::RealSend(const char* Data, int Len)
{
    const int Flags = FSendFlags == wsSendUrgent ? MSG_OOB : 0;
    const int Sent = FType == SOCK_DGRAM
                         ? sendto(FHSocket, Data, Len, Flags, reinterpret_cast<const sockaddr*>(&sin), sizeof sin)
                         : send(FHSocket, Data, Len, Flags);
    if (Sent > 0)
        Fire(OnSendData, this, Sent);
    return Sent;
}

int TCustomWSocket::Receive(void* Buffer, int BufferSize)
{
    const int Received = DoRecv(static_cast<char*>(Buffer), BufferSize, 0);
    if (Received < 0)
        FLastError = WSAGetLastError();
    else
        FReadCount += Received;
    return Received;
}

QByteArray TCustomWSocket::ReceiveStr()
{
    int Count = GetRcvdCount();
    if (Count <= 0)
        Count = 255;
    QByteArray Data(Count, '\0');
    const int Received = Receive(Data.data(), Count);
    if (Received <= 0)
        return {};
    Data.truncate(Received);
    return Data;
}

int TCustomWSocket::ReceiveFrom(void* Buffer, int BufferSize, sockaddr_in& From, int& FromLen)
{
    const int Received = DoRecvFrom(static_cast<char*>(Buffer), BufferSize, 0, From, FromLen);
    if (Received < 0)
        FLastError = WSAGetLastError();
    else
        FReadCount += Received;
    return Received;
}

int TCustomWSocket::DoRecv(char* Buffer, int BufferSize, int Flags)
{
    const int Received = recv(FHSocket, Buffer, BufferSize, Flags);
    if (Received > 0)
        FReceivedTotal += Received;
    return Received;
}

int TCustomWSocket::DoRecvFrom(char* Buffer, int BufferSize, int Flags, sockaddr_in& From, int& FromLen)
{
    const int Received = recvfrom(FHSocket, Buffer, BufferSize, Flags, reinterpret_cast<sockaddr*>(&From), &FromLen);
    if (Received > 0)
        FReceivedTotal += Received;
    return Received;
}

int TCustomWSocket::GetRcvdCount()
{
    win::u_long Count = 0;
    if (ioctlsocket(FHSocket, FIONREAD, &Count) == SOCKET_ERROR) {
        FLastError = WSAGetLastError();
        return -1;
    }
    return int(Count);
}
