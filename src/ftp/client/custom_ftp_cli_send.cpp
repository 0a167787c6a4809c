// TCustomFtpCli: sending a local file over the data connection (STOR, APPE).
#include "ftp/client/custom_ftp_cli.h"

#include "ftp/client/transfer_buffers.h"
#include "platform/system/tick_count.h"

#include <QTimer>

using namespace win;

namespace {
// Incoming bytes on an upload connection are read and dropped this many at a time.
constexpr int DiscardSize = 2048;
// The pause between the end of the file and the close of the data connection.
constexpr int CloseDelayMs = 100;
} // namespace

void TCustomFtpCli::StorAsync()
{
    FAppendFlag = false;
    FRequestType = ftpPutAsync;
    SendStep();
}

void TCustomFtpCli::AppeAsync()
{
    FAppendFlag = true;
    FRequestType = ftpAppendAsync;
    SendStep();
}

QString TCustomFtpCli::SendCommandText() const
{
    return (FAppendFlag ? QStringLiteral("APPE ") : QStringLiteral("STOR ")) + FHostFileName;
}

void TCustomFtpCli::SendStep()
{
    if (!Connected()) {
        HandleError(QStringLiteral("STOR/APPE: not connected"));
        return;
    }
    if (FLocalFileName.isEmpty()) {
        HandleError(QStringLiteral("LocalFileName empty"));
        return;
    }
    if (FState != ftpReady && FState != ftpInternalReady) {
        HandleError(QStringLiteral("FTP component not ready"));
        return;
    }
    if (!CommandAllowed(SendCommandText()))
        return;
    StartTransfer();
    FEofReached = false;
    FStorAnswered = false;
    FPutSessionOpened = false;
    FSendStarted = false;

    bool Cancel = false;
    TriggerReadyToTransmit(Cancel);
    if (Cancel) {
        FErrorMessage = QStringLiteral("426 Transmit cancelled by application");
        FStatusCode = 426;
        TriggerDisplay(QStringLiteral("! ") + FErrorMessage);
        FRequestResult = 426;
        TriggerRequestDone(426);
        return;
    }

    CloseLocalStream();
    try {
        FLocalStream = std::make_unique<TFileStream>(FLocalFileName, fmOpenRead | ShareFlags());
    } catch (const EFOpenError& E) {
        HandleError(E.Message);
        return;
    }
    if (FResumeAt > 0)
        FLocalStream->Seek(FResumeAt, soBeginning);

    // In passive mode the command follows once the data connection stands.
    if (FPassive && !ConnectPassive(DataHandler(&TCustomFtpCli::SendConnected)))
        return;
    SetState(ftpBusy);
    AwaitReply([this] { SendReply1(); });
    if (!FPassive) {
        SendCommand(SendCommandText());
        AcceptWith(&TCustomFtpCli::SendAccept);
    }
}

void TCustomFtpCli::SendConnected(WORD Error)
{
    FDataSocket->OnSessionClosed = DataHandler(&TCustomFtpCli::SendDataClosed);
    FDataSocket->OnDataAvailable = nullptr;
    FDataSocket->OnDataSent = nullptr;
    FPutSessionOpened = true;
    FStartTime = GetTickCount();
    if (Error != 0) {
        DataConnectionFailed(QStringLiteral("Unable to establish data connection, error #%1").arg(Error));
        return;
    }
    SendCommand(SendCommandText());
}

void TCustomFtpCli::SendAccept(WORD)
{
    const SOCKET Accepted = AcceptFromServer();
    if (Accepted == INVALID_SOCKET)
        return;
    FDataSocket->Close(); // the listening socket
    FDataSocket->OnSessionClosed = DataHandler(&TCustomFtpCli::SendDataClosed);
    FDataSocket->OnDataAvailable = [this](TObject*, WORD) {
        char Discard[DiscardSize];
        FDataSocket->Receive(Discard, sizeof Discard);
    };
    FDataSocket->OnDataSent = DataHandler(&TCustomFtpCli::SendNextChunk);
    FDataSocket->SetLingerOnOff(wsLingerOff);
    FDataSocket->SetLingerTimeout(10);
    FDataSocket->Dup(Accepted);
    int SendBuffer = 0;
    int Len = sizeof SendBuffer;
    if (getsockopt(FDataSocket->HSocket(), SOL_SOCKET, SO_SNDBUF, reinterpret_cast<char*>(&SendBuffer),
                   &Len) != 0)
        throw FtpException(QStringLiteral("winsock.getsockopt(SO_SNDBUF) failed"));
    FPutSessionOpened = true;
    if (FStorAnswered && !FSendStarted)
        PostMessage(FWindowHandle, WM_FTP_SENDDATA, FTransferId, 0);
}

void TCustomFtpCli::SendReply1()
{
    TriggerDisplay(QStringLiteral("< ") + FLastResponse);
    if (FStatusCode != 150 && FStatusCode != 125) {
        TransferFailed();
        return;
    }
    FStorAnswered = true;
    AwaitReply([this] { SendReply2(); });
    if (FPassive) {
        FSendStarted = true;
        FDataSocket->OnDataSent = DataHandler(&TCustomFtpCli::SendNextChunk);
        SendNextChunk(0);
    } else if (FPutSessionOpened && !FSendStarted) {
        // The connection came first: sending starts from the message loop.
        PostMessage(FWindowHandle, WM_FTP_SENDDATA, FTransferId, 0);
    }
}

void TCustomFtpCli::StartSending(WPARAM TransferId)
{
    if (TransferId != FTransferId || FSendStarted)
        return;
    FSendStarted = true;
    FStartTime = GetTickCount();
    SendNextChunk(0);
}

void TCustomFtpCli::SendNextChunk(WORD Error)
{
    if (!FLocalStream || !ProgressGoesOn())
        return;
    if (Error != 0) {
        TriggerDisplay(QStringLiteral("! Error #%1 sending data").arg(Error));
        FDataError = Error;
        FDataSocket->Close();
        return;
    }
    if (FEofReached || !FStorAnswered || !FPutSessionOpened)
        return;
    FDataBuffer.resize(FtpSendChunkSize);
    const int Count = int(FLocalStream->Read(FDataBuffer.data(), FtpSendChunkSize));
    if (Count < 1) {
        // A short pause, then the close once the queue has drained; the GUI goes on meanwhile.
        FEofReached = true;
        const quint32 Id = FTransferId;
        QTimer::singleShot(CloseDelayMs, this, [this, Id] {
            RunContinuation([&] {
                if (Id == FTransferId && FLocalStream)
                    FDataSocket->CloseDelayed();
            });
        });
        return;
    }
    if (FTransferBinary) {
        FByteCount += Count;
        FDataSocket->Send(FDataBuffer.data(), Count);
        return;
    }
    const QByteArray Wire = LfToCrLf(FDataBuffer.data(), Count);
    FByteCount += Wire.size();
    FDataSocket->Send(Wire.constData(), int(Wire.size()));
}

void TCustomFtpCli::SendReply2()
{
    TriggerDisplay(QStringLiteral("< ") + FLastResponse);
    if (FStatusCode == 226 || FStatusCode == 250) {
        TransferReplied();
        return;
    }
    TransferFailed(QStringLiteral("! STOR Failed"));
}

void TCustomFtpCli::SendDataClosed(WORD Error)
{
    // Only the close that follows the end of the file (or an abort) leaves nothing unsent.
    FSendCutShort = FLocalStream && FLocalStream->Position() < FLocalStream->Size();
    CloseLocalStream();
    FDataClosed = true;
    // A sending error recorded before the close stays.
    if (FDataError == 0)
        FDataError = Error;
    TryToFinish();
}
