// TTarnwickFTPApp: the offline search of the cached listings and its result list.
#include "app/bottom_tabs/search_list_view.h"
#include "app/main_form.h"
#include "dialogs/search_dlg.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/ui/modal_results.h"
#include "session/session_engine.h"

void TTarnwickFTPApp::actToolbarRemoteSearchExecute()
{
    ShowInfoTab(InfoTabSearch);
    FocusPane(pkRemote);
    bool lookInAll = false;
    bool matchCase = false;
    QString text;
    if (TSearchDlgFrm::Execute(lookInAll, matchCase, text) != mrOk || text.isEmpty())
        return;
    StartSearch(text, lookInAll, matchCase);
}

void TTarnwickFTPApp::StartSearch(const QString& Mask, bool LookInAll, bool MatchCase)
{
    StopSearch();
    const std::map<QString, QString>& cache = engine_->State.GetDirResultList();
    const int caseIndex = MatchCase ? 1 : 0;
    if (LookInAll)
        searchThread_ = std::make_unique<TSearchThread>(true, caseIndex, Mask, cache, *searchResults_);
    else
        searchThread_ = std::make_unique<TSearchThread>(true, caseIndex, engine_->State.CurrentRemoteFolder,
                                                        Mask, cache, *searchResults_);
    searchThread_->Start();
}

void TTarnwickFTPApp::StopSearch()
{
    // The thread's destructor stops it and waits, running the steps it hands over meanwhile.
    searchThread_.reset();
}

void TTarnwickFTPApp::actViewSearchItemExecute()
{
    const TListItem* row = lvSearch->ItemFocused();
    if (row && row->ImageIndex() >= 0 && IsConnected())
        FtpChangeDir(*FtpClient_, row->SubItems().value(0));
}
