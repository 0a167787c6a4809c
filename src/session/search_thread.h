// TSearchThread: the offline search, reading the cached listings of remote folders on a worker
// thread and handing the lines that hold a pattern to the search result list.
#pragma once

#include "ftp/listing/listing_format.h"
#include "platform/threads/thread.h"

#include <QString>
#include <map>

class TSearchResults;

// The thread reads its own copy of the listing cache (remote folder to cache file), taken when it
// is created, so the session may add or drop listings meanwhile; a cache file deleted since is
// skipped. Every step that touches the list (start, folder notice, hit, read error, finish) runs
// on the GUI thread and waits for it. Terminate stops it after the line it is testing; the finish
// step still runs. The owner keeps Results alive until the thread is gone. The search runs at a
// priority below normal, so the window stays quick while it reads.
class TSearchThread : public TThread {
public:
    // Searches every cached folder, in the order of their names.
    TSearchThread(bool CreateSuspended, int CaseIndex, const QString& Mask,
                  const std::map<QString, QString>& DirResultList, TSearchResults& Results);
    // Searches the cached listing of Folder only.
    TSearchThread(bool CreateSuspended, int CaseIndex, const QString& Folder, const QString& Mask,
                  const std::map<QString, QString>& DirResultList, TSearchResults& Results);
    ~TSearchThread() override;

protected:
    void Execute() override;

private:
    void SearchCacheFile(const QString& CacheFile, const QString& FolderName);

    const QString mask_;
    const int caseIndex_;
    std::map<QString, QString> cache_;
    TSearchResults& results_;
    // The format of the first listing of this search that could be judged; every later listing
    // is read in it.
    TListingFormat detectedFormat_ = lfUnknown;
};
