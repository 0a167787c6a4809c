// TTarnwickFTPApp: the zip archive of a remote folder: the Make Zip commands, the download into
// the scratch folder, and the packing with its progress window and result messages.
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "app/site_tree/site_tree.h"
#include "shell/pt_tree_view.h"
#include "dialogs/basic_progress_frm.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/application.h"
#include "platform/rtl/format.h"
#include "platform/ui/action_list.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/modal_results.h"
#include "platform/zip/zip_control.h"
#include "routines/file_routines.h"
#include "routines/registry_helpers.h"
#include "routines/shell_routines.h"
#include "session/session_engine.h"
#include "session/zip_archive.h"
#include "settings/app_settings.h"
#include "settings/forms/remembered_dialogs.h"

#include <QFileInfo>

namespace {

QString AppTitle()
{
    return Application ? Application->Title() : QStringLiteral("Tarnwick Halyard FTP 5.2");
}

int RememberedIndex(const QString& ValueName)
{
    return int(RememberedAnswerNames.indexOf(ValueName));
}

} // namespace

void TTarnwickFTPApp::BindZipActions()
{
    xZip = new TZipControl(this);
    xZip->Name = QStringLiteral("xZip");
    xZip->OnGlobalStatus = [this](TObject*, const TZipGlobalStatus& Status) {
        // Cancel closed the progress window with its modal result: the packing stops.
        TBasicProgressFrm* progress = GetBasicProgressFrm();
        if (progress->ModalResult() == mrCancel)
            xZip->Abort = true;
        else
            progress->SetProgress(Status.BytesPercent);
    };
    xZip->OnFileStatus = [this](TObject*, const QString& FileName, qint64 BytesProcessed) {
        if (BytesProcessed == 0 && xZip->CurrentOperation() == zoZipping)
            GetBasicProgressFrm()->SetStatus(QStringLiteral("Zipping"), FileName);
    };
    xZip->OnZipComment = [this](TObject*, QString& Comment) {
        if (xZip->Tag == 0)
            Comment = ZipArchiveComment(FtpClient_->HostName(), engine_->State.CurrentRemoteFolder, AppTitle());
    };
    xZip->OnProcessCompleted = [](TObject*) { GetBasicProgressFrm(true); };

    TAction* makeZip = Action(QStringLiteral("actToolbarRemoteMakeZip"));
    makeZip->OnExecute = [this](TAction*) { actToolbarRemoteMakeZipExecute(); };
    makeZip->OnUpdate = [this](TAction* Sender) { Sender->setEnabled(IsConnected() && lvRemote->Count() > 1); };
    Action(QStringLiteral("actFtpZipDirTV"))->OnExecute = [this](TAction*) { actFtpZipDirTVExecute(); };
}

void TTarnwickFTPApp::actToolbarRemoteMakeZipExecute()
{
    const QString folder = engine_->State.CurrentRemoteFolder;
    const QString zipFolder = AppSettings()->ZipSaveFolder;
    const QString whereTo = QStringLiteral(
        "Select Make Zip to archive the current remote folder and its contents. It will take a moment to download "
        "and ZIP the files. The ZIP will then be saved to: '%s.'");
    const std::vector<TListItem*> selected = lvRemote->SelectedItems();
    const bool wholeFolder = selected.empty() || (selected.size() == 1 && selected.front()->Index() == 0);
    const QString question =
        wholeFolder
            ? Format(QStringLiteral("Would you like to archive the current remote folder (%s) and its contents? ") + whereTo,
                     {folder, zipFolder})
            : Format(QStringLiteral("Would you like to archive the selected remote item(s) and its content(s)? ") + whereTo,
                     {zipFolder});
    const QString valueName = QStringLiteral("HideZipContineDlg");
    if (MessageDlgCaptionsRemember(question, QStringLiteral("Do not ask again"), MainFormRegKey,
                                   RememberedIndex(valueName), &TSessionState::RememberAnswerClick, {mbYes, mbNo},
                                   mtInformation, valueName, {QStringLiteral("&Make Zip"), QStringLiteral("&No")}) != mrYes)
        return;

    FocusPane(pkRemote);
    const QString scratch = ZipScratchFolder();
    const QString returnFolder = CurrentFolder();
    if (!PrepareZipScratchFolder() || !GoToFolder(scratch)) {
        engine_->Log.AddLogLine(QStringLiteral("* ") + Format(QStringLiteral("The folder %s cannot be made."), {scratch}));
        return;
    }
    ZipReturnFolder = returnFolder;
    lvRemote->SyncSelectionToModel();
    // The selected entries, or the whole folder when none is selected.
    std::vector<TQueueEntry> selection;
    if (!wholeFolder)
        engine_->RemoteList.CollectSelection(selection, folder, true);
    // An empty remote folder queues nothing and so never ends a queue: it is packed (and found
    // empty) at once.
    if (!engine_->DownloadSelection(wholeFolder ? nullptr : &selection, true, true, scratch)) {
        engine_->State.AfterTransferPending = false;
        PackZipFolder();
    }
}

void TTarnwickFTPApp::actFtpZipDirTVExecute()
{
    const QString folder = ZipTreeFolder;
    ZipTreeFolder.clear();
    // Another folder is listed first; the listing's end runs the Make Zip command.
    if (folder.isEmpty() || ListRemoteFolderFirst(folder, ListingZipFolder))
        return;
    lvRemote->ClearSelection();
    lvRemote->SyncSelectionToModel();
    ExecuteAction(QStringLiteral("actToolbarRemoteMakeZip"));
}

void TTarnwickFTPApp::PackZipFolder()
{
    const QString scratch = ZipScratchFolder();
    if (!ZipReturnFolder.isEmpty())
        GoToFolder(ZipReturnFolder);
    ZipReturnFolder.clear();
    if (!FolderHasFiles(scratch, true)) {
        DeleteFolderFiles(scratch, false);
        const QString message = Format(QStringLiteral("%s found that there were no files to zip."), {AppTitle()});
        engine_->State.PlayEventSound(SoundError);
        SetStatusText(message, 3);
        engine_->Log.AddLogLine(QStringLiteral("* ") + message);
        return;
    }
    if (!QFileInfo(scratch).isDir())
        return;

    xZip->ZipFilename = ZipArchiveName(EnsureZipSaveFolder(*AppSettings()), engine_->State.CurrentSiteName, Now());
    xZip->BasePath = scratch;
    xZip->FilesToProcess = QStringLiteral("*.*");
    xZip->ProcessSubfolders = true;
    xZip->PreservePaths = true;
    xZip->UseTempFile = true;
    const int result = xZip->Zip();
    DeleteFolderFiles(scratch, false);

    switch (result) {
    case 0: {
        const QString archive = xZip->ZipFilename;
        const QString successful = QStringLiteral("Successful");
        const QString archived = QStringLiteral("%s%sly archived %s");
        SetStatusText(Format(archived, {QString(), successful, QFileInfo(archive).fileName()}), 3);
        engine_->Log.AddLogLine(Format(archived, {QStringLiteral("! "), successful, archive}));
        const QString valueName = QStringLiteral("HideZipSuccessDlg");
        MessageDlgRemember(Format(QStringLiteral("%sly archived the current remote folder (%s) \r\nto the zip file %s."),
                                  {successful, engine_->State.CurrentRemoteFolder, archive}),
                           QStringLiteral("Do not show again"), MainFormRegKey, RememberedIndex(valueName),
                           &TSessionState::RememberAnswerClick, {mbOK}, mtInformation, valueName);
        break;
    }
    case ZipResultCancelled:
        MessageDlg(QStringLiteral("Zip archiving operation cancelled by user."), mtWarning, {mbOK});
        break;
    default:
        MessageDlg(Format(QStringLiteral("One or more errors occurred during the archive operation. Error: %d."), {result}) +
                       QStringLiteral("\r\n") + xZip->ErrorDescription(0, result),
                   mtInformation, {mbOK});
        break;
    }
}
