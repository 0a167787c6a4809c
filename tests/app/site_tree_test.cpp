// The site tree: site nodes per profile, resynchronised after the site manager, folder nodes of
// the connected site, and the questions and requests that changes of the selection start.
#include "site_tree_window.h"

#include "support/pump.h"
#include "support/recording_ftp_client.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"
#include "support/scripted_server.h"

#include "routines/password_scrambling.h"
#include "session/local_pane.h"
#include "session/session_engine.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"
#include "shell/pt_tree_view.h"

#include <QMenu>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class TNoLocalPane : public ILocalPane {
public:
    QString CurrentFolder() override { return {}; }
    bool GoToFolder(const QString&) override { return false; }
    QStringList SelectedEntries() override { return {}; }
};

// A Unix listing line of a folder, a link or a file named Name.
QString Line(char Kind, const QString& Name)
{
    return QStringLiteral("%1rwxr-xr-x   2 user group     4096 Jan 15 10:30 %2").arg(QLatin1Char(Kind)).arg(Name);
}

class SiteTree : public ::testing::Test {
protected:
    SiteTree()
    {
        Window.Tree = &Sites;
        Sites.ClosedFolderImage = 30;
        Sites.OpenFolderImage = 31;
        for (const char* name : {"zeta", "Alpha", "mid"})
            AddProfile(name);
    }
    ~SiteTree() override
    {
        UploadProfiles(1);
        Firewalls(1);
    }

    TUploadProfileItem* AddProfile(const QString& Name)
    {
        TUploadProfileItem* profile = UploadProfiles()->Add();
        profile->ItemName = Name;
        profile->HostName = QStringLiteral("127.0.0.1");
        profile->Username = QStringLiteral("user");
        profile->SavePassword = true;
        profile->Password = PasswordToStore(QStringLiteral("secret"));
        return profile;
    }

    // The texts of Node's children; a placeholder reads "-".
    QStringList Children(const TTreeNode* Node) const
    {
        QStringList texts;
        for (int i = 0; Node && i < Node->Count(); ++i)
            texts.append(Sites.IsPlaceholder(Node->Item(i)) ? QStringLiteral("-") : Node->Item(i)->Text());
        return texts;
    }
    QStringList MenuItems() const
    {
        QStringList texts;
        for (const QAction* item : ServersMenu.actions())
            texts.append(item->text());
        return texts;
    }

    // A session to a server that greets (and answers one PWD when asked) and waits, in the folder
    // Folder of the site Site, whose remote list shows Lines.
    void Connect(const QString& Site, const QString& Folder, const QStringList& Lines, bool AnswerPwd = false)
    {
        Server.Send("220 ready\r\n");
        if (AnswerPwd)
            Server.ExpectLine("PWD").Send("257 \"/home/\"\r\n");
        Server.AwaitClose();
        Server.Start();
        Client.SetHostName(QStringLiteral("127.0.0.1"));
        Client.SetPort(QString::number(Server.Port()));
        Client.OpenAsync();
        ASSERT_TRUE(pumpUntil([this] { return Client.Connected() && Client.State() == ftpReady; }));
        Engine.State.CurrentSiteName = Site;
        Engine.State.CurrentRemoteFolder = Folder;
        Engine.RemoteList.FillRemoteList(Lines, false);
    }
    // The listing of the next folder arrived.
    void Listed(const QString& Folder, const QStringList& Lines)
    {
        Engine.State.CurrentRemoteFolder = Folder;
        Engine.RemoteList.FillRemoteList(Lines, false);
        Sites.SyncRemoteTree();
    }

    TRegistryScope Registry;
    ScriptedServer Server;
    TRecordingFtpClient Client;
    TNoLocalPane Pane;
    TSiteTreeWindow Window;
    TSessionEngine Engine{Client, Window, Pane};
    TPTTreeView View;
    QMenu ServersMenu;
    TSiteTree Sites{View, ServersMenu, Engine, Window};
};

} // namespace

TEST_F(SiteTree, BuildsSortedSiteNodesOncePerProfileAndAddsTheDefaultFirewall)
{
    Sites.BuildSiteTree();

    TTreeNode* root = Sites.Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(View.TopCount(), 1);
    EXPECT_EQ(root->Text(), "My Sites");
    EXPECT_EQ(root->ImageIndex(), TSiteTree::RootImage);
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(Children(root), (QStringList{"Alpha", "mid", "zeta"}));
    TTreeNode* alpha = root->Item(0);
    EXPECT_EQ(alpha->ImageIndex(), TSiteTree::SiteImage);
    EXPECT_EQ(alpha->Data, UploadProfiles()->GetProfile(1));
    EXPECT_EQ(Children(alpha), QStringList{"-"});
    EXPECT_EQ(alpha->Item(0)->ImageIndex(), TSiteTree::PlaceholderImage);
    EXPECT_EQ(MenuItems(), (QStringList{"zeta", "Alpha", "mid"}));
    ASSERT_EQ(Firewalls()->Firewalls()->Count(), 1);
    const TFirewallItem* firewall = Firewalls()->GetFirewall(0);
    EXPECT_EQ(firewall->ItemName, "Default");
    EXPECT_EQ(firewall->FirewallType, 0);
    EXPECT_TRUE(firewall->Shared);

    // After the wizard added a profile: every profile once, and no second firewall.
    AddProfile(QStringLiteral("B&B"));
    Sites.BuildSiteTree();
    EXPECT_EQ(View.TopCount(), 1);
    EXPECT_EQ(Children(Sites.Root()), (QStringList{"Alpha", "B&B", "mid", "zeta"}));
    EXPECT_EQ(MenuItems(), (QStringList{"zeta", "Alpha", "mid", "B&&B"}));
    EXPECT_EQ(Firewalls()->Firewalls()->Count(), 1);
}

TEST_F(SiteTree, ServersMenuItemsConnectAndCarryTheConnectedMark)
{
    Sites.BuildSiteTree();
    ServersMenu.actions()[2]->trigger();
    EXPECT_EQ(Engine.State.CurrentSiteName, "mid");
    EXPECT_EQ(Client.Requests, QStringList{"ConnectAsync"});
    EXPECT_TRUE(ServersMenu.actions()[2]->isChecked());
    EXPECT_EQ(ServersMenu.defaultAction(), ServersMenu.actions()[2]);
    Sites.CheckServerMenuItem(-1);
    EXPECT_FALSE(ServersMenu.actions()[2]->isChecked());
    EXPECT_EQ(ServersMenu.defaultAction(), nullptr);
}

TEST_F(SiteTree, FollowsTheSiteManagersTree)
{
    Sites.BuildSiteTree();
    Engine.State.CurrentSiteName = QStringLiteral("mid");
    auto managerTree = [](const QList<std::pair<QString, TUploadProfileItem*>>& Sites) {
        auto* tree = new QTreeWidget;
        auto* root = new QTreeWidgetItem(tree, {QStringLiteral("My Sites")});
        for (const auto& [name, profile] : Sites)
            (new QTreeWidgetItem(root, {name}))->setData(0, Qt::UserRole, QVariant::fromValue<QObject*>(profile));
        return std::unique_ptr<QTreeWidget>(tree);
    };
    TUploadProfileItem* zeta = UploadProfiles()->GetProfile(0);
    TUploadProfileItem* alpha = UploadProfiles()->GetProfile(1);
    TUploadProfileItem* mid = UploadProfiles()->GetProfile(2);
    TUploadProfileItem* added = AddProfile(QStringLiteral("Beta"));

    // More sites: one added before the current site, the current site renamed.
    mid->ItemName = QStringLiteral("Middle");
    Sites.SyncSiteTree(*managerTree({{"Alpha", alpha}, {"Beta", added}, {"Middle", mid}, {"zeta", zeta}}));
    EXPECT_EQ(Children(Sites.Root()), (QStringList{"Alpha", "Beta", "Middle", "zeta"}));
    EXPECT_EQ(Engine.State.CurrentSiteName, "Middle");
    EXPECT_EQ(Sites.FindSiteNode("Beta")->Data, added);
    EXPECT_EQ(Sites.FindSiteNode("Middle")->Data, mid);
    EXPECT_EQ(MenuItems(), (QStringList{"zeta", "Alpha", "Middle", "Beta"}));

    // Fewer sites: the deleted ones go, the current site stays.
    Sites.SyncSiteTree(*managerTree({{"Middle", mid}, {"zeta", zeta}}));
    EXPECT_EQ(Children(Sites.Root()), (QStringList{"Middle", "zeta"}));
    EXPECT_EQ(Engine.State.CurrentSiteName, "Middle");
}

TEST_F(SiteTree, AnOfflineSiteNodeConnectsAndOnlyFolderNodesAreEdited)
{
    Sites.BuildSiteTree();
    // Opened or chosen, a site node connects to its site.
    Sites.FindSiteNode("mid")->SetExpanded(true);
    EXPECT_EQ(Engine.State.CurrentSiteName, "mid");
    EXPECT_EQ(Client.Requests, QStringList{"ConnectAsync"});
    TTreeNode* zeta = Sites.FindSiteNode("ZETA");
    View.SetSelected(zeta);
    EXPECT_EQ(Engine.State.CurrentSiteName, "zeta");
    EXPECT_EQ(Client.HostName(), "127.0.0.1");
    EXPECT_EQ(Client.Requests, (QStringList{"ConnectAsync", "ConnectAsync"}));

    bool allowed = true;
    Sites.tvRemoteEditing(Sites.Root(), allowed);
    EXPECT_FALSE(allowed);
    Sites.tvRemoteEditing(zeta, allowed);
    EXPECT_FALSE(allowed);
    Sites.tvRemoteEditing(zeta->Item(0), allowed);
    EXPECT_FALSE(allowed);
    TTreeNode* folder = Sites.AddSiteNode(zeta, "docs", -1, nullptr);
    Sites.tvRemoteEditing(folder, allowed);
    EXPECT_TRUE(allowed);

    // The root does not collapse.
    Sites.Root()->SetExpanded(false);
    EXPECT_TRUE(Sites.Root()->Expanded());
}

TEST_F(SiteTree, ShowsTheFoldersVisitedInTheConnectedSite)
{
    Sites.BuildSiteTree();
    Connect("Alpha", "/home/", {Line('d', "docs"), Line('-', "a.txt"), Line('l', "www -> /var/www")}, true);

    // Opened, the connected site's node shows the folders of the list.
    TTreeNode* alpha = Sites.FindSiteNode("Alpha");
    alpha->SetExpanded(true);
    EXPECT_EQ(Children(alpha), (QStringList{"docs", "www"}));
    EXPECT_EQ(View.Selected(), nullptr);

    // The first listing: the site's node stands for the start folder and is selected.
    Sites.SyncRemoteTree();
    EXPECT_EQ(View.Selected(), alpha);
    EXPECT_EQ(Children(alpha), (QStringList{"docs", "www"}));
    EXPECT_EQ(Sites.NodeOfPath("/home/"), alpha);
    TTreeNode* docs = alpha->Item(0);
    EXPECT_EQ(Sites.NodeOfPath("/home/docs/"), docs);
    EXPECT_EQ(docs->ImageIndex(), 30);
    EXPECT_EQ(docs->SelectedIndex(), 31);
    EXPECT_EQ(Children(docs), QStringList{"-"});

    // While a request runs (its reply not yet read), the current folder's node stays selected.
    Client.TCustomFtpCli::PwdAsync();
    ASSERT_NE(Client.State(), ftpReady);
    View.SetSelected(docs);
    EXPECT_EQ(View.Selected(), alpha);
    EXPECT_TRUE(Client.Requests.isEmpty());
    ASSERT_TRUE(pumpUntil([this] { return Client.State() == ftpReady; }));

    // Choosing a folder node changes to its folder; its listing fills it.
    View.SetSelected(docs);
    EXPECT_EQ(Client.Requests, QStringList{"CwdAsync /home/docs/"});
    Listed("/home/docs/", {Line('d', "sub")});
    EXPECT_EQ(View.Selected(), docs);
    EXPECT_EQ(Children(docs), QStringList{"sub"});
    Sites.RemoteFolderCreated("new");
    Sites.RemoteItemRenamed("sub", "renamed");
    EXPECT_EQ(Children(docs), (QStringList{"renamed", "new"}));
    EXPECT_EQ(Sites.NodeOfPath("/home/docs/renamed/"), docs->Item(0));
    Sites.RemoteFolderRemoved("/home/docs/new/");
    EXPECT_EQ(Children(docs), QStringList{"renamed"});

    // Above the site's start folder: a node for the whole path, first below the site.
    Listed("/", {Line('d', "home"), Line('d', "etc")});
    ASSERT_EQ(Children(alpha).value(0), "/");
    EXPECT_EQ(View.Selected(), alpha->Item(0));
    EXPECT_EQ(Children(alpha->Item(0)), (QStringList{"home", "etc"}));

    // Offline: the site's node is unvisited again.
    Window.ShowOffline("Alpha");
    EXPECT_EQ(Children(alpha), QStringList{"-"});
    EXPECT_EQ(View.Selected(), Sites.Root());
    EXPECT_EQ(Engine.State.CurrentSiteName, "");
    EXPECT_TRUE(Engine.State.GetRemoteTreePathList().empty());
}

TEST_F(SiteTree, AnotherSiteWhileConnectedAsksBeforeDisconnecting)
{
    Sites.BuildSiteTree();
    Connect("Alpha", "/home/", {Line('d', "docs")});
    Sites.SyncRemoteTree();
    TTreeNode* alpha = Sites.FindSiteNode("Alpha");
    TTreeNode* zeta = Sites.FindSiteNode("zeta");
    QString question;
    {
        TScriptedPrompts prompts;
        prompts.Then([&](QDialog& Dialog) {
            question = Describe(Dialog);
            Click("&No")(Dialog);
        });
        View.SetSelected(zeta);
    }
    EXPECT_TRUE(question.contains("Would you like to disconnect from the current server 'Alpha'?"))
        << question.toStdString();
    EXPECT_EQ(View.Selected(), alpha);
    EXPECT_FALSE(zeta->Expanded());
    EXPECT_EQ(Engine.State.CurrentSiteName, "Alpha");
    EXPECT_TRUE(Window.Actions.isEmpty());
    EXPECT_TRUE(Client.Requests.isEmpty());

    {
        TScriptedPrompts prompts;
        prompts.Then(Click("&Yes"));
        View.SetSelected(zeta);
    }
    EXPECT_EQ(Window.Actions, QStringList{"actFtpQuit"});
    EXPECT_EQ(Engine.PendingSiteNode, "zeta");
    EXPECT_EQ(Engine.State.CurrentSiteName, "zeta");
    EXPECT_EQ(View.Selected(), nullptr);
}
