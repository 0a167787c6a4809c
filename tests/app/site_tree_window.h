// TSiteTreeWindow: the main window as the site tree's tests need it: the session engine's calls
// that reach the tree go to it, the actions run are recorded, everything else is ignored.
#pragma once

#include "app/site_tree/site_tree.h"
#include "session/session_window.h"

#include <QStringList>

class TSiteTreeWindow : public ISessionWindow {
public:
    void SetStatusText(const QString&, int) override {}
    void ClearHistory() override {}
    void StopSearch() override {}
    int FileItemCount(bool) override { return 0; }
    void LogLineAdded(const QString&) override {}
    void LogLinesRemoved(int) override {}
    win::HWND Handle() override { return nullptr; }
    void CheckServerMenuItem(int Index) override { Tree->CheckServerMenuItem(Index); }
    void ExecuteAction(const QString& Name) override { Actions.append(Name); }
    bool SelectSiteNode(const QString& Name) override { return Tree->SelectSiteNode(Name); }
    void ShowOffline(const QString& SiteName) override { Tree->ResetSiteNode(SiteName); }
    void ShowListingAnimation(bool) override {}
    int RemoteItemCount() override { return 0; }
    void ShowConnected(const QString&, const QString&) override {}
    void AddHistoryFolder(const QString&) override {}
    void SetRemoteFolderCombo(const QString&) override {}
    void ShowRetrievingListing() override {}
    void RemoteListChanged() override {}
    void SyncRemoteTree(const QString&) override { Tree->SyncRemoteTree(); }
    void RemoteFolderCreated(const QString& Name) override { Tree->RemoteFolderCreated(Name); }
    void RemoteItemRenamed(const QString& OldName, const QString& NewName) override
    {
        Tree->RemoteItemRenamed(OldName, NewName);
    }
    void RemoteFolderRemoved(const QString& Path) override { Tree->RemoteFolderRemoved(Path); }
    void OpenDownloadedFile(const QString&, const QString&) override {}

    TSiteTree* Tree = nullptr;
    QStringList Actions;
};
