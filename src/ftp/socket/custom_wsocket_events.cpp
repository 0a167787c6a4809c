// TCustomWSocket: the private messages, readiness notifications, the receive loop and the events.
#include "ftp/socket/custom_wsocket.h"

#include "ftp/socket/handler_guard.h"
#include "platform/rtl/events.h"

using namespace win;

void TCustomWSocket::WndProc(TMessage& MsgRec)
{
    switch (MsgRec.Msg) {
    case WM_SOCKET_SELECT:
        HandleSelect(MsgRec);
        break;
    case WM_SOCKET_HOST_BY_NAME:
        HandleHostByName(MsgRec);
        break;
    case WM_SOCKET_HOST_BY_ADDR:
        HandleHostByAddr(MsgRec);
        break;
    case WM_SOCKET_CLOSE_DELAYED:
        Close();
        break;
    case WM_SOCKET_RELEASE:
        delete this;
        break;
    case WM_SOCKET_TEST_EXCEPTION:
        throw ESocketException(QStringLiteral("Test exception in WSocket"));
    default:
        break;
    }
}

void TCustomWSocket::HandleBackGroundException(Exception& E)
{
    bool CanClose = true;
    Fire(OnBgException, this, E, CanClose);
    if (CanClose)
        Abort();
}

void TCustomWSocket::HandleSelect(TMessage& MsgRec)
{
    if (FHSocket == INVALID_SOCKET || MsgRec.WParam != FHSocket || FPaused)
        return;
    const WORD Event = WSAGETSELECTEVENT(MsgRec.LParam);
    const WORD Error = WSAGETSELECTERROR(MsgRec.LParam);
    const HandlerGuard Guard(this);

    if ((Event & FD_CONNECT) && FState != wsConnected) {
        ChangeState(wsConnected);
        TriggerSessionConnected(Error);
        if (!Guard.Unchanged())
            return;
        if (Error != 0 && FState != wsClosed) {
            Close();
            return;
        }
    }
    if (Event & FD_READ) {
        if (FState != wsConnected) {
            ChangeState(wsConnected);
            TriggerSessionConnected(Error);
            if (!Guard.Unchanged())
                return;
        }
        ReceiveLoop(Error, false);
        if (!Guard.Unchanged())
            return;
    }
    if (Event & FD_WRITE) {
        TryToSend();
        if (!Guard.Unchanged())
            return;
        if (bAllSent) {
            TriggerDataSent(Error);
            if (!Guard.Unchanged())
                return;
        }
    }
    if (Event & FD_ACCEPT) {
        TriggerSessionAvailable(Error);
        if (!Guard.Unchanged())
            return;
    }
    if ((Event & FD_CLOSE) && FState != wsConnecting) {
        ReceiveLoop(Error, true);
        if (!Guard.Unchanged())
            return;
        if (!FCloseInvoked) {
            FCloseInvoked = true;
            TriggerSessionClosed(Error);
            if (!Guard.Unchanged())
                return;
        }
        if (FState != wsClosed)
            Close();
    }
}

// Offers the waiting data round by round. A round that took nothing from the network ends the
// loop (a handler that reads nothing would otherwise be called for ever); the next read event
// offers the data again.
void TCustomWSocket::ReceiveLoop(WORD Error, bool AllData)
{
    const HandlerGuard Guard(this);
    while (true) {
        FLastError = 0;
        const qint64 Before = FReceivedTotal;
        if (!TriggerDataAvailable(Error)) {
            char Discard[1024];
            if (DoRecv(Discard, sizeof Discard, 0) < 0) {
                if (WSAGetLastError() != WSAEWOULDBLOCK)
                    FLastError = WSAGetLastError();
                return;
            }
        }
        if (!Guard.Unchanged())
            return;
        if (!AllData && (FComponentOptions & wsoNoReceiveLoop))
            return;
        if (FReceivedTotal == Before)
            return;
        if (GetRcvdCount() <= 0 || FLastError != 0)
            return;
    }
}

bool TCustomWSocket::TriggerDataAvailable(WORD Error)
{
    if (!OnDataAvailable)
        return false;
    Fire(OnDataAvailable, this, Error);
    return true;
}

void TCustomWSocket::TriggerSessionAvailable(WORD Error) { Fire(OnSessionAvailable, this, Error); }

void TCustomWSocket::TriggerSessionConnected(WORD Error) { Fire(OnSessionConnected, this, Error); }

void TCustomWSocket::TriggerSessionClosed(WORD Error) { Fire(OnSessionClosed, this, Error); }

void TCustomWSocket::TriggerDataSent(WORD Error) { Fire(OnDataSent, this, Error); }

void TCustomWSocket::TriggerChangeState(TSocketState OldState, TSocketState NewState)
{
    Fire(OnChangeState, this, OldState, NewState);
}

void TCustomWSocket::TriggerDnsLookupDone(WORD Error) { Fire(OnDnsLookupDone, this, Error); }

void TCustomWSocket::TriggerError() { Fire(OnError, this); }
