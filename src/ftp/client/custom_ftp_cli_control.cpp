// TCustomFtpCli: opening, quitting and aborting the control connection, its events, and the
// reading of replies.
#include "ftp/client/custom_ftp_cli.h"

#include "platform/rtl/events.h"
#include "platform/system/name_encoding.h"

using namespace win;

void TCustomFtpCli::OpenAsync()
{
    if (!RequestAllowed(false))
        return;
    if (Connected()) {
        HandleError(QStringLiteral("FTP component already connected"));
        return;
    }
    if (!FHighLevelFlag)
        FRequestType = ftpOpenAsync;
    FRequestDoneFlag = false;
    FReader.Clear();
    FRequestResult = 0;
    // Until the banner has come, a closing connection fails the open.
    FReplyPending = true;
    FNext = nullptr;
    FLastErrorBeforeOpen = FControlSocket->LastError();
    SetState(ftpDnsLookup);
    RunContinuation(
        [this] { FControlSocket->DnsLookup(FConnectionType == ftpProxy ? FProxyServer : FHostName); });
}

void TCustomFtpCli::ControlSocketDnsLookupDone(WORD Error)
{
    // A lookup that QuitAsync cancelled is no longer awaited.
    if (FState != ftpDnsLookup && FState != ftpAbort)
        return;
    if (Error != 0) {
        ConnectFailed(Error, WSocketErrorDesc(Error));
        return;
    }
    FControlSocket->SetAddr(FControlSocket->DnsResult());
    FControlSocket->SetProto(QStringLiteral("tcp"));
    FControlSocket->SetPort(FConnectionType == ftpProxy ? FProxyPort : FPort);
    ApplySocksSettings(*FControlSocket);
    SetState(ftpWaitingBanner);
    FControlSocket->Connect();
}

void TCustomFtpCli::ControlSocketSessionConnected(WORD Error)
{
    if (Error != 0) {
        ConnectFailed(Error, WSocketErrorDesc(Error));
        return;
    }
    FConnected = true;
    FConfirmedType = 0;
}

void TCustomFtpCli::ControlSocketDataAvailable(WORD Error)
{
    char Buffer[4096];
    const int Count = FControlSocket->Receive(Buffer, std::min<int>(FReader.Room(), sizeof Buffer));
    if (Count == 0) {
        // The end of the stream; a connection that failed (a reset) reports its error itself.
        if (Error == 0)
            FControlSocket->Close();
        return;
    }
    if (Count < 0)
        return;
    FReader.Append(Buffer, Count);
    while (const std::optional<TFtpReplyLine> Line = FReader.NextLine(FOptions.testFlag(ftpAcceptLF)))
        HandleReplyLine(*Line);
    // A line that fills the buffer can never end: the connection is given up.
    if (FReader.Room() <= 0)
        FControlSocket->Close();
}

void TCustomFtpCli::HandleReplyLine(const TFtpReplyLine& Line)
{
    FLastResponse = DecodeName(Line.Text);
    Fire(OnResponse, this);
    switch (FState) {
    case ftpWaitingBanner:
        TriggerDisplay(QStringLiteral("< ") + FLastResponse);
        if (Line.Final)
            BannerReceived(Line.Code);
        break;
    case ftpBusy: {
        // The lines before the last one of a multi-line reply are not shown.
        if (!Line.Final)
            break;
        FStatusCode = Line.Code;
        if (!FNext) {
            HandleError(QStringLiteral("Program error: FNext is nil"));
            break;
        }
        FReplyPending = false;
        // The handler may set the next one (or clear it) while it runs.
        const TFtpNextProc Next = FNext;
        Next();
        break;
    }
    default: TriggerDisplay(QStringLiteral("< ") + FLastResponse); break;
    }
}

void TCustomFtpCli::BannerReceived(int Code)
{
    FStatusCode = Code;
    FReplyPending = false;
    if (Code != 220) {
        FErrorMessage = FLastResponse;
        FRequestResult = Code;
        FControlSocket->Close();
        return;
    }
    SetState(ftpConnected);
    Fire(OnSessionConnected, this, WORD(0));
    TriggerRequestDone(0);
}

void TCustomFtpCli::ControlSocketSessionClosed(WORD Error)
{
    if (FConnected) {
        FConnected = false;
        if (FState != ftpAbort)
            SetState(ftpNotConnected);
        Fire(OnSessionClosed, this, Error);
    }
    if (FState != ftpAbort)
        SetState(ftpInternalReady);
    // A command still waiting for its reply has failed, whatever an earlier one recorded.
    if (FReplyPending && !FRequestDoneFlag && FState != ftpAbort) {
        FLastResponse = FReader.Room() <= 0 ? QStringLiteral("421 Reply line too long (over 64 KiB), connection closed.")
                                             : QStringLiteral("421 Connection closed by server.");
        FErrorMessage = FLastResponse;
        FStatusCode = 421;
        FRequestResult = Error != 0 ? Error : 421;
    }
    TriggerRequestDone(WORD(FRequestResult));
}

void TCustomFtpCli::QuitAsync()
{
    CloseLocalStream();
    FFctPrv = ftpFctQuit;
    ExecAsync(ftpQuitAsync, QStringLiteral("QUIT"), {221}, [this] { FControlSocket->Close(); });
    if (FControlSocket->State() == wsConnected)
        return;
    // Nothing could be sent: the goal, no connection, is met once any half-open one is gone.
    FReplyPending = false;
    FNext = nullptr;
    FRequestResult = 0;
    FControlSocket->CancelDnsLookup();
    if (FControlSocket->State() != wsClosed)
        FControlSocket->Close();
    FConnected = false;
    TriggerRequestDone(0);
}

void TCustomFtpCli::AbortAsync()
{
    const bool WasLookingUp = FState == ftpDnsLookup;
    // A transfer event or timer still under way belongs to the aborted transfer.
    ++FTransferId;
    SetState(ftpAbort);
    CloseLocalStream();
    if (WasLookingUp)
        FControlSocket->CancelDnsLookup();
    if (FControlSocket->State() != wsClosed)
        FControlSocket->Close();
    if (FDataSocket->State() != wsClosed)
        FDataSocket->Close();
    FConnected = false;
    SetState(ftpReady);
}
