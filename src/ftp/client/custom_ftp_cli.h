// TCustomFtpCli: the asynchronous FTP client. A request method sends one command on the control
// connection and returns at once; the replies arrive as socket events, are matched against the
// codes the request accepts, and the end of the request is posted to the client's own message
// target, whose handler raises OnRequestDone with the request code and an error (0 for success,
// else the failing reply code, a Winsock error number or a SOCKS error code).
#pragma once

#include "ftp/client/ftp_reply_reader.h"
#include "ftp/client/ftp_transfer.h"
#include "ftp/client/ftp_types.h"
#include "ftp/socket/wsocket.h"
#include "platform/rtl/streams.h"

#include <QList>
#include <QObject>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

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
// A refusal inside a high-level request ends that request first, so the handler finds the client
// ready. Names in commands and replies are bytes kept exactly through DecodeName and EncodeName.
//
// Transfers: byte counts, offsets and sizes are 64-bit. A download creates (or opens) its local
// file only once the server has accepted the command or sent data, so a refused download leaves
// an existing file untouched. With Binary false, line ends are converted as on Unix: CR LF to LF
// into a local file, LF to CR LF from one (progress counts the bytes on the wire); a transfer keeps
// the type it started with. A transfer ends with an error when its data connection may not have
// brought everything: the control connection lost before the data connection ended, an upload
// whose data connection the server closed before the end of the file (426). A passive data
// connection goes to the control connection's address, whatever address the 227 reply names, and
// through the client's SOCKS settings; an active one is accepted only from the server's address.
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
    // Whether the server accepted this transfer type since the control connection opened. A new
    // session starts in the server's own default (ASCII on most), whatever Binary says.
    bool TypeConfirmed() const { return FConfirmedType == FType; }
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
    // Offset at which the next transfer starts, in the local file and on the server.
    qint64 ResumeAt() const { return FResumeAt; }
    void SetResumeAt(qint64 Value) { FResumeAt = Value; }
    // Bytes received or sent by the running (or last) transfer.
    qint64 ByteCount() const { return FTransfer.ByteCount; }
    // Where the running (or last) transfer stands.
    TFtpTransferPhase TransferPhase() const { return FTransfer.Phase; }

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

    // Data connections and transfers. PortAsync sends PORT (listening for the server's
    // connection) or, with Passive, PASV.
    virtual void PortAsync();
    // Receive into LocalFileName (or through OnDisplayFile with DisplayFileFlag): RETR, LIST, NLST
    // with HostFileName as argument when it is not empty.
    virtual void RetrAsync();
    virtual void ListCmdAsync();
    virtual void NlstAsync();
    // Send LocalFileName from ResumeAt on with STOR or APPE HostFileName.
    virtual void StorAsync();
    virtual void AppeAsync();
    // REST with the local file's size as offset (or ResumeAt as set, see ftpNoAutoResumeAt and the
    // put requests); without an offset above 0 it sends nothing and succeeds at once.
    virtual void RestAsync();

    // High-level requests: several steps, one OnRequestDone with the request's own code.
    virtual void ConnectAsync();    // open, user, pass
    virtual void ReceiveAsync();    // open, user, pass, cwd, typeset, port, get, quit
    virtual void DirAsync();        // port, dir (LIST)
    virtual void LsAsync();         // port, ls (NLST)
    virtual void GetAsync();        // port, get
    virtual void DirectoryAsync();  // open, user, pass, cwd, port, dir, quit
    virtual void ListAsync();       // open, user, pass, cwd, port, ls, quit
    virtual void SystemAsync();     // open, user, pass, syst, quit
    virtual void FileSizeAsync();   // open, user, pass, cwd, size, quit; SizeResult
    virtual void PutAsync();        // port, put
    virtual void AppendAsync();     // port, append
    virtual void RenameAsync();     // open, user, pass, cwd, renfrom, rento, quit
    virtual void RenAsync();        // renfrom, rento
    virtual void DeleteAsync();     // open, user, pass, cwd, dele, quit
    virtual void MkdirAsync();      // open, user, pass, cwd, mkd, quit
    virtual void RmdirAsync();      // open, user, pass, cwd, rmd, quit
    virtual void DoQuoteAsync();    // open, user, pass, cwd, quote, quit
    virtual void TransmitAsync();   // open, user, pass, cwd, typeset, port, put, quit
    virtual void AppendFileAsync(); // open, user, pass, cwd, typeset, port, append, quit
    virtual void RestGetAsync();    // port, rest, get
    virtual void RestartGetAsync(); // open, user, pass, cwd, typeset, port, rest, get, quit
    virtual void RestPutAsync();    // port, rest, put (ResumeAt set by the caller)
    virtual void RestartPutAsync(); // open, user, pass, cwd, typeset, port, rest, put, quit

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
    virtual void TriggerDisplayFile(const QString& Msg);
    virtual void TriggerReadyToTransmit(bool& bCancel);
    // OnProgress with ByteCount + ResumeAt; false when the handler asked to abort.
    virtual bool TriggerProgress();
    // Logs "! N bytes received/sent in S seconds (R Bytes/sec)".
    virtual void TransferStats();

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
    // Starts a high-level request made of the steps Fcts.
    void HighLevelAsync(TFtpRequest RqType, std::initializer_list<TFtpFct> Fcts);
    // Ends the running request without OnRequestDone (a refusal or an exception ended it): the
    // steps still to run are dropped, the data connection and the local file closed, state Ready.
    void AbandonRequest();
    // Ends the running request with Code as its error: Text becomes ErrorMessage unless a line of
    // the request was recorded there already; the data connection and the local file are closed
    // and the resume offset cleared.
    void FailRequest(int Code, const QString& Text);
    // Ends the running request because nothing came in time: both connections close (the client
    // is then ready for a new connect) and OnRequestDone follows with 426 and Text as
    // ErrorMessage and LastResponse.
    void TimeOutRequest(const QString& Text);
    // Closes the data socket (listening or connected) without its close reaching the transfer.
    void DropDataConnection();
    void CloseLocalStream();
    // The file-open share flag of ShareMode (fmShareCompat ... fmShareDenyNone).
    unsigned ShareFlags() const;

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
    // A command (or the banner) waits for its reply, or a transfer whose final reply came for the
    // end of its data connection.
    bool FReplyPending = false;
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
    char FConfirmedType = 0; // the type the server last accepted on this connection; 0: none yet
    TFtpShareMode FShareMode = ftpShareExclusive;
    TFtpOptions FOptions = ftpAcceptLF;
    TFtpConnectionType FConnectionType = ftpDirect;
    bool FPassive = false;
    QString FProxyServer;
    QString FSocksServer;
    QString FSocksPort;
    QString FSocksUserCode;
    QString FSocksPassword;

    // High-level requests.
    quint32 FFctSet = 0; // the steps still to run, one bit per TFtpFct
    int FHighLevelResult = 0;
    bool FRunningStep = false; // a high-level request is starting one of its steps

    // The transfer in progress (or the last one), reset when a transfer starts.
    TFtpTransfer FTransfer;
    qint64 FResumeAt = 0;
    // The server connected to the listening data socket before the transfer step was ready for it.
    bool FDataConnectionWaiting = false;
    quint32 FTransferId = 0; // tells a late timer of an earlier transfer from the running one
    std::vector<char> FDataBuffer;

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
    // Ends the running request as a refusal does, with the text of E: no OnRequestDone, OnError
    // (or, without a handler, the background exception path), state Ready.
    void EndWithError(Exception& E);
    // A single command: records its step and starts it.
    void RunCommand(TFtpFct Fct, TFtpRequest RqType, const QString& Cmd, const QList<int>& OkResponses);

    // High-level requests.
    void NextHighLevelAsync();
    // Runs the first step left in FctSet; false when none is left.
    bool RunNextStep();
    bool TakeStep(TFtpFct Fct);
    // A get, put or append step resumes only right after a REST the server accepted.
    void KeepResumeOnlyAfterRest(TFtpFct Previous);

    // The one gate of the requests: false, after the error path, while another request runs
    // ("FTP component not ready") or, with NeedConnection, without a connection ("FTP component
    // not connected").
    bool RequestAllowed(bool NeedConnection);

    // Data connections.
    // The passive data connection to the control connection's address, on the port of the 227
    // reply; false when the reply is malformed (the request has then ended with 550).
    bool ConnectPassive();
    // Ends the request with 550 when the passive data connection cannot be made.
    void DataConnectionFailed(const QString& Text);
    // Takes a waiting connection that comes from the server's address; null handle otherwise.
    win::SOCKET AcceptFromServer();
    // Sets the listening data socket's accept handler; a connection that came earlier (some
    // servers connect as soon as PORT is answered) is taken at once.
    void AcceptDataConnection();
    // The listening data socket reports a connection, or the passive one has been made.
    void DataAccept(win::WORD Error);
    void DataConnected(win::WORD Error);
    // The data connection of the running transfer stands: the one Accepted from the listening
    // socket, or (INVALID_SOCKET) the connected passive socket. It gets the handlers of the
    // transfer's direction.
    void TakeDataConnection(win::SOCKET Accepted);
    // Clears the transfer's state for a new transfer in direction Upload.
    void StartTransfer(bool Upload);
    void SetPhase(TFtpTransferPhase Phase);
    // The final reply of the transfer came: it ends once its data connection has closed too.
    void TransferReplied();
    // Ends a transfer once both its final reply and the close of its data connection came.
    void TryToFinish();
    // Ends a transfer whose reply was not the expected one, logging Notice when it is not empty.
    void TransferFailed(const QString& Notice = {});
    // Runs Body, which works on the local file of a receive; false when the file failed, which
    // has then stopped the transfer (StopReceive with Code 0).
    bool WithLocalFile(const std::function<void()>& Body);
    // Stops a receive that cannot succeed: its data connection closes and what it wrote goes
    // (a resumed file stays as it was). Once the server's final reply to the command has come
    // (so that the next command reads its own reply), the request ends with Code and Text, or,
    // for Code 0 (the local file failed), through the error path with Text.
    void StopReceive(int Code, const QString& Text);
    void StoppedReceiveReply();
    void EndStoppedReceive();
    // OnProgress before a read or a chunk; false when the transfer is not to go on: the handler
    // asked to abort (the data connection is then closed) or ended the transfer itself.
    bool ProgressGoesOn();

    // Receiving.
    void ReceiveStep(TFtpRequest RqType, const QString& Command);
    void OpenReceiveFile();
    void ReceiveReply1();
    void ReceiveReply2();
    void ReceiveDataAvailable(win::WORD Error);
    void ReceiveDataClosed(win::WORD Error);
    void StoreReceived(const char* Data, int Count);
    void DisplayReceived(const char* Data, int Count);

    // Sending.
    void SendStep(bool Append);
    void SendReply1();
    void SendReply2();
    void SendDataClosed(win::WORD Error);
    void SendNextChunk(win::WORD Error);
    // The end of the file was sent: the data connection closes (delayed) once the system's send
    // queue has drained, or 100 ms after Since (a tick count), whichever comes first.
    void CloseWhenSent(std::uint32_t Since);
    // WM_FTP_SENDDATA: the first chunk of an active upload, once both the server's answer and its
    // connection have come (whichever came second posted it).
    void StartSending(win::WPARAM TransferId);
    // The command of a send, "STOR name" or "APPE name".
    QString SendCommandText(bool Append) const;
    // A data socket handler that runs through RunContinuation.
    template <class Method> auto DataHandler(Method M)
    {
        return [this, M](TObject*, win::WORD Error) { RunContinuation([&] { (this->*M)(Error); }); };
    }

    TFtpReplyReader FReader;
};
