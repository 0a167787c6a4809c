// Connecting to a server profile: the profile and its firewall on the client, the prompts for
// what is missing, the renewed login prompts and the end of a session.
#include "input_prompts.h"
#include "recording_local_pane.h"
#include "session_fixture.h"
#include "support/recording_ftp_client.h"

#include "routines/password_scrambling.h"
#include "session/session_engine.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"

#include <optional>

namespace {

class SiteConnection : public TSessionTest {
protected:
    ~SiteConnection() override
    {
        UploadProfiles(1);
        Firewalls(1);
    }

    TUploadProfileItem& AddProfile(const QString& Name)
    {
        TUploadProfileItem* profile = UploadProfiles()->Add();
        profile->ItemName = Name;
        profile->HostName = "ftp.example.org";
        profile->Port = "2121";
        profile->HostDirName = "/pub";
        profile->Username = "bob";
        profile->Timeout = 45;
        profile->TransferMode = 1;
        profile->PassiveMode = true;
        return *profile;
    }

    TFirewallItem& AddFirewall(const QString& Name, int Type, bool SavePassword)
    {
        TFirewallItem* firewall = Firewalls()->Firewalls()->Add();
        firewall->ItemName = Name;
        firewall->FirewallType = Type;
        firewall->ProxyServer = "proxy.example.org";
        firewall->SocksServer = "socks.example.org";
        firewall->SocksPort = "1080";
        firewall->SocksUserCode = "sockuser";
        firewall->SavePassword = SavePassword;
        firewall->SocksPassword = PasswordToStore("sockpw");
        return *firewall;
    }

    TRecordingFtpClient Client;
    TRecordingLocalPane Pane;
    TSessionEngine Engine{Client, Window, Pane};
};

TEST_F(SiteConnection, ApplySiteProfileCopiesProfileAndFirewall)
{
    struct Case {
        const char* name;
        bool anonymous;
        QString email;
        bool savePassword;
        int firewallType; // -2: no firewall named
        bool firewallSavesPassword;
        std::optional<QString> prompted; // the answer to the password prompt; unset: none expected
        bool cancel;
        // Expected:
        bool result;
        QString user;
        QString password;
        TFtpConnectionType type;
        QString proxy;
        QString socksServer;
        QString socksPassword;
    };
    const Case cases[] = {
        {"anonymous", true, "me@example.org", true, -2, false, {}, false, true, "anonymous", "me@example.org", ftpDirect, "", "", ""},
        {"anonymous, no @", true, "me", true, -2, false, {}, false, true, "anonymous", "Wanderpost77@", ftpDirect, "", "", ""},
        {"saved password", false, "", true, -2, false, {}, false, true, "bob", "stored", ftpDirect, "", "", ""},
        {"asked password", false, "", false, -2, false, "typed", false, true, "bob", "typed", ftpDirect, "", "", ""},
        {"prompt cancelled", false, "", false, 3, true, "", true, false, "bob", "", ftpSocks5, "", "socks.example.org", "sockpw"},
        {"proxy", false, "", true, 0, false, {}, false, true, "bob", "stored", ftpProxy, "proxy.example.org", "", ""},
        {"socks4 saved", false, "", true, 1, true, {}, false, true, "bob", "stored", ftpSocks4, "", "socks.example.org", "sockpw"},
        {"socks4a asked later", false, "", true, 2, false, {}, false, true, "bob", "stored", ftpSocks4A, "", "socks.example.org", ""},
        {"socks5", false, "", true, 3, true, {}, false, true, "bob", "stored", ftpSocks5, "", "socks.example.org", "sockpw"},
        {"type 4 stays direct", false, "", true, 4, true, {}, false, true, "bob", "stored", ftpDirect, "", "", ""},
        {"new entry stays direct", false, "", true, -1, true, {}, false, true, "bob", "stored", ftpDirect, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UploadProfiles()->Profiles()->Clear();
        Firewalls()->Firewalls()->Clear();
        AddProfile("first");
        TUploadProfileItem& profile = AddProfile("second site");
        profile.Anonymous = c.anonymous;
        profile.SavePassword = c.savePassword;
        profile.Password = c.savePassword && !c.prompted ? PasswordToStore("stored") : QString();
        if (c.firewallType != -2) {
            AddFirewall("wall", c.firewallType, c.firewallSavesPassword);
            profile.Firewall = "wall";
        }
        Settings().EmailAddress = c.email;
        // What an earlier session left on the client goes.
        Client.SetProxyServer("old proxy");
        Client.SetSocksServer("old socks");
        Engine.State.CurrentSiteName = "before";
        Window.CheckedServer = -2;

        QStringList seen;
        TScriptedPrompts prompts;
        if (c.prompted)
            prompts.Then(AnswerInput(c.cancel ? std::nullopt : c.prompted, &seen));
        EXPECT_EQ(Engine.ApplySiteProfile(1), c.result);

        EXPECT_EQ(Client.HostName(), "ftp.example.org");
        EXPECT_EQ(Client.Port(), "2121");
        EXPECT_EQ(Client.HostDirName(), "/pub");
        EXPECT_EQ(Client.UserName(), c.user);
        EXPECT_EQ(Client.PassWord(), c.password);
        EXPECT_EQ(Client.Timeout(), 45);
        EXPECT_TRUE(Client.Binary());
        EXPECT_EQ(Client.ConnectionType(), c.type);
        EXPECT_EQ(Client.ProxyServer(), c.proxy);
        EXPECT_EQ(Client.SocksServer(), c.socksServer);
        EXPECT_EQ(Client.SocksPassword(), c.socksPassword);
        if (c.prompted)
            EXPECT_EQ(seen, (QStringList{"Invalid Password", "Re-enter the login password for user 'bob'"}));
        EXPECT_EQ(Engine.State.CurrentSiteName, c.result ? "second site" : "before");
        EXPECT_EQ(Window.CheckedServer, c.result ? 1 : -2);
    }
}

TEST_F(SiteConnection, ApplySiteProfileStoresAnAskedPasswordScrambledWhenKept)
{
    TUploadProfileItem& profile = AddProfile("site");
    profile.SavePassword = true;
    TScriptedPrompts prompts;
    prompts.Then(AnswerInput("n3w"));
    EXPECT_TRUE(Engine.ApplySiteProfile(0));
    EXPECT_NE(profile.Password, "n3w");
    EXPECT_EQ(PasswordFromStore(profile.Password), "n3w");
    EXPECT_FALSE(Engine.ApplySiteProfile(1));
}

TEST_F(SiteConnection, ApplySiteProfileShowsAnExistingLocalFolder)
{
    TUploadProfileItem& profile = AddProfile("site");
    profile.SavePassword = true;
    profile.Password = PasswordToStore("pw");
    Tree.Folder("local");
    profile.LocalDirName = Tree.Path("local");
    EXPECT_TRUE(Engine.ApplySiteProfile(0));
    profile.LocalDirName = Tree.Path("missing");
    EXPECT_TRUE(Engine.ApplySiteProfile(0));
    EXPECT_EQ(Pane.Visited, QStringList{Tree.Path("local")});
}

TEST_F(SiteConnection, ConnectToSiteAsksForHostAndPasswordAndCancelsQuietly)
{
    TUploadProfileItem& profile = AddProfile("site");
    Engine.State.CurrentSiteName = "site";
    Client.SetUserName("bob");
    Client.SetHostName("  ");
    QStringList seen;
    {
        TScriptedPrompts prompts;
        prompts.Then(AnswerInput("  host.example.org  ", &seen)).Then(AnswerInput(std::nullopt, &seen));
        Engine.ConnectToSite();
    }
    EXPECT_EQ(seen.value(0), "Invalid Hostname");
    EXPECT_EQ(seen.value(2), "Password Required");
    EXPECT_EQ(seen.value(3), "Please enter the login password for 'bob'");
    EXPECT_EQ(Client.HostName(), "host.example.org");
    EXPECT_EQ(profile.HostName, "host.example.org");
    EXPECT_TRUE(Client.Requests.isEmpty());
    EXPECT_TRUE(Engine.Log.Lines().isEmpty());
    EXPECT_TRUE(Window.Panels[3].isEmpty());

    // Answered: the trimmed password, the log line and the connect request.
    TScriptedPrompts prompts;
    prompts.Then(AnswerInput(" secret "));
    Engine.ConnectToSite();
    EXPECT_EQ(Client.PassWord(), "secret");
    EXPECT_EQ(Engine.Log.Lines(), QStringList{"! Connecting to host.example.org..."});
    EXPECT_EQ(Client.Requests, QStringList{"ConnectAsync"});
}

TEST_F(SiteConnection, ConnectToSiteAsksForAnUnsavedSocksPassword)
{
    TUploadProfileItem& profile = AddProfile("site");
    profile.SavePassword = true;
    profile.Password = PasswordToStore("pw");
    profile.Firewall = "wall";
    AddFirewall("wall", 2, false);
    ASSERT_TRUE(Engine.ApplySiteProfile(0));
    QStringList seen;
    TScriptedPrompts prompts;
    prompts.Then(AnswerInput("sockanswer", &seen));
    Engine.ConnectToSite();
    EXPECT_EQ(seen, (QStringList{"Password Required", "Please enter the login password for 'socks.example.org'"}));
    EXPECT_EQ(Client.SocksPassword(), "sockanswer");
    EXPECT_EQ(Client.Requests, QStringList{"ConnectAsync"});
}

TEST_F(SiteConnection, ConnectToSiteWithoutProfilesRunsTheWizard)
{
    Engine.ConnectToSite();
    EXPECT_EQ(Window.Actions, QStringList{"actHelpAccWizard"});
    EXPECT_TRUE(Client.Requests.isEmpty());
}

TEST_F(SiteConnection, RetryLoginAsksAgainAndResends)
{
    struct Case {
        TFtpRequest request;
        QString user; // the client's user name before
        QString panel;
        QString caption;
        QString prompt;
        QString resent;
    };
    const Case cases[] = {
        {ftpUserAsync, "bob", "Invalid Username for ftp.example.org", "Invalid Username",
         "Re-enter the login username for 'ftp.example.org'", "UserAsync"},
        {ftpPassAsync, "bob", "Invalid Password for ftp.example.org", "Invalid Password",
         "Re-enter the login password for user 'bob'", "PassAsync"},
        {ftpConnectAsync, "", "Invalid login information for ftp.example.org", "Invalid Username",
         "Re-enter the login username for 'ftp.example.org'", "UserAsync"},
        {ftpConnectAsync, "bob", "Invalid login information for ftp.example.org", "Invalid Password",
         "Re-enter the login password for user 'bob'", "UserAsync"},
    };
    TUploadProfileItem& profile = AddProfile("site");
    profile.SavePassword = true;
    Engine.State.CurrentSiteName = "site";
    Client.SetHostName("ftp.example.org");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt.toStdString());
        Client.SetUserName(c.user);
        Client.Requests.clear();
        Window.Panels[3].clear();
        QStringList seen;
        TScriptedPrompts prompts;
        prompts.Then(AnswerInput("answer", &seen));
        Engine.RetryLogin(c.request);
        EXPECT_EQ(Window.Panels[3], QStringList{c.panel});
        EXPECT_EQ(seen, (QStringList{c.caption, c.prompt}));
        EXPECT_EQ(Client.Requests, QStringList{c.resent});
        if (c.caption == "Invalid Username") {
            EXPECT_EQ(profile.Username, "answer");
        } else {
            EXPECT_EQ(Client.PassWord(), "answer");
            EXPECT_EQ(PasswordFromStore(profile.Password), "answer");
            EXPECT_NE(profile.Password, "answer");
        }
    }
}

TEST_F(SiteConnection, CancelledRetryLogsAndEndsTheSession)
{
    AddProfile("site");
    Engine.State.CurrentSiteName = "site";
    Engine.State.GetTransferQueue() = {{"/a", false}};
    TScriptedPrompts prompts;
    prompts.Then(AnswerInput(std::nullopt));
    Engine.RetryLogin(ftpPassAsync);
    const QString text = "PassAsync cancelled by user. Please Check you username and password settings for site.";
    EXPECT_EQ(Window.Panels[3].value(1), text);
    EXPECT_EQ(Engine.Log.Lines(), QStringList{"! " + text});
    EXPECT_TRUE(Client.Requests.contains("AbortAsync"));
    EXPECT_TRUE(Engine.State.GetTransferQueue().empty());
}

// The folder to change into once the pending site is listed (a bookmark's) survives the end of
// this session; any other follow-up, or one without a pending site, does not.
TEST_F(SiteConnection, SetOfflineClearsTheSessionButKeepsAPendingSitesFolder)
{
    Engine.State.CurrentSiteName = "site";
    Engine.State.CurrentRemoteFolder = "/pub/";
    Engine.State.PendingFolder = "/pub/docs/";
    Engine.State.AfterListingAction = ListingChangeFolder;
    Engine.State.MissingFolder = "/gone/";
    Engine.PendingSiteNode = "other";
    Engine.SetOffline();
    EXPECT_EQ(Window.OfflineShown, QStringList{"site"});
    EXPECT_EQ(Engine.State.CurrentRemoteFolder, "");
    EXPECT_EQ(Engine.State.AfterListingAction, ListingChangeFolder);
    EXPECT_EQ(Engine.State.MissingFolder, "");
    EXPECT_EQ(Engine.State.PendingFolder, "/pub/docs/");
    EXPECT_EQ(Window.CheckedServer, -1);
    EXPECT_EQ(Window.HistoryClears, 1);
    EXPECT_EQ(Window.SearchStops, 1);
    Engine.State.AfterListingAction = ListingZipFolder;
    Engine.SetOffline();
    EXPECT_EQ(Engine.State.AfterListingAction, 0);
    Engine.State.AfterListingAction = ListingChangeFolder;
    Engine.PendingSiteNode.clear();
    Engine.SetOffline();
    EXPECT_EQ(Engine.State.AfterListingAction, 0);
    EXPECT_EQ(Engine.State.PendingFolder, "");
}

} // namespace
