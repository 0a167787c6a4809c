// The request wrappers and their runner.
#include "ftp/client/ftp_request_wrappers.h"

#include "ftp/socket/winsock_library.h"
#include "platform/rtl/events.h"
#include "platform/rtl/string_list.h"
#include "platform/system/files.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/screen.h"
#include "routines/path_routines.h"

namespace {

// The screen cursor: one value, not a stack, so that however many requests showed the hourglass,
// the end of a request shows the default again.
void ShowHourglass()
{
    Screen().SetCursor(crHourGlass);
}

void RestoreDefaultCursor()
{
    Screen().SetCursor(crDefault);
}

// Wrappers other than FtpAbort start their request as "None".
void Execute(TFtpClient2& Client, void (TCustomFtpCli::*Request)())
{
    ExecuteFtpRequest(Client, ftpNone, [&] { (Client.*Request)(); });
}

} // namespace

QString TransferTypeText(bool Binary)
{
    return Binary ? QStringLiteral("TypeSet to Binary") : QStringLiteral("TypeSet to ASCII");
}

void ExecuteFtpRequest(TFtpClient2& Client, TFtpRequest RqType, const std::function<void()>& Request)
{
    Fire(Client.OnResetProgressCounters);
    Client.RequestTimer()->SetInterval(unsigned(Client.Timeout()) * 1000);
    Client.RequestTimer()->SetEnabled(RqType != ftpRqAbort);
    try {
        Request();
    } catch (...) {
        // The request never started, so no request-done will end the hourglass.
        RestoreDefaultCursor();
        WithCaughtException([&](Exception& E) {
            QString Text = QStringLiteral("Unable to execute request: %1. %2. LastResponse: %3")
                               .arg(FtpRequestName(RqType), E.Message, Client.LastResponse());
            if (Client.OnError)
                Fire(Client.OnError, &Client, Text);
            else
                MessageDlg(Text, mtWarning, {mbOK});
        });
    }
}

void FtpConnect(TFtpClient2& Client)
{
    ShowHourglass();
    Client.TriggerDisplayStatusEx(QStringLiteral("Connecting to %1...").arg(Client.HostName()));
    Client.SetTag2(0);
    Client.Tag = 0;
    Execute(Client, &TCustomFtpCli::ConnectAsync);
}

void FtpSendUser(TFtpClient2& Client)
{
    Client.TriggerDisplayStatusEx(QStringLiteral("Logging in user \"%1\"...").arg(Client.UserName()));
    Client.SetTag2(0);
    Execute(Client, &TCustomFtpCli::UserAsync);
    Client.Tag = 0;
}

void FtpSendPassword(TFtpClient2& Client)
{
    Client.TriggerDisplayStatusEx(QStringLiteral("Sending password (hidden)"));
    Client.SetTag2(0);
    Execute(Client, &TCustomFtpCli::PassAsync);
    Client.Tag = 0;
}

void FtpDisconnect(TFtpClient2& Client)
{
    Client.TriggerDisplayStatusEx(QStringLiteral("Disconnecting from %1...").arg(Client.HostName()));
    Execute(Client, &TCustomFtpCli::QuitAsync);
}

void FtpAbort(TFtpClient2& Client)
{
    ExecuteFtpRequest(Client, ftpRqAbort, [&] { Client.AbortAsync(); });
    Client.RequestTimer()->SetEnabled(false);
    Client.RequestTimer()->SetInterval(unsigned(Client.Timeout()) * 1000);
    Client.SetTag2(0);
    Client.SetHostFileName(QString());
    Client.SetHostDirName(QString());
    Client.SetLocalFileName(QString());
    RestoreDefaultCursor();
}

void FtpGetDirListing(TFtpClient2& Client, const QString& Remote, const QString& LocalFile)
{
    ShowHourglass();
    Client.TriggerDisplayStatusEx(QStringLiteral("Retrieving directory listing..."));
    const QString Listing = LocalFile.isEmpty() ? GetAppFolder(false) + QStringLiteral("FTP.tmp") : LocalFile;
    DeleteFile(Listing);
    Client.SetHostFileName(Remote);
    Client.SetLocalFileName(Listing);
    Client.SetHostDirName(QString());
    Execute(Client, &TCustomFtpCli::DirAsync);
}

void FtpMakeDir(TFtpClient2& Client, const QString& Name)
{
    ShowHourglass();
    Client.TriggerDisplayStatusEx(QStringLiteral("Creating new folder '%1'...").arg(Name));
    Client.SetHostFileName(Name);
    Execute(Client, &TCustomFtpCli::MkdAsync);
}

void FtpChangeDir(TFtpClient2& Client, const QString& Name)
{
    if (Name.isEmpty()) {
        Client.TriggerDisplayStatusEx(QStringLiteral("* ") +
                                      QStringLiteral("Cannot change folders. Directory name is empty."));
        return;
    }
    Client.TriggerDisplayStatusEx(QStringLiteral("Changing folder to %1...").arg(Name));
    Client.SetHostDirName(Name);
    Execute(Client, &TCustomFtpCli::CwdAsync);
}

void FtpPrintWorkingDir(TFtpClient2& Client)
{
    Execute(Client, &TCustomFtpCli::PwdAsync);
}

void FtpChangeDirUp(TFtpClient2& Client)
{
    Client.TriggerDisplayStatusEx(QStringLiteral("Changing directory up..."));
    Execute(Client, &TCustomFtpCli::CDupAsync);
}

void FtpRemoveDir(TFtpClient2& Client, const QString& Name)
{
    Client.TriggerDisplayStatusEx(QStringLiteral("Deleting directory '%1'...").arg(Name));
    QString Folder = Name;
    RemoveTrailingSlash(Folder);
    Client.SetHostFileName(Folder);
    Execute(Client, &TCustomFtpCli::RmdAsync);
}

void FtpDeleteFile(TFtpClient2& Client, const QString& Name)
{
    Client.TriggerDisplayStatusEx(QStringLiteral("Deleting '%1'...").arg(Name));
    Client.SetHostFileName(Name);
    Execute(Client, &TCustomFtpCli::DeleAsync);
}

void FtpSystem(TFtpClient2& Client)
{
    Execute(Client, &TCustomFtpCli::SystAsync);
}

void FtpRename(TFtpClient2& Client, const QString& NewName, const QString& OldName)
{
    Client.TriggerDisplayStatusEx(QStringLiteral("Renaming '%1' to '%2'...")
                                      .arg(ExtractRemoteName(OldName), ExtractRemoteName(NewName)));
    Client.SetHostFileName(OldName);
    Client.SetLocalFileName(NewName);
    Execute(Client, &TCustomFtpCli::RenAsync);
}

void FtpSetTransferType(TFtpClient2& Client, bool Binary, int FollowUp)
{
    Client.TriggerDisplayStatusEx(TransferTypeText(Binary));
    if (FollowUp != -1)
        Client.Tag = FollowUp;
    Execute(Client, Binary ? &TCustomFtpCli::TypeBinaryAsync : &TCustomFtpCli::TypeAsciiAsync);
}

namespace {

// Starts Request when the server already has the wanted type, otherwise only the TYPE command
// with FollowUp in Tag. The first transfer of a session always sets the type: the server's default
// need not match the client's flag, and a binary file sent as ASCII arrives altered.
void FtpTransfer(TFtpClient2& Client, const QString& LocalFile, const QString& RemoteName, bool Binary,
                 const QString& Title, const QString& Verb, void (TCustomFtpCli::*Request)(),
                 TFtpRequest FollowUp)
{
    Client.SetHostFileName(RemoteName);
    Client.SetLocalFileName(LocalFile);
    Client.TriggerDisplayStatusEx(QStringLiteral("%1 %2 %3...").arg(Title, Verb, RemoteName));
    if (Binary == Client.Binary() && Client.TypeConfirmed())
        Execute(Client, Request);
    else
        FtpSetTransferType(Client, Binary, FollowUp);
}

} // namespace

void FtpUpload(TFtpClient2& Client, const QString& LocalFile, const QString& RemoteName, bool Binary)
{
    FtpTransfer(Client, LocalFile, RemoteName, Binary, QStringLiteral("File Upload"),
                QStringLiteral("Transmitting"), &TCustomFtpCli::PutAsync, ftpPutAsync);
}

void FtpDownload(TFtpClient2& Client, const QString& LocalFile, const QString& RemoteName, bool Binary)
{
    FtpTransfer(Client, LocalFile, RemoteName, Binary, QStringLiteral("File Download"),
                QStringLiteral("Receiving"), &TCustomFtpCli::GetAsync, ftpGetAsync);
}

void FtpSendCommand(TFtpClient2& Client, const QString& Command)
{
    Client.TriggerDisplayStatusEx(QStringLiteral("Sending command %1...").arg(Command));
    Client.SetLocalFileName(Command);
    Execute(Client, &TCustomFtpCli::QuoteAsync);
}

void AddWinsockVersion(TStrings& Lines)
{
    const win::WSADATA Data = WinsockInfo();
    Lines.Add(QStringLiteral("Winsock version %1.%2").arg(Data.wVersion & 0xFF).arg(Data.wVersion >> 8));
}
