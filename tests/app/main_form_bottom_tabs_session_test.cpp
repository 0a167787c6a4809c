// The bottom tabs against pyftpdlib on loopback: the history and the offline search after three
// folders were listed, going to a hit's folder, and opening remote bookmarks offline and while
// connected.
#include "loopback_login.h"

#include "app/bottom_tabs/search_list_view.h"
#include "app/remote_list_view.h"
#include "app/site_tree/site_tree.h"
#include "app/status_bar_main.h"
#include "platform/rtl/events.h"
#include "platform/ui/action_list.h"
#include "routines/password_scrambling.h"
#include "shell/pt_list_view.h"
#include "support/pump.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace {

class BottomTabsSession : public TLoopbackFormTest {
protected:
    void SetUp() override
    {
        TLoopbackFormTest::SetUp();
        if (!server_)
            return;
        const QDir home(account_.home);
        for (const char* folder : {"docs", "one", "two", "three"})
            home.mkdir(folder);
        for (const char* file : {"docs/page.html", "one/index.html", "two/readme.txt", "three/Index.txt"}) {
            QFile out(account_.home + '/' + file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write("text\n");
        }
    }
    TTarnwickFTPApp& Show()
    {
        TTarnwickFTPApp& form = MakeForm();
        form.resize(900, 640);
        form.show();
        return form;
    }
    // The session is ready in Folder, its listing shown.
    bool ReadyIn(const QString& Folder)
    {
        return pumpUntil(
            [&] {
                return Form->FtpClient().Connected() && Form->FtpClient().State() == ftpReady &&
                       Form->Engine().State.CurrentRemoteFolder == Folder && Form->lvRemote->Count() > 1 &&
                       !Form->lvRemote->Retrieving();
            },
            20000);
    }
    void FocusRow(TListView* List, int Row)
    {
        List->ClearSelection();
        List->Item(Row)->SetSelected(true);
        List->SetItemFocused(List->Item(Row));
    }
    // A profile of the account named Name.
    void AddProfile(const QString& Name)
    {
        TUploadProfileItem* profile = UploadProfiles()->Add();
        profile->ItemName = Name;
        profile->HostName = "127.0.0.1";
        profile->Port = QString::number(server_->Port());
        profile->Username = account_.user;
        profile->Password = PasswordToStore(account_.password);
        profile->SavePassword = true;
        profile->PassiveMode = true;
    }
};

TEST_F(BottomTabsSession, SearchesTheListedFoldersAndGoesToAHitsFolder)
{
    NEED_SERVER();
    TTarnwickFTPApp& form = Show();
    StartLogin(form);
    ASSERT_TRUE(ReadyIn("/"));
    for (const char* folder : {"/one/", "/two/", "/three/"}) {
        FtpChangeDir(form.FtpClient(), folder);
        ASSERT_TRUE(ReadyIn(folder)) << folder;
    }
    TListView* history = form.lvHistory;
    ASSERT_EQ(history->Count(), 4);
    EXPECT_EQ(history->Item(0)->Caption(), "/three/");
    EXPECT_EQ(history->Item(3)->Caption(), "/");

    form.StartSearch("?ndex", true, false);
    ASSERT_TRUE(pumpUntil([&] { return form.SearchThread()->Finished(); }, 20000));
    TListView* hits = form.lvSearch;
    ASSERT_EQ(hits->Count(), 2);
    EXPECT_EQ(hits->Item(0)->Caption(), "index.html");
    EXPECT_EQ(hits->Item(0)->SubItems().value(0), "/one/");
    EXPECT_EQ(hits->Item(1)->Caption(), "Index.txt");
    EXPECT_EQ(hits->Item(1)->SubItems().value(0), "/three/");
    EXPECT_EQ(form.StatusBarMain->PanelText(2), "Search is complete. Found 2 matches.");

    // A heading row leads nowhere.
    TListItem* heading = hits->Insert(0);
    heading->SetCaption("Searching for ?ndex...");
    heading->SetImageIndex(SearchPlaceholderImage);
    FocusRow(hits, 0);
    form.Action("actViewSearchItem")->Update();
    EXPECT_FALSE(form.Action("actViewSearchItem")->isEnabled());
    Fire(hits->OnDblClick, hits);
    EXPECT_EQ(form.FtpClient().State(), ftpReady);
    hits->Delete(0);

    FocusRow(hits, 0);
    Fire(hits->OnDblClick, hits);
    ASSERT_TRUE(ReadyIn("/one/"));
    EXPECT_EQ(history->Item(0)->Caption(), "/one/");
    EXPECT_EQ(history->Count(), 4);

    // Going to a history row changes there too.
    FocusRow(history, 1);
    ASSERT_EQ(history->Item(1)->Caption(), "/three/");
    Fire(history->OnDblClick, history);
    ASSERT_TRUE(ReadyIn("/three/"));
}

TEST_F(BottomTabsSession, ARemoteBookmarkOpenedOfflineConnectsThenChangesIntoItsFolder)
{
    NEED_SERVER();
    AddProfile("loopback");
    TTarnwickFTPApp& form = Show();
    ASSERT_TRUE(pumpUntil([&] { return form.SiteTree().FindSiteNode("loopback") != nullptr; }));
    form.Engine().State.CurrentSiteName = "loopback";
    form.AddBookmark("/docs/", true);
    form.Engine().State.CurrentSiteName.clear();
    FocusRow(form.lvBookmarks, 2);
    form.ExecuteAction("actViewBookmarkItem");
    ASSERT_TRUE(ReadyIn("/docs/"));
    EXPECT_EQ(form.Engine().State.AfterListingAction, 0);
    EXPECT_EQ(form.Engine().State.PendingFolder, "");
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('|').toStdString();
}

TEST_F(BottomTabsSession, RemoteBookmarksWhileConnected)
{
    NEED_SERVER();
    AddProfile("loopback");
    AddProfile("local");
    UploadProfiles()->GetProfile(1)->HostName = "localhost";
    TUploadProfileItem* other = UploadProfiles()->Add();
    other->ItemName = "Other";
    other->HostName = "other.invalid";
    TTarnwickFTPApp& form = Show();
    StartLogin(form);
    ASSERT_TRUE(ReadyIn("/"));
    TSessionState& state = form.Engine().State;
    state.CurrentSiteName = "Other";
    form.AddBookmark("/www/docs/", true);
    state.CurrentSiteName = "loopback";
    form.AddBookmark("/two/", true);

    // Another host, answered No: nothing changes.
    MessageAnswer = 7;
    FocusRow(form.lvBookmarks, 3);
    form.ExecuteAction("actViewBookmarkItem");
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0],
              "The bookmark 'Other: docs' is located on a different remote site (other.invalid) than the \r\n"
              "current site (127.0.0.1). Would you like to connect to 'other.invalid'? This will \r\n"
              "disconnect the current site.");
    EXPECT_TRUE(form.FtpClient().Connected());
    EXPECT_EQ(form.FtpClient().State(), ftpReady);
    EXPECT_EQ(state.AfterListingAction, 0);
    EXPECT_EQ(state.PendingFolder, "");
    EXPECT_EQ(form.Engine().PendingSiteNode, "");
    EXPECT_EQ(state.CurrentRemoteFolder, "/");

    // The same host: the session changes into the folder.
    FocusRow(form.lvBookmarks, 2);
    form.ExecuteAction("actViewBookmarkItem");
    ASSERT_TRUE(ReadyIn("/two/"));
    EXPECT_EQ(Messages.size(), 1);

    // Another host answered Yes: this session ends, the bookmark's site is connected and its
    // folder reached once listed.
    state.CurrentSiteName = "local";
    form.AddBookmark("/docs/", true);
    state.CurrentSiteName = "loopback";
    MessageAnswer = 6;
    FocusRow(form.lvBookmarks, 2);
    form.ExecuteAction("actViewBookmarkItem");
    ASSERT_EQ(Messages.size(), 2);
    ASSERT_TRUE(ReadyIn("/docs/"));
    EXPECT_EQ(form.FtpClient().HostName(), "localhost");
    EXPECT_EQ(state.CurrentSiteName, "local");
}

} // namespace
