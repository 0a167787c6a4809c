// TTarnwickFTPApp: the window's actions, their handlers and the rules that enable them.
#include "app/app_images.h"
#include "app/main_form.h"
#include "app/pane_frame.h"
#include "app/remote_list_view.h"
#include "editor/syntax_memo.h"
#include "app/toolbars/toolbar_layout.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/graphics/image_list.h"
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
    int Image;
};

using namespace AppImage;

// Every action of the window, by object name, with its picture.
const TActionDef ActionDefs[] = {
    // The session.
    {"actFtpConnect", "&Connect...", Connect}, {"actToolbarConnect", "Connect", Connect},
    {"actFtpQuit", "&Disconnect", Disconnect}, {"actFtpTerminate", "&Terminate Session", Disconnect},
    {"actToolbarDisconnect", "Disconnect", Disconnect}, {"actFtpPwd", "&Print Working Folder", -1},
    {"actFtpTypeSetBinary", "&Binary", -1}, {"actFtpTypeSetAscii", "&ASCII", -1},
    {"actToolbarTypeSet", "Auto Mode", TypeAuto}, {"actFtpQuote", "Send &Quote Command...", Quote},
    {"actHelpAccWizard", "New Server Profile &Wizard...", Wizard}, {"actToolbarServerWizard", "Wizard", Wizard},
    // The commands of the active pane.
    {"actFtpCwd", "C&hange Folder...", ChangeFolder}, {"actToolbarChangeFolder", "Change Folder", ChangeFolder},
    {"actFtpCDup", "&Up One Level", UpLevel}, {"actToolbarUpLevel", "Up Level", UpLevel},
    {"actFtpDir", "&Refresh", Refresh}, {"actToolbarRefresh", "Refresh", Refresh},
    {"actFtpMkd", "&New Folder...", NewFolder}, {"actToolbarNewFolder", "New Folder", NewFolder},
    {"actFtpRemoteProperties", "Pr&operties", Properties}, {"actToolbarProperties", "Properties", Properties},
    {"actFtpSearch", "&Search...", Search}, {"actToolbarSearch", "Search", Search}, {"actFtpRen", "Re&name", Rename},
    {"actFtpRmd", "Remove &Folder", Delete}, {"actFtpDele", "&Delete", Delete}, {"actToolbarDelete", "Delete", Delete},
    // Transfers.
    {"actFtpGet", "&Download", Download}, {"actToolbarDownload", "Download", Download},
    {"actToolbarMyGet", "Download", Download}, {"actToolbarRemoteGet", "Download", Download},
    {"actFtpPut", "&Upload", Upload}, {"actToolbarUpload", "Upload", Upload}, {"actToolbarMyPut", "Upload", Upload},
    {"actToolbarRemotePut", "Upload", Upload},
    // The remote pane's own.
    {"actToolbarRemoteCwd", "Change Folder", ChangeFolder}, {"actToolbarRemoteCDup", "Up Level", UpLevel},
    {"actToolbarRemoteDir", "Refresh", Refresh}, {"actToolbarRemoteMkd", "New Folder", NewFolder},
    {"actToolbarRemoteProperties", "Properties", Properties}, {"actToolbarRemoteDel", "Delete", Delete},
    {"actToolbarRemoteSearch", "Search", Search}, {"actToolbarRemoteMakeZip", "Make ZIP", MakeZip},
    {"actFtpZipDirTV", "Make Zip Archive...", MakeZip},
    // The local pane's own.
    {"actToolbarMyCwd", "Change Folder", ChangeFolder}, {"actToolbarMyCDup", "Up Level", UpLevel},
    {"actToolbarMyRefresh", "Refresh", Refresh}, {"actToolbarMyMkd", "New Folder", NewFolder},
    {"actToolbarMyProperties", "Properties", Properties}, {"actToolbarMyDel", "Delete", Delete},
    {"actToolbarMySearch", "Search", Search}, {"actFileRenameLocal", "Rena&me", Rename},
    // The views.
    {"actViewMyComputer", "&My Computer", -1}, {"actViewTrees", "&Trees", -1}, {"actViewLog", "FTP &Log", InfoTab},
    {"actViewEditWindow", "&Edit Window", EditTab}, {"actToolbarEditWin", "Edit Window", EditTab},
    {"actViewServers", "&My Sites...", Site}, {"actToolbarServers", "Sites", Site},
    {"actHelpContents", "&Contents", Help}, {"actToolbarHelp", "Help", Help},
    {"actSettingsOptions", "&Options...", Settings}, {"actToolbarSettings", "Settings", Settings},
    {"actFileOpen", "&Upload Files...", Upload}, {"actFileSelectAll", "Select &All", -1},
    {"actFileExit", "E&xit", Exit},
    // The tool bars' separators.
    {"actToolbarSeparator", "Separator", -1}, {"actToolbarMySeparator", "Separator", -1},
    {"actToolbarRemoteSeparator", "Separator", -1},
};

// The actions that serve the session alone: with the local pane active they stay disabled.
const char* const SessionOnly[] = {"actFtpQuit", "actFtpPwd", "actFtpTypeSetBinary", "actFtpTypeSetAscii", "actFtpQuote"};

} // namespace

TActionList* TTarnwickFTPApp::ActionListOf(const QString& Name) const
{
    // The tool bars' actions are told by their names (spellings of stored layouts included).
    const auto starts = [&Name](const char* Prefix) { return Name.startsWith(QLatin1String(Prefix)); };
    if (starts("actToolbarMy"))
        return ActionListToolbarMyComputer;
    if (starts("actToolbarRemote"))
        return ActionListToolbarRemote;
    if (starts("actToolbar") || starts("actToolBar") || starts("actToobar"))
        return ActionListToolbar;
    return ActionList;
}

TAction* TTarnwickFTPApp::AddAction(const QString& Name, const QString& Caption, int ImageIndex)
{
    auto* action = new TAction(Caption, ActionListOf(Name));
    action->setObjectName(Name);
    action->ImageIndex = ImageIndex;
    // Menus show the small picture; the tool bars draw from their own lists by the index.
    if (ImageIndex >= 0)
        action->setIcon(QIcon(QPixmap::fromImage(ImageListSm->GetImage(ImageIndex))));
    actions_.insert(Name, action);
    addAction(action);
    return action;
}

void TTarnwickFTPApp::CreateActions()
{
    const auto list = [this](const char* Name) {
        auto* actions = new TActionList(this);
        actions->setObjectName(QLatin1String(Name));
        return actions;
    };
    ActionList = list("ActionList");
    ActionListToolbar = list("ActionListToolbar");
    ActionListToolbarMyComputer = list("ActionListToolbarMyComputer");
    ActionListToolbarRemote = list("ActionListToolbarRemote");
    for (const TActionDef& def : ActionDefs)
        AddAction(QString::fromLatin1(def.Name), QString::fromLatin1(def.Caption), def.Image);
    for (const char* name : SessionOnly)
        Action(QString::fromLatin1(name))->Tag = 1;
    for (const char* name : {"actToolbarSeparator", "actToolbarMySeparator", "actToolbarRemoteSeparator"})
        Action(QString::fromLatin1(name))->Tag = SeparatorActionTag;
    // The toggles. A menu draws an item's icon in place of its check mark, where the checked state
    // hardly shows: their menu items show the check alone (the tool bars draw their own pictures).
    for (const char* name :
         {"actViewMyComputer", "actViewTrees", "actViewLog", "actViewEditWindow", "actToolbarEditWin"}) {
        TAction* action = Action(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setIconVisibleInMenu(false);
    }
    for (const char* name : {"actViewMyComputer", "actViewTrees"})
        Action(QString::fromLatin1(name))->setChecked(true);
    BindActions();
    BindUpdateRules();
    BindZipActions();
    CreateBottomTabActions();
    CreateEditorActions();
    CreateEditorCommands();
    CreateCommandActions();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* Now) { FocusChanged(Now); });
}

void TTarnwickFTPApp::UpdateActions()
{
    for (TActionList* list : {ActionList, ActionListToolbar, ActionListToolbarMyComputer, ActionListToolbarRemote})
        list->UpdateActions();
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
    connect(TabSet, &QTabWidget::currentChanged, this, [this] { UpdateLogCheck(); });
    for (const char* name : {"actViewEditWindow", "actToolbarEditWin"})
        on(name, [this, name] {
            const bool shown = Action(QString::fromLatin1(name))->isChecked();
            ShowEditWindow(shown);
            Action(QStringLiteral("actViewEditWindow"))->setChecked(shown);
            Action(QStringLiteral("actToolbarEditWin"))->setChecked(shown);
        });
    for (const char* name : {"actViewServers", "actToolbarServers"})
        on(name, [this] { actViewServersExecute(); });
    for (const char* name : {"actHelpContents", "actToolbarHelp"})
        on(name, [] { ShellOpenFile(ProgramWebAddress + QStringLiteral("help/"), QString()); });
    for (const char* name : {"actSettingsOptions", "actToolbarSettings"})
        on(name, [this] {
            Screen().SetCursor(crHourGlass);
            // Confirmed changes may bring other document filters.
            if (ExecuteAppSettingsDlg(*AppSettings(), *Firewalls()) == 1)
                ApplyEditFileFilters();
            Screen().SetCursor(crDefault);
        });
    on("actFileOpen", [this] { actFileOpenExecute(); });
    on("actToolbarMyProperties", [this] {
        FocusPane(pkLocal);
        if (TListItem* item = lvMyComputer->ItemFocused())
            lvMyComputer->InvokeItemVerb(item, TShellVerb(QStringLiteral("properties")));
    });
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
