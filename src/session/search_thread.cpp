// TSearchThread: reading the cached listings, detecting their format once, matching each line.
#include "session/search_thread.h"

#include "platform/rtl/exception.h"
#include "platform/rtl/string_list.h"
#include "session/search_results.h"

#include <QFileInfo>

TSearchThread::TSearchThread(bool CreateSuspended, int CaseIndex, const QString& Mask,
                             const std::map<QString, QString>& DirResultList, TSearchResults& Results)
    : TThread(true), mask_(Mask), caseIndex_(CaseIndex), cache_(DirResultList), results_(Results)
{
    SetPriority(tpLower);
    if (!CreateSuspended)
        Start();
}

TSearchThread::TSearchThread(bool CreateSuspended, int CaseIndex, const QString& Folder, const QString& Mask,
                             const std::map<QString, QString>& DirResultList, TSearchResults& Results)
    : TThread(true), mask_(Mask), caseIndex_(CaseIndex), results_(Results)
{
    if (const auto entry = DirResultList.find(Folder); entry != DirResultList.end())
        cache_.insert(*entry);
    SetPriority(tpLower);
    if (!CreateSuspended)
        Start();
}

TSearchThread::~TSearchThread()
{
    Terminate();
    WaitFor();
}

void TSearchThread::Execute()
{
    detectedFormat_ = lfUnknown;
    Synchronize([this] { results_.Start(mask_); });
    for (const auto& [folder, cacheFile] : cache_) {
        if (Terminated())
            break;
        SearchCacheFile(cacheFile, folder);
    }
    Synchronize([this] { results_.Finish(); });
}

void TSearchThread::SearchCacheFile(const QString& CacheFile, const QString& FolderName)
{
    if (!QFileInfo::exists(CacheFile))
        return;
    Synchronize([this, &FolderName] { results_.FolderNotice(FolderName); });
    TStringList lines;
    try {
        lines.LoadFromFile(CacheFile);
    } catch (const Exception& E) {
        Synchronize([this, &FolderName, &E] { results_.ReadFailed(FolderName, E.Message); });
        return;
    }
    if (detectedFormat_ == lfUnknown)
        detectedFormat_ = DetectListingFormat(lines);
    if (detectedFormat_ == lfUnknown)
        return;
    for (int i = 0; i < lines.Count() && !Terminated(); ++i) {
        const QString line = lines.Strings(i);
        if (SearchLineMatches(line, mask_, caseIndex_))
            Synchronize([this, &FolderName, &line] { results_.AddResult(detectedFormat_, FolderName, line); });
    }
}
