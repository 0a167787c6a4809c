// TCustomFtpCli: life cycle, properties, starting a command, the error path, the completion and
// the client's message target.
#include "ftp/client/custom_ftp_cli.h"

#include "platform/rtl/application.h"
#include "platform/rtl/events.h"
#include "platform/system/name_encoding.h"

using namespace win;

TCustomFtpCli::TCustomFtpCli(TComponent* AOwner) : TComponent(AOwner)
{
    FWindowHandle = AllocateHWnd([this](TMessage& Message) { WndProc(Message); },
                                 [this](Exception& E) { HandleBackGroundException(E); });
    FControlSocket = new TWSocket(this);
    FDataSocket = new TWSocket(this);
    FControlSocket->OnDnsLookupDone = [this](TObject*, WORD Error) {
        RunContinuation([&] { ControlSocketDnsLookupDone(Error); });
    };
    FControlSocket->OnSessionConnected = [this](TObject*, WORD Error) {
        RunContinuation([&] { ControlSocketSessionConnected(Error); });
    };
    FControlSocket->OnDataAvailable = [this](TObject*, WORD Error) {
        RunContinuation([&] { ControlSocketDataAvailable(Error); });
    };
    FControlSocket->OnSessionClosed = [this](TObject*, WORD Error) {
        RunContinuation([&] { ControlSocketSessionClosed(Error); });
    };
}

TCustomFtpCli::~TCustomFtpCli()
{
    // The sockets go first (a socket being freed reports nothing), then the message target.
    DestroyComponents();
    DeallocateHWnd(FWindowHandle);
}

void TCustomFtpCli::SetShareMode(TFtpShareMode Value)
{
    FShareMode = Value >= ftpShareCompat && Value <= ftpShareDenyNone ? Value : ftpShareExclusive;
}

unsigned TCustomFtpCli::ShareFlags() const
{
    switch (FShareMode) {
    case ftpShareCompat: return fmShareCompat;
    case ftpShareDenyWrite: return fmShareDenyWrite;
    case ftpShareDenyRead: return fmShareDenyRead;
    case ftpShareDenyNone: return fmShareDenyNone;
    default: return fmShareExclusive;
    }
}

void TCustomFtpCli::SetConnectionType(TFtpConnectionType Value)
{
    if (Connected()) {
        HandleError(QStringLiteral("FTP component connected"));
        return;
    }
    FConnectionType = Value >= ftpDirect && Value <= ftpSocks5 ? Value : ftpDirect;
    if (FConnectionType != ftpDirect)
        FPassive = true;
}

void TCustomFtpCli::ApplySocksSettings(TCustomSocksWSocket& Socket) const
{
    Socket.SetSocksServer(FSocksServer);
    Socket.SetSocksPort(FSocksPort);
    Socket.SetSocksUsercode(FSocksUserCode);
    Socket.SetSocksPassword(FSocksPassword);
    switch (FConnectionType) {
    case ftpSocks4: Socket.SetSocksLevel(QStringLiteral("4")); break;
    case ftpSocks4A: Socket.SetSocksLevel(QStringLiteral("4A")); break;
    case ftpSocks5: Socket.SetSocksLevel(QStringLiteral("5")); break;
    default: break;
    }
    const bool Socks =
        FConnectionType == ftpSocks4 || FConnectionType == ftpSocks4A || FConnectionType == ftpSocks5;
    Socket.SetSocksAuthentication(Socks ? socksAuthenticateUsercode : socksNoAuthentication);
}

void TCustomFtpCli::SetState(TFtpState Value)
{
    if (FState == Value)
        return;
    FState = Value;
    Fire(OnStateChange, this);
}

void TCustomFtpCli::HandleError(const QString& Msg)
{
    // A step that cannot start ends its high-level request, which would otherwise stay paused.
    if (FRunningStep && FHighLevelFlag)
        AbandonRequest();
    if (OnError)
        TriggerError(Msg);
    else
        throw FtpException(Msg);
}

bool TCustomFtpCli::RequestAllowed(bool NeedConnection)
{
    if (FState != ftpReady && FState != ftpInternalReady) {
        HandleError(QStringLiteral("FTP component not ready"));
        return false;
    }
    if (NeedConnection && !Connected()) {
        HandleError(QStringLiteral("FTP component not connected"));
        return false;
    }
    return true;
}

bool TCustomFtpCli::CommandAllowed(const QString& Cmd)
{
    if (!Cmd.contains(u'\r') && !Cmd.contains(u'\n') && !Cmd.contains(QChar(0)))
        return true;
    HandleError(QStringLiteral("Invalid character in command"));
    return false;
}

void TCustomFtpCli::TriggerDisplay(const QString& Msg)
{
    QString Text = Msg;
    Fire(OnDisplay, this, Text);
}

void TCustomFtpCli::TriggerError(const QString& Msg)
{
    QString Text = Msg;
    Fire(OnError, this, Text);
}

void TCustomFtpCli::ExecAsync(TFtpRequest RqType, const QString& Cmd, const QList<int>& OkResponses,
                              const TFtpNextProc& DoneAsync)
{
    const bool Always = Cmd == QLatin1String("ABOR") || Cmd == QLatin1String("STAT") || Cmd == QLatin1String("QUIT");
    if (!Always && !RequestAllowed(true))
        return;
    if (!CommandAllowed(Cmd))
        return;
    if (!FHighLevelFlag)
        FRequestType = RqType;
    FOkResponses = OkResponses.mid(0, 16);
    FRequestDoneFlag = false;
    AwaitReply([this] { NextExecAsync(); });
    FDoneAsync = DoneAsync;
    FErrorMessage.clear();
    SetState(ftpBusy);
    SendCommand(Cmd);
}

void TCustomFtpCli::AwaitReply(const TFtpNextProc& Next)
{
    FNext = Next;
    FReplyPending = true;
}

void TCustomFtpCli::SendCommand(const QString& Cmd)
{
    QString Command = Cmd;
    Fire(OnCommand, this, Command);
    TriggerDisplay(QStringLiteral("> ") + Command);
    if (FControlSocket->State() == wsConnected)
        FControlSocket->SendStr(EncodeName(Command) + "\r\n");
}

void TCustomFtpCli::TriggerRequestDone(WORD Error)
{
    if (FRequestDoneFlag)
        return;
    FRequestDoneFlag = true;
    FReplyPending = false;
    if (Error == 0 && FNextRequest) {
        if (FState != ftpAbort)
            SetState(ftpInternalReady);
        const TFtpNextProc Next = FNextRequest;
        Next();
        return;
    }
    // A request that ends leaves nothing armed: no step or continuation of it runs on the reply
    // to a later command.
    FNextRequest = nullptr;
    FFctSet = 0;
    FNext = nullptr;
    FDoneAsync = nullptr;
    SetState(ftpReady);
    if (FDataSocket->State() != wsClosed)
        FDataSocket->Close();
    if (FHighLevelFlag && FStatusCodeSave >= 0) {
        FLastResponse = FLastResponseSave;
        FStatusCode = FStatusCodeSave;
    }
    FHighLevelFlag = false;
    // The client is ready from here on, before the message arrives: the message carries the code
    // of the request it ends, which a request started meanwhile (by an event queued before it)
    // has replaced.
    PostMessage(FWindowHandle, WM_FTP_REQUEST_DONE, WPARAM(FRequestType), Error);
}

void TCustomFtpCli::WndProc(TMessage& MsgRec)
{
    if (MsgRec.Msg == WM_FTP_REQUEST_DONE)
        Fire(OnRequestDone, this, TFtpRequest(MsgRec.WParam), LOWORD(MsgRec.LParam));
    else if (MsgRec.Msg == WM_FTP_SENDDATA)
        RunContinuation([&] { StartSending(MsgRec.WParam); });
}

void TCustomFtpCli::HandleBackGroundException(Exception& E)
{
    // With nobody listening the application reports it, so that no failure passes unseen.
    if (!OnBgException) {
        TApplication::ReportException(E);
        return;
    }
    bool CanClose = true;
    Fire(OnBgException, this, E, CanClose);
}

void TCustomFtpCli::RunContinuation(const std::function<void()>& Body)
{
    try {
        Body();
    } catch (...) {
        WithCaughtException([this](Exception& E) {
            AtBoundary([&] { ContinuationFailed(E); },
                       [this](Exception& Inner) { HandleBackGroundException(Inner); });
        });
    }
}

void TCustomFtpCli::ContinuationFailed(Exception& E)
{
    if (FState == ftpDnsLookup || FState == ftpWaitingBanner || FState == ftpConnected) {
        // Only an error the socket recorded during this open names the failure.
        const int Error = FControlSocket->LastError();
        ConnectFailed(Error != 0 && Error != FLastErrorBeforeOpen ? Error : WSAEINVAL, E.Message);
        return;
    }
    // The request cannot go on: it ends as a refused one does.
    EndWithError(E);
}

void TCustomFtpCli::EndWithError(Exception& E)
{
    AbandonRequest();
    if (OnError)
        TriggerError(E.Message);
    else
        HandleBackGroundException(E);
}

void TCustomFtpCli::AbandonRequest()
{
    FNext = nullptr;
    FDoneAsync = nullptr;
    FNextRequest = nullptr;
    FHighLevelFlag = false;
    FFctSet = 0;
    FReplyPending = false;
    FRequestDoneFlag = true;
    ++FTransferId;
    CloseLocalStream();
    FResumeAt = 0;
    DropDataConnection();
    SetState(ftpReady);
}

void TCustomFtpCli::FailRequest(int Code, const QString& Text)
{
    if (FErrorMessage.isEmpty())
        FErrorMessage = Text;
    FNext = nullptr;
    CloseLocalStream();
    DropDataConnection();
    FResumeAt = 0;
    SetPhase(ftpTransferEnded);
    FRequestResult = Code;
    TriggerRequestDone(WORD(Code));
}

void TCustomFtpCli::TimeOutRequest(const QString& Text)
{
    TriggerDisplay(QStringLiteral("! ") + Text);
    FLastResponse = Text;
    FErrorMessage = Text;
    FStatusCode = 426;
    FRequestResult = 426;
    FNextRequest = nullptr;
    FFctSet = 0;
    AbortAsync();
    // The close of the control connection has ended the request, unless there was none.
    TriggerRequestDone(426);
}

void TCustomFtpCli::DropDataConnection()
{
    FDataSocket->OnSessionClosed = nullptr;
    if (FDataSocket->State() != wsClosed)
        FDataSocket->Close();
}

void TCustomFtpCli::CloseLocalStream()
{
    FTransfer.LocalStream.reset();
    // A download's file that was not kept goes (or, for a resume, stays as far as it came).
    FTransfer.LocalFile.reset();
    FTransfer.LocalFileWanted = false;
}

void TCustomFtpCli::ConnectFailed(int Error, const QString& Text)
{
    FLastResponse = QStringLiteral("500 %1 (Winsock error #%2)").arg(Text).arg(Error);
    FStatusCode = 500;
    FRequestResult = 500;
    FErrorMessage = FLastResponse;
    FNextRequest = nullptr;
    TriggerRequestDone(WORD(Error));
    if (FControlSocket->State() != wsClosed)
        FControlSocket->Close();
    SetState(ftpReady);
}
