// TTarnwickFTPApp: the hidden maintenance commands (reload the settings, dump lists into the log,
// view a cached listing, show or hide options), local rename and the bottom window's command.
#include "app/main_form.h"
#include "app/site_tree/site_tree.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/application.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/format.h"
#include "platform/ui/action_list.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/modal_results.h"
#include "routines/size_texts.h"
#include "session/session_engine.h"
#include "settings/app_settings.h"
#include "settings/bookmarks.h"
#include "settings/firewalls.h"
#include "settings/forms/remembered_dialogs.h"
#include "settings/upload_profiles.h"
#include "shell/pt_tree_view.h"
#include "shell/shell_list.h"

#include <QFileInfo>

namespace {

QString AppTitle()
{
    return Application ? Application->Title() : QStringLiteral("Tarnwick Halyard FTP 5.2");
}

// The show-or-hide question of an option: mrYes shows it, mrNo hides it, anything else leaves it.
int AskShowOrHide(const QString& Question)
{
    return MessageDlgCaptions(Question, mtConfirmation, {mbYes, mbNo, mbCancel},
                              {QStringLiteral("&Show"), QStringLiteral("&Hide"), QStringLiteral("Cancel")});
}

} // namespace

void TTarnwickFTPApp::actHelpReloadAppSettingsExecute()
{
    if (MessageDlg(QStringLiteral("Would you like to reload ALL application settings?"), mtInformation, {mbYes, mbNo}) ==
        mrNo)
        return;
    if (FtpClient_->Connected())
        FtpAbort(*FtpClient_);
    engine_->SetOffline();
    // Each collection is emptied before it loads, so nothing shows twice.
    AppSettings()->Load();
    UploadProfiles()->Load();
    Firewalls()->Load();
    Bookmarks()->Load();
    LoadAppSettings();
    tvRemote->setUpdatesEnabled(false);
    siteTree_->BuildSiteTree();
    tvRemote->setUpdatesEnabled(true);
    engine_->Log.AddLogLine(QStringLiteral("! Application Settings were reloaded successfully."));
}

void TTarnwickFTPApp::DumpIntoLog(const QString& ListName, const QString& First, const QStringList& Lines)
{
    if (MessageDlg(Format(QStringLiteral("Would you like to dump the %s list into the info window?"), {ListName}),
                   mtConfirmation, {mbYes, mbNo}) == mrNo)
        return;
    ShowInfoTab(0);
    // The log's own lines go to its file (when it is kept) before the list takes their place.
    engine_->Log.SaveLogFile(false);
    engine_->Log.Clear();
    engine_->Log.AddLogLine(QStringLiteral("! ") + ListName +
                            Format(QStringLiteral(" for the current application session - %s"), {First}));
    for (const QString& line : Lines)
        engine_->Log.AddLogLine(line);
}

void TTarnwickFTPApp::actHelpDumpEditedFilesExecute()
{
    const std::set<QString>& files = engine_->State.EditorTempFiles();
    DumpIntoLog(QStringLiteral("Edited Files"), FormatDateTimeLong(Now()), QStringList(files.begin(), files.end()));
}

void TTarnwickFTPApp::actHelpDumpDirResultListExecute()
{
    const QString listName = QStringLiteral("DirResult Lookup List");
    if (!FtpClient_->Connected()) {
        MessageDlg(Format(QStringLiteral("The FtpClient client is currently offline and the %s is unavailable."), {listName}),
                   mtInformation, {mbOK});
        return;
    }
    QStringList lines;
    for (const auto& [folder, file] : engine_->State.GetDirResultList())
        lines += folder + QLatin1Char('=') + file;
    DumpIntoLog(listName, FtpClient_->HostName(), lines);
}

void TTarnwickFTPApp::actHelpShowTreeViewExecute()
{
    TFtpAppSettings& settings = *AppSettings();
    TAction* viewTrees = Action(QStringLiteral("actViewTrees"));
    switch (AskShowOrHide(QStringLiteral("Would you like to show or hide the TreeViews option?"))) {
    case mrYes:
        viewTrees->setChecked(!tvRemote->isHidden());
        settings.ViewTreesMni = true;
        settings.ViewTrees = true;
        viewTrees->setVisible(true);
        if (!viewTrees->isChecked())
            ExecuteAction(viewTrees->objectName());
        break;
    case mrNo:
        settings.ViewTreesMni = false;
        settings.ViewTrees = false;
        viewTrees->setVisible(false);
        // A hidden action runs nothing: the trees are hidden here.
        if (!tvRemote->isHidden())
            ViewTrees(false);
        break;
    default:
        break;
    }
}

void TTarnwickFTPApp::actHelpShowMyComputerExecute()
{
    TFtpAppSettings& settings = *AppSettings();
    TAction* viewMyComputer = Action(QStringLiteral("actViewMyComputer"));
    switch (AskShowOrHide(QStringLiteral("Would you like to show or hide the My Computer Show/Hide option?"))) {
    case mrYes:
        settings.ViewMyComputerMni = true;
        settings.ViewMyComputer = true;
        viewMyComputer->setVisible(true);
        break;
    case mrNo:
        settings.ViewMyComputerMni = false;
        settings.ViewMyComputer = false;
        viewMyComputer->setVisible(false);
        // Without its command the local pane could not come back: it is shown.
        if (pnlMyComputer->isHidden())
            ViewMyComputer(true);
        break;
    default:
        break;
    }
}

void TTarnwickFTPApp::actHelpShowPrintPreviewExecute()
{
    const int answer = AskShowOrHide(QStringLiteral("Would you like to show or hide the Print Preview option?"));
    if (answer != mrYes && answer != mrNo)
        return;
    AppSettings()->PrintPreviewEnabled = answer == mrYes;
    Action(QStringLiteral("actEditPrintPreview"))->setVisible(answer == mrYes);
}

void TTarnwickFTPApp::actFileRenameLocalExecute()
{
    lvMyComputer->StartRename();
}

void TTarnwickFTPApp::actViewBotWindowExecute()
{
    // The edit-window command shows the bottom area when it is hidden and hides it when shown.
    TAction* editWindow = Action(QStringLiteral("actViewEditWindow"));
    editWindow->setChecked(!tabMainPanel->isHidden());
    ExecuteAction(editWindow->objectName());
}
