// TRecordingWindow: a main window for the session engine's tests that records what it is told.
#pragma once

#include "session/session_window.h"

#include <QList>
#include <QStringList>
#include <vector>

class TRecordingWindow : public ISessionWindow {
public:
    TRecordingWindow();
    ~TRecordingWindow() override;

    void SetStatusText(const QString& Text, int Panel) override;
    void ClearHistory() override { ++HistoryClears; }
    void StopSearch() override { ++SearchStops; }
    int FileItemCount(bool Remote) override { return Remote ? RemoteFileCount : LocalFileCount; }
    void LogLineAdded(const QString& Line) override { LogLines.append(Line); }
    void LogLinesRemoved(int Count) override { LogLines.remove(0, Count); }
    win::HWND Handle() override { return handle_; }
    void CheckServerMenuItem(int Index) override { CheckedServer = Index; }
    void ExecuteAction(const QString& Name) override { Actions.append(Name); }
    bool SelectSiteNode(const QString& Name) override
    {
        SelectedSites.append(Name);
        return true;
    }
    void ShowOffline(const QString& SiteName) override { OfflineShown.append(SiteName); }
    int RemoteItemCount() override { return RemoteRows; }
    void ShowListingAnimation(bool Show) override { Animation.push_back(Show); }
    void ShowConnected(const QString& WindowCaption, const QString& FrameCaption) override
    {
        Captions << WindowCaption << FrameCaption;
    }
    void AddHistoryFolder(const QString& Folder) override { History.append(Folder); }
    void SetRemoteFolderCombo(const QString& Folder) override { ComboFolder = Folder; }
    void ShowRetrievingListing() override { ++ListingsShown; }
    void RemoteListChanged() override { ++RemoteListChanges; }
    void SyncRemoteTree(const QString& Folder) override { TreeFolder = Folder; }
    void RemoteFolderCreated(const QString& Name) override { Tree.append("created " + Name); }
    void RemoteItemRenamed(const QString& OldName, const QString& NewName) override
    {
        Tree.append("renamed " + OldName + " " + NewName);
    }
    void RemoteFolderRemoved(const QString& Path) override { Tree.append("removed " + Path); }
    void OpenDownloadedFile(const QString& LocalName, const QString& RemoteName) override
    {
        Opened << LocalName << RemoteName;
    }

    // The texts each panel was given, in order, by panel number 1 to 3.
    QStringList Panels[4];
    int HistoryClears = 0;
    int SearchStops = 0;
    int RemoteFileCount = 0;
    int LocalFileCount = 0;
    QStringList LogLines;
    int CheckedServer = -2;
    QStringList Actions;
    QStringList SelectedSites;
    QStringList OfflineShown;
    int RemoteRows = 0;
    std::vector<bool> Animation;
    QStringList Captions;
    // The folders added to the history list, in order.
    QStringList History;
    QString ComboFolder;
    int ListingsShown = 0;
    int RemoteListChanges = 0;
    QString TreeFolder;
    // What the remote folder tree was told: "created NAME", "renamed OLD NEW", "removed PATH".
    QStringList Tree;
    QStringList Opened;
    // The messages posted to the window, as they were delivered.
    std::vector<unsigned> Messages;

private:
    win::HWND handle_;
};
