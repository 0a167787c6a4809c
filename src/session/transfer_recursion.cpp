// TSessionEngine: the download, upload and delete queues and their walk through folder trees.
#include "session/session_engine.h"

#include "dialogs/ftp_progress_dlg.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/format.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/screen.h"
#include "routines/path_routines.h"
#include "routines/registry_helpers.h"
#include "session/local_pane.h"
#include "session/session_window.h"
#include "settings/forms/remembered_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

// A recursion works one folder at a time: entering a folder pushes a level that remembers the
// folder it left and what is still to do there, the entered folder is listed and its entries
// become the queue, and once that queue is done the level is popped: back to the remote and the
// local folder it names, on with its entries. A folder is entered once (the folder map holds the
// remote paths entered) and never through a link that leads back into the tree or above it.

namespace {

QString Printable(QString Name)
{
    return Name.replace(QLatin1Char('\r'), QLatin1Char('?')).replace(QLatin1Char('\n'), QLatin1Char('?'));
}

// The remote path Target, absolute or relative to Folder, with "." and ".." resolved and a
// trailing "/".
QString ResolveRemotePath(const QString& Folder, const QString& Target)
{
    const QString joined = Target.startsWith(QLatin1Char('/')) ? Target : Folder + Target;
    QStringList parts;
    for (const QString& part : joined.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            parts.erase(parts.end() - std::min<qsizetype>(1, parts.size()), parts.end());
        else if (part != QLatin1String("."))
            parts.append(part);
    }
    return parts.isEmpty() ? QStringLiteral("/") : QLatin1Char('/') + parts.join(QLatin1Char('/')) + QLatin1Char('/');
}

// The entries of a local folder, folders first, each group by name.
std::vector<TQueueEntry> LocalFolderEntries(const QString& Folder)
{
    std::vector<TQueueEntry> entries;
    const QFileInfoList infos = QDir(Folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::DirsFirst | QDir::Name);
    for (const QFileInfo& info : infos)
        entries.push_back({info.filePath(), info.isDir()});
    return entries;
}

void PopFront(std::vector<TQueueEntry>& Queue)
{
    if (!Queue.empty())
        Queue.erase(Queue.begin());
}

} // namespace

QString TSessionEngine::LocalTargetFor(const QString& Name)
{
    const QString path = LocalPathInFolder(localPane_.CurrentFolder(), Name, true);
    if (path.isEmpty())
        Log.AddLogLine(QStringLiteral("* ") + Format(QStringLiteral("The remote name '%s' cannot be a local name and is left out."),
                                                     {Printable(Name)}));
    return path;
}

bool TSessionEngine::AskRecursion(bool Local)
{
    const QString value = Local ? QStringLiteral("HideLocalRecurseDlg") : QStringLiteral("HideFTPRecurseDlg");
    return MessageDlgRemember(QStringLiteral("Would you like transfer the selected folder(s) and all its contents?"),
                              QStringLiteral("Do not ask again"), MainFormRegKey, int(RememberedAnswerNames.indexOf(value)),
                              &TSessionState::RememberAnswerClick, {mbYes, mbNo}, mtConfirmation, value) == mrYes;
}

QString TSessionEngine::BaseRemoteFolder()
{
    const auto& levels = State.GetRecursionLevels();
    return levels.empty() ? State.CurrentRemoteFolder : levels.front().RemoteFolder;
}

bool TSessionEngine::DownloadSelection(const std::vector<TQueueEntry>* List, bool NoConfirm, bool AfterTransfer,
                                       const QString& LocalTarget)
{
    State.ResetTransferQueue(false, AfterTransfer);
    enteringFolder_.clear();
    enteredFolder_ = false;
    auto& queue = State.GetTransferQueue();
    if (List) {
        queue = *List;
    } else {
        State.SetStatusText(QStringLiteral("Building upload listing..."), 3);
        Screen().SetCursor(crAppStart);
        if (AfterTransfer)
            RemoteList.CollectAllItems(queue, State.CurrentRemoteFolder);
        else
            RemoteList.CollectSelection(queue, State.CurrentRemoteFolder, true);
        Screen().SetCursor(crDefault);
        State.SetStatusText(QString(), 3);
    }
    if (queue.empty())
        return false;
    State.Recursing = std::any_of(queue.begin(), queue.end(), [](const TQueueEntry& E) { return E.Folder; });
    if (State.Recursing && !NoConfirm && !AskRecursion(false)) {
        State.Recursing = false;
        queue.clear();
        return false;
    }
    State.PendingRecursionRequest = RecurseDownload;
    State.AfterTransferPending = AfterTransfer;
    if (!LocalTarget.isEmpty() && (QFileInfo(LocalTarget).isDir() || QDir().mkpath(LocalTarget)))
        localPane_.GoToFolder(LocalTarget);
    if (State.Recursing) {
        State.RecursionBaseFolder = localPane_.CurrentFolder();
        State.RecordRecursionFolder(State.CurrentRemoteFolder, localPane_.CurrentFolder());
    } else {
        State.ShowMultiProgress(int(queue.size()), true, true);
    }
    if (!ContinueQueue()) {
        GetFtpProgressDlgFrm()->hide();
        State.ResetTransferQueue(false, false);
    }
    return true;
}

bool TSessionEngine::UploadSelection(const QStringList* List)
{
    State.ResetTransferQueue(false, false);
    enteringFolder_.clear();
    enteredFolder_ = false;
    QStringList paths;
    if (List) {
        paths = *List;
        if (!paths.isEmpty()) {
            const QString folder = QFileInfo(paths.first()).absolutePath();
            if (!SameLocalDir(folder, localPane_.CurrentFolder()))
                localPane_.GoToFolder(folder);
        }
    } else {
        State.SetStatusText(QStringLiteral("Building upload listing..."), 3);
        paths = localPane_.SelectedEntries();
        State.SetStatusText(QString(), 3);
    }
    auto& queue = State.GetTransferQueue();
    for (const QString& path : paths)
        queue.push_back({path, QFileInfo(path).isDir()});
    if (queue.empty())
        return false;
    State.Recursing = std::any_of(queue.begin(), queue.end(), [](const TQueueEntry& E) { return E.Folder; });
    if (State.Recursing && !AskRecursion(true)) {
        State.Recursing = false;
        queue.clear();
        return false;
    }
    State.PendingRecursionRequest = RecurseUpload;
    if (State.Recursing) {
        State.RecursionBaseFolder = localPane_.CurrentFolder();
        State.RecordRecursionFolder(State.CurrentRemoteFolder, QFileInfo(State.RecursionBaseFolder).canonicalFilePath());
    } else {
        State.ShowMultiProgress(int(queue.size()), true, false);
    }
    if (!ContinueQueue()) {
        GetFtpProgressDlgFrm()->hide();
        State.ResetTransferQueue(false, false);
    }
    return true;
}

void TSessionEngine::DeleteQueued()
{
    auto& queue = State.GetTransferQueue();
    if (queue.empty())
        return;
    enteringFolder_.clear();
    enteredFolder_ = false;
    State.Recursing = std::any_of(queue.begin(), queue.end(), [](const TQueueEntry& E) { return E.Folder && !E.Link; });
    State.PendingRecursionRequest = queue.front().Folder ? RecurseDeleteFolder : RecurseDeleteFile;
    if (!ContinueQueue())
        QueueDone(RecurseDeleteFolder);
}

bool TSessionEngine::ContinueQueue()
{
    bool started = false;
    switch (State.PendingRecursionRequest) {
    case RecurseDownload: started = DownloadNextQueued(); break;
    case RecurseUpload: started = UploadNextQueued(); break;
    case RecurseDeleteFolder:
    case RecurseDeleteFile: started = DeleteNextQueued(); break;
    default: break;
    }
    if (started)
        return true;
    if (State.Recursing && !State.GetRecursionLevels().empty()) {
        LeaveFolder();
        return true;
    }
    return false;
}

bool TSessionEngine::DownloadNextQueued()
{
    auto& queue = State.GetTransferQueue();
    while (!queue.empty()) {
        const TQueueEntry entry = queue.front();
        const QString name = ExtractRemoteName(entry.Path);
        if (entry.Folder) {
            if (State.Recursing && EnterRemoteFolder(entry))
                return true;
        } else if (ConfirmOverwrite(entry.Path, RecurseDownload)) {
            const QString local = LocalTargetFor(name);
            if (!local.isEmpty()) {
                DownloadSize = RemoteList.GetRemoteFileSize(name);
                TransferFile(local, name, RecurseDownload);
                return true;
            }
        }
        PopFront(queue);
        if (!queue.empty())
            GetFtpProgressDlgFrm()->SetMultiProgress(true, -1);
    }
    GetFtpProgressDlgFrm()->hide();
    return false;
}

bool TSessionEngine::UploadNextQueued()
{
    auto& queue = State.GetTransferQueue();
    while (!queue.empty()) {
        const TQueueEntry entry = queue.front();
        const QFileInfo info(entry.Path);
        if (info.fileName().contains(QLatin1Char('\r')) || info.fileName().contains(QLatin1Char('\n'))) {
            Log.AddLogLine(QStringLiteral("* ") + Format(QStringLiteral("The local entry '%s' is left out: its name holds a line break."),
                                                         {Printable(entry.Path)}));
        } else if (info.isDir()) {
            if (State.Recursing && EnterLocalFolder(entry))
                return true;
        } else if (info.isFile() && ConfirmOverwrite(entry.Path, RecurseUpload)) {
            TransferFile(entry.Path, info.fileName(), RecurseUpload);
            return true;
        }
        PopFront(queue);
        if (!queue.empty() && info.exists())
            GetFtpProgressDlgFrm()->SetMultiProgress(true, -1);
    }
    GetFtpProgressDlgFrm()->hide();
    return false;
}

bool TSessionEngine::DeleteNextQueued()
{
    auto& queue = State.GetTransferQueue();
    while (!queue.empty()) {
        const TQueueEntry& entry = queue.front();
        const QString name = ExtractRemoteName(entry.Path);
        // A link goes with DELE: what it points to is never touched.
        if (!entry.Folder || entry.Link) {
            FtpDeleteFile(Client, name);
            return true;
        }
        if (State.GetRecursionFolderMap().count(entry.Path)) {
            FtpRemoveDir(Client, name);
            return true;
        }
        if (State.Recursing) {
            StartEntering(entry.Path, localPane_.CurrentFolder());
            FtpChangeDir(Client, name);
            return true;
        }
        PopFront(queue);
    }
    return false;
}

void TSessionEngine::StartEntering(const QString& RemoteFolder, const QString& LocalFolder)
{
    State.GetRecursionLevels().push_back({State.CurrentRemoteFolder, localPane_.CurrentFolder(), State.GetTransferQueue()});
    State.RecordRecursionFolder(RemoteFolder, LocalFolder);
    enteringFolder_ = RemoteFolder;
    enteredFolder_ = true;
}

bool TSessionEngine::EnterRemoteFolder(const TQueueEntry& Entry)
{
    auto& folders = State.GetRecursionFolderMap();
    if (folders.count(Entry.Path))
        return false;
    const QString name = ExtractRemoteName(Entry.Path);
    if (Entry.Link && !Entry.LinkTarget.isEmpty()) {
        const QString target = ResolveRemotePath(State.CurrentRemoteFolder, Entry.LinkTarget);
        if (folders.count(target) || BaseRemoteFolder().startsWith(target)) {
            Log.AddLogLine(QStringLiteral("* ") +
                           Format(QStringLiteral("The link '%s' is not followed: it leads to '%s', a folder this transfer has already visited."),
                                  {Entry.Path, target}));
            return false;
        }
    }
    const QString local = LocalTargetFor(name);
    if (local.isEmpty())
        return false;
    if (!QFileInfo(local).isDir() && !QDir().mkdir(local)) {
        Log.AddLogLine(QStringLiteral("* ") + Format(QStringLiteral("The local folder '%s' cannot be made; the transfer stops."), {local}));
        GetFtpProgressDlgFrm()->hide();
        State.ResetTransferQueue(false, false);
        return true;
    }
    StartEntering(Entry.Path, local);
    localPane_.GoToFolder(local);
    FtpChangeDir(Client, name);
    return true;
}

bool TSessionEngine::EnterLocalFolder(const TQueueEntry& Entry)
{
    auto& folders = State.GetRecursionFolderMap();
    const QString name = QFileInfo(Entry.Path).fileName();
    const QString remote = State.CurrentRemoteFolder + name + QLatin1Char('/');
    if (folders.count(remote))
        return false;
    const QString canonical = QFileInfo(Entry.Path).canonicalFilePath();
    const QString base = QFileInfo(State.RecursionBaseFolder).canonicalFilePath() + QLatin1Char('/');
    const bool visited = std::any_of(folders.begin(), folders.end(), [&](const auto& F) { return F.second == canonical; });
    if (canonical.isEmpty() || visited || base.startsWith(canonical + QLatin1Char('/'))) {
        Log.AddLogLine(QStringLiteral("* ") +
                       Format(QStringLiteral("The folder '%s' is left out: it leads to a folder this transfer has already visited."),
                              {Entry.Path}));
        return false;
    }
    StartEntering(remote, canonical);
    localPane_.GoToFolder(Entry.Path);
    const int row = RemoteList.IndexOfCaption(name);
    if (row > 0 && RemoteList.Row(row).IsFolder())
        FtpChangeDir(Client, name);
    else
        FtpMakeDir(Client, name);
    return true;
}

void TSessionEngine::RecursionAfterListing()
{
    const int code = State.PendingRecursionRequest;
    if (enteredFolder_) {
        enteredFolder_ = false;
        enteringFolder_.clear();
        auto& queue = State.GetTransferQueue();
        queue.clear();
        if (code == RecurseUpload)
            queue = LocalFolderEntries(localPane_.CurrentFolder());
        else
            RemoteList.CollectAllItems(queue, State.CurrentRemoteFolder);
        State.ShowMultiProgress(int(queue.size()), code != RecurseDeleteFolder && code != RecurseDeleteFile,
                                code != RecurseUpload);
    }
    if (!ContinueQueue())
        QueueDone(code);
}

void TSessionEngine::LeaveFolder()
{
    auto& levels = State.GetRecursionLevels();
    TRecursionLevel level = std::move(levels.back());
    levels.pop_back();
    localPane_.GoToFolder(level.LocalFolder);
    State.GetTransferQueue() = std::move(level.Pending);
    enteredFolder_ = false;
    if (level.RemoteFolder != State.CurrentRemoteFolder)
        FtpChangeDir(Client, level.RemoteFolder);
    else if (!ContinueQueue())
        QueueDone(State.PendingRecursionRequest);
}

void TSessionEngine::SkipEnteredFolder(const QString& Why)
{
    Log.AddLogLine(QStringLiteral("* ") + Format(QStringLiteral("The folder '%s' %s and is skipped."), {enteringFolder_, Why}));
    enteringFolder_.clear();
    enteredFolder_ = false;
    LeaveFolder();
}

void TSessionEngine::DownloadCompleted()
{
    auto& queue = State.GetTransferQueue();
    PopFront(queue);
    if (!queue.empty())
        GetFtpProgressDlgFrm()->SetMultiProgress(true, -1);
    if (!ContinueQueue())
        QueueDone(RecurseDownload);
}

void TSessionEngine::UploadCompleted()
{
    auto& queue = State.GetTransferQueue();
    PopFront(queue);
    if (!queue.empty())
        GetFtpProgressDlgFrm()->SetMultiProgress(true, -1);
    if (!ContinueQueue())
        QueueDone(RecurseUpload);
}

void TSessionEngine::DeletionCompleted(bool Deleted, bool Folder)
{
    auto& queue = State.GetTransferQueue();
    if (!queue.empty()) {
        const QString path = queue.front().Path;
        PopFront(queue);
        if (Deleted && ExtractRemoteDir(path) == State.CurrentRemoteFolder) {
            RemoteList.RemoveCaption(ExtractRemoteName(path));
            window_.RemoteListChanged();
        }
        if (Deleted && Folder) {
            State.GetRemoteTreePathList().erase(path);
            window_.RemoteFolderRemoved(path);
        }
    }
    if (!ContinueQueue())
        QueueDone(RecurseDeleteFolder);
}

void TSessionEngine::QueueDone(int Kind)
{
    GetFtpProgressDlgFrm()->hide();
    const bool recursing = State.Recursing;
    switch (Kind) {
    case RecurseDownload:
        if (State.OpenAfterDownload) {
            State.OpenAfterDownload = false;
            window_.OpenDownloadedFile(Client.LocalFileName(), State.CurrentRemoteFolder + Client.HostFileName());
        }
        State.PlayEventSound(SoundGet);
        if (recursing || State.AfterTransferPending)
            State.ResetTransferQueue(true, false);
        break;
    case RecurseUpload: {
        State.PlayEventSound(SoundPut);
        if (recursing)
            State.ResetTransferQueue(true, false);
        // A file sent into another folder (an edited document saved back) leaves the listing alone.
        const QString folder = ExtractRemoteDir(Client.HostFileName());
        if (State.AfterRequestAction == RequestChangeToUploadFolder) {
            State.AfterRequestAction = 0;
            FtpChangeDir(Client, folder);
        } else if (folder.isEmpty() || folder == State.CurrentRemoteFolder) {
            FtpPrintWorkingDir(Client);
        }
        break;
    }
    case RecurseDeleteFolder:
    case RecurseDeleteFile:
        State.ResetTransferQueue(true, false);
        FtpPrintWorkingDir(Client);
        break;
    default:
        break;
    }
}

void TSessionEngine::RemoteListDrop(int DropRow)
{
    if (!Client.Connected()) {
        window_.ExecuteAction(QStringLiteral("actFtpConnect"));
        return;
    }
    if (Client.State() != ftpReady) {
        MessageDlg(QStringLiteral("The program is currently busy with an existing transfer. Please try again when the "
                                  "transfer is complete."),
                   mtInformation, {mbOK});
        return;
    }
    if (DropRow >= 0 && DropRow < RemoteList.Count() && RemoteList.Row(DropRow).IsFolder()) {
        State.AfterListingAction = ListingUploadPending;
        FtpChangeDir(Client, RemoteList.Row(DropRow).Caption());
        return;
    }
    const QStringList files = localPane_.SelectedEntries();
    UploadSelection(&files);
}
