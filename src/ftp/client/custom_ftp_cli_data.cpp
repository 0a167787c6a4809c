// TCustomFtpCli: data connections (PORT and PASV, the passive connect, accepting the server's
// connection), the end of a transfer, its statistics and its events.
#include "ftp/client/custom_ftp_cli.h"

#include "ftp/client/pasv_reply.h"
#include "platform/rtl/events.h"
#include "platform/system/name_encoding.h"
#include "platform/system/tick_count.h"

using namespace win;

namespace {

// Incoming bytes on an upload connection are read and dropped this many at a time.
constexpr int DiscardSize = 2048;

// The four bytes of an address in network order, as PORT writes them.
QString AddressDigits(const in_addr& Address)
{
    const auto* Bytes = reinterpret_cast<const unsigned char*>(&Address);
    return QStringLiteral("%1,%2,%3,%4").arg(Bytes[0]).arg(Bytes[1]).arg(Bytes[2]).arg(Bytes[3]);
}

sockaddr_in SockName(TWSocket& Socket)
{
    sockaddr_in Name{};
    int Len = sizeof Name;
    if (Socket.GetSockName(Name, Len) != 0)
        throw FtpException(QStringLiteral("winsock.getsockname failed, error #%1").arg(WSAGetLastError()));
    return Name;
}

} // namespace

void TCustomFtpCli::PortAsync()
{
    if (!RequestAllowed(true))
        return;
    // A data socket left open by an earlier request goes without telling anyone.
    FDataSocket->OnSessionAvailable = nullptr;
    FDataSocket->OnSessionConnected = nullptr;
    FDataSocket->OnDataAvailable = nullptr;
    FDataSocket->OnDataSent = nullptr;
    DropDataConnection();
    FDataSocket->SetProto(QStringLiteral("tcp"));
    FDataSocket->SetAddr(QStringLiteral("0.0.0.0"));
    FDataSocket->SetPort(QStringLiteral("0"));
    // Every data connection of the session goes through the SOCKS server, not only the first.
    ApplySocksSettings(*FDataSocket);

    QString Cmd;
    if (FPassive) {
        // A reply other than 227 must not leave the port of an earlier one behind.
        FPasvResponse.clear();
        Cmd = QStringLiteral("PASV");
    } else {
        FDataSocket->SetLingerOnOff(wsLingerOn);
        FDataSocket->SetLingerTimeout(10);
        // A connection is reported once: one that comes before the transfer step waits for it.
        FDataConnectionWaiting = false;
        FDataSocket->OnSessionAvailable = [this](TObject*, WORD) { FDataConnectionWaiting = true; };
        FDataSocket->Listen();
        const int DataPort = ntohs(SockName(*FDataSocket).sin_port);
        const QString Address = FControlSocket->Addr() == QLatin1String("127.0.0.1")
                                    ? QStringLiteral("127,0,0,1")
                                    : AddressDigits(SockName(*FControlSocket).sin_addr);
        Cmd = QStringLiteral("PORT %1,%2,%3").arg(Address).arg(DataPort / 256).arg(DataPort % 256);
    }
    FTransfer.ByteCount = 0;
    FFctPrv = ftpFctPort;
    ExecAsync(ftpPortAsync, Cmd, {200, 227});
}

void TCustomFtpCli::StartTransfer(bool Upload)
{
    ++FTransferId;
    FTransfer = {};
    FTransfer.Upload = Upload;
    FTransfer.Binary = Binary();
    FRequestDoneFlag = false;
    FErrorMessage.clear();
}

void TCustomFtpCli::SetPhase(TFtpTransferPhase Phase)
{
    if (FTransfer.Phase == Phase)
        return;
    qCDebug(lcFtpTransfer).noquote() << "transfer" << FTransferId << FtpTransferPhaseName(FTransfer.Phase)
                                     << "->" << FtpTransferPhaseName(Phase);
    FTransfer.Phase = Phase;
}

void TCustomFtpCli::TransferReplied()
{
    FTransfer.Replied = true;
    SetPhase(ftpTransferFinishing);
    // A control connection lost before the data connection ended fails the transfer: what came
    // may not be all of it.
    FReplyPending = !FTransfer.DataClosed;
    TryToFinish();
}

bool TCustomFtpCli::ProgressGoesOn()
{
    const quint32 Id = FTransferId;
    const bool Abort = !TriggerProgress();
    // The handler may have aborted the client (or started another request) itself.
    if (Id != FTransferId || FState != ftpBusy)
        return false;
    if (!Abort)
        return true;
    TriggerDisplay(QStringLiteral("! Abort requested"));
    FTransfer.Aborted = true;
    FDataSocket->Close();
    return false;
}

bool TCustomFtpCli::ConnectPassive()
{
    const std::optional<int> Port = PasvReplyPort(FPasvResponse);
    if (!Port) {
        DataConnectionFailed(QStringLiteral("Unable to establish data connection, bad passive reply: \"%1\"")
                                 .arg(FPasvResponse));
        return false;
    }
    // The address of the reply is not trusted: a hostile server could name any machine.
    FDataSocket->SetPort(QString::number(*Port));
    FDataSocket->SetAddr(FControlSocket->Addr());
    FDataSocket->OnSessionConnected = DataHandler(&TCustomFtpCli::DataConnected);
    FDataSocket->SetLingerOnOff(wsLingerOff);
    FDataSocket->SetLingerTimeout(0);
    SetPhase(ftpTransferConnecting);
    FDataSocket->Connect();
    return true;
}

void TCustomFtpCli::DataConnectionFailed(const QString& Text)
{
    FLastResponse = Text;
    FStatusCode = 550;
    FailRequest(550, Text);
}

SOCKET TCustomFtpCli::AcceptFromServer()
{
    const SOCKET Accepted = FDataSocket->Accept();
    if (Accepted == INVALID_SOCKET)
        return INVALID_SOCKET;
    sockaddr_in Peer{};
    sockaddr_in Server{};
    int Len = sizeof Peer;
    const bool Known = getpeername(Accepted, reinterpret_cast<sockaddr*>(&Peer), &Len) == 0 &&
                       FControlSocket->GetPeerName(Server, sizeof Server) == 0;
    if (Known && Peer.sin_addr.s_addr == Server.sin_addr.s_addr)
        return Accepted;
    // Anybody else could slip their own data in: that connection goes, the listening goes on.
    closesocket(Accepted);
    TriggerDisplay(
        QStringLiteral("! Data connection from %1 refused").arg(QLatin1String(inet_ntoa(Peer.sin_addr))));
    return INVALID_SOCKET;
}

void TCustomFtpCli::AcceptDataConnection()
{
    FDataSocket->OnSessionAvailable = DataHandler(&TCustomFtpCli::DataAccept);
    if (FDataConnectionWaiting && FDataSocket->State() == wsListening) {
        FDataConnectionWaiting = false;
        DataAccept(0);
    }
}

void TCustomFtpCli::DataAccept(WORD)
{
    const SOCKET Accepted = AcceptFromServer();
    if (Accepted == INVALID_SOCKET)
        return;
    FDataSocket->Close(); // the listening socket
    TakeDataConnection(Accepted);
}

void TCustomFtpCli::DataConnected(WORD Error)
{
    if (Error != 0) {
        DataConnectionFailed(QStringLiteral("Unable to establish data connection, error #%1").arg(Error));
        return;
    }
    TakeDataConnection(INVALID_SOCKET);
    // A passive transfer's command follows once its data connection stands.
    SetPhase(ftpTransferStarting);
    SendCommand(FTransfer.CommandLine);
}

void TCustomFtpCli::TakeDataConnection(SOCKET Accepted)
{
    const bool Upload = FTransfer.Upload;
    FDataSocket->OnSessionClosed =
        DataHandler(Upload ? &TCustomFtpCli::SendDataClosed : &TCustomFtpCli::ReceiveDataClosed);
    if (Upload) {
        // The server has nothing to say on an upload connection: what it sends is dropped.
        FDataSocket->OnDataAvailable = [this](TObject*, WORD) {
            char Discard[DiscardSize];
            FDataSocket->Receive(Discard, sizeof Discard);
        };
        // A passive upload starts sending at the server's answer, an active one from the message
        // loop once both the answer and the connection have come.
        FDataSocket->OnDataSent = nullptr;
        if (Accepted != INVALID_SOCKET)
            FDataSocket->OnDataSent = DataHandler(&TCustomFtpCli::SendNextChunk);
    } else {
        FDataSocket->OnDataAvailable = DataHandler(&TCustomFtpCli::ReceiveDataAvailable);
        FDataSocket->OnDataSent = nullptr;
    }
    FTransfer.StartTime = GetTickCount();
    FTransfer.DataConnected = true;
    if (Accepted == INVALID_SOCKET)
        return;
    if (Upload) {
        FDataSocket->SetLingerOnOff(wsLingerOff);
        FDataSocket->SetLingerTimeout(10);
    }
    FDataSocket->Dup(Accepted);
    if (!Upload)
        return;
    int SendBuffer = 0;
    int Len = sizeof SendBuffer;
    if (getsockopt(FDataSocket->HSocket(), SOL_SOCKET, SO_SNDBUF, reinterpret_cast<char*>(&SendBuffer),
                   &Len) != 0)
        throw FtpException(QStringLiteral("winsock.getsockopt(SO_SNDBUF) failed"));
    if (FTransfer.CommandAnswered && !FTransfer.SendStarted)
        PostMessage(FWindowHandle, WM_FTP_SENDDATA, FTransferId, 0);
}

void TCustomFtpCli::TryToFinish()
{
    if (!FTransfer.Replied || !FTransfer.DataClosed)
        return;
    TransferStats();
    const qint64 ResumedAt = FResumeAt;
    FResumeAt = 0;
    if (FTransfer.Aborted || FTransfer.CutShort) {
        // The server may have answered 226 for what it had: the transfer is incomplete.
        if (FErrorMessage.isEmpty())
            FErrorMessage =
                FTransfer.Aborted
                    ? QStringLiteral("426 Operation aborted.")
                    : QStringLiteral("426 Data connection closed before the whole file was sent.");
        FRequestResult = 426;
    } else {
        FRequestResult = FTransfer.DataError;
    }
    // The server may answer 226 for a file it did not send whole.
    const qint64 Received = ResumedAt + FTransfer.ByteCount;
    if (FRequestResult == 0 && FTransfer.AnnouncedSize >= 0 && Received < FTransfer.AnnouncedSize) {
        FErrorMessage = QStringLiteral("426 Transfer incomplete: %1 of %2 bytes received.")
                            .arg(Received)
                            .arg(FTransfer.AnnouncedSize);
        FRequestResult = 426;
    }
    // Only a download that succeeded gives its file the name the user asked for.
    if (FRequestResult == 0 && FTransfer.LocalFile && !WithLocalFile([this] { FTransfer.LocalFile->Keep(); }))
        return;
    CloseLocalStream();
    SetPhase(ftpTransferEnded);
    TriggerRequestDone(WORD(FRequestResult));
}

void TCustomFtpCli::TransferFailed(const QString& Notice)
{
    if (!Notice.isEmpty())
        TriggerDisplay(Notice);
    FailRequest(FStatusCode, FLastResponse);
}

bool TCustomFtpCli::WithLocalFile(const std::function<void()>& Body)
{
    try {
        Body();
        return true;
    } catch (const EStreamError& E) {
        StopReceive(0, E.Message);
        return false;
    }
}

void TCustomFtpCli::StopReceive(int Code, const QString& Text)
{
    FTransfer.StopCode = Code;
    FTransfer.StopText = Text;
    CloseLocalStream();
    DropDataConnection();
    FTransfer.DataClosed = true;
    SetPhase(ftpTransferFailing);
    if (FTransfer.Replied)
        EndStoppedReceive();
    else
        AwaitReply([this] { StoppedReceiveReply(); });
}

void TCustomFtpCli::StoppedReceiveReply()
{
    TriggerDisplay(QStringLiteral("< ") + FLastResponse);
    // A 150 or 125 that comes now still waits for the final reply.
    if (FStatusCode >= 100 && FStatusCode < 200)
        AwaitReply([this] { StoppedReceiveReply(); });
    else
        EndStoppedReceive();
}

void TCustomFtpCli::EndStoppedReceive()
{
    if (FTransfer.StopCode != 0) {
        FErrorMessage = FTransfer.StopText;
        FailRequest(FTransfer.StopCode, FTransfer.StopText);
        return;
    }
    FtpException E(FTransfer.StopText);
    EndWithError(E);
}

void TCustomFtpCli::TransferStats()
{
    FTransfer.StopTime = GetTickCount();
    const qint64 Elapsed = std::uint32_t(FTransfer.StopTime - FTransfer.StartTime);
    const qint64 Count = FTransfer.ByteCount;
    QString Text = QStringLiteral("%1 bytes received/sent in %2 seconds").arg(Count).arg(Elapsed / 1000);
    if (Elapsed != 0)
        Text += QStringLiteral(" (%1 Bytes/sec)").arg(Count * 1000 / Elapsed);
    TriggerDisplay(QStringLiteral("! ") + Text);
}

bool TCustomFtpCli::TriggerProgress()
{
    bool Abort = false;
    Fire(OnProgress, this, FTransfer.ByteCount + FResumeAt, Abort);
    return !Abort;
}

void TCustomFtpCli::TriggerReadyToTransmit(bool& bCancel)
{
    Fire(OnReadyToTransmit, this, bCancel);
}

void TCustomFtpCli::TriggerDisplayFile(const QString& Msg)
{
    QString Text = Msg;
    Fire(OnDisplayFile, this, Text);
}
