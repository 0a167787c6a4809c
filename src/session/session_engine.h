// TSessionEngine: the main window's FTP session over one client: connecting and ending sessions.
#pragma once

#include "ftp/client/ftp_types.h"
#include "session/remote_list_model.h"
#include "session/session_log.h"
#include "session/session_state.h"

class ILocalPane;
class ISessionWindow;
class TFtpClient2;

// A dialogue line with the argument of a PASS command replaced by " (hidden)": the line is cut
// after the first "PASS", or after a command word that reads PASS in any case.
QString HidePassword(const QString& Line);

// True when the lower-cased extension of FileName (with its dot) is one of the settings'
// Extensions, the files the automatic transfer mode sends as ASCII.
bool IsAsciiExtension(const QString& FileName);
// The transfer type of LocalName by the settings' TransferMode: 0 ASCII, 1 binary, 2 automatic.
bool TransferIsBinary(const QString& LocalName);

// The default password of anonymous logins when the settings' e-mail address has no "@".
inline const QString DefaultAnonymousPassword = QStringLiteral("Wanderpost77@");
// The window's message that shows the socket error box (wParam the error).
constexpr unsigned WM_SOCKET_ERROR_BOX = 1024 + 39;
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

    // Downloads (Code 10) or uploads (Code 17) one file with the transfer type of its name; the
    // type is changed first when it differs, and the transfer resumes after the type reply.
    void TransferFile(const QString& LocalName, const QString& RemoteName, int Code);

    // True when the file Path (a remote path for Code 10, a local one for Code 17) may be
    // transferred: no overwrite prompt, a remembered "yes to all", nothing to replace, or the
    // user's yes; the answer is kept in ReplaceAnswer ("cancel" skips every later file).
    bool ConfirmOverwrite(const QString& Path, int Code);

    // The client's events (bound by BindClientEvents, or called by the window).
    void BindClientEvents();
    // At most once a second: the transfer window's texts and bars, cancels from it, the timer.
    void FtpClientProgress(qint64 Count, bool& Abort);
    void FtpClientFtpDisplayStatusEx(const QString& Text);
    // A refused login is asked again; any other error is logged and shown, and ends the session
    // unless it came from a folder, listing, transfer or file command.
    void FtpClientError(const QString& Text);
    // The engine has aborted the request that timed out; the text names what timed out.
    void FtpClientTimeOut();
    // The protocol dialogue into the log, the argument of a PASS command hidden.
    void FtpClientDisplay(QString& Text);
    void FtpClientStateChange();
    void FtpClientSessionConnected(int Error);
    void FtpClientSessionClosed(int Error);
    // Resets the progress counters before each request.
    void ResetProgressCounters();

    // The size of the file the running download fetches, noted when it starts.
    qint64 DownloadSize = 0;

    // The site chosen in the site tree while a session was still open; "" for none.
    QString PendingSiteNode;

    TFtpClient2& Client;
    TSessionState State;
    TSessionLog Log;
    TRemoteListModel RemoteList;

private:
    std::uint32_t nextProgressTick_ = 0;
    std::uint32_t transferStartTick_ = 0;
    qint64 lastProgressCount_ = 0;
    std::uint32_t sessionStartTick_ = 0;
    ISessionWindow& window_;
    ILocalPane& localPane_;
};
