// TCustomFtpCli: sending a local file over the data connection (STOR, APPE).
#include "ftp/client/custom_ftp_cli.h"

#include "ftp/client/transfer_buffers.h"
#include "platform/system/tick_count.h"

#include <QTimer>
#include <linux/sockios.h>
#include <sys/ioctl.h>

using namespace win;

namespace {

// The longest wait between the end of the file and the close of the data connection, and how
// often the send queue is looked at meanwhile.
constexpr int CloseDelayMs = 100;
constexpr int DrainPollMs = 1;

// The bytes of a connected socket the system has not sent (or seen acknowledged) yet; 0 when
// that cannot be told.
int UnsentBytes(SOCKET Socket)
{
    int Count = 0;
    return ::ioctl(int(Socket), SIOCOUTQ, &Count) == 0 ? Count : 0;
}

} // namespace

void TCustomFtpCli::StorAsync()
{
    FRequestType = ftpPutAsync;
    SendStep(false);
}

void TCustomFtpCli::AppeAsync()
{
    FRequestType = ftpAppendAsync;
    SendStep(true);
}

QString TCustomFtpCli::SendCommandText(bool Append) const
{
    return (Append ? QStringLiteral("APPE ") : QStringLiteral("STOR ")) + FHostFileName;
}

void TCustomFtpCli::SendStep(bool Append)
{
    if (!Connected()) {
        HandleError(QStringLiteral("STOR/APPE: not connected"));
        return;
    }
    if (FLocalFileName.isEmpty()) {
        HandleError(QStringLiteral("LocalFileName empty"));
        return;
    }
    if (!RequestAllowed(false))
        return;
    if (!CommandAllowed(SendCommandText(Append)))
        return;
    CloseLocalStream();
    StartTransfer(true);
    FTransfer.CommandLine = SendCommandText(Append);

    bool Cancel = false;
    TriggerReadyToTransmit(Cancel);
    if (Cancel) {
        const QString Text = QStringLiteral("426 Transmit cancelled by application");
        FStatusCode = 426;
        TriggerDisplay(QStringLiteral("! ") + Text);
        FailRequest(426, Text);
        return;
    }

    try {
        FTransfer.LocalStream = std::make_unique<TFileStream>(FLocalFileName, fmOpenRead | ShareFlags());
    } catch (const EFOpenError& E) {
        HandleError(E.Message);
        return;
    }
    if (FResumeAt > 0)
        FTransfer.LocalStream->Seek(FResumeAt, soBeginning);

    // In passive mode the command follows once the data connection stands.
    if (FPassive && !ConnectPassive())
        return;
    SetState(ftpBusy);
    AwaitReply([this] { SendReply1(); });
    if (!FPassive) {
        SetPhase(ftpTransferStarting);
        SendCommand(FTransfer.CommandLine);
        AcceptDataConnection();
    }
}

void TCustomFtpCli::SendReply1()
{
    TriggerDisplay(QStringLiteral("< ") + FLastResponse);
    if (FStatusCode != 150 && FStatusCode != 125) {
        TransferFailed();
        return;
    }
    FTransfer.CommandAnswered = true;
    SetPhase(ftpTransferRunning);
    AwaitReply([this] { SendReply2(); });
    if (FPassive) {
        FTransfer.SendStarted = true;
        FDataSocket->OnDataSent = DataHandler(&TCustomFtpCli::SendNextChunk);
        SendNextChunk(0);
    } else if (FTransfer.DataConnected && !FTransfer.SendStarted) {
        // The connection came first: sending starts from the message loop.
        PostMessage(FWindowHandle, WM_FTP_SENDDATA, FTransferId, 0);
    }
}

void TCustomFtpCli::StartSending(WPARAM TransferId)
{
    if (TransferId != FTransferId || FTransfer.SendStarted)
        return;
    FTransfer.SendStarted = true;
    FTransfer.StartTime = GetTickCount();
    SendNextChunk(0);
}

void TCustomFtpCli::SendNextChunk(WORD Error)
{
    // Chunks go out until the socket has to keep one back because the system's buffer is full;
    // the next follows its "sent" event while the system still has data to send, so the
    // connection never waits for the message loop.
    do {
        if (!FTransfer.LocalStream || !ProgressGoesOn())
            return;
        if (Error != 0) {
            TriggerDisplay(QStringLiteral("! Error #%1 sending data").arg(Error));
            FTransfer.DataError = Error;
            FDataSocket->Close();
            return;
        }
        if (FTransfer.EofReached || !FTransfer.CommandAnswered || !FTransfer.DataConnected)
            return;
        FDataBuffer.resize(FtpSendChunkSize);
        const int Count = int(FTransfer.LocalStream->Read(FDataBuffer.data(), FtpSendChunkSize));
        if (Count < 1) {
            FTransfer.EofReached = true;
            CloseWhenSent(GetTickCount());
            return;
        }
        if (FTransfer.Binary) {
            FTransfer.ByteCount += Count;
            FDataSocket->Send(FDataBuffer.data(), Count);
        } else {
            const QByteArray Wire = FTransfer.AsciiSender.Convert(FDataBuffer.data(), Count);
            FTransfer.ByteCount += Wire.size();
            FDataSocket->Send(Wire.constData(), int(Wire.size()));
        }
    } while (FDataSocket->AllSent());
}

void TCustomFtpCli::CloseWhenSent(std::uint32_t Since)
{
    // The data leaves first: the close waits until the system's send queue of the connection is
    // empty, at most CloseDelayMs; the GUI goes on meanwhile.
    if (!FTransfer.LocalStream)
        return;
    if ((FDataSocket->AllSent() && UnsentBytes(FDataSocket->HSocket()) == 0) ||
        std::int32_t(GetTickCount() - Since) >= CloseDelayMs) {
        FDataSocket->CloseDelayed();
        return;
    }
    const quint32 Id = FTransferId;
    QTimer::singleShot(DrainPollMs, this, [this, Id, Since] {
        RunContinuation([&] {
            if (Id == FTransferId)
                CloseWhenSent(Since);
        });
    });
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
    const std::unique_ptr<TFileStream>& Stream = FTransfer.LocalStream;
    FTransfer.CutShort = Stream && Stream->Position() < Stream->Size();
    CloseLocalStream();
    FTransfer.DataClosed = true;
    // A sending error recorded before the close stays.
    if (FTransfer.DataError == 0)
        FTransfer.DataError = Error;
    if (!FTransfer.Replied)
        SetPhase(ftpTransferFinishing);
    TryToFinish();
}
