// The main window's bottom tabs without a server: the owner-drawn tab set, the history rows, the
// bookmark rows with their headers, making, editing and deleting bookmarks, the messages of a
// bookmark that cannot be opened, and the search thread stopped before another search, before
// the listing cache goes and when the window closes.
#include "main_form_fixture.h"

#include "app/app_images.h"
#include "app/bottom_tabs/new_bookmark.h"
#include "app/bottom_tabs/search_list_view.h"
#include "app/bottom_tabs/tab_set.h"
#include "dialogs/bookmark_properties_frm.h"
#include "platform/graphics/image_list.h"
#include "platform/rtl/events.h"
#include "platform/ui/action_list.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/std_controls.h"
#include "routines/date_stamp.h"
#include "session/session_engine.h"
#include "shell/pt_list_view.h"
#include "support/pump.h"
#include "support/scripted_prompts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTest>

namespace {

class BottomTabs : public TMainFormTest {
protected:
    TTarnwickFTPApp& Make()
    {
        TTarnwickFTPApp& form = MakeForm();
        History = form.findChild<TPTListView*>("lvHistory");
        BookmarkList = form.findChild<TPTListView*>("lvBookmarks");
        Search = form.findChild<TSearchListView*>("lvSearch");
        return form;
    }
    static QStringList Captions(const TListView* List)
    {
        QStringList captions;
        for (int i = 0; i < List->Count(); ++i)
            captions += List->Item(i)->Caption();
        return captions;
    }
    void FocusRow(TListView* List, int Row)
    {
        List->ClearSelection();
        List->Item(Row)->SetSelected(true);
        List->SetItemFocused(List->Item(Row));
    }
    bool Enabled(const char* Name)
    {
        TAction* action = Form->Action(QString::fromLatin1(Name));
        action->Update();
        return action->isEnabled();
    }
    // Writes Count listing lines naming index files into a new cache file of Folder.
    void CacheListing(const QString& Folder, int Count, const QString& Name = "index")
    {
        QByteArray lines;
        for (int i = 0; i < Count; ++i)
            lines += "-rw-r--r--   1 owner group     2048 Jan 15  2003 " + Name.toUtf8() +
                     QByteArray::number(i) + "\r\n";
        const QString name = "cache" + QString::number(++cacheFiles_) + ".tmp";
        Tree.File(name, lines);
        Form->Engine().State.GetDirResultList()[Folder] = Tree.Path(name);
    }

    TPTListView* History = nullptr;
    TPTListView* BookmarkList = nullptr;
    TSearchListView* Search = nullptr;

private:
    int cacheFiles_ = 0;
};

TEST_F(BottomTabs, TheTabSetShowsItsFourViewsWithTheSelectedCaptionBoldAndBlue)
{
    TTarnwickFTPApp& form = Make();
    auto* tabs = form.findChild<TTabSet*>("TabSet");
    ASSERT_TRUE(tabs);
    struct Tab {
        const char* caption;
        const char* view;
        int image;
    } expected[] = {{"Log", "lbFtpDisplayLog", 25},
                    {"History", "lvHistory", 27},
                    {"Bookmarks", "lvBookmarks", 38},
                    {"Search", "lvSearch", 30}};
    ASSERT_EQ(tabs->count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tabs->tabText(i), expected[i].caption);
        EXPECT_EQ(tabs->widget(i)->objectName(), expected[i].view);
        EXPECT_EQ(tabs->Bar()->tabData(i).toInt(), expected[i].image);
    }
    // The lists' columns.
    EXPECT_EQ(History->Column(0).Caption, "Remote Folder");
    EXPECT_EQ(History->Column(1).Width, 150);
    EXPECT_EQ(BookmarkList->Column(1).Caption, "Folder");
    ASSERT_EQ(Search->ColumnCount(), 5);
    EXPECT_EQ(Search->Column(1).Caption, "In Folder");
    EXPECT_EQ(Search->Column(2).Alignment, taRightJustify);

    form.resize(800, 600);
    form.show();
    form.ExecuteAction("actToolbarBookmarks");
    EXPECT_EQ(tabs->currentIndex(), 2);
    TTabSetBar* bar = tabs->Bar();
    EXPECT_EQ(bar->TabColor(2), QColor(0, 0, 255));
    EXPECT_EQ(bar->TabColor(1), form.palette().color(QPalette::WindowText));
    EXPECT_TRUE(bar->TabFont(2).bold());
    EXPECT_FALSE(bar->TabFont(1).bold());
    // A tab is as wide as its caption in its font, its picture and the margins.
    const auto width = [&](int Tab) {
        return QFontMetrics(bar->TabFont(Tab)).horizontalAdvance(bar->tabText(Tab));
    };
    const int extra = bar->tabRect(2).width() - width(2);
    EXPECT_EQ(bar->tabRect(1).width() - width(1), extra);
    form.ExecuteAction("actViewHistory");
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(bar->tabRect(2).width(), width(2) + extra);
    EXPECT_EQ(bar->tabRect(1).width(), width(1) + extra);
    EXPECT_GT(bar->tabRect(1).width(), QFontMetrics(form.font()).horizontalAdvance("History"));
}

// "FTP Log" is ticked exactly while the bottom area shows the log: not after the area is hidden,
// another tab is chosen or the editor takes the area's place.
TEST_F(BottomTabs, TheLogItemIsTickedWhileTheLogShows)
{
    TTarnwickFTPApp& form = Make();
    form.show();
    const auto ticked = [&] { return form.Action("actViewLog")->isChecked(); };
    form.ExecuteAction("actViewLog");
    EXPECT_TRUE(ticked());
    form.ExecuteAction("actViewEditWindow");
    EXPECT_FALSE(form.Action("actViewEditWindow")->isChecked());
    EXPECT_FALSE(ticked());
    form.ExecuteAction("actViewEditWindow");
    EXPECT_TRUE(ticked());
    form.findChild<TTabSet*>("TabSet")->setCurrentIndex(1);
    EXPECT_FALSE(ticked());
    form.ExecuteAction("actViewLog");
    EXPECT_TRUE(ticked());
    form.tabMain->setCurrentIndex(0);
    EXPECT_FALSE(ticked());
}

// The search list's heading row carries the window's "still to come" picture at 2,1, which an
// ordinary row without a picture does not.
TEST_F(BottomTabs, TheSearchHeadingRowShowsItsPicture)
{
    TTarnwickFTPApp& form = Make();
    form.resize(800, 600);
    form.show();
    form.ExecuteAction("actViewSearchResults");
    Search->Add()->SetImageIndex(SearchPlaceholderImage);
    Search->Add()->SetImageIndex(-1);
    const QImage picture = form.ImageListSm->GetImage(AppImage::Placeholder);
    const auto drawnPixels = [&](int Row) {
        const QRect rect = Search->View()->visualRect(Search->View()->model()->index(Row, 0));
        const QImage shot = Search->View()->viewport()->grab().toImage();
        const QColor base = Search->palette().color(QPalette::Base);
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                count += shot.pixelColor(rect.left() + 2 + x, rect.top() + 1 + y) != base;
        return count;
    };
    // (The plain row may show a focus frame's edge there.)
    EXPECT_GT(drawnPixels(0), drawnPixels(1) + 30) << drawnPixels(0) << " " << drawnPixels(1);
}

TEST_F(BottomTabs, HistoryKeepsOneRowPerFolderTheNewestOnTop)
{
    TTarnwickFTPApp& form = Make();
    for (const char* folder : {"/a/", "/b/", "/a/", "/A/"})
        form.AddHistoryFolder(folder);
    EXPECT_EQ(Captions(History), QStringList({"/A/", "/a/", "/b/"}));
    EXPECT_EQ(History->ItemFocused(), History->Item(0));
    EXPECT_FALSE(History->Item(0)->SubItems().value(0).isEmpty());
    // Going to a history folder needs a ready session.
    EXPECT_FALSE(Enabled("actViewHistoryItem"));

    // The menu's bookmark item needs a selected row.
    auto* addBookmark = form.popHistory->findChild<QAction*>("popHistorymniAddBk");
    ASSERT_TRUE(addBookmark);
    Q_EMIT form.popHistory->aboutToShow();
    EXPECT_TRUE(addBookmark->isEnabled());
    form.Engine().State.CurrentSiteName = "Alpha";
    FocusRow(History, 2);
    addBookmark->trigger();
    EXPECT_EQ(Captions(BookmarkList), QStringList({"Local Bookmarks", "Remote Bookmarks", "Alpha: b"}));
    History->ClearSelection();
    Q_EMIT form.popHistory->aboutToShow();
    EXPECT_FALSE(addBookmark->isEnabled());

    form.ClearHistory();
    EXPECT_EQ(History->Count(), 0);
}

TEST_F(BottomTabs, NewBookmarksStandDirectlyUnderTheirHeader)
{
    TTarnwickFTPApp& form = Make();
    EXPECT_EQ(Captions(BookmarkList), QStringList({"Local Bookmarks", "Remote Bookmarks"}));
    form.Engine().State.CurrentSiteName = "Alpha";
    TBookmarkItem* docs = form.AddBookmark("/www/docs/", true);
    EXPECT_EQ(docs->Comment, "Alpha: docs");
    EXPECT_EQ(docs->Host, "Alpha");
    EXPECT_EQ(docs->BookmarkType, 1);
    EXPECT_EQ(docs->DateLastAccessed, "");
    EXPECT_EQ(docs->DateModified, docs->DateCreated);
    EXPECT_EQ(docs->ItemName, "Bookmark" + docs->DateCreated);
    form.AddBookmark("/www/img/", true);
    Tree.Folder("local");
    const QString local = Tree.Path("local");
    form.AddBookmark(local, false);
    EXPECT_EQ(Captions(BookmarkList),
              QStringList({"Local Bookmarks", local, "Remote Bookmarks", "Alpha: img", "Alpha: docs"}));
    EXPECT_EQ(BookmarkList->Item(4)->SubItems(), QStringList{"/www/docs/"});
    EXPECT_EQ(TTarnwickFTPApp::BookmarkOfRow(BookmarkList->Item(4)), docs);

    // Made again from the collection, in its order, the rows stand the same way.
    form.FillBookmarkList();
    EXPECT_EQ(Captions(BookmarkList),
              QStringList({"Local Bookmarks", local, "Remote Bookmarks", "Alpha: img", "Alpha: docs"}));
}

TEST_F(BottomTabs, HeadersTakeNoAction)
{
    TTarnwickFTPApp& form = Make();
    form.Engine().State.CurrentSiteName = "Alpha";
    form.AddBookmark("/www/docs/", true);
    TScriptedPrompts prompts;
    for (int header : {0, 1}) {
        FocusRow(BookmarkList, header);
        EXPECT_FALSE(Enabled("actViewBookmarkItem"));
        EXPECT_FALSE(Enabled("actViewBookmarkProperties"));
        Fire(BookmarkList->OnDblClick, BookmarkList);
        form.ExecuteAction("actFileDeleteBookmark");
    }
    EXPECT_EQ(prompts.Shown(), 0);
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(BookmarkList->Count(), 3);
    EXPECT_EQ(Bookmarks()->Bookmarks()->GetItem(0)->DateLastAccessed, "");
    FocusRow(BookmarkList, 2);
    EXPECT_TRUE(Enabled("actViewBookmarkItem"));
}

TEST_F(BottomTabs, RemoteBookmarksWithoutAProfileOrASiteNodeSayWhy)
{
    TTarnwickFTPApp& form = Make();
    form.Engine().State.CurrentSiteName = "Gone";
    form.AddBookmark("/www/docs/", true);
    form.Engine().State.CurrentSiteName = "fixture";
    TBookmarkItem* known = form.AddBookmark("/pub/", true);
    FocusRow(BookmarkList, 3);
    form.ExecuteAction("actViewBookmarkItem");
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], "Unable to determine the remote server hostname. Select the Properties \r\n"
                           "popup menu to update this bookmark.");
    EXPECT_FALSE(Bookmarks()->Bookmarks()->GetItem(0)->DateLastAccessed.isEmpty());

    // The profile exists, but the site tree is not built before the window is shown.
    FocusRow(BookmarkList, 2);
    form.ExecuteAction("actViewBookmarkItem");
    ASSERT_EQ(Messages.size(), 2);
    EXPECT_TRUE(Messages[1].endsWith(" could not locate the server profile settings for 'fixture'."))
        << Messages[1].toStdString();
    EXPECT_EQ(form.Engine().State.AfterListingAction, 0);
    EXPECT_EQ(form.Engine().State.PendingFolder, "");
    EXPECT_FALSE(known->DateLastAccessed.isEmpty());
}

TEST_F(BottomTabs, EditingAndDeletingABookmark)
{
    TTarnwickFTPApp& form = Make();
    UploadProfiles()->Add()->ItemName = "Beta";
    form.Engine().State.CurrentSiteName = "fixture";
    TBookmarkItem* bookmark = form.AddBookmark("/www/docs/", true);
    bookmark->DateModified = DateStampEncode(EncodeDate(2020, 1, 1));
    FocusRow(BookmarkList, 2);
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        auto& f = static_cast<TBookmarkPropertiesFrm&>(Dialog);
        EXPECT_EQ(f.cbHost->count(), 2);
        f.txtComment->setFocus(Qt::TabFocusReason);
        f.txtComment->selectAll();
        QTest::keyClicks(f.txtComment, "Docs");
        f.txtLocation->setFocus(Qt::TabFocusReason);
        f.txtLocation->selectAll();
        QTest::keyClicks(f.txtLocation, "/www/new");
        f.cbHost->setFocus(Qt::TabFocusReason);
        f.cbHost->setCurrentIndex(1);
        f.Button1->click();
    });
    form.ExecuteAction("actViewBookmarkProperties");
    EXPECT_EQ(prompts.Shown(), 1);
    EXPECT_EQ(bookmark->Comment, "Docs");
    EXPECT_EQ(bookmark->Folder, "/www/new/");
    EXPECT_EQ(bookmark->Host, "Beta");
    EXPECT_GT(DateStampToDateTime(bookmark->DateModified), EncodeDate(2020, 1, 2));
    EXPECT_EQ(BookmarkList->Item(2)->Caption(), "Docs");
    EXPECT_EQ(BookmarkList->Item(2)->SubItems(), QStringList{"/www/new/"});

    // Deleting asks first; No keeps it.
    prompts.Then(Click("&No")).Then(Click("&Yes"));
    form.ExecuteAction("actFileDeleteBookmark");
    EXPECT_EQ(BookmarkList->Count(), 3);
    form.ExecuteAction("actFileDeleteBookmark");
    EXPECT_EQ(BookmarkList->Count(), 2);
    EXPECT_EQ(Bookmarks()->Bookmarks()->Count(), 0);
}

// Two bookmarks made in one instant get names of their own, so both reach the registry.
TEST_F(BottomTabs, BookmarksMadeInOneInstantAreTwoSubkeys)
{
    MakeForm();
    const QString stamp = DateStampNow();
    TBookmarkItem* first = NewBookmark(*Bookmarks(), "/a/", true, "Alpha", stamp);
    TBookmarkItem* second = NewBookmark(*Bookmarks(), "/b/", true, "Alpha", stamp);
    EXPECT_NE(first->ItemName.toLower(), second->ItemName.toLower());
    CloseForm();
    ASSERT_EQ(Bookmarks()->Bookmarks()->Count(), 2);
    QStringList folders;
    for (int i = 0; i < 2; ++i)
        folders += Bookmarks()->Bookmarks()->GetItem(i)->Folder;
    folders.sort();
    EXPECT_EQ(folders, QStringList({"/a/", "/b/"}));
}

TEST_F(BottomTabs, ARunningSearchIsStoppedBeforeAnotherBeforeTheCacheGoesAndAtClose)
{
    TTarnwickFTPApp& form = Make();
    for (const char* folder : {"/a/", "/b/", "/c/"})
        CacheListing(folder, 20000);
    CacheListing("/d/", 3, "other");

    form.StartSearch("index", true, false);
    TSearchThread* first = form.SearchThread();
    form.StartSearch("other", true, false);
    EXPECT_NE(form.SearchThread(), first);
    ASSERT_TRUE(pumpUntil([&] { return form.SearchThread()->Finished(); }, 20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(Captions(Search), QStringList({"other0", "other1", "other2"}));

    form.StartSearch("index", true, false);
    const std::map<QString, QString> cache = form.Engine().State.GetDirResultList();
    form.Engine().State.ClearListingCache();
    EXPECT_EQ(form.SearchThread(), nullptr);
    for (const auto& [folder, file] : cache)
        EXPECT_FALSE(QFile::exists(file)) << folder.toStdString();

    for (const char* folder : {"/a/", "/b/"})
        CacheListing(folder, 20000);
    form.StartSearch("index", true, false);
    CloseForm();
}

} // namespace
