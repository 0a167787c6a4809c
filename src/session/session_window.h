// ISessionWindow: what the session engine needs of the main window, which implements it.
#pragma once

#include "platform/messages/messages.h"

#include <QString>

// The status bar's panels by number, the history list, the log list and the window's message
// target. Everything is called on the GUI thread.
class ISessionWindow {
public:
    virtual ~ISessionWindow() = default;

    // Sets the text of one status-bar panel (1 connection state, 2 activity, 3 the last step's
    // message) and repaints the bar at once.
    virtual void SetStatusText(const QString& Text, int Panel) = 0;
    // Empties the history list of the folders visited.
    virtual void ClearHistory() = 0;
    // Stops an offline search that still reads the cached listings and waits for it to end;
    // called before the cached listings are deleted.
    virtual void StopSearch() = 0;
    // The number of file entries (folders not counted) in the remote or the local list.
    virtual int FileItemCount(bool Remote) = 0;
    // The log list got Line at its end; the window shows it and scrolls to it.
    virtual void LogLineAdded(const QString& Line) = 0;
    // The first Count lines of the log list went away.
    virtual void LogLinesRemoved(int Count) = 0;
    // The target of the window's private messages (WM_USER + 31 and its kin).
    virtual win::HWND Handle() = 0;

    // Checks the servers-menu item of the profile at Index and makes it the default item; -1
    // unchecks every item and takes away the default mark.
    virtual void CheckServerMenuItem(int Index) = 0;
    // Runs the window's action Name ("actFtpConnect", "actHelpAccWizard", ...).
    virtual void ExecuteAction(const QString& Name) = 0;
    // Selects the site-tree node whose text equals Name ignoring case; false when there is none.
    // Selecting a site node ends the session and connects to that site.
    virtual bool SelectSiteNode(const QString& Name) = 0;
    // The offline look: progress window hidden, remote folder combo and remote list emptied, the
    // site tree shown at SiteName, the listing animation stopped, the window's caption the
    // application's title and the remote frame's caption "Offline".
    virtual void ShowOffline(const QString& SiteName) = 0;
    // Shows and starts, or stops and hides, the animation over the remote list.
    virtual void ShowListingAnimation(bool Show) = 0;
    // The number of rows of the remote list.
    virtual int RemoteItemCount() = 0;

    // A login has completed: the window's caption and the remote frame's caption become these.
    virtual void ShowConnected(const QString& WindowCaption, const QString& FrameCaption) = 0;
    // Folder (with a trailing "/") is the current remote folder: it becomes the first row of the
    // history list (an older row of it goes), selected and focused, with the current time.
    virtual void AddHistoryFolder(const QString& Folder) = 0;
    // The remote folder combo shows the components of Folder.
    virtual void SetRemoteFolderCombo(const QString& Folder) = 0;
    // The remote list shows its placeholder row and the animation while a listing is fetched.
    virtual void ShowRetrievingListing() = 0;
    // The remote list model was filled anew (or lost or renamed rows): the list shows its rows.
    virtual void RemoteListChanged() = 0;
    // The remote folder tree selects the node of Folder, adding the nodes that are missing.
    virtual void SyncRemoteTree(const QString& Folder) = 0;
    // The folder Name was made in the current remote folder: a child node of the current folder's
    // node when that node is selected.
    virtual void RemoteFolderCreated(const QString& Name) = 0;
    // The entry OldName of the current remote folder is now NewName ("../" stands for the
    // parent): the tree's node of a renamed folder follows.
    virtual void RemoteItemRenamed(const QString& OldName, const QString& NewName) = 0;
    // The remote folder Path (with a trailing "/") is gone: its tree node goes, and, when its
    // parent is the current folder, the parent's children are shown again.
    virtual void RemoteFolderRemoved(const QString& Path) = 0;
    // Opens a downloaded file (LocalName, fetched from RemoteName) in the image viewer or an
    // editor tab.
    virtual void OpenDownloadedFile(const QString& LocalName, const QString& RemoteName) = 0;
};
