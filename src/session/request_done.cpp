// TSessionEngine: the end of each request, the one place that decides what the session does next.
#include "session/session_engine.h"

#include "dialogs/ftp_progress_dlg.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/application.h"
#include "platform/rtl/format.h"
#include "platform/system/temp_files.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/screen.h"
#include "routines/path_routines.h"
#include "session/local_pane.h"
#include "session/session_window.h"

#include <QFileInfo>

namespace {

// The last "/"-delimited component of a remote path.
QString LastComponent(const QString& Path)
{
    return ExtractRemoteName(Path);
}

// The replies that end a transfer or a listing that brought everything.
bool TransferComplete(int StatusCode)
{
    return StatusCode == 226 || StatusCode == 250;
}

// Folder with a leading and a trailing "/" ("/" for an empty folder).
QString FolderWithSlashes(const QString& Folder)
{
    QString result = AddLeadingSlash(Folder.isEmpty() ? QStringLiteral("/") : Folder);
    AddTrailingSlash(result);
    return result;
}

bool IsLoginRequest(TFtpRequest RqType)
{
    return RqType == ftpUserAsync || RqType == ftpPassAsync || RqType == ftpConnectAsync;
}

} // namespace

void TSessionEngine::StopRequestTimer()
{
    TTimer* timer = Client.RequestTimer();
    timer->SetInterval(unsigned(Client.Timeout()) * 1000);
    timer->SetEnabled(false);
}

void TSessionEngine::FtpClientRequestDone(TFtpRequest RqType, int Error)
{
    Screen().SetCursor(crDefault);
    StopRequestTimer();
    if (State.Recursing)
        State.SetStatusText(QStringLiteral(" Please wait while recursing..."), 2);
    if (Error != 0) {
        State.PlayEventSound(SoundError);
        State.SetStatusText(QString(), 2);
        RequestFailed(RqType, Error);
    } else {
        RequestSucceeded(RqType);
    }
}

void TSessionEngine::ShowReplyText(TFtpRequest RqType, int Error)
{
    State.SetStatusText(
        Format(QStringLiteral("%s%s %d %s"), {QStringLiteral("* "), Client.LastResponse(), Error, FtpRequestName(RqType)}), 3);
}

void TSessionEngine::AskAnotherFolderName()
{
    const QString text =
        Format(QStringLiteral("The folder \"%s\" could not be created. Would you like to try another folder name?"),
               {LastComponent(Client.HostFileName())});
    if (MessageDlg(text, mtInformation, {mbYes, mbNo}) == mrYes)
        window_.ExecuteAction(QStringLiteral("actFtpMkd"));
    else
        State.ResetTransferQueue(false, false);
}

void TSessionEngine::RequestFailed(TFtpRequest RqType, int Error)
{
    switch (Error) {
    case 350:
        ShowReplyText(RqType, Error);
        return;
    case 421: case 530: case 500: case 501: case 502: case 503:
        if (IsLoginRequest(RqType))
            RetryLogin(RqType);
        else if (RqType == ftpSystAsync)
            AfterSystemReply();
        else {
            ShowReplyText(RqType, Error);
            EndStalledQueue();
        }
        return;
    case 426:
        // Also the end of a request the client's timer aborted: nothing runs any more.
        ShowReplyText(RqType, Error);
        GetFtpProgressDlgFrm()->hide();
        window_.ShowListingAnimation(false);
        State.ResetTransferQueue(false, false);
        return;
    case 521:
        State.SetStatusText(QStringLiteral("* ") + Client.LastResponse(), 3);
        AskAnotherFolderName();
        return;
    case 550:
        RequestRefused(RqType);
        return;
    default:
        break;
    }
    GetFtpProgressDlgFrm()->hide();
    window_.ShowListingAnimation(false);
    EndStalledQueue();
    if (Error > 1000)
        SessionEnded();
    const QString hint = Error == 11001 ? QStringLiteral("Please check your internet connection.")
                                        : QStringLiteral("Check your server profile settings and try again.");
    const QString message = Format(QStringLiteral("Error: %d in Request: %s. %s"), {Error, FtpRequestName(RqType), hint});
    State.SetStatusText(message, 3);
    Log.AddLogLine(QStringLiteral("* ") + message + QLatin1Char(' ') + Client.LastResponse());
}

void TSessionEngine::EndStalledQueue()
{
    // A queue or recursion that nothing continues would take over the next listing.
    if (State.Recursing || !State.GetTransferQueue().empty()) {
        GetFtpProgressDlgFrm()->hide();
        State.ResetTransferQueue(false, false);
    }
}

void TSessionEngine::RequestRefused(TFtpRequest RqType)
{
    const QString reply = QStringLiteral("* ") + Client.LastResponse();
    switch (RqType) {
    case ftpGetAsync:
        State.SetStatusText(QStringLiteral("* ") + Format(QStringLiteral("The %s '%s' does not exist"),
                                                          {QStringLiteral("file"), Client.HostFileName()}),
                            3);
        DownloadCompleted();
        return;
    case ftpCwdAsync:
        State.SetStatusText(QStringLiteral("* ") + Format(QStringLiteral("The %s '%s' does not exist"),
                                                          {QStringLiteral("folder"), Client.HostDirName()}),
                            3);
        if (State.Recursing && !enteringFolder_.isEmpty()) {
            // A folder the recursion could not enter is skipped like a missing file.
            SkipEnteredFolder(QStringLiteral("cannot be entered"));
            return;
        }
        GetFtpProgressDlgFrm()->hide();
        State.ResetTransferQueue(false, false);
        State.AfterRequestAction = RequestDropMissingFolder;
        State.MissingFolder = Client.HostDirName();
        AfterCurrentFolderReply();
        return;
    case ftpMkdAsync:
        State.SetStatusText(reply, 3);
        if (const int row = RemoteList.IndexOfCaption(LastComponent(Client.HostFileName()));
            row > 0 && RemoteList.Row(row).IsFolder())
            AskAnotherFolderName();
        else
            State.ResetTransferQueue(false, false);
        return;
    case ftpRmdAsync:
    case ftpDeleAsync:
    case ftpRenAsync:
        State.SetStatusText(reply, 3);
        if (RqType != ftpRenAsync)
            DeletionCompleted(false, RqType == ftpRmdAsync);
        return;
    case ftpPwdAsync:
        State.SetStatusText(reply, 3);
        AfterCurrentFolderReply();
        return;
    default:
        GetFtpProgressDlgFrm()->hide();
        window_.ShowListingAnimation(false);
        EndStalledQueue();
        return;
    }
}

void TSessionEngine::RequestSucceeded(TFtpRequest RqType)
{
    const int reply = Client.StatusCode();
    switch (RqType) {
    case ftpUserAsync:
        if (reply == 331)
            FtpSendPassword(Client);
        return;
    case ftpPassAsync:
        if (reply == 230)
            LoginCompleted();
        return;
    case ftpConnectAsync:
        LoginCompleted();
        return;
    case ftpCwdAsync:
        if (reply == 250) {
            State.SetStatusText(Format(QStringLiteral("%s to %s %s"), {QStringLiteral("Change Folder"), Client.HostDirName(),
                                                                        QStringLiteral("Successful")}),
                                3);
            FtpPrintWorkingDir(Client);
        }
        return;
    case ftpDirAsync:
    case ftpListAsync:
        ListingFinished();
        return;
    case ftpGetAsync:
        State.SetStatusText(Format(QStringLiteral("%s of %s %s"), {QStringLiteral("File Download"), Client.HostFileName(),
                                                                    QStringLiteral("Successful")}),
                            3);
        DownloadCompleted();
        return;
    case ftpSystAsync:
        if (reply == 215)
            AfterSystemReply();
        return;
    case ftpQuitAsync:
        SessionEnded();
        return;
    case ftpPutAsync: {
        if (TransferComplete(reply)) {
            const QString local = Client.LocalFileName();
            const QString name = State.EditorTempFiles().count(local) ? LastComponent(Client.HostFileName())
                                                                      : QFileInfo(local).fileName();
            State.SetStatusText(
                Format(QStringLiteral("%s of %s %s"), {QStringLiteral("File Upload"), name, QStringLiteral("Successful")}), 3);
            UploadCompleted();
        } else {
            QueueDone(RecurseUpload);
        }
        return;
    }
    case ftpMkdAsync:
        if (reply != 257)
            return;
        State.SetStatusText(QStringLiteral("Successfully created \"") + LastComponent(Client.HostFileName()) +
                                QStringLiteral("\" remote folder"),
                            3);
        window_.RemoteFolderCreated(LastComponent(Client.HostFileName()));
        if (State.PendingRecursionRequest == RecurseUpload) {
            if (State.Recursing)
                FtpChangeDir(Client, LastComponent(Client.HostFileName()));
        } else {
            ListCurrentFolder();
        }
        return;
    case ftpRmdAsync:
        if (reply == 250) {
            State.SetStatusText(QStringLiteral("Successfully deleted '") + LastComponent(Client.HostFileName()) +
                                    QStringLiteral("' remote folder"),
                                3);
            DeletionCompleted(true, true);
        }
        return;
    case ftpDeleAsync:
        if (reply == 250) {
            State.SetStatusText(QStringLiteral("Successfully deleted '") + Client.HostFileName() + QLatin1Char('\''), 3);
            DeletionCompleted(true, false);
        }
        return;
    case ftpRenAsync:
        if (reply == 250) {
            State.SetStatusText(Format(QStringLiteral("%sly Renamed '%s' to '%s'"),
                                       {QStringLiteral("Successful"), LastComponent(Client.HostFileName()),
                                        LastComponent(Client.LocalFileName())}),
                                3);
            RenameCompleted();
        }
        return;
    case ftpPwdAsync:
        if (reply == 257)
            AfterPrintWorkingDir();
        return;
    case ftpQuoteAsync:
        State.SetStatusText(Format(QStringLiteral("%s %s"), {Client.LocalFileName(), QStringLiteral("Successful")}), 3);
        if (State.AfterListingAction == ListingRenameAfterCommand) {
            State.AfterListingAction = 0;
            const QString file = RemoteList.GetSelectedRemoteFile();
            if (!file.isEmpty())
                FtpRename(Client, State.PendingRenameTarget, file);
            State.PendingRenameTarget.clear();
        }
        return;
    case ftpCDupAsync:
        if (reply == 250)
            FtpPrintWorkingDir(Client);
        return;
    case ftpTypeSetAsync:
        if (reply == 200) {
            State.SetStatusText(TransferTypeText(Client.Binary()), 3);
            if (Client.Tag >= 1 && Client.Tag <= 41)
                ResumeAfterTypeChange();
        }
        return;
    default:
        return;
    }
}

void TSessionEngine::LoginCompleted()
{
    State.ClearListingCache();
    Client.Tag = TagLogin;
    State.SetStatusText(Format(QStringLiteral("Connected to %s"), {Client.HostName()}), 3);
    const QString title = Application ? Application->Title() : QString();
    window_.ShowConnected(Format(QStringLiteral("%s - %s (%s)"), {title, State.CurrentSiteName, Client.HostName()}),
                          Format(QStringLiteral("Connected to %s (%s)"), {State.CurrentSiteName, Client.HostName()}));
    FtpPrintWorkingDir(Client);
    State.PlayEventSound(SoundConnect);
}

void TSessionEngine::AfterPrintWorkingDir()
{
    const QString reached = FolderWithSlashes(Client.DirResult());
    State.CurrentRemoteFolder = reached;
    const int code = State.PendingRecursionRequest;
    if (State.Recursing && !enteringFolder_.isEmpty() && (code == RecurseDownload || code == RecurseUpload)) {
        // A link can lead back into the tree being copied, or above it: such a folder is never
        // worked in.
        if (reached != enteringFolder_ &&
            (State.GetRecursionFolderMap().count(reached) || BaseRemoteFolder().startsWith(reached))) {
            SkipEnteredFolder(Format(QStringLiteral("leads to '%s', a folder this transfer has already visited,"), {reached}));
            return;
        }
        State.RecordRecursionFolder(reached, localPane_.CurrentFolder());
    }
    AfterCurrentFolderReply();
}

void TSessionEngine::AfterCurrentFolderReply()
{
    const QString folder = FolderWithSlashes(Client.DirResult());
    State.CurrentRemoteFolder = folder;
    window_.AddHistoryFolder(folder);
    State.SetStatusText(Format(QStringLiteral("Current Directory is %s"), {folder}), 3);
    if (Client.Tag == TagLogin)
        FtpSystem(Client);
    else
        ListCurrentFolder();
}

void TSessionEngine::AfterSystemReply()
{
    if (Client.Tag != TagLogin)
        return;
    Client.Tag = 0;
    if (!Client.HostDirName().isEmpty())
        FtpChangeDir(Client, Client.HostDirName());
    else
        ListCurrentFolder();
}

void TSessionEngine::ListCurrentFolder()
{
    window_.SetRemoteFolderCombo(State.CurrentRemoteFolder);
    Client.SetHostDirName(State.CurrentRemoteFolder);
    window_.ShowRetrievingListing();
    const QString tempFolder = win::GetTempPath();
    const QString cacheFile = tempFolder.isEmpty() ? QString() : win::GetTempFileName(tempFolder, QStringLiteral("HFT"));
    if (cacheFile.isEmpty()) {
        Log.AddLogLine(QStringLiteral("* ") + Format(QStringLiteral("The listing of %s cannot be kept: no file can be made in the temporary folder."),
                                                     {State.CurrentRemoteFolder}));
        window_.ShowListingAnimation(false);
        return;
    }
    State.AddDirResult(State.CurrentRemoteFolder, cacheFile);
    FtpGetDirListing(Client, QString(), cacheFile);
}

void TSessionEngine::ListingFinished()
{
    const int reply = Client.StatusCode();
    const auto cached = State.GetDirResultList().find(State.CurrentRemoteFolder);
    if (cached != State.GetDirResultList().end())
        RemoteList.LoadListingFile(cached->second);
    window_.RemoteListChanged();
    window_.ShowListingAnimation(false);
    State.SetStatusText(Format(QStringLiteral("Current Directory is %s"), {State.CurrentRemoteFolder}), 3);
    window_.SyncRemoteTree(State.CurrentRemoteFolder);
    if (!TransferComplete(reply)) {
        // The listing may be cut short: the session ends rather than work from it.
        FtpDisconnect(Client);
        return;
    }
    if (State.Recursing) {
        GetFtpProgressDlgFrm()->hide();
        RecursionAfterListing();
    }
    const int action = State.AfterListingAction;
    State.AfterListingAction = 0;
    switch (action) {
    case ListingChangeFolder:
        if (State.PendingFolder.compare(State.CurrentRemoteFolder, Qt::CaseInsensitive) != 0)
            FtpChangeDir(Client, State.PendingFolder);
        State.PendingFolder.clear();
        break;
    case ListingZipFolder:
        window_.ExecuteAction(QStringLiteral("actToolbarRemoteMakeZip"));
        break;
    case ListingDownloadAll:
        window_.ExecuteAction(QStringLiteral("actFileSelectAll"));
        DownloadSelection(nullptr, false, false, QString());
        break;
    case ListingUploadPending: {
        const QStringList files = localPane_.SelectedEntries();
        UploadSelection(&files);
        break;
    }
    default:
        break;
    }
    if (State.AfterRequestAction == RequestDropMissingFolder) {
        State.AfterRequestAction = 0;
        State.GetRemoteTreePathList().erase(State.MissingFolder);
        window_.RemoteFolderRemoved(State.MissingFolder);
    }
}

void TSessionEngine::ResumeAfterTypeChange()
{
    const int code = Client.Tag;
    Client.Tag = 0;
    if (code == RecurseDownload || code == RecurseUpload)
        TransferFile(Client.LocalFileName(), Client.HostFileName(), code);
}

void TSessionEngine::RenameCompleted()
{
    const QString oldName = LastComponent(Client.HostFileName());
    const QString newName = LastComponent(Client.LocalFileName());
    const int row = RemoteList.IndexOfCaption(oldName);
    if (row > 0 && RemoteList.Row(row).IsFolder()) {
        auto& paths = State.GetRemoteTreePathList();
        if (auto node = paths.extract(State.CurrentRemoteFolder + oldName + QLatin1Char('/'))) {
            node.key() = State.CurrentRemoteFolder + newName + QLatin1Char('/');
            paths.insert(std::move(node));
        }
    }
    window_.RemoteItemRenamed(oldName, newName);
    RemoteList.RenameCaption(oldName, newName);
    window_.RemoteListChanged();
}
