// TCustomFtpCli: receiving a file or a listing over the data connection (RETR, LIST, NLST).
#include "ftp/client/custom_ftp_cli.h"

#include "ftp/client/transfer_buffers.h"
#include "platform/system/name_encoding.h"
#include "platform/system/tick_count.h"

using namespace win;

namespace {
bool LineEnd(char C)
{
    return C == '\r' || C == '\n';
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
    if (FState != ftpReady && FState != ftpInternalReady) {
        HandleError(QStringLiteral("FTP component not ready"));
        return;
    }
    const QString Cmd = FHostFileName.isEmpty() ? Command : Command + u' ' + FHostFileName;
    if (!CommandAllowed(Cmd))
        return;
    if (!FHighLevelFlag)
        FRequestType = RqType;
    FDataCommand = Command;
    StartTransfer();
    // The local file is left alone until the server shows that the transfer is under way.
    CloseLocalStream();
    FLocalFileWanted = !FDisplayFileFlag;
    if (FPassive && !ConnectPassive(DataHandler(&TCustomFtpCli::ReceiveConnected)))
        return;
    SetState(ftpBusy);
    AwaitReply([this] { ReceiveReply1(); });
    SendCommand(Cmd);
    if (!FPassive)
        AcceptWith(&TCustomFtpCli::ReceiveAccept);
}

void TCustomFtpCli::OpenReceiveFile()
{
    if (!FLocalFileWanted)
        return;
    FLocalFileWanted = false;
    const unsigned Share = ShareFlags();
    if (FResumeAt > 0) {
        FLocalStream = std::make_unique<TFileStream>(FLocalFileName, fmOpenWrite | Share);
        FLocalStream->Seek(FResumeAt, soBeginning);
    } else {
        FLocalStream = std::make_unique<TFileStream>(FLocalFileName, fmCreate);
        if (Share != fmShareCompat) {
            FLocalStream.reset();
            FLocalStream = std::make_unique<TFileStream>(FLocalFileName, fmOpenWrite | Share);
        }
    }
    // An empty transfer whose data connection closed before the reply: the file is complete.
    if (FDataClosed)
        FLocalStream.reset();
}

void TCustomFtpCli::ReceiveReply1()
{
    TriggerDisplay(QStringLiteral("< ") + FLastResponse);
    if (FStatusCode != 150 && FStatusCode != 125) {
        TransferFailed();
        return;
    }
    AwaitReply([this] { ReceiveReply2(); });
    OpenReceiveFile();
}

void TCustomFtpCli::ReceiveReply2()
{
    TriggerDisplay(QStringLiteral("< ") + FLastResponse);
    if (FStatusCode == 125 || FStatusCode == 226 || FStatusCode == 250) {
        TransferReplied();
        return;
    }
    TransferFailed(QStringLiteral("! %1 Failed").arg(FDataCommand));
}

void TCustomFtpCli::ReceiveAccept(WORD)
{
    const SOCKET Accepted = AcceptFromServer();
    if (Accepted == INVALID_SOCKET)
        return;
    FDataSocket->Close(); // the listening socket
    FDataSocket->OnSessionClosed = DataHandler(&TCustomFtpCli::ReceiveDataClosed);
    FDataSocket->OnDataAvailable = DataHandler(&TCustomFtpCli::ReceiveDataAvailable);
    FDataSocket->Dup(Accepted);
    FStartTime = GetTickCount();
}

void TCustomFtpCli::ReceiveConnected(WORD Error)
{
    FDataSocket->OnSessionClosed = DataHandler(&TCustomFtpCli::ReceiveDataClosed);
    FDataSocket->OnDataAvailable = DataHandler(&TCustomFtpCli::ReceiveDataAvailable);
    FDataSocket->OnDataSent = nullptr;
    FStartTime = GetTickCount();
    if (Error != 0)
        DataConnectionFailed(QStringLiteral("Unable to establish data connection, error #%1").arg(Error));
}

void TCustomFtpCli::ReceiveDataAvailable(WORD)
{
    if (!ProgressGoesOn())
        return;
    FDataBuffer.resize(FtpReceiveBufferSize);
    const int Count = FDataSocket->Receive(FDataBuffer.data(), int(FDataBuffer.size()));
    if (Count > 0) {
        FByteCount += Count;
        if (FLocalFileWanted || FLocalStream)
            StoreReceived(FDataBuffer.data(), Count);
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
    if (FTransferBinary) {
        FLocalStream->WriteBuffer(Data, Count);
        return;
    }
    const QByteArray Text = FAsciiReceiver.Convert(Data, Count);
    FLocalStream->WriteBuffer(Text.constData(), Text.size());
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
    if (FLocalStream && !FTransferBinary) {
        const QByteArray Rest = FAsciiReceiver.Finish();
        FLocalStream->WriteBuffer(Rest.constData(), Rest.size());
    }
    // A file not opened yet is still created once the server accepts the command.
    FLocalStream.reset();
    FDataClosed = true;
    FDataError = Error;
    TryToFinish();
}
