// TTarnwickFTPApp: the hidden maintenance commands (reload the settings, dump lists into the log,
// view a cached listing, show or hide options), local rename and the bottom window's command.
#include "app/main_form.h"
#include "app/site_tree/site_tree.h"
#include "editor/file_object.h"
#include "editor/parser_repository.h"
#include "editor/syntax_memo.h"
#include "ftp/client/ftp_client2.h"
#include "highlighter/syntax_memo_parser.h"
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
    SaveParserSettings(*ParserList());
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

void TTarnwickFTPApp::actHelpShowViewDirListExecute()
{
    const QString folder = engine_->State.CurrentRemoteFolder;
    if (MessageDlg(Format(QStringLiteral("Would you like to view the directory listings for '%s'?"), {folder}),
                   mtConfirmation, {mbYes, mbNo}) != mrYes)
        return;
    const auto& cache = engine_->State.GetDirResultList();
    const auto cached = cache.find(folder);
    if (cached == cache.end()) {
        MessageDlg(Format(QStringLiteral("Unable to locate the directory listing file for '%s'."), {folder}), mtError, {mbOK});
        return;
    }
    if (!QFileInfo::exists(cached->second)) {
        MessageDlg(Format(QStringLiteral("%s was unable to open the file '%s.'"), {AppTitle(), cached->second}), mtWarning,
                   {mbOK});
        return;
    }
    OpenCachedListing(cached->second);
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
    ShowEditWindow(tabMainPanel->isHidden());
}

void TTarnwickFTPApp::OpenCachedListing(const QString& FileName)
{
    OpenLocalDocument(FileName);
    // The listing shows as a new plain-text document named after its file, not the cache file.
    TFileObject* document = GetDocument(-1);
    if (!document || document->FileName != FileName)
        return;
    document->FileName = QFileInfo(FileName).fileName();
    document->Untitled = true;
    document->Modified = true;
    SynMemo->Title = document->FileName;
    SynMemo->SetModified(true);
    SetDocumentParser(parserPlainText);
}
