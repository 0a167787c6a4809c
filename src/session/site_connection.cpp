// TSessionEngine: applying a server profile, connecting, retrying a login and ending a session.
#include "session/session_engine.h"

#include "dialogs/input_box.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/format.h"
#include "routines/password_scrambling.h"
#include "session/local_pane.h"
#include "session/session_window.h"
#include "settings/app_settings.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"

#include <QFileInfo>
#include <optional>

namespace {

TUploadProfileItem* ProfileAt(int Index)
{
    return static_cast<TUploadProfileItem*>(UploadProfiles()->Profiles()->GetItemSafe(Index));
}

int ProfileIndex(const QString& Name)
{
    return UploadProfiles()->IndexOfName(Name);
}

TFirewallItem* FirewallNamed(const QString& Name)
{
    return Name.isEmpty() ? nullptr : Firewalls()->FindFirewall(Name);
}

bool IsSocks(TFtpConnectionType Type)
{
    return Type == ftpSocks4 || Type == ftpSocks4A || Type == ftpSocks5;
}

// Asks through the input prompt (Hidden: with the typed characters hidden); the trimmed answer,
// none when cancelled.
std::optional<QString> AskTrimmed(bool Hidden, const QString& Caption, const QString& Prompt)
{
    QString answer;
    if (!(Hidden ? InputBoxPos2(Caption, Prompt, answer, -1) : InputBoxPos(Caption, Prompt, answer, -1)))
        return std::nullopt;
    return answer.trimmed();
}

// The prompts of a refused login; true when answered.
bool AskUserName(TFtpClient2& Client)
{
    QString answer = Client.UserName();
    if (!InputBoxPos(QStringLiteral("Invalid Username"),
                     Format(QStringLiteral("Re-enter the login username for '%s'"), {Client.HostName()}), answer, -1))
        return false;
    Client.SetUserName(answer);
    return true;
}

bool AskPassword(TFtpClient2& Client)
{
    QString answer;
    if (!InputBoxPos2(QStringLiteral("Invalid Password"),
                      Format(QStringLiteral("Re-enter the login password for user '%s'"), {Client.UserName()}),
                      answer, -1))
        return false;
    Client.SetPassWord(answer);
    return true;
}

} // namespace

TSessionEngine::TSessionEngine(TFtpClient2& AClient, ISessionWindow& Window, ILocalPane& LocalPane)
    : Client(AClient), State(Window), Log(Window), RemoteList(Window, Log), window_(Window), localPane_(LocalPane)
{
}

bool TSessionEngine::ApplySiteProfile(int Index)
{
    TUploadProfileItem* profile = ProfileAt(Index);
    if (!profile)
        return false;
    Client.SetPassWord({});
    Client.SetConnectionType(ftpDirect);
    Client.SetProxyServer({});
    Client.SetSocksPassword({});
    Client.SetSocksPort({});
    Client.SetSocksServer({});
    Client.SetSocksUserCode({});
    if (!profile->LocalDirName.isEmpty() && QFileInfo(profile->LocalDirName).isDir())
        localPane_.GoToFolder(profile->LocalDirName);
    Client.SetHostName(profile->HostName);
    Client.SetPort(profile->Port);
    Client.SetHostDirName(profile->HostDirName);
    if (profile->SavePassword)
        Client.SetPassWord(PasswordFromStore(profile->Password));
    if (profile->Anonymous) {
        Client.SetUserName(QStringLiteral("anonymous"));
        const QString email = AppSettings()->EmailAddress;
        Client.SetPassWord(email.contains(QLatin1Char('@')) ? email : DefaultAnonymousPassword);
    } else {
        Client.SetUserName(profile->Username);
    }
    bool result = true;
    if (Client.PassWord().isEmpty()) {
        QString answer;
        if (InputBoxPos2(QStringLiteral("Invalid Password"),
                         Format(QStringLiteral("Re-enter the login password for user '%s'"), {profile->Username}),
                         answer, -1)) {
            Client.SetPassWord(answer);
            if (profile->SavePassword)
                profile->Password = PasswordToStore(answer);
        } else {
            result = false;
        }
    }
    Client.SetPassive(profile->PassiveMode);
    Client.SetTimeout(profile->Timeout);
    Client.SetBinary(profile->TransferMode == 1);
    if (TFirewallItem* firewall = FirewallNamed(profile->Firewall);
        firewall && firewall->FirewallType >= 0 && firewall->FirewallType <= 3) {
        static const TFtpConnectionType types[] = {ftpProxy, ftpSocks4, ftpSocks4A, ftpSocks5};
        Client.SetConnectionType(types[firewall->FirewallType]);
        if (firewall->FirewallType == 0) {
            Client.SetProxyServer(firewall->ProxyServer);
        } else {
            if (firewall->SavePassword)
                Client.SetSocksPassword(PasswordFromStore(firewall->SocksPassword));
            Client.SetSocksPort(firewall->SocksPort);
            Client.SetSocksServer(firewall->SocksServer);
            Client.SetSocksUserCode(firewall->SocksUserCode);
        }
    }
    if (result) {
        State.CurrentSiteName = profile->ItemName;
        window_.CheckServerMenuItem(Index);
    }
    return result;
}

void TSessionEngine::ConnectToSite()
{
    PendingSiteNode.clear();
    if (UploadProfiles()->Profiles()->Count() == 0) {
        window_.ExecuteAction(QStringLiteral("actHelpAccWizard"));
        return;
    }
    TUploadProfileItem* profile = ProfileAt(ProfileIndex(State.CurrentSiteName));
    if (Client.HostName().trimmed().isEmpty()) {
        const auto host = AskTrimmed(false, QStringLiteral("Invalid Hostname"),
                                     QStringLiteral("Please enter the name or address of the host to connect to "
                                                    "(for example ftp.example.com)."));
        if (!host)
            return;
        Client.SetHostName(*host);
        if (profile)
            profile->HostName = *host;
    }
    if (profile && !profile->SavePassword) {
        const auto password = AskTrimmed(true, QStringLiteral("Password Required"),
                                         Format(QStringLiteral("Please enter the login password for '%s'"), {Client.UserName()}));
        if (!password)
            return;
        Client.SetPassWord(*password);
    }
    if (IsSocks(Client.ConnectionType())) {
        TFirewallItem* firewall = profile ? FirewallNamed(profile->Firewall) : nullptr;
        if (firewall && !firewall->SavePassword) {
            const auto password = AskTrimmed(false, QStringLiteral("Password Required"),
                                             Format(QStringLiteral("Please enter the login password for '%s'"), {Client.SocksServer()}));
            if (!password)
                return;
            Client.SetSocksPassword(*password);
        }
    }
    Log.AddLogLine(QStringLiteral("! Connecting to ") + Client.HostName() + QStringLiteral("..."));
    FtpConnect(Client);
}

void TSessionEngine::ServerMenuItemClick(const QString& Caption)
{
    if (Client.Connected()) {
        window_.SelectSiteNode(Caption);
        return;
    }
    State.CurrentSiteName = Caption;
    if (ApplySiteProfile(ProfileIndex(Caption)))
        ConnectToSite();
    else
        window_.ExecuteAction(QStringLiteral("actFtpConnect"));
}

void TSessionEngine::SetOffline()
{
    window_.ShowOffline(State.CurrentSiteName);
    State.CurrentRemoteFolder.clear();
    State.OpenAfterDownload = false;
    State.Recursing = false;
    State.AfterTransferPending = false;
    State.PendingRecursionRequest = 0;
    State.RecursionBaseFolder.clear();
    State.MissingFolder.clear();
    // A site chosen while this session ran is connected to next: the folder to change into once
    // its first listing is in (a bookmark's) outlives this session.
    if (PendingSiteNode.isEmpty() || State.AfterListingAction != ListingChangeFolder)
        State.AfterListingAction = 0;
    State.AfterRequestAction = 0;
    if (PendingSiteNode.isEmpty())
        State.PendingFolder.clear();
    Log.SaveLogFile(false);
    State.ClearListingCache();
    window_.CheckServerMenuItem(-1);
}

void TSessionEngine::SessionEnded()
{
    if (Client.StatusCode() == 221)
        State.SetStatusText(Format(QStringLiteral("Disconnected from %s"), {Client.HostName()}), 3);
    if (window_.RemoteItemCount() > 0)
        SetOffline();
    State.ResetTransferQueue(true, false);
    FtpAbort(Client);
    if (Client.Tag == TagCloseWindow) {
        win::PostMessage(window_.Handle(), WM_CLOSE_AFTER_SESSION, 0, 0);
    } else if (!PendingSiteNode.isEmpty()) {
        const QString site = PendingSiteNode;
        PendingSiteNode.clear();
        window_.SelectSiteNode(site);
    }
}

void TSessionEngine::RetryLogin(TFtpRequest RqType)
{
    Client.RequestTimer()->SetEnabled(false);
    State.PlayEventSound(SoundError);
    bool answered = false;
    if (RqType == ftpUserAsync) {
        State.SetStatusText(Format(QStringLiteral("%s for %s"), {QStringLiteral("Invalid Username"), Client.HostName()}), 3);
        answered = AskUserName(Client);
    } else if (RqType == ftpPassAsync) {
        State.SetStatusText(Format(QStringLiteral("%s for %s"), {QStringLiteral("Invalid Password"), Client.HostName()}), 3);
        answered = AskPassword(Client);
    } else if (RqType == ftpConnectAsync) {
        State.SetStatusText(Format(QStringLiteral("Invalid login information for %s"), {Client.HostName()}), 3);
        answered = Client.UserName().isEmpty() ? AskUserName(Client) : AskPassword(Client);
    }
    if (answered) {
        if (TUploadProfileItem* profile = ProfileAt(ProfileIndex(State.CurrentSiteName))) {
            if (!profile->Anonymous)
                profile->Username = Client.UserName();
            if (profile->SavePassword)
                profile->Password = PasswordToStore(Client.PassWord());
        }
        if (RqType == ftpPassAsync)
            FtpSendPassword(Client);
        else
            FtpSendUser(Client);
        return;
    }
    const QString text =
        Format(QStringLiteral("%s cancelled by user. Please Check you username and password settings for %s."),
               {FtpRequestName(RqType), State.CurrentSiteName});
    State.SetStatusText(text, 3);
    Log.AddLogLine(QStringLiteral("! ") + text);
    SessionEnded();
}
