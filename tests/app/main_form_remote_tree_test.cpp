// The remote tree against pyftpdlib on loopback: a folder renamed by its node's label, by the
// node's full path whether or not it is the current folder, and its menu's connect item.
#include "loopback_login.h"

#include "app/remote_list_view.h"
#include "app/site_tree/site_tree.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/ui/action_list.h"
#include "session/session_engine.h"
#include "shell/pt_tree_view.h"
#include "support/ftp_server_fixture.h"
#include "support/pump.h"
#include "support/server_required.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

class MainFormRemoteTree : public TLoopbackFormTest {
protected:
    void SetUp() override
    {
        TLoopbackFormTest::SetUp();
        if (!server_)
            return;
        QDir(account_.home).mkpath("old/inner");
        QDir(account_.home).mkpath("keep");
    }
    bool Connect()
    {
        // The site's node in the tree stands for the session's folders.
        UploadProfiles()->Add()->ItemName = "loopback";
        TTarnwickFTPApp& form = MakeForm();
        form.SiteTree().BuildSiteTree();
        form.resize(900, 640);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return false;
        StartLogin(form);
        return Listed("/");
    }
    bool Listed(const QString& Folder)
    {
        return pumpUntil(
            [&] {
                return Form->Engine().State.CurrentRemoteFolder == Folder && !Form->lvRemote->Retrieving() &&
                       Form->lvRemote->Count() > 0 && Form->FtpClient().State() == ftpReady;
            },
            20000);
    }
    bool Logged(const QString& Line) const
    {
        return Form->Engine().Log.Lines().contains(Line);
    }
};

TEST_F(MainFormRemoteTree, ALabelRenamesTheNodesFolderByItsFullPath)
{
    NEED_SERVER();
    ASSERT_TRUE(Connect());
    TSiteTree& tree = Form->SiteTree();
    TTreeNode* node = tree.NodeOfPath("/old/");
    ASSERT_TRUE(node);

    // A node below the current folder.
    QString label = "new";
    Form->tvRemoteEdited(node, label);
    EXPECT_EQ(label, "new");
    ASSERT_TRUE(pumpUntil([&] { return tree.NodeOfPath("/new/") == node; }, 20000));
    EXPECT_TRUE(QFileInfo(account_.home + "/new").isDir());
    EXPECT_FALSE(QFileInfo::exists(account_.home + "/old"));
    EXPECT_TRUE(Logged("> RNFR /old"));
    EXPECT_TRUE(Logged("> RNTO /new"));

    // The current folder itself: the session follows it to its new path.
    FtpChangeDir(Form->FtpClient(), "/keep/");
    ASSERT_TRUE(Listed("/keep/"));
    TTreeNode* current = tree.NodeOfPath("/keep/");
    ASSERT_TRUE(current);
    label = "kept";
    Form->tvRemoteEdited(current, label);
    ASSERT_TRUE(Listed("/kept/"));
    EXPECT_TRUE(QFileInfo(account_.home + "/kept").isDir());
    EXPECT_TRUE(Logged("> RNFR /keep"));
    EXPECT_TRUE(Logged("> RNTO /kept"));
    EXPECT_EQ(tree.NodeOfPath("/kept/"), current);
}

TEST_F(MainFormRemoteTree, AnInvalidOrTakenLabelPutsTheOldOneBack)
{
    NEED_SERVER();
    ASSERT_TRUE(Connect());
    TTreeNode* node = Form->SiteTree().NodeOfPath("/old/");
    ASSERT_TRUE(node);
    for (const char* refused : {"keep", "a/b", ""}) {
        QString label = refused;
        Form->tvRemoteEdited(node, label);
        EXPECT_EQ(label, "old") << refused;
    }
    EXPECT_TRUE(QFileInfo(account_.home + "/old").isDir());
}

TEST_F(MainFormRemoteTree, TheMenuKeepsWhatItsItemsActOn)
{
    NEED_SERVER();
    UploadProfiles()->Add()->ItemName = "other";
    ASSERT_TRUE(Connect());
    TSiteTree& tree = Form->SiteTree();
    TTreeNode* folder = tree.NodeOfPath("/old/");
    TTreeNode* site = tree.FindSiteNode("other");
    ASSERT_TRUE(folder && site);

    Form->tvRemoteNodeContextMenu(folder);
    EXPECT_TRUE(Form->Action("actFtpZipDirTV")->isEnabled());
    EXPECT_EQ(Form->ZipTreeFolder, "/old/");
    EXPECT_FALSE(Form->mnipopRemoteTvConnect->isEnabled());

    Form->tvRemoteNodeContextMenu(site);
    EXPECT_FALSE(Form->Action("actFtpZipDirTV")->isEnabled());
    EXPECT_EQ(Form->ZipTreeFolder, "");
    EXPECT_TRUE(Form->mnipopRemoteTvConnect->isEnabled());
    EXPECT_EQ(Form->ConnectTreeNode, site);
}
