// TTarnwickFTPApp: the bottom tab set's history, bookmark and search lists, their menus and the
// actions they share.
#include "app/app_images.h"
#include "app/bottom_tabs/search_list_view.h"
#include "app/bottom_tabs/tab_set.h"
#include "app/main_form.h"
#include "ftp/client/ftp_client2.h"
#include "platform/graphics/image_list.h"
#include "platform/ui/action_list.h"
#include "session/session_engine.h"
#include "shell/pt_list_view.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTabWidget>

namespace {

struct TColumnDef {
    const char* Caption;
    int Width;
    TAlignment Alignment = taLeftJustify;
};

// A report-style list named Name with the columns Columns.
template <class List>
List* MakeList(List* View, const QString& Name, std::initializer_list<TColumnDef> Columns)
{
    View->setObjectName(Name);
    View->Name = Name;
    for (const TColumnDef& def : Columns) {
        TListColumn column;
        column.Caption = QString::fromLatin1(def.Caption);
        column.Width = def.Width;
        column.Alignment = def.Alignment;
        View->AddColumn(column);
    }
    View->SetViewStyle(vsReport);
    View->SetReadOnly(true);
    return View;
}

// Hands a right-button press on a list's rows to Handler, with the point in the list's coordinates.
class TRightPressHook : public QObject {
public:
    TRightPressHook(TListView* List, std::function<void(const QPoint&)> Handler)
        : QObject(List), list_(List), handler_(std::move(Handler))
    {
        List->View()->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::MouseButtonPress) {
            auto* press = static_cast<QMouseEvent*>(Event);
            if (press->button() == Qt::RightButton) {
                const QPoint pos = list_->mapFromGlobal(press->globalPosition().toPoint());
                // The row under the pointer becomes the focused one first, as a left press would.
                if (TListItem* item = list_->ItemAt(pos)) {
                    list_->ClearSelection();
                    item->SetSelected(true);
                    list_->SetItemFocused(item);
                }
                handler_(pos);
                return true;
            }
        }
        return QObject::eventFilter(Watched, Event);
    }

private:
    TListView* list_;
    std::function<void(const QPoint&)> handler_;
};

// Bookmark headers and search heading rows are drawn bold.
void BoldRows(TPTListView* List, std::function<bool(const TListItem*)> Bold)
{
    List->OnPTCustomDraw = [Bold](TObject*, TPTCustomDraw* CD, TListItem* Item) {
        if (Item && Bold(Item))
            CD->GetFont().SetBold(true);
    };
}

} // namespace

void TTarnwickFTPApp::CreateInfoTabs()
{
    auto* tabs = static_cast<TTabSet*>(TabSet);
    tabs->Bar()->FontSource = tabMain;

    lvHistory = MakeList(new TPTListView(TabSet), QStringLiteral("lvHistory"),
                         {{"Remote Folder", 300}, {"Time", 150}});
    lvHistory->SetSmallImages(ImageListSm);
    lvBookmarks = MakeList(new TPTListView(TabSet), QStringLiteral("lvBookmarks"),
                           {{"Bookmark", 300}, {"Folder", 300}});
    lvBookmarks->SetSmallImages(ImageListSm);
    BoldRows(lvBookmarks, [](const TListItem* Row) { return IsBookmarkHeader(Row); });
    lvSearch = MakeList(
        new TSearchListView(*ImageListSm, AppImage::Placeholder, TabSet), QStringLiteral("lvSearch"),
        {{"Name", 125}, {"In Folder", 175}, {"Size", 50, taRightJustify}, {"Type", 125}, {"Modified", 115}});
    lvSearch->SetSmallImages(SystemImagesSm);
    BoldRows(lvSearch, [](const TListItem* Row) {
        return Row->ImageIndex() == SearchPlaceholderImage || Row->ImageIndex() == 1999;
    });
    tabs->AddTab(lvHistory, QStringLiteral("History"), 27);
    tabs->AddTab(lvBookmarks, QStringLiteral("Bookmarks"), 38);
    tabs->AddTab(lvSearch, QStringLiteral("Search"), 30);

    // The search animation stands beside the tabs while a search runs.
    aviSearchLocal = new QProgressBar(TabSet);
    aviSearchLocal->setObjectName(QStringLiteral("aviSearchLocal"));
    aviSearchLocal->setRange(0, 0);
    aviSearchLocal->setTextVisible(false);
    aviSearchLocal->setFixedSize(80, 12);
    TabSet->setCornerWidget(aviSearchLocal, Qt::BottomRightCorner);
    aviSearchLocal->hide();
    searchResults_ = std::make_unique<TSearchResults>(
        *lvSearch, [this](const QString& Text, int Panel) { SetStatusText(Text, Panel); }, aviSearchLocal);
    searchResults_->OnReadError = [this](const QString& Message) {
        engine_->Log.AddLogLine(QStringLiteral("* ") + Message);
    };

    lvHistory->OnDblClick = [this](TObject*) { ExecuteAction(QStringLiteral("actViewHistoryItem")); };
    lvBookmarks->OnDblClick = [this](TObject*) {
        if (BookmarkOfRow(lvBookmarks->ItemFocused()))
            ExecuteAction(QStringLiteral("actViewBookmarkItem"));
    };
    lvSearch->OnDblClick = [this](TObject*) {
        if (TListItem* row = lvSearch->ItemFocused(); row && row->ImageIndex() >= 0)
            ExecuteAction(QStringLiteral("actViewSearchItem"));
    };
    new TRightPressHook(lvHistory, [this](const QPoint& Pos) { lvHistoryMouseDown(Pos); });
    new TRightPressHook(lvBookmarks, [this](const QPoint& Pos) { lvBookmarksMouseDown(Pos); });
    new TRightPressHook(lvSearch, [this](const QPoint& Pos) { lvSearchMouseDown(Pos); });
    FillBookmarkList();
}

void TTarnwickFTPApp::CreateBottomTabActions()
{
    const struct {
        const char* Name;
        const char* Caption;
        int Image;
    } defs[] = {
        {"actViewHistory", "&History", AppImage::History},
        {"actToolbarHistory", "History", AppImage::History},
        {"actViewBookmarks", "&Bookmarks", AppImage::Bookmark},
        {"actToolbarBookmarks", "Bookmarks", AppImage::Bookmark},
        {"actViewSearchResults", "Search &Results", AppImage::Search},
        {"actViewHistoryItem", "&Go to Folder", -1},
        {"actFileAddBookmark", "Add &Bookmark", AppImage::Bookmark},
        {"actToolbarMyAddBk", "Add Bookmark", AppImage::Bookmark},
        {"actToolbarRemoteAddBk", "Add Bookmark", AppImage::Bookmark},
        {"actViewBookmarkItem", "&Open Bookmark", -1},
        {"actViewBookmarkProperties", "P&roperties", AppImage::Properties},
        {"actFileDeleteBookmark", "&Delete Bookmark", AppImage::Delete},
        {"actViewSearchItem", "&Go to Folder", -1},
        {"actViewSearchClear", "&Clear Results", -1},
    };
    for (const auto& def : defs)
        AddAction(QString::fromLatin1(def.Name), QString::fromLatin1(def.Caption), def.Image);
    Action(QStringLiteral("actToolbarMyAddBk"))->Tag = 100;
    Action(QStringLiteral("actToolbarRemoteAddBk"))->Tag = 101;

    const auto on = [this](const char* Name, std::function<void(TAction*)> Run) {
        Action(QString::fromLatin1(Name))->OnExecute = std::move(Run);
    };
    const std::initializer_list<std::pair<const char*, int>> tabActions = {
        {"actViewHistory", InfoTabHistory},      {"actToolbarHistory", InfoTabHistory},
        {"actViewBookmarks", InfoTabBookmarks},  {"actToolbarBookmarks", InfoTabBookmarks},
        {"actViewSearchResults", InfoTabSearch},
    };
    for (const auto& entry : tabActions) {
        const int tab = entry.second;
        on(entry.first, [this, tab](TAction*) { ShowInfoTab(tab); });
    }
    on("actViewHistoryItem", [this](TAction*) { actViewHistoryItemExecute(); });
    for (const char* name : {"actFileAddBookmark", "actToolbarMyAddBk", "actToolbarRemoteAddBk"})
        on(name, [this](TAction* Sender) { actFileAddBookmarkExecute(Sender->Tag); });
    on("actViewBookmarkItem", [this](TAction*) { actViewBookmarkItemExecute(); });
    on("actViewBookmarkProperties", [this](TAction*) { actViewBookmarkPropertiesExecute(); });
    on("actFileDeleteBookmark", [this](TAction*) { actFileDeleteBookmarkExecute(); });
    on("actViewSearchItem", [this](TAction*) { actViewSearchItemExecute(); });
    on("actViewSearchClear", [this](TAction*) { lvSearch->Clear(); });
    on("actToolbarRemoteSearch", [this](TAction*) { actToolbarRemoteSearchExecute(); });
    BindBottomTabUpdateRules();

    popHistory = new QMenu(this);
    popHistory->setObjectName(QStringLiteral("popHistory"));
    popHistory->addAction(Action(QStringLiteral("actViewHistoryItem")));
    popHistory->addSeparator();
    QAction* addBookmark = popHistory->addAction(QStringLiteral("Add to &Bookmarks"));
    addBookmark->setObjectName(QStringLiteral("popHistorymniAddBk"));
    connect(addBookmark, &QAction::triggered, this, [this] { popHistorymniAddBkClick(); });
    connect(popHistory, &QMenu::aboutToShow, this, [this] { popHistoryPopup(); });
    popBookmarks = new QMenu(this);
    popBookmarks->setObjectName(QStringLiteral("popBookmarks"));
    for (const char* name :
         {"actViewBookmarkItem", "actFileDeleteBookmark", "", "actViewBookmarkProperties"}) {
        if (*name)
            popBookmarks->addAction(Action(QString::fromLatin1(name)));
        else
            popBookmarks->addSeparator();
    }
    popSearch = new QMenu(this);
    popSearch->setObjectName(QStringLiteral("popSearch"));
    popSearch->addAction(Action(QStringLiteral("actViewSearchItem")));
    popSearch->addSeparator();
    popSearch->addAction(Action(QStringLiteral("actViewSearchClear")));
}

void TTarnwickFTPApp::BindBottomTabUpdateRules()
{
    const auto rule = [this](std::initializer_list<const char*> Names, std::function<bool()> Enabled) {
        for (const char* name : Names)
            Action(QString::fromLatin1(name))->OnUpdate = [Enabled](TAction* Sender) {
                Sender->setEnabled(Enabled());
            };
    };
    rule({"actViewHistoryItem"}, [this] { return lvHistory->ItemFocused() && IsConnected(); });
    rule({"actFileAddBookmark"}, [this] { return !RemoteActive() || IsConnected(); });
    rule({"actToolbarRemoteAddBk"}, [this] { return FtpClient_->Connected(); });
    rule({"actViewBookmarkItem", "actViewBookmarkProperties"},
         [this] { return BookmarkOfRow(lvBookmarks->ItemFocused()) != nullptr; });
    rule({"actViewSearchItem"}, [this] {
        const TListItem* row = lvSearch->ItemFocused();
        return IsConnected() && row && row->ImageIndex() >= 0;
    });
}

void TTarnwickFTPApp::ShowListMenu(QMenu* Menu, TPTListView* List, const QPoint& Pos)
{
    UpdateActions();
    Menu->popup(List->mapToGlobal(Pos));
}

void TTarnwickFTPApp::lvHistoryMouseDown(const QPoint& Pos)
{
    ShowListMenu(popHistory, lvHistory, Pos);
}

void TTarnwickFTPApp::lvBookmarksMouseDown(const QPoint& Pos)
{
    ShowListMenu(popBookmarks, lvBookmarks, Pos);
}

void TTarnwickFTPApp::lvSearchMouseDown(const QPoint& Pos)
{
    ShowListMenu(popSearch, lvSearch, Pos);
}
