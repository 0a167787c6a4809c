// TTarnwickFTPApp: the session commands and the commands of each pane.
#include "app/main_form.h"
#include "app/pane_frame.h"
#include "app/remote_list_view.h"
#include "app/site_tree/site_tree.h"
#include "dialogs/confirm_delete_dlg.h"
#include "dialogs/ftp_properties_dlg.h"
#include "dialogs/input_box.h"
#include "dialogs/sites/server_edit_frm.h"
#include "dialogs/wizard/wizard_class_factory.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "ftp/listing/permissions.h"
#include "platform/graphics/image_list.h"
#include "platform/rtl/format.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/screen.h"
#include "platform/widgets/file_dialogs.h"
#include "platform/widgets/folder_picker.h"
#include "routines/name_checks.h"
#include "routines/registry_helpers.h"
#include "routines/size_texts.h"
#include "session/session_engine.h"
#include "settings/firewalls.h"
#include "settings/forms/stream_position_form.h"
#include "settings/upload_profiles.h"
#include "shell/shell_list.h"
#include "shell/shell_locator.h"
#include "shell/shell_verbs.h"

#include <QPixmap>

namespace {

// The last component of a remote path, without a trailing "/".
QString LastComponent(QString Path)
{
    if (Path.endsWith('/'))
        Path.chop(1);
    return Path.mid(Path.lastIndexOf('/') + 1);
}

} // namespace

// The text and caption of the question before a remote deletion of Queue.
TDeletePrompt RemoteDeletePrompt(const std::vector<TQueueEntry>& Queue)
{
    TDeletePrompt prompt;
    const bool folders = std::any_of(Queue.begin(), Queue.end(), [](const TQueueEntry& Entry) { return Entry.Folder; });
    if (folders) {
        prompt.Text = QStringLiteral("** Warning ** You have folders selected. All the contents will be permanently deleted "
                                     "from the server. Would you like to continue?");
    } else if (Queue.size() == 1) {
        prompt.Text = Format(QStringLiteral("Are you sure you want to permanently delete '%s'?"), {LastComponent(Queue[0].Path)});
    } else {
        prompt.Text = Format(QStringLiteral("Are you sure you want to permanently delete '%s'%s?").remove('\''),
                             {QStringLiteral("these ") + QString::number(Queue.size()) + QStringLiteral(" items"),
                              QStringLiteral(" from the server")});
    }
    prompt.Caption = Format(QStringLiteral("Confirm %sFile/Folder Delete"),
                            {Queue.size() > 1 ? QStringLiteral("Multiple ") : QString()});
    return prompt;
}

void TTarnwickFTPApp::actFtpConnectExecute()
{
    if (UploadProfiles()->Profiles()->Count() == 0) {
        ExecuteAction(QStringLiteral("actHelpAccWizard"));
        return;
    }
    Screen().SetCursor(crHourGlass);
    TServerEditFrm dialog(nullptr, DialogKey(QStringLiteral("Servers")));
    dialog.ConnectMode = true;
    dialog.InUse = FtpClient_->Connected();
    dialog.InUseName = engine_->State.CurrentSiteName;
    dialog.LoadTreeBranch(UploadProfiles()->Profiles(), nullptr);
    dialog.FillComboWithItems(dialog.cbFirewall, Firewalls()->Firewalls());
    Screen().SetCursor(crDefault);
    const int result = dialog.ShowModal();
    if (dialog.Changed)
        siteTree_->SyncSiteTree(*dialog.tvServers);
    if (result == 1) {
        const int index = dialog.GetSelectedItemIndex();
        if (index >= 0 && engine_->ApplySiteProfile(index))
            engine_->ConnectToSite();
    }
}

void TTarnwickFTPApp::DropFileTargetDrop(const QStringList& Files)
{
    if (!FtpClient_->Connected())
        ExecuteAction(QStringLiteral("actFtpConnect"));
    else if (!IsConnected())
        MessageDlg(QStringLiteral("The program is currently busy with an existing transfer. Please try again when the "
                                  "transfer is complete."),
                   mtInformation, {mbOK});
    else
        engine_->UploadSelection(&Files);
}

void TTarnwickFTPApp::actViewServersExecute()
{
    if (UploadProfiles()->Profiles()->Count() == 0) {
        ExecuteAction(QStringLiteral("actHelpAccWizard"));
        return;
    }
    Screen().SetCursor(crHourGlass);
    TServerEditFrm dialog(nullptr, DialogKey(QStringLiteral("Servers")));
    dialog.InUse = FtpClient_->Connected();
    dialog.InUseName = engine_->State.CurrentSiteName;
    dialog.LoadTreeBranch(UploadProfiles()->Profiles(), nullptr);
    dialog.FillComboWithItems(dialog.cbFirewall, Firewalls()->Firewalls());
    Screen().SetCursor(crDefault);
    dialog.ShowModal();
    if (dialog.Changed)
        siteTree_->SyncSiteTree(*dialog.tvServers);
}

void TTarnwickFTPApp::actFileOpenExecute()
{
    TOpenDialog dialog;
    dialog.InitialDir = CurrentFolder();
    dialog.Filter = EditFileFilter;
    dialog.Options = ofAllowMultiSelect | ofFileMustExist;
    if (dialog.Execute())
        engine_->UploadSelection(&dialog.Files);
}

void TTarnwickFTPApp::actFtpTerminateExecute()
{
    if (IsConnected()) {
        FtpDisconnect(*FtpClient_);
        return;
    }
    if (MessageDlg(QStringLiteral("An active session is still open. Any transfers still open will be terminated, possibly "
                                  "causing data loss. \r\nDo you want to terminate this session?"),
                   mtWarning, {mbYes, mbNo}) != mrYes)
        return;
    if (IsConnected()) {
        FtpDisconnect(*FtpClient_);
        return;
    }
    SetStatusText(QStringLiteral("! ") + Format(QStringLiteral("User terminated connection from %s"), {FtpClient_->HostName()}),
                  3);
    engine_->SessionEnded();
}

void TTarnwickFTPApp::actFtpQuoteExecute()
{
    QString command;
    if (InputBoxPos(QStringLiteral("Send FTP Quote Command"), QStringLiteral("Type the name of the command you want to execute"),
                    command, 4))
        FtpSendCommand(*FtpClient_, command);
}

void TTarnwickFTPApp::actHelpAccWizardExecute()
{
    if (WizardClassFactory(QStringLiteral("TWizServerCliFrm"), true, true, true,
                           ProductRegKey + QStringLiteral("Wizards\\Server Profiles\\")) == 1)
        siteTree_->BuildSiteTree();
}

void TTarnwickFTPApp::actToolbarRemoteCwdExecute()
{
    FocusPane(pkRemote);
    QString folder;
    if (InputBoxPos(QStringLiteral("Change Folder"), QStringLiteral("Type the name of the folder to which to change"), folder, 0) &&
        IsConnected())
        FtpChangeDir(*FtpClient_, folder);
}

void TTarnwickFTPApp::actToolbarRemoteDirExecute()
{
    FocusPane(pkRemote);
    if (!IsConnected())
        return;
    const auto& cache = engine_->State.GetDirResultList();
    const auto cached = cache.find(engine_->State.CurrentRemoteFolder);
    if (cached == cache.end())
        engine_->ListCurrentFolder();
    else
        FtpGetDirListing(*FtpClient_, QString(), cached->second);
}

void TTarnwickFTPApp::actToolbarRemoteMkdExecute()
{
    FocusPane(pkRemote);
    const QString name = engine_->PromptNewFolderName();
    if (!name.isEmpty() && IsConnected())
        FtpMakeDir(*FtpClient_, name);
}

void TTarnwickFTPApp::actToolbarRemotePropertiesExecute()
{
    FocusPane(pkRemote);
    TListItem* item = lvRemote->ItemFocused();
    if (!item || lvRemote->Retrieving() || item->Index() <= 0 || item->Index() >= engine_->RemoteList.Count())
        return;
    const int index = item->Index();
    const TRemoteRow& row = engine_->RemoteList.Row(index);
    if (!row.Data)
        return;
    const TFtpDirInfo& entry = *row.Data;
    const QString sizeText = FormatByteSize(TRemoteListModel::GetRemoteItemSize(row)) +
                             Format(QStringLiteral(" (%s bytes)"), {entry.SizeText});
    TFtpPropertiesAnswer answer;
    const QPixmap icon = QPixmap::fromImage(SystemImagesSm->GetImage(row.ImageIndex()));
    if (TFtpPropertiesDlgFrm::Execute(row.Caption(), GetRemoteComboPath(),
                                      FormatDateTimeLong(TRemoteListModel::GetRemoteItemDate(row)), row.TypeName(), sizeText,
                                      entry.Attributes, icon, answer) != 1 ||
        !answer.Changed || !IsConnected())
        return;
    const QString caption = row.Caption();
    QString newName = answer.NewName;
    const bool folder = row.IsFolder();
    const QString permissions = ModeToPermissions(answer.Mode);
    if (permissions != NormalizedPermissions(entry.Attributes)) {
        FtpSendCommand(*FtpClient_, Format(QStringLiteral("SITE CHMOD %d %s"), {answer.Mode, caption}));
        row.Data->Attributes = (folder ? QStringLiteral("d") : QStringLiteral("-")) + permissions;
        if (!newName.isEmpty() && newName != entry.Name && CheckRemoteName(newName, false) &&
            engine_->CheckNewName(newName, folder ? 1 : 0, false)) {
            engine_->State.AfterListingAction = ListingRenameAfterCommand;
            engine_->State.PendingRenameTarget = newName;
        }
    } else if (!newName.isEmpty() && newName != caption && engine_->CheckNewName(newName, folder ? 1 : 0, false)) {
        FtpRename(*FtpClient_, newName, caption);
    }
}

void TTarnwickFTPApp::actToolbarRemoteDelExecute()
{
    if (lvRemote->IsEditing())
        return;
    FocusPane(pkRemote);
    engine_->State.ResetTransferQueue(false, true);
    lvRemote->SyncSelectionToModel();
    std::vector<TQueueEntry>& queue = engine_->State.GetTransferQueue();
    engine_->RemoteList.CollectSelection(queue, engine_->State.CurrentRemoteFolder, true);
    if (queue.empty())
        return;
    const TDeletePrompt prompt = RemoteDeletePrompt(queue);
    if (TConfirmDeleteDlgFrm::Execute(prompt.Caption, prompt.Text) != mrYes || !IsConnected()) {
        queue.clear();
        return;
    }
    engine_->DeleteQueued();
}

void TTarnwickFTPApp::actToolbarMyCwdExecute()
{
    FocusPane(pkLocal);
    QString folder = CurrentFolder();
    if (PickFolder(QStringLiteral("Change Folder"), folder))
        lvMyComputer->Folder()->SetPath(folder);
}

void TTarnwickFTPApp::actToolbarMyDelExecute()
{
    FocusPane(pkLocal);
    if (lvMyComputer->ItemFocused())
        lvMyComputer->InvokeSelectionVerb(TShellVerb(QStringLiteral("delete")));
}
