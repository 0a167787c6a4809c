// TCustomFtpCli: data connections (PORT and PASV, the passive connect, accepting the server's
// connection), the end of a transfer, its statistics and its events.
#include "ftp/client/custom_ftp_cli.h"

#include "ftp/client/pasv_reply.h"
#include "platform/rtl/events.h"
#include "platform/system/name_encoding.h"
#include "platform/system/tick_count.h"

using namespace win;

namespace {

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

bool TCustomFtpCli::ReadyForCommand()
{
    if (FState != ftpReady && FState != ftpInternalReady) {
        HandleError(QStringLiteral("FTP component not ready"));
        return false;
    }
    if (!Connected()) {
        HandleError(QStringLiteral("FTP component not connected"));
        return false;
    }
    return true;
}

void TCustomFtpCli::PortAsync()
{
    if (!ReadyForCommand())
        return;
    // A data socket left open by an earlier request goes without telling anyone.
    FDataSocket->OnSessionAvailable = nullptr;
    FDataSocket->OnSessionConnected = nullptr;
    FDataSocket->OnSessionClosed = nullptr;
    FDataSocket->OnDataAvailable = nullptr;
    FDataSocket->OnDataSent = nullptr;
    if (FDataSocket->State() != wsClosed)
        FDataSocket->Close();
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
    FByteCount = 0;
    FFctPrv = ftpFctPort;
    ExecAsync(ftpPortAsync, Cmd, {200, 227});
}

void TCustomFtpCli::StartTransfer()
{
    ++FTransferId;
    FTransferReplied = false;
    FDataClosed = false;
    FTransferAborted = false;
    FSendCutShort = false;
    FRequestDoneFlag = false;
    FByteCount = 0;
    FDataError = 0;
    FStartTime = 0;
    FErrorMessage.clear();
    FTransferBinary = Binary();
    FAsciiReceiver.Reset();
}

void TCustomFtpCli::TransferReplied()
{
    FTransferReplied = true;
    // A control connection lost before the data connection ended fails the transfer: what came
    // may not be all of it.
    FReplyPending = !FDataClosed;
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
    FTransferAborted = true;
    FDataSocket->Close();
    return false;
}

bool TCustomFtpCli::ConnectPassive(const TSessionConnected& Connected)
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
    FDataSocket->OnSessionConnected = Connected;
    FDataSocket->SetLingerOnOff(wsLingerOff);
    FDataSocket->SetLingerTimeout(0);
    FDataSocket->Connect();
    return true;
}

void TCustomFtpCli::DataConnectionFailed(const QString& Text)
{
    FLastResponse = Text;
    FStatusCode = 550;
    if (FErrorMessage.isEmpty())
        FErrorMessage = FLastResponse;
    CloseLocalStream();
    FDataSocket->OnSessionClosed = nullptr;
    if (FDataSocket->State() != wsClosed)
        FDataSocket->Close();
    FResumeAt = 0;
    FRequestResult = 550;
    TriggerRequestDone(550);
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

void TCustomFtpCli::AcceptWith(void (TCustomFtpCli::*Accept)(WORD))
{
    FDataSocket->OnSessionAvailable = DataHandler(Accept);
    if (FDataConnectionWaiting && FDataSocket->State() == wsListening) {
        FDataConnectionWaiting = false;
        (this->*Accept)(0);
    }
}

void TCustomFtpCli::TryToFinish()
{
    if (!FTransferReplied || !FDataClosed)
        return;
    TransferStats();
    FResumeAt = 0;
    if (FTransferAborted || FSendCutShort) {
        // The server may have answered 226 for what it had: the transfer is incomplete.
        if (FErrorMessage.isEmpty())
            FErrorMessage =
                FTransferAborted
                    ? QStringLiteral("426 Operation aborted.")
                    : QStringLiteral("426 Data connection closed before the whole file was sent.");
        FRequestResult = 426;
    } else {
        FRequestResult = FDataError;
    }
    TriggerRequestDone(WORD(FRequestResult));
}

void TCustomFtpCli::TransferFailed(const QString& Notice)
{
    if (FErrorMessage.isEmpty())
        FErrorMessage = FLastResponse;
    FNext = nullptr;
    CloseLocalStream();
    FDataSocket->OnSessionClosed = nullptr;
    if (FDataSocket->State() != wsClosed)
        FDataSocket->Close();
    if (!Notice.isEmpty())
        TriggerDisplay(Notice);
    FResumeAt = 0;
    FRequestResult = FStatusCode;
    TriggerRequestDone(WORD(FStatusCode));
}

void TCustomFtpCli::CloseLocalStream()
{
    FLocalStream.reset();
    FLocalFileWanted = false;
}

void TCustomFtpCli::TransferStats()
{
    FStopTime = GetTickCount();
    const qint64 Elapsed = std::uint32_t(FStopTime - FStartTime);
    QString Text = QStringLiteral("%1 bytes received/sent in %2 seconds").arg(FByteCount).arg(Elapsed / 1000);
    if (Elapsed != 0)
        Text += QStringLiteral(" (%1 Bytes/sec)").arg(FByteCount * 1000 / Elapsed);
    TriggerDisplay(QStringLiteral("! ") + Text);
}

bool TCustomFtpCli::TriggerProgress()
{
    bool Abort = false;
    Fire(OnProgress, this, FByteCount + FResumeAt, Abort);
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
