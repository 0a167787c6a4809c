// TCustomFtpCli: receiving a file or a listing over the data connection (RETR, LIST, NLST).
#include "ftp/client/custom_ftp_cli.h"

#include "ftp/client/transfer_buffers.h"
#include "platform/system/name_encoding.h"
#include "platform/system/tick_count.h"

#include <QRegularExpression>

using namespace win;

namespace {

bool LineEnd(char C)
{
    return C == '\r' || C == '\n';
}

// The size a 150 or 125 reply announces, "... (1234 bytes)"; -1 when it names none.
qint64 AnnouncedSize(const QString& Reply)
{
    static const QRegularExpression Size(QStringLiteral("\\((\\d{1,18}) bytes\\)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch Match = Size.match(Reply);
    return Match.hasMatch() ? Match.captured(1).toLongLong() : -1;
}

} // namespace

void TCustomFtpCli::RetrAsync()
{
    ReceiveStep(ftpGetAsync, QStringLiteral("RETR"));
}

void TCustomFtpCli::ListCmdAsync()
{
    ReceiveStep(ftpDirAsync, QStringLiteral("LIST"));
}

void TCustomFtpCli::NlstAsync()
{
    ReceiveStep(ftpLsAsync, QStringLiteral("NLST"));
}

void TCustomFtpCli::ReceiveStep(TFtpRequest RqType, const QString& Command)
{
    if (!Connected()) {
        HandleError(Command + QStringLiteral(": not connected"));
        return;
    }
    if (FLocalFileName.isEmpty() && !FDisplayFileFlag) {
        HandleError(QStringLiteral("LocalFileName empty"));
        return;
    }
    if (!RequestAllowed(false))
        return;
    const QString Cmd = FHostFileName.isEmpty() ? Command : Command + u' ' + FHostFileName;
    if (!CommandAllowed(Cmd))
        return;
    if (!FHighLevelFlag)
        FRequestType = RqType;
    CloseLocalStream();
    StartTransfer(false);
    FTransfer.DataCommand = Command;
    FTransfer.CommandLine = Cmd;
    // The local file is left alone until the server shows that the transfer is under way.
    FTransfer.LocalFileWanted = !FDisplayFileFlag;
    // In passive mode the command follows once the data connection stands: a connection that
    // cannot be made then leaves no reply of the server to come.
    if (FPassive && !ConnectPassive())
        return;
    SetState(ftpBusy);
    AwaitReply([this] { ReceiveReply1(); });
    if (FPassive)
        return;
    SetPhase(ftpTransferStarting);
    SendCommand(Cmd);
    AcceptDataConnection();
}

void TCustomFtpCli::OpenReceiveFile()
{
    if (!FTransfer.LocalFileWanted)
        return;
    FTransfer.LocalFileWanted = false;
    FTransfer.LocalFile = std::make_unique<TDownloadFile>(FLocalFileName, FResumeAt);
    // An empty transfer whose data connection closed before the reply: the file is complete.
    if (FTransfer.DataClosed)
        FTransfer.LocalFile->Close();
}

void TCustomFtpCli::ReceiveReply1()
{
    TriggerDisplay(QStringLiteral("< ") + FLastResponse);
    if (FStatusCode != 150 && FStatusCode != 125) {
        TransferFailed();
        return;
    }
    FTransfer.CommandAnswered = true;
    SetPhase(ftpTransferRunning);
    if (FTransfer.DataCommand == QLatin1String("RETR"))
        FTransfer.AnnouncedSize = AnnouncedSize(FLastResponse);
    if (FTransfer.AnnouncedSize >= 0 && FResumeAt > FTransfer.AnnouncedSize) {
        // Nothing would come, and the local file is to stay as it is.
        StopReceive(554, QStringLiteral("554 Cannot resume at %1: the file has only %2 bytes.")
                             .arg(FResumeAt)
                             .arg(FTransfer.AnnouncedSize));
        return;
    }
    AwaitReply([this] { ReceiveReply2(); });
    WithLocalFile([this] { OpenReceiveFile(); });
}

void TCustomFtpCli::ReceiveReply2()
{
    TriggerDisplay(QStringLiteral("< ") + FLastResponse);
    if (FStatusCode == 125 || FStatusCode == 226 || FStatusCode == 250) {
        TransferReplied();
        return;
    }
    TransferFailed(QStringLiteral("! %1 Failed").arg(FTransfer.DataCommand));
}

void TCustomFtpCli::ReceiveDataAvailable(WORD)
{
    if (!ProgressGoesOn())
        return;
    FDataBuffer.resize(FtpReceiveBufferSize);
    const int Count = FDataSocket->Receive(FDataBuffer.data(), int(FDataBuffer.size()));
    if (Count > 0) {
        FTransfer.ByteCount += Count;
        if ((FTransfer.LocalFileWanted || FTransfer.LocalFile) &&
            !WithLocalFile([&] { StoreReceived(FDataBuffer.data(), Count); }))
            return;
        if (FDisplayFileFlag)
            DisplayReceived(FDataBuffer.data(), Count);
        return;
    }
    if (Count < 0 && FDataSocket->State() == wsConnected && FDataSocket->LastError() != WSAEWOULDBLOCK) {
        TriggerDisplay(QStringLiteral("! Data: Receive error %1").arg(FDataSocket->LastError()));
        FDataSocket->Shutdown(2);
    }
}

void TCustomFtpCli::StoreReceived(const char* Data, int Count)
{
    // Data may come before the reply that accepts the command.
    OpenReceiveFile();
    if (FTransfer.Binary) {
        FTransfer.LocalFile->Write(Data, Count);
        return;
    }
    const QByteArray Text = FTransfer.AsciiReceiver.Convert(Data, Count);
    FTransfer.LocalFile->Write(Text.constData(), Text.size());
}

void TCustomFtpCli::DisplayReceived(const char* Data, int Count)
{
    // One piece per line; a line split between two reads comes as two pieces.
    int Start = 0;
    while (Start < Count) {
        int End = Start;
        while (End < Count && !LineEnd(Data[End]))
            ++End;
        TriggerDisplayFile(DecodeName(QByteArray(Data + Start, End - Start)));
        while (End < Count && LineEnd(Data[End]))
            ++End;
        Start = End;
    }
}

void TCustomFtpCli::ReceiveDataClosed(WORD Error)
{
    // A file not opened yet is still created once the server accepts the command.
    if (FTransfer.LocalFile && !WithLocalFile([this] {
            if (!FTransfer.Binary) {
                const QByteArray Rest = FTransfer.AsciiReceiver.Finish();
                FTransfer.LocalFile->Write(Rest.constData(), Rest.size());
            }
            FTransfer.LocalFile->Close();
        }))
        return;
    FTransfer.DataClosed = true;
    FTransfer.DataError = Error;
    if (!FTransfer.Replied)
        SetPhase(ftpTransferFinishing);
    TryToFinish();
}
