// TSessionEngine: the main window's FTP session over one client: connecting and ending sessions.
#pragma once

#include "ftp/client/ftp_types.h"
#include "platform/rtl/exception.h"
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
    // An exception in the client's background work: the user chooses whether the connection is
    // reset (CanClose, and the session ends).
    void FtpClientBgException(Exception& E, bool& CanClose);

    // The end of every request (Error 0, a reply code or a socket error): continues the login,
    // the folder change, the listing and the queue, and turns each failure into a status text,
    // a log line, a prompt or the end of the session.
    void FtpClientRequestDone(TFtpRequest RqType, int Error);
    // Lists CurrentRemoteFolder into a new listing cache file ("HFT" in the private temporary
    // folder); a file that cannot be made ends the listing display with a "* " log line.
    void ListCurrentFolder();

    // Builds and starts a download of List (else of the remote list's selection, or of all its
    // rows with AfterTransfer) into the local pane's folder, or into LocalTarget when given; folders
    // are fetched with all their contents after a question (none with NoConfirm). False when
    // nothing was queued or the question was not answered yes.
    bool DownloadSelection(const std::vector<TQueueEntry>* List, bool NoConfirm, bool AfterTransfer,
                           const QString& LocalTarget);
    // Builds and starts an upload of the local files and folders List (else the local pane's
    // selection) into the current remote folder.
    bool UploadSelection(const QStringList* List);
    // Deletes the queued remote entries (full paths, folders with their contents), once the
    // user has confirmed it.
    void DeleteQueued();
    // Local entries dropped on the remote list, on the row DropRow (-1: not on a row).
    void RemoteListDrop(int DropRow);

    // A new remote name for the remote list (Kind 0 file, 1 folder): false, after a message, when
    // it is empty, holds a forbidden character, or names an existing row.
    bool CheckNewName(QString& Name, int Kind, bool KeepBlanks);
    // The same for a folder node of the remote tree, whose siblings are named Siblings.
    static bool CheckNewTreeName(const QStringList& Siblings, QString& Name, bool KeepBlanks);
    // Asks for the name of a new remote folder; "" when cancelled or refused.
    QString PromptNewFolderName();

    // The size of the file the running download fetches, noted when it starts.
    qint64 DownloadSize = 0;

    // The site chosen in the site tree while a session was still open; "" for none.
    QString PendingSiteNode;

    TFtpClient2& Client;
    TSessionState State;
    TSessionLog Log;
    TRemoteListModel RemoteList;

private:
    void RequestSucceeded(TFtpRequest RqType);
    void RequestFailed(TFtpRequest RqType, int Error);
    void RequestRefused(TFtpRequest RqType);
    void ShowReplyText(TFtpRequest RqType, int Error);
    // Ends a queue that a failed request leaves without a next step.
    void EndStalledQueue();
    void AskAnotherFolderName();
    void LoginCompleted();
    void AfterCurrentFolderReply();
    void AfterSystemReply();
    void AfterPrintWorkingDir();
    void ListingFinished();
    void ResumeAfterTypeChange();
    void RenameCompleted();
    void StopRequestTimer();

    // The queue steps after each finished request: the finished entry leaves the queue and the
    // next request starts, or the queue is done.
    void DownloadCompleted();
    void UploadCompleted();
    void DeletionCompleted(bool Deleted, bool Folder);
    // Start the next request of the queue's current folder; false when nothing is left there.
    bool DownloadNextQueued();
    bool UploadNextQueued();
    bool DeleteNextQueued();
    // The next request of the queue, or the way back to the folder the recursion left; false
    // when the whole queue is done.
    bool ContinueQueue();
    // The end of a download (Kind 10), upload (17) or deletion (22) queue.
    void QueueDone(int Kind);
    // The local path for the remote name Name in the local pane's folder; "" (with a "* " log
    // line) when the name cannot be a local name there.
    QString LocalTargetFor(const QString& Name);
    // Asks whether folders are transferred with their contents (Local: an upload); true for yes.
    bool AskRecursion(bool Local);
    // The recursion's step once the folder it entered or came back to is listed.
    void RecursionAfterListing();
    // Enter the queue's front folder; false when it is skipped. A download stops the recursion
    // (and answers true) when the local folder cannot be made.
    bool EnterRemoteFolder(const TQueueEntry& Entry);
    bool EnterLocalFolder(const TQueueEntry& Entry);
    // Keeps the current folders and queue as a level to come back to and records RemoteFolder as
    // entered, with LocalFolder.
    void StartEntering(const QString& RemoteFolder, const QString& LocalFolder);
    // Back to the folder the recursion left for the current one, and on with its queue.
    void LeaveFolder();
    // The recursion refuses the folder it is entering: a "* " log line, and back to where it came from.
    void SkipEnteredFolder(const QString& Why);
    // The remote folder the recursion started in.
    QString BaseRemoteFolder();

    // The remote folder the recursion is changing into ("" when none), and whether the next
    // listing is of a folder it entered (else of one it came back to).
    QString enteringFolder_;
    bool enteredFolder_ = false;
    std::uint32_t nextProgressTick_ = 0;
    std::uint32_t transferStartTick_ = 0;
    qint64 lastProgressCount_ = 0;
    std::uint32_t sessionStartTick_ = 0;
    ISessionWindow& window_;
    ILocalPane& localPane_;
};
