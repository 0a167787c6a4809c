// TSessionEngine: the main window's FTP session over one client: connecting and ending sessions.
#pragma once

#include "ftp/client/ftp_types.h"
#include "session/session_log.h"
#include "session/session_state.h"

class ILocalPane;
class ISessionWindow;
class TFtpClient2;

// The default password of anonymous logins when the settings' e-mail address has no "@".
inline const QString DefaultAnonymousPassword = QStringLiteral("Wanderpost77@");
// The window's message that closes it when a session has ended.
constexpr unsigned WM_CLOSE_AFTER_SESSION = 1024 + 92;

// Drives the client only through the request wrappers, its properties and its events; reaches
// the window through ISessionWindow and the local pane through ILocalPane. GUI thread only.
class TSessionEngine {
public:
    TSessionEngine(TFtpClient2& Client, ISessionWindow& Window, ILocalPane& LocalPane);

    // Copies the server profile at Index and its firewall onto the client, asking for a missing
    // password; false when there is no such profile or the password prompt was cancelled (the
    // other settings are copied all the same).
    bool ApplySiteProfile(int Index);
    // Asks for a missing host name, the password when the profile does not keep it and the SOCKS
    // password when the firewall does not keep it, then logs and starts the connect request.
    // Any cancel leaves the session offline without a message.
    void ConnectToSite();
    // A servers-menu item named Caption: while connected selects that site's node, else connects.
    void ServerMenuItemClick(const QString& Caption);
    // The offline state: session variables cleared, the log saved, the listing cache cleared.
    void SetOffline();
    // The clean-up after QUIT, a socket-level error or a cancelled login.
    void SessionEnded();
    // Asks again for the user name or password a refused request used and resends it; a cancel
    // logs the cancellation and ends the session.
    void RetryLogin(TFtpRequest RqType);

    // The site chosen in the site tree while a session was still open; "" for none.
    QString PendingSiteNode;

    TFtpClient2& Client;
    TSessionState State;
    TSessionLog Log;

private:
    ISessionWindow& window_;
    ILocalPane& localPane_;
};
