// TTarnwickFTPApp: the menu bar and the pane menus popRemote and popMyComputer.
#include "app/event_hook.h"
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "app/toolbars/tool_bar.h"
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

QMenu* TTarnwickFTPApp::CreateEditMenu()
{
    // The editor's bookmarks: "Bookmark &0" to "Bookmark &9" set one at the caret or go to it.
    const auto bookmarks = [this](const QString& Title, const QString& Name, bool Go) {
        auto* menu = new QMenu(Title, this);
        menu->setObjectName(Name);
        for (int n = 0; n <= 9; ++n) {
            QAction* item = menu->addAction(QStringLiteral("Bookmark &%1").arg(n));
            item->setObjectName(QStringLiteral("Bookmark%1%2").arg(n).arg(Go ? 1 : 2));
            connect(item, &QAction::triggered, this, [this, item, Go] { BookmarkClick(item->text(), Go); });
        }
        return menu;
    };
    auto* html = new QMenu(QStringLiteral("&HTML"), this);
    popDiv->setTitle(QStringLiteral("&Align"));
    Fill(*this, html, QStringLiteral("HTML1"),
         {{"actEditBold"}, {"actEditUnderline"}, {"actEditItalic"}, {"actEditBreak"}, {"actEditParag"}, {"", popDiv},
          {""}, {"actEditColor"}, {"actEditFontColor"}, {"actEditFont"}, {""}, {"actEditImage"}, {"actEditLink"},
          {""}, {"actEditPreview"}});
    mnuEdit = Fill(*this, new QMenu(QStringLiteral("&Edit"), this), QStringLiteral("mnuEdit"),
                   {{"actEditUndo"},
                    {"actEditRedo"},
                    {""},
                    {"actEditCut"},
                    {"actEditCopy"},
                    {"actEditPaste"},
                    {""},
                    {"actFileSelectAll"},
                    {""},
                    {"actEditFind"},
                    {"actEditReplace"},
                    {""},
                    {"", bookmarks(QStringLiteral("&Toggle Bookmark"), QStringLiteral("ToggleBookmark1"), false)},
                    {"", bookmarks(QStringLiteral("&Goto Bookmark"), QStringLiteral("GotoBookmark1"), true)},
                    {""},
                    {"", html},
                    {""},
                    {"", mniEditHighlighter}});
    QAction* options = mnuEdit->addAction(QStringLiteral("Editor &Options..."));
    options->setObjectName(QStringLiteral("EditorOptions1"));
    connect(options, &QAction::triggered, this, [this] { EditorOptions1Click(); });
    return mnuEdit;
}

void TTarnwickFTPApp::BookmarkClick(const QString& Caption, bool Go)
{
    // The caption ends in the bookmark's number.
    if (!Caption.isEmpty())
        SetEditorBookmark(Caption.back().digitValue(), Go);
}

QMenu* TTarnwickFTPApp::CreateToolbarsMenu()
{
    Toolbars1 = new QMenu(QStringLiteral("Tool&bars"), this);
    Toolbars1->setObjectName(QStringLiteral("Toolbars1"));
    const struct {
        const char* Name;
        const char* Caption;
        int Tag;
    } items[] = {{"MainToolbar1", "&Main", -1}, {"MyComputer1", "My &Computer", 0}, {"MySite1", "Remote &Site", 1}};
    for (const auto& entry : items) {
        QAction* item = Toolbars1->addAction(QString::fromLatin1(entry.Caption));
        item->setObjectName(QLatin1String(entry.Name));
        item->setCheckable(true);
        item->setData(entry.Tag);
        connect(item, &QAction::triggered, this, [this, item] { MySite1Click(item); });
    }
    connect(Toolbars1, &QMenu::aboutToShow, this, [this] { Toolbars1Click(); });
    return Toolbars1;
}

TToolBar* TTarnwickFTPApp::ToolBarOfTag(int Tag) const
{
    return Tag < 0 ? tbMain : Tag == 0 ? tbMyComputer : tbRemote;
}

void TTarnwickFTPApp::MySite1Click(QAction* Item)
{
    // The item has toggled its check; its tool bar follows, and a pane's folder box moves with it.
    const int tag = Item->data().toInt();
    ToolBarOfTag(tag)->SetToolbarVisible(Item->isChecked());
    if (tag >= 0)
        LayoutDirResultBox(tag == 1);
}

void TTarnwickFTPApp::Toolbars1Click()
{
    for (QAction* item : Toolbars1->actions())
        item->setChecked(ToolBarOfTag(item->data().toInt())->ToolbarVisible());
}

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
                      {{"actEditNew"},         {"actEditOpen"},        {""},
                       {"actEditSave"},        {"actFileSaveAs"},      {"actFileSaveRemote"},
                       {"actFileSaveLocal"},   {""},                   {"actEditCloseDoc"},
                       {"actEditCloseAll"},    {""},                   {"actEditPrintSetup"},
                       {"actEditPrintPreview"}, {"actEditPrint"},      {""},
                       {"actFileOpen"},        {""},                   {"actFileSelectAll"},
                       {""},                   {"actFileExit"}}));
    bar->addMenu(CreateEditMenu());
    bar->addMenu(Fill(*this, new QMenu(QStringLiteral("&View"), this), QStringLiteral("View1"),
                         {{"actViewMyComputer"},
                          {"actViewTrees"},
                          {""},
                          {"actViewLog"},
                          {"actViewLogFile"},
                          {"actViewEditWindow"},
                          {""},
                          {"", remoteViewMenu},
                          {"", localViewMenu},
                          {"", CreateToolbarsMenu()},
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
