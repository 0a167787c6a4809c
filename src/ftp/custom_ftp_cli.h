// TCustomFtpCli: the asynchronous FTP client. A request method sends one command on the control
// connection and returns at once; the replies arrive as socket events, are matched against the
// codes the request accepts, and the end of the request is posted to the client's own message
// target, whose handler raises OnRequestDone with the request code and an error (0 for success,
// else the failing reply code, a Winsock error number or a SOCKS error code).
#pragma once

#include "ftp/ftp_reply_reader.h"
#include "ftp/ftp_types.h"
#include "ftp/wsocket.h"

#include <QList>
#include <QObject>
#include <functional>

class FtpException : public Exception {
public:
    using Exception::Exception;
};

using TFtpDisplay = std::function<void(TObject* Sender, QString& Msg)>;
using TFtpCommand = std::function<void(TObject* Sender, QString& Cmd)>;
using TFtpRequestDone = std::function<void(TObject* Sender, TFtpRequest RqType, win::WORD Error)>;
using TFtpProgress = std::function<void(TObject* Sender, qint64 Count, bool& Abort)>;
using TFtpReadyToTransmit = std::function<void(TObject* Sender, bool& bCancel)>;

// Refusals (not ready, not connected, empty names, a line break in a command) go through the
// error path: OnError with the text when assigned, else FtpException; no OnRequestDone follows.
// Names in commands and replies are bytes kept exactly through DecodeName and EncodeName.
class TCustomFtpCli : public QObject, public TComponent {
public:
    // The client's private messages.
    static constexpr win::UINT WM_FTP_REQUEST_DONE = win::WM_USER + 1;
    static constexpr win::UINT WM_FTP_SENDDATA = win::WM_USER + 2;

    explicit TCustomFtpCli(TComponent* AOwner = nullptr);
    ~TCustomFtpCli() override;

    QString HostName() const { return FHostName; }
    void SetHostName(const QString& Value) { FHostName = Value; }
    // Port number or service name of the server.
    QString Port() const { return FPort; }
    void SetPort(const QString& Value) { FPort = Value; }
    QString UserName() const { return FUserName; }
    void SetUserName(const QString& Value) { FUserName = Value; }
    QString PassWord() const { return FPassWord; }
    void SetPassWord(const QString& Value) { FPassWord = Value; }
    QString HostDirName() const { return FHostDirName; }
    void SetHostDirName(const QString& Value) { FHostDirName = Value; }
    QString HostFileName() const { return FHostFileName; }
    void SetHostFileName(const QString& Value) { FHostFileName = Value; }
    // The local file of a transfer; also the command of QuoteAsync and the new name of RenToAsync.
    QString LocalFileName() const { return FLocalFileName; }
    void SetLocalFileName(const QString& Value) { FLocalFileName = Value; }
    bool DisplayFileFlag() const { return FDisplayFileFlag; }
    void SetDisplayFileFlag(bool Value) { FDisplayFileFlag = Value; }
    // Transfer type: true "I", false "A".
    bool Binary() const { return FType == 'I'; }
    void SetBinary(bool Value) { FType = Value ? 'I' : 'A'; }
    // The reply line that made the last command fail; cleared when a command starts.
    QString ErrorMessage() const { return FErrorMessage; }
    TFtpShareMode ShareMode() const { return FShareMode; }
    // A value outside the enumeration stores ftpShareExclusive.
    void SetShareMode(TFtpShareMode Value);
    TFtpOptions Options() const { return FOptions; }
    void SetOptions(TFtpOptions Value) { FOptions = Value; }
    TFtpConnectionType ConnectionType() const { return FConnectionType; }
    // Refused with "FTP component connected" while connected; proxy and SOCKS force Passive.
    void SetConnectionType(TFtpConnectionType Value);
    QString ProxyServer() const { return FProxyServer; }
    void SetProxyServer(const QString& Value) { FProxyServer = Value; }
    // The SOCKS settings; they go to the control socket at each open (a close resets the socket's).
    QString SocksServer() const { return FSocksServer; }
    void SetSocksServer(const QString& Value) { FSocksServer = Value.trimmed(); }
    QString SocksPort() const { return FSocksPort; }
    void SetSocksPort(const QString& Value) { FSocksPort = Value.trimmed(); }
    QString SocksUserCode() const { return FSocksUserCode; }
    void SetSocksUserCode(const QString& Value) { FSocksUserCode = Value; }
    QString SocksPassword() const { return FSocksPassword; }
    void SetSocksPassword(const QString& Value) { FSocksPassword = Value; }

    bool Passive() const { return FPassive; }
    // Only a direct connection takes the value; the others always use PASV.
    void SetPassive(bool Value) { FPassive = FConnectionType == ftpDirect ? Value : true; }
    // True while the control connection is not closed.
    bool Connected() const { return FControlSocket->State() != wsClosed; }
    QString LastResponse() const { return FLastResponse; }
    int StatusCode() const { return FStatusCode; }
    TFtpState State() const { return FState; }
    TFtpRequest RequestType() const { return FRequestType; }
    TWSocket* ControlSocket() const { return FControlSocket; }
    TWSocket* DataSocket() const { return FDataSocket; }
    // From the replies of SIZE, and of CWD, MKD, PWD and CDUP.
    qint64 SizeResult() const { return FSizeResult; }
    QString DirResult() const { return FDirResult; }
    QString PasvResponse() const { return FPasvResponse; }

    // Looks the server (or the proxy) up, connects and waits for the 220 banner.
    virtual void OpenAsync();
    virtual void UserAsync();
    virtual void PassAsync();
    virtual void CwdAsync();
    virtual void SystAsync();
    // Allowed in every state; closes the control connection once the reply came. Without a
    // connection it completes with 0.
    virtual void QuitAsync();
    virtual void SizeAsync();
    virtual void MkdAsync();
    virtual void RmdAsync();
    virtual void DeleAsync();
    virtual void RenToAsync();
    virtual void RenFromAsync();
    virtual void PwdAsync();
    // Sends LocalFileName as it is; a reply from 400 on is a failure.
    virtual void QuoteAsync();
    virtual void CDupAsync();
    virtual void TypeSetAsync();
    virtual void TypeBinaryAsync();
    virtual void TypeAsciiAsync();
    // Stops whatever runs: no ABOR, both connections closed, state Ready on return.
    virtual void AbortAsync();

    TFtpDisplay OnDisplay;
    TFtpDisplay OnDisplayFile;
    TFtpDisplay OnError;
    TFtpCommand OnCommand;
    TNotifyEvent OnResponse;
    TSessionConnected OnSessionConnected;
    TSessionClosed OnSessionClosed;
    TNotifyEvent OnStateChange;
    TFtpRequestDone OnRequestDone;
    TFtpProgress OnProgress;
    TFtpReadyToTransmit OnReadyToTransmit;
    TBgExceptionEvent OnBgException;

protected:
    using TFtpNextProc = std::function<void()>;

    virtual void WndProc(win::TMessage& MsgRec);
    virtual void HandleBackGroundException(Exception& E);
    virtual void SendCommand(const QString& Cmd);
    virtual void TriggerDisplay(const QString& Msg);
    virtual void TriggerError(const QString& Msg);

    // Starts one command: readiness checks (but for ABOR, STAT and QUIT), the accepted codes (an
    // empty list accepts every reply below 500), then the command. DoneAsync, when given, runs
    // instead of the completion once the reply has been evaluated.
    void ExecAsync(TFtpRequest RqType, const QString& Cmd, const QList<int>& OkResponses,
                   const TFtpNextProc& DoneAsync = {});
    // OnError with Msg when assigned, else FtpException.
    void HandleError(const QString& Msg);
    // False (after the error path) when Cmd holds CR, LF or NUL, which would split the command.
    bool CommandAllowed(const QString& Cmd);
    // The next complete reply goes to Next; a control connection that closes before it comes
    // ends the request with an error.
    void AwaitReply(const TFtpNextProc& Next);
    // Ends the current request once: runs NextRequest after a successful step of a high-level
    // request, otherwise posts OnRequestDone with Error.
    void TriggerRequestDone(win::WORD Error);
    void SetState(TFtpState Value);
    // Gives a socket the client's SOCKS settings for the next connect.
    void ApplySocksSettings(TCustomSocksWSocket& Socket) const;
    // Runs a continuation of a socket event or a lookup. An exception never reaches the socket
    // layer: during the open it fails the open like a failed connect; later it ends the request
    // as a refusal does (OnError text, no OnRequestDone, state Ready).
    void RunContinuation(const std::function<void()>& Body);
    // Ends a failed open: "500 <Text> (Winsock error #<Error>)", completion with Error, the
    // control connection closed, state Ready.
    void ConnectFailed(int Error, const QString& Text);

    TWSocket* FControlSocket = nullptr;
    TWSocket* FDataSocket = nullptr;
    win::HWND FWindowHandle = nullptr;

    TFtpState FState = ftpReady;
    bool FConnected = false; // the control connection came up (gates OnSessionClosed)
    TFtpRequest FRequestType = ftpNone;
    int FRequestResult = 0;
    bool FRequestDoneFlag = false;
    QList<int> FOkResponses;
    TFtpNextProc FNext;
    TFtpNextProc FDoneAsync;
    TFtpNextProc FNextRequest;
    bool FReplyPending = false; // a command (or the banner) waits for its reply
    int FLastErrorBeforeOpen = 0;
    TFtpFct FFctPrv = ftpFctNone;
    bool FHighLevelFlag = false;
    QString FLastResponseSave;
    int FStatusCodeSave = -1;

    QString FLastResponse;
    int FStatusCode = 0;
    QString FErrorMessage;
    QString FPasvResponse;
    qint64 FSizeResult = 0;
    QString FDirResult;

    QString FHostName;
    QString FPort = QStringLiteral("ftp");
    QString FProxyPort = QStringLiteral("ftp");
    QString FUserName;
    QString FPassWord;
    QString FHostDirName;
    QString FHostFileName;
    QString FLocalFileName;
    bool FDisplayFileFlag = false;
    char FType = 'I';
    TFtpShareMode FShareMode = ftpShareExclusive;
    TFtpOptions FOptions = ftpAcceptLF;
    TFtpConnectionType FConnectionType = ftpDirect;
    bool FPassive = false;
    QString FProxyServer;
    QString FSocksServer;
    QString FSocksPort;
    QString FSocksUserCode;
    QString FSocksPassword;

private:
    void ControlSocketDnsLookupDone(win::WORD Error);
    void ControlSocketSessionConnected(win::WORD Error);
    void ControlSocketDataAvailable(win::WORD Error);
    void ControlSocketSessionClosed(win::WORD Error);
    void HandleReplyLine(const TFtpReplyLine& Line);
    void BannerReceived(int Code);
    // The reply handler of ExecAsync.
    void NextExecAsync();
    void ContinuationFailed(Exception& E);
    // A single command: records its step and starts it.
    void RunCommand(TFtpFct Fct, TFtpRequest RqType, const QString& Cmd, const QList<int>& OkResponses);

    TFtpReplyReader FReader;
};
