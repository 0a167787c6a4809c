// TTarnwickFTPApp: the menu bar and the pane menus popRemote and popMyComputer.
#include "app/event_hook.h"
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "dialogs/splash_screen.h"
#include "platform/ui/action_list.h"
#include "shell/shell_list.h"

#include <QContextMenuEvent>
#include <QMenuBar>

namespace {

// One entry of a menu: an action of the window by name, a separator (""), or a submenu.
struct TMenuEntry {
    const char* Action;
    QMenu* Submenu = nullptr;
};

// Menu, named Name, filled with the window's actions of Entries.
QMenu* Fill(TTarnwickFTPApp& Form, QMenu* Menu, const QString& Name, std::initializer_list<TMenuEntry> Entries)
{
    Menu->setObjectName(Name);
    for (const TMenuEntry& entry : Entries) {
        if (entry.Submenu)
            Menu->addMenu(entry.Submenu);
        else if (!*entry.Action)
            Menu->addSeparator();
        else if (TAction* action = Form.Action(QString::fromLatin1(entry.Action)))
            Menu->addAction(action);
    }
    return Menu;
}

} // namespace

void TTarnwickFTPApp::CreateMenus()
{
    popRemoteViewStyle->setTitle(QStringLiteral("&View"));
    popMyComputerViewStyle->setTitle(QStringLiteral("&View"));
    popToolbarServers->setTitle(QStringLiteral("&Sites"));
    auto* typeMenu = new QMenu(QStringLiteral("Transfer &Type"), this);
    Fill(*this, typeMenu, QStringLiteral("TransferType1"), {{"actFtpTypeSetAscii"}, {"actFtpTypeSetBinary"}});
    auto* remoteViewMenu = new QMenu(QStringLiteral("&Remote List"), this);
    remoteViewMenu->addActions(popRemoteViewStyle->actions());
    auto* localViewMenu = new QMenu(QStringLiteral("My &Computer List"), this);
    localViewMenu->addActions(popMyComputerViewStyle->actions());

    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    bar->addMenu(Fill(*this, new QMenu(QStringLiteral("&File"), this), QStringLiteral("File1"),
                         {{"actFileOpen"}, {""}, {"actFileSelectAll"}, {""}, {"actFileExit"}}));
    bar->addMenu(Fill(*this, new QMenu(QStringLiteral("&View"), this), QStringLiteral("View1"),
                         {{"actViewMyComputer"},
                          {"actViewTrees"},
                          {""},
                          {"actViewLog"},
                          {"actViewEditWindow"},
                          {""},
                          {"", remoteViewMenu},
                          {"", localViewMenu},
                          {""},
                          {"actViewServers"}}));
    bar->addMenu(Fill(*this, new QMenu(QStringLiteral("&Commands"), this), QStringLiteral("Commands1"),
                         {{"actFtpConnect"},   {"", popToolbarServers},
                          {"actFtpQuit"},      {"actFtpTerminate"},
                          {""},                {"actFtpCwd"},
                          {"actFtpCDup"},      {"actFtpDir"},
                          {"actFtpPwd"},       {""},
                          {"actFtpMkd"},       {"actFtpRen"},
                          {"actFtpDele"},      {"actFtpRmd"},
                          {"actFtpRemoteProperties"}, {""},
                          {"actFtpGet"},       {"actFtpPut"},
                          {"", typeMenu},      {""},
                          {"actFtpSearch"},    {"actFtpQuote"}}));
    bar->addMenu(Fill(*this, new QMenu(QStringLiteral("&Settings"), this), QStringLiteral("Settings1"),
                         {{"actSettingsOptions"}, {"actHelpAccWizard"}}));
    QMenu* help = Fill(*this, new QMenu(QStringLiteral("&Help"), this), QStringLiteral("Help1"), {{"actHelpContents"}, {""}});
    QAction* about = help->addAction(QStringLiteral("&About..."));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, [] { TSplashScreen::ShowAbout(); });
    bar->addMenu(help);

    popRemote = Fill(*this, new QMenu(this), QStringLiteral("popRemote"),
                        {{"actToolbarRemoteGet"},
                         {""},
                         {"actToolbarRemoteDir"},
                         {"actToolbarRemoteCDup"},
                         {"actToolbarRemoteMkd"},
                         {"actFtpRen"},
                         {"actToolbarRemoteDel"},
                         {""},
                         {"", popRemoteViewStyle},
                         {""},
                         {"actToolbarRemoteMakeZip"},
                         {"actToolbarRemoteProperties"}});
    popMyComputer = Fill(*this, new QMenu(this), QStringLiteral("popMyComputer"),
                            {{"actToolbarMyPut"},
                             {""},
                             {"actToolbarMyRefresh"},
                             {"actToolbarMyCDup"},
                             {"actToolbarMyMkd"},
                             {"actFileRenameLocal"},
                             {"actToolbarMyDel"},
                             {""},
                             {"", popMyComputerViewStyle},
                             {""},
                             {"actToolbarMyProperties"}});
    // A right click on a list (or the menu key) opens its pane's menu in place of the list's own.
    const std::pair<QWidget*, QMenu*> panes[] = {{lvRemote, popRemote}, {lvMyComputer, popMyComputer}};
    for (const auto& pane : panes)
        new TEventHook(pane.first, [menu = pane.second](QEvent* Event) {
            if (Event->type() != QEvent::ContextMenu)
                return false;
            menu->popup(static_cast<QContextMenuEvent*>(Event)->globalPos());
            return true;
        });
}
