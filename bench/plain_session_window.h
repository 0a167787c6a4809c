// TPlainWindow: a main window for the session benchmarks that shows nothing; it counts the
// listings it was asked to show.
#pragma once

#include "session/session_window.h"

class TPlainWindow : public ISessionWindow {
public:
    TPlainWindow() : handle_(win::AllocateHWnd([](win::TMessage&) {})) {}
    ~TPlainWindow() override { win::DeallocateHWnd(handle_); }

    void SetStatusText(const QString&, int) override {}
    void ClearHistory() override {}
    void StopSearch() override {}
    int FileItemCount(bool) override { return 0; }
    void LogLineAdded(const QString&) override {}
    void LogLinesRemoved(int) override {}
    win::HWND Handle() override { return handle_; }
    void CheckServerMenuItem(int) override {}
    void ExecuteAction(const QString&) override {}
    bool SelectSiteNode(const QString&) override { return false; }
    void ShowOffline(const QString&) override {}
    void ShowListingAnimation(bool) override {}
    int RemoteItemCount() override { return 0; }
    void ShowConnected(const QString&, const QString&) override {}
    void AddHistoryFolder(const QString&) override {}
    void SetRemoteFolderCombo(const QString&) override {}
    void ShowRetrievingListing() override {}
    void RemoteListChanged() override {}
    void SyncRemoteTree(const QString&) override { ++Listings; }
    void RemoteFolderCreated(const QString&) override {}
    void RemoteItemRenamed(const QString&, const QString&) override {}
    void RemoteFolderRemoved(const QString&) override {}
    void OpenDownloadedFile(const QString&, const QString&) override {}

    int Listings = 0;

private:
    win::HWND handle_;
};
