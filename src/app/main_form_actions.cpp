// TTarnwickFTPApp: the window's actions, their handlers and the rules that enable them.
#include "app/main_form.h"
#include "app/pane_frame.h"
#include "app/remote_list_view.h"
#include "editor/syntax_memo.h"
#include "app/toolbars/toolbar_layout.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/ui/action_list.h"
#include "session/session_engine.h"
#include "dialogs/options/app_settings_dlg_frm.h"
#include "dialogs/web_address.h"
#include "platform/shellapi/shell_execute.h"
#include "platform/ui/screen.h"
#include "routines/shell_routines.h"
#include "settings/app_settings.h"
#include "settings/firewalls.h"
#include "shell/shell_list.h"
#include "shell/shell_verbs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>

namespace {

struct TActionDef {
    const char* Name;
    const char* Caption;
};

// Every action of the window, by object name.
const TActionDef ActionDefs[] = {
    // The session.
    {"actFtpConnect", "&Connect..."}, {"actToolbarConnect", "Connect"}, {"actFtpQuit", "&Disconnect"},
    {"actFtpTerminate", "&Terminate Session"}, {"actToolbarDisconnect", "Disconnect"},
    {"actFtpPwd", "&Print Working Folder"}, {"actFtpTypeSetBinary", "&Binary"}, {"actFtpTypeSetAscii", "&ASCII"},
    {"actToolbarTypeSet", "Auto Mode"}, {"actFtpQuote", "Send &Quote Command..."},
    {"actHelpAccWizard", "New Server Profile &Wizard..."}, {"actToolbarServerWizard", "Wizard"},
    // The commands of the active pane.
    {"actFtpCwd", "C&hange Folder..."}, {"actToolbarChangeFolder", "Change Folder"}, {"actFtpCDup", "&Up One Level"},
    {"actToolbarUpLevel", "Up Level"}, {"actFtpDir", "&Refresh"}, {"actToolbarRefresh", "Refresh"},
    {"actFtpMkd", "&New Folder..."}, {"actToolbarNewFolder", "New Folder"},
    {"actFtpRemoteProperties", "Pr&operties"}, {"actToolbarProperties", "Properties"}, {"actFtpSearch", "&Search..."},
    {"actToolbarSearch", "Search"}, {"actFtpRen", "Re&name"}, {"actFtpRmd", "Remove &Folder"},
    {"actFtpDele", "&Delete"}, {"actToolbarDelete", "Delete"},
    // Transfers.
    {"actFtpGet", "&Download"}, {"actToolbarDownload", "Download"}, {"actToolbarMyGet", "Download"},
    {"actToolbarRemoteGet", "Download"}, {"actFtpPut", "&Upload"}, {"actToolbarUpload", "Upload"},
    {"actToolbarMyPut", "Upload"}, {"actToolbarRemotePut", "Upload"},
    // The remote pane's own.
    {"actToolbarRemoteCwd", "Change Folder"}, {"actToolbarRemoteCDup", "Up Level"}, {"actToolbarRemoteDir", "Refresh"},
    {"actToolbarRemoteMkd", "New Folder"}, {"actToolbarRemoteProperties", "Properties"},
    {"actToolbarRemoteDel", "Delete"}, {"actToolbarRemoteSearch", "Search"},
    {"actToolbarRemoteMakeZip", "Make ZIP"}, {"actFtpZipDirTV", "Make Zip Archive..."},
    // The local pane's own.
    {"actToolbarMyCwd", "Change Folder"}, {"actToolbarMyCDup", "Up Level"}, {"actToolbarMyRefresh", "Refresh"},
    {"actToolbarMyMkd", "New Folder"}, {"actToolbarMyProperties", "Properties"}, {"actToolbarMyDel", "Delete"},
    {"actToolbarMySearch", "Search"}, {"actFileRenameLocal", "Rena&me"},
    // The views.
    {"actViewMyComputer", "&My Computer"}, {"actViewTrees", "&Trees"}, {"actViewLog", "FTP &Log"},
    {"actViewEditWindow", "&Edit Window"}, {"actToolbarEditWin", "Edit Window"}, {"actViewServers", "&My Sites..."},
    {"actToolbarServers", "Sites"}, {"actHelpContents", "&Contents"}, {"actToolbarHelp", "Help"},
    {"actSettingsOptions", "&Options..."}, {"actToolbarSettings", "Settings"}, {"actFileOpen", "&Upload Files..."},
    {"actFileSelectAll", "Select &All"}, {"actFileExit", "E&xit"},
    // The tool bars' separators.
    {"actToolbarSeparator", "Separator"}, {"actToolbarMySeparator", "Separator"},
    {"actToolbarRemoteSeparator", "Separator"},
};

// The actions that serve the session alone: with the local pane active they stay disabled.
const char* const SessionOnly[] = {"actFtpQuit", "actFtpPwd", "actFtpTypeSetBinary", "actFtpTypeSetAscii", "actFtpQuote"};

} // namespace

TAction* TTarnwickFTPApp::AddAction(const QString& Name, const QString& Caption, int ImageIndex)
{
    auto* action = new TAction(Caption, ActionList);
    action->setObjectName(Name);
    action->ImageIndex = ImageIndex;
    actions_.insert(Name, action);
    addAction(action);
    return action;
}

void TTarnwickFTPApp::CreateActions()
{
    ActionList = new TActionList(this);
    ActionList->setObjectName(QStringLiteral("ActionList"));
    for (const TActionDef& def : ActionDefs)
        AddAction(QString::fromLatin1(def.Name), QString::fromLatin1(def.Caption));
    for (const char* name : SessionOnly)
        Action(QString::fromLatin1(name))->Tag = 1;
    for (const char* name : {"actToolbarSeparator", "actToolbarMySeparator", "actToolbarRemoteSeparator"})
        Action(QString::fromLatin1(name))->Tag = SeparatorActionTag;
    for (const char* name : {"actViewMyComputer", "actViewTrees"}) {
        Action(QString::fromLatin1(name))->setCheckable(true);
        Action(QString::fromLatin1(name))->setChecked(true);
    }
    for (const char* name : {"actViewLog", "actViewEditWindow", "actToolbarEditWin"})
        Action(QString::fromLatin1(name))->setCheckable(true);
    BindActions();
    BindUpdateRules();
    BindZipActions();
    CreateEditorActions();
    CreateEditorCommands();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* Now) { FocusChanged(Now); });
}

void TTarnwickFTPApp::UpdateActions()
{
    ActionList->UpdateActions();
}

void TTarnwickFTPApp::BindActions()
{
    const auto on = [this](const char* Name, std::function<void()> Run) {
        Action(QString::fromLatin1(Name))->OnExecute = [Run](TAction*) { Run(); };
    };
    const auto ready = [this] { return IsConnected(); };
    // The session.
    on("actFtpConnect", [this] { actFtpConnectExecute(); });
    on("actToolbarConnect", [this] { actFtpConnectExecute(); });
    on("actFtpQuit", [this] { FtpDisconnect(*FtpClient_); });
    on("actFtpTerminate", [this] { actFtpTerminateExecute(); });
    on("actToolbarDisconnect", [this] { actFtpTerminateExecute(); });
    on("actFtpPwd", [this, ready] {
        if (ready())
            FtpPrintWorkingDir(*FtpClient_);
    });
    on("actFtpTypeSetBinary", [this] { FtpSetTransferType(*FtpClient_, true, -1); });
    on("actFtpTypeSetAscii", [this] { FtpSetTransferType(*FtpClient_, false, -1); });
    on("actFtpQuote", [this] { actFtpQuoteExecute(); });
    on("actHelpAccWizard", [this] { actHelpAccWizardExecute(); });
    on("actToolbarServerWizard", [this] { actHelpAccWizardExecute(); });
    // The shared commands go to the twin of the active pane.
    const struct {
        const char* Shared[2];
        const char* Remote;
        const char* Local;
    } routes[] = {
        {{"actFtpCwd", "actToolbarChangeFolder"}, "actToolbarRemoteCwd", "actToolbarMyCwd"},
        {{"actFtpCDup", "actToolbarUpLevel"}, "actToolbarRemoteCDup", "actToolbarMyCDup"},
        {{"actFtpDir", "actToolbarRefresh"}, "actToolbarRemoteDir", "actToolbarMyRefresh"},
        {{"actFtpMkd", "actToolbarNewFolder"}, "actToolbarRemoteMkd", "actToolbarMyMkd"},
        {{"actFtpRemoteProperties", "actToolbarProperties"}, "actToolbarRemoteProperties", "actToolbarMyProperties"},
        {{"actFtpSearch", "actToolbarSearch"}, "actToolbarRemoteSearch", "actToolbarMySearch"},
    };
    for (const auto& route : routes)
        for (const char* shared : route.Shared)
            on(shared, [this, route] {
                RouteToPane(QString::fromLatin1(route.Remote), QString::fromLatin1(route.Local));
            });
    on("actFtpRen", [this] {
        if (RemoteActive()) {
            if (TListItem* item = lvRemote->ItemFocused(); item && item->Index() > 0)
                lvRemote->EditCaption(item);
        } else {
            ExecuteAction(QStringLiteral("actFileRenameLocal"));
        }
    });
    for (const char* name : {"actFtpRmd", "actFtpDele", "actToolbarDelete"})
        on(name, [this] { DeleteInPane(); });
    // Transfers.
    for (const char* name : {"actFtpGet", "actToolbarDownload", "actToolbarMyGet", "actToolbarRemoteGet"})
        on(name, [this] {
            lvRemote->SyncSelectionToModel();
            engine_->DownloadSelection(nullptr, false, false, QString());
        });
    for (const char* name : {"actFtpPut", "actToolbarUpload", "actToolbarMyPut", "actToolbarRemotePut"})
        on(name, [this] { engine_->UploadSelection(nullptr); });
    // The remote pane.
    on("actToolbarRemoteCwd", [this] { actToolbarRemoteCwdExecute(); });
    on("actToolbarRemoteCDup", [this, ready] {
        FocusPane(pkRemote);
        if (ready())
            FtpChangeDirUp(*FtpClient_);
    });
    on("actToolbarRemoteDir", [this] { actToolbarRemoteDirExecute(); });
    on("actToolbarRemoteMkd", [this] { actToolbarRemoteMkdExecute(); });
    on("actToolbarRemoteProperties", [this] { actToolbarRemotePropertiesExecute(); });
    on("actToolbarRemoteDel", [this] { actToolbarRemoteDelExecute(); });
    // The local pane.
    on("actToolbarMyCwd", [this] { actToolbarMyCwdExecute(); });
    on("actToolbarMyCDup", [this] {
        FocusPane(pkLocal);
        lvMyComputer->GoUp(1);
    });
    on("actToolbarMyRefresh", [this] {
        FocusPane(pkLocal);
        lvMyComputer->Refresh();
    });
    on("actToolbarMyMkd", [this] {
        FocusPane(pkLocal);
        lvMyComputer->CreateNewFolder(true);
    });
    on("actToolbarMyDel", [this] { actToolbarMyDelExecute(); });
    // The views.
    on("actViewMyComputer", [this] { ViewMyComputer(Action(QStringLiteral("actViewMyComputer"))->isChecked()); });
    on("actViewTrees", [this] { ViewTrees(Action(QStringLiteral("actViewTrees"))->isChecked()); });
    on("actViewLog", [this] { ShowInfoTab(0); });
    for (const char* name : {"actViewEditWindow", "actToolbarEditWin"})
        on(name, [this, name] {
            const bool shown = Action(QString::fromLatin1(name))->isChecked();
            tabMainPanel->setVisible(shown);
            Action(QStringLiteral("actViewEditWindow"))->setChecked(shown);
            Action(QStringLiteral("actToolbarEditWin"))->setChecked(shown);
        });
    for (const char* name : {"actViewServers", "actToolbarServers"})
        on(name, [this] { actViewServersExecute(); });
    for (const char* name : {"actHelpContents", "actToolbarHelp"})
        on(name, [] { ShellOpenFile(ProgramWebAddress + QStringLiteral("help/"), QString()); });
    for (const char* name : {"actSettingsOptions", "actToolbarSettings"})
        on(name, [] {
            Screen().SetCursor(crHourGlass);
            ExecuteAppSettingsDlg(*AppSettings(), *Firewalls());
            Screen().SetCursor(crDefault);
        });
    on("actFileOpen", [this] { actFileOpenExecute(); });
    on("actToolbarMyProperties", [this] {
        FocusPane(pkLocal);
        if (TListItem* item = lvMyComputer->ItemFocused())
            lvMyComputer->InvokeItemVerb(item, TShellVerb(QStringLiteral("properties")));
    });
    on("actFileRenameLocal", [this] { lvMyComputer->StartRename(); });
    on("actToolbarMySearch", [this] {
        // The desktop has no search verb of its own: its file manager opens the user's home
        // folder, where its search starts.
        FocusPane(pkLocal);
        win::ShellExecute(handle_, QStringLiteral("open"), QDir::homePath(), QString(), QString(), 1);
    });
    on("actFileSelectAll", [this] {
        // The editor selects its text; else the list of the active pane selects all its rows
        // (the remote list's model follows).
        if (SynMemo->hasFocus()) {
            SynMemo->SelectAll();
        } else if (RemoteActive()) {
            lvRemote->View()->selectAll();
            lvRemote->SyncSelectionToModel();
        } else {
            lvMyComputer->SelectAll();
        }
    });
    on("actFileExit", [this] { close(); });
}

void TTarnwickFTPApp::BindUpdateRules()
{
    const auto rule = [this](std::initializer_list<const char*> Names, std::function<bool(TAction*)> Enabled) {
        for (const char* name : Names)
            if (TAction* action = Action(QString::fromLatin1(name)))
                action->OnUpdate = [Enabled](TAction* Sender) { Sender->setEnabled(Enabled(Sender)); };
    };
    const auto connected = [this] { return FtpClient_->Connected(); };
    const auto remoteItem = [this] {
        TListItem* item = lvRemote->ItemFocused();
        return IsConnected() && item && item->Index() > 0 && !lvRemote->Retrieving();
    };
    const auto localItem = [this] { return lvMyComputer->ItemFocused() != nullptr; };
    rule({"actFtpConnect", "actToolbarConnect"}, [connected](TAction*) { return !connected(); });
    rule({"actFtpTerminate", "actToolbarDisconnect"}, [connected](TAction*) { return connected(); });
    rule({"actFtpQuit", "actFtpPwd", "actFtpCwd", "actFtpCDup", "actFtpDir", "actFtpMkd", "actFtpTypeSetBinary",
          "actFtpTypeSetAscii", "actFtpQuote", "actToolbarRefresh", "actToolbarUpLevel", "actToolbarNewFolder",
          "actToolbarChangeFolder", "actToolbarSearch"},
         [this](TAction* Sender) { return RemoteActive() ? IsConnected() : Sender->Tag == 0; });
    rule({"actFtpDele", "actFtpRemoteProperties", "actToolbarProperties", "actToolbarDelete"},
         [this, remoteItem, localItem](TAction*) {
             switch (GetFocusedPaneKind()) {
             case fkLocalList:
                 return localItem();
             case fkRemoteList:
                 return remoteItem();
             default:
                 return false;
             }
         });
    rule({"actFileRenameLocal", "actToolbarMyProperties", "actToolbarMyDel"}, [localItem](TAction*) { return localItem(); });
    rule({"actToolbarRemoteCwd", "actToolbarRemoteCDup", "actToolbarRemoteDir", "actToolbarRemoteMkd",
          "actToolbarRemoteSearch"},
         [this](TAction*) { return IsConnected(); });
    rule({"actToolbarRemoteProperties", "actToolbarRemoteDel"}, [remoteItem](TAction*) { return remoteItem(); });
    rule({"actFtpSearch"}, [this, connected](TAction*) { return !RemoteActive() || connected(); });
}

bool TTarnwickFTPApp::IsConnected() const
{
    return FtpClient_->Connected() && FtpClient_->State() == ftpReady;
}

bool TTarnwickFTPApp::RemoteActive() const
{
    return fraRemoteSite->Active();
}

void TTarnwickFTPApp::RouteToPane(const QString& RemoteTwin, const QString& LocalTwin)
{
    ExecuteAction(RemoteActive() ? RemoteTwin : LocalTwin);
}
