// TTarnwickFTPApp: the window's components and their places.
#include "app/app_images.h"
#include "app/bottom_tabs/tab_set.h"
#include "app/log_line_delegate.h"
#include "app/main_form.h"
#include "app/pane_frame.h"
#include "app/remote_list_view.h"
#include "app/status_bar_main.h"
#include "app/toolbars/tool_bar.h"
#include "app/toolbars/toolbar_layout.h"
#include "app/toolbars/toolbar_menu.h"
#include "dialogs/list_box_hrz.h"
#include "platform/graphics/image_list.h"
#include "platform/shellapi/system_image_list.h"
#include "session/session_engine.h"
#include "shell/image_combo.h"
#include "shell/pt_tree_view.h"
#include "shell/shell_combo.h"
#include "shell/shell_list.h"
#include "shell/shell_tree.h"

#include <QActionGroup>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <class T> T* Named(T* Widget, const QString& Name)
{
    Widget->setObjectName(Name);
    return Widget;
}

QVBoxLayout* Column(QWidget* Parent)
{
    auto* layout = new QVBoxLayout(Parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

void TTarnwickFTPApp::CreateComponents()
{
    ImageListSm = new TImageList(this);
    ImageListSm->Name = QStringLiteral("ImageListSm");
    FillAppImages(*ImageListSm);
    ImageListToolbar = new TImageList(this);
    ImageListToolbar->Name = QStringLiteral("ImageListToolbar");
    FillToolbarImages(*ImageListToolbar);

    tbMain = Named(new TToolBar(this), QStringLiteral("tbMain"));
    tbMain->setMovable(false);
    addToolBar(Qt::TopToolBarArea, tbMain);

    auto* client = new QWidget(this);
    QVBoxLayout* clientLayout = Column(client);
    setCentralWidget(client);

    SplitterVert = Named(new QSplitter(Qt::Vertical, client), QStringLiteral("SplitterVert"));
    SplitterVert->setChildrenCollapsible(false);
    clientLayout->addWidget(SplitterVert, 1);
    SplitterHrz = Named(new QSplitter(Qt::Horizontal, SplitterVert), QStringLiteral("SplitterHrz"));
    SplitterHrz->setChildrenCollapsible(false);
    SplitterVert->addWidget(SplitterHrz);
    CreatePanes();
    CreateBottomArea();
    CreateEditorArea();
    CreateStatusBar();
    clientLayout->addWidget(StatusBarMain);
    SplitterVert->setStretchFactor(0, 1);
    SplitterVert->setStretchFactor(1, 0);
    // When the window's size changes the lists take the difference; the trees, the local pane and
    // the bottom area keep theirs.
    for (QSplitter* splitter : {SplitterHrz, SplitterMyComputer, SplitterRemoteView}) {
        splitter->setStretchFactor(0, 0);
        splitter->setStretchFactor(1, 1);
    }
    ConnectSplitters();
}

void TTarnwickFTPApp::CreatePanes()
{
    // The local pane: caption, toolbar, folder combo, then the tree above the list.
    pnlMyComputer = Named(new QWidget(SplitterHrz), QStringLiteral("pnlMyComputer"));
    QVBoxLayout* local = Column(pnlMyComputer);
    fraMyComputer = new TPaneFrame(QStringLiteral("fraMyComputer"), *ImageListSm, pnlMyComputer);
    fraMyComputer->SetCaption(QStringLiteral("My Computer"));
    tbMyComputer = Named(new TToolBar(pnlMyComputer), QStringLiteral("tbMyComputer"));
    cbMyComputer = Named(new TPTShellCombo(pnlMyComputer), QStringLiteral("cbMyComputer"));
    SplitterMyComputer = Named(new QSplitter(Qt::Vertical, pnlMyComputer), QStringLiteral("SplitterMyComputer"));
    tvMyComputer = Named(new TPTShellTree(SplitterMyComputer), QStringLiteral("tvMyComputer"));
    lvMyComputer = Named(new TPTShellList(SplitterMyComputer), QStringLiteral("lvMyComputer"));
    // Several local files and folders go up in one upload, as several remote ones come down.
    lvMyComputer->SetMultiSelect(true);
    for (QWidget* part : std::initializer_list<QWidget*>{fraMyComputer, tbMyComputer, cbMyComputer})
        local->addWidget(part);
    local->addWidget(SplitterMyComputer, 1);
    cbMyComputer->SetShellList(lvMyComputer);
    cbMyComputer->SetShellTree(tvMyComputer);
    tvMyComputer->SetShellList(lvMyComputer);
    SplitterHrz->addWidget(pnlMyComputer);

    // The remote pane, alike.
    pnlRemote = Named(new QWidget(SplitterHrz), QStringLiteral("pnlRemote"));
    QVBoxLayout* remote = Column(pnlRemote);
    fraRemoteSite = new TPaneFrame(QStringLiteral("fraRemoteSite"), *ImageListSm, pnlRemote);
    fraRemoteSite->SetCaption(QStringLiteral("Offline"));
    tbRemote = Named(new TToolBar(pnlRemote), QStringLiteral("tbRemote"));
    cbRemoteFolders = Named(new TPTImageCombo(pnlRemote), QStringLiteral("cbRemoteFolders"));
    pnlRemoteView = Named(new QWidget(pnlRemote), QStringLiteral("pnlRemoteView"));
    QVBoxLayout* view = Column(pnlRemoteView);
    SplitterRemoteView = Named(new QSplitter(Qt::Vertical, pnlRemoteView), QStringLiteral("SplitterRemoteView"));
    tvRemote = Named(new TPTTreeView(SplitterRemoteView), QStringLiteral("tvRemote"));
    tvRemote->Name = tvRemote->objectName();
    tvRemote->SetImages(ImageListSm);
    lvRemote = new TRemoteListView(engine_->RemoteList, *ImageListSm, SplitterRemoteView);
    view->addWidget(SplitterRemoteView);
    for (QWidget* part : std::initializer_list<QWidget*>{fraRemoteSite, tbRemote, cbRemoteFolders})
        remote->addWidget(part);
    remote->addWidget(pnlRemoteView, 1);
    SplitterHrz->addWidget(pnlRemote);

    // The system's small list draws the remote rows and the combo's folders.
    auto* systemSmall = SystemImagesSm = new TImageList(this);
    systemSmall->ShareImages = true;
    systemSmall->SetHandle(win::SystemImageList(false));
    auto* systemLarge = new TImageList(32, 32, this);
    systemLarge->ShareImages = true;
    systemLarge->SetHandle(win::SystemImageList(true));
    lvRemote->SetSmallImages(systemSmall);
    lvRemote->SetLargeImages(systemLarge);
    cbRemoteFolders->SetImageList(systemSmall);

    // The listing animation: a busy bar over the remote list.
    aviSearch = Named(new QProgressBar(pnlRemoteView), QStringLiteral("aviSearch"));
    aviSearch->setRange(0, 0);
    aviSearch->setTextVisible(false);
    aviSearch->setFixedSize(120, 14);
    aviSearch->hide();
}

void TTarnwickFTPApp::CreateBottomArea()
{
    // "Edit" over the editor's panel, "Info" over the tab set with the log.
    tabMainPanel = Named(new QWidget(SplitterVert), QStringLiteral("tabMainPanel"));
    QVBoxLayout* layout = Column(tabMainPanel);
    tabMain = Named(new QTabBar(tabMainPanel), QStringLiteral("tabMain"));
    tabMain->addTab(QIcon(QPixmap::fromImage(ImageListSm->GetImage(AppImage::EditTab))), QStringLiteral("Edit"));
    tabMain->addTab(QIcon(QPixmap::fromImage(ImageListSm->GetImage(AppImage::InfoTab))), QStringLiteral("Info"));
    tabMain->setShape(QTabBar::RoundedSouth);
    tabMainPages = new QStackedWidget(tabMainPanel);
    pnlEdit = Named(new QWidget(tabMainPages), QStringLiteral("pnlEdit"));
    auto* tabSet = new TTabSet(*ImageListSm, tabMainPages);
    TabSet = Named(static_cast<QTabWidget*>(tabSet), QStringLiteral("TabSet"));
    lbFtpDisplayLog = new TListBoxHrz(nullptr, TabSet);
    lbFtpDisplayLog->setObjectName(QStringLiteral("lbFtpDisplayLog"));
    lbFtpDisplayLog->setItemDelegate(new TLogLineDelegate(*ImageListSm, lbFtpDisplayLog));
    lbFtpDisplayLog->setUniformItemSizes(true);
    lbFtpDisplayLog->setContextMenuPolicy(Qt::CustomContextMenu);
    tabSet->AddTab(lbFtpDisplayLog, QStringLiteral("Log"), AppImage::LogNotice);
    CreateInfoTabs();
    tabMainPages->addWidget(pnlEdit);
    tabMainPages->addWidget(TabSet);
    layout->addWidget(tabMainPages, 1);
    layout->addWidget(tabMain);
    SplitterVert->addWidget(tabMainPanel);
    connect(tabMain, &QTabBar::currentChanged, this, [this](int Tab) { tabMainChange(Tab); });

    popLog = Named(new QMenu(this), QStringLiteral("popLog"));
    Named(popLog->addAction(QStringLiteral("&Copy")), QStringLiteral("Copy1"));
    Named(popLog->addAction(QStringLiteral("Copy &Entire Log")), QStringLiteral("CopyEntireLog1"));
    popLog->addSeparator();
    Named(popLog->addAction(QStringLiteral("C&lear")), QStringLiteral("Clear1"));
    const QList<QAction*> items = popLog->actions();
    connect(items[0], &QAction::triggered, this, [this] { CopyLog(false); });
    connect(items[1], &QAction::triggered, this, [this] { CopyLog(true); });
    connect(items[3], &QAction::triggered, this, [this] { ClearLog(); });
    connect(lbFtpDisplayLog, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& Pos) { popLog->popup(lbFtpDisplayLog->viewport()->mapToGlobal(Pos)); });

    popToolbarServers = Named(new QMenu(this), QStringLiteral("popToolbarServers"));
    popTypeSet = Named(new QMenu(this), QStringLiteral("popTypeSet"));
    // The view-style items of both lists, tags 0 to 3.
    const auto styleMenu = [this](const QString& Name, int Suffix, const std::function<void(int)>& Apply) {
        auto* menu = Named(new QMenu(this), Name);
        auto* group = new QActionGroup(menu);
        const char* const captions[] = {"Lar&ge Icons", "S&mall Icons", "&List", "&Details"};
        const char* const names[] = {"LargeIcons", "SmallIcons", "List", "Details"};
        for (int tag = 0; tag < 4; ++tag) {
            QAction* item = menu->addAction(QString::fromLatin1(captions[tag]));
            item->setObjectName(QString::fromLatin1(names[tag]) + QString::number(Suffix));
            item->setCheckable(true);
            item->setActionGroup(group);
            connect(item, &QAction::triggered, this, [Apply, tag] { Apply(tag); });
        }
        return menu;
    };
    popRemoteViewStyle = styleMenu(QStringLiteral("popRemoteViewStyle"), 1, [this](int Style) { SetRemoteViewStyle(Style); });
    popMyComputerViewStyle =
        styleMenu(QStringLiteral("popMyComputerViewStyle"), 2, [this](int Style) { SetLocalViewStyle(Style); });
}

void TTarnwickFTPApp::CreateToolBars()
{
    const struct {
        TToolBar* Bar;
        int Tag;
        TActionList* Actions;
        TImageList* Images;
    } bars[] = {{tbMain, -1, ActionListToolbar, ImageListToolbar},
                {tbMyComputer, 0, ActionListToolbarMyComputer, ImageListSm},
                {tbRemote, 1, ActionListToolbarRemote, ImageListSm}};
    ToolbarMenu = new TToolbarMenu(this);
    for (const auto& bar : bars) {
        bar.Bar->Tag = bar.Tag;
        bar.Bar->ActionList = bar.Actions;
        bar.Bar->Images = bar.Images;
        ToolbarMenu->Attach(*bar.Bar);
    }
    // The main tool bar's buttons are square around its larger pictures.
    tbMain->SetButtonWidth(MainButtonHeight);
}

void TTarnwickFTPApp::CreateStatusBar()
{
    StatusBarMain = new TStatusBarMain(centralWidget());
    StatusBarMain->OnDrawPanel = [this](QPainter& Painter, int Panel, const QRect& Rect) {
        StatusBarMainDrawPanel(Painter, Panel, Rect);
    };
    StatusBarMain->OnMouseMove = [this](const QPoint& Pos) { StatusBarMainMouseMove(Pos); };
}

void TTarnwickFTPApp::ConnectSplitters()
{
    // Both trees keep one height: moving either splitter moves the other.
    const auto follow = [](QSplitter* From, QSplitter* To) {
        connect(From, &QSplitter::splitterMoved, To, [From, To] {
            if (To->isVisible() && To->sizes() != From->sizes())
                To->setSizes(From->sizes());
        });
    };
    follow(SplitterMyComputer, SplitterRemoteView);
    follow(SplitterRemoteView, SplitterMyComputer);
}
