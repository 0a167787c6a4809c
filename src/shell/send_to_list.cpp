// The Send To list and ListFolderFiles.
#include "shell/send_to_list.h"

#include "shell/system_icons.h"

#include "platform/shellapi/special_folders.h"
#include "platform/system/files.h"
#include "platform/system/find_files.h"

#include <algorithm>

void ListFolderFiles(const QString& Mask, const QStringList& Folders, TSendToEntries& List)
{
    for (const QString& folder : Folders) {
        TSearchRec found;
        // Folders are asked for too, so that links to folders come; real folders are left out below.
        for (int error = FindFirst(folder + u'/' + Mask, faDirectory | faReadOnly | faArchive, found); error == 0;
             error = FindNext(found)) {
            const QString path = folder + u'/' + found.Name;
            if ((found.Attr & faDirectory) && !IsSymbolicLink(path))
                continue;
            List.push_back({found.Name, GetFileIconIndex(path, 0, 0)});
        }
        FindClose(found);
    }
    std::stable_sort(List.begin(), List.end(), [](const TSendToEntry& A, const TSendToEntry& B) {
        const int withoutCase = A.FileName.compare(B.FileName, Qt::CaseInsensitive);
        return withoutCase != 0 ? withoutCase < 0 : A.FileName < B.FileName;
    });
}

TSendToEntries& SendToList()
{
    static TSendToEntries list;
    return list;
}

void RebuildSendToList()
{
    TSendToEntries& list = SendToList();
    list.clear();
    const QString folder = win::SHGetSpecialFolderPath(win::CSIDL_SENDTO);
    if (!folder.isEmpty())
        ListFolderFiles(QStringLiteral("*"), {folder}, list);
}

QString SendToEntryText(const TSendToEntry& Entry)
{
    const qsizetype dot = Entry.FileName.lastIndexOf(u'.');
    return dot > 0 ? Entry.FileName.left(dot) : Entry.FileName;
}
