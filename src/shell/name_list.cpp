// The file filter's name list over the folder search.
#include "shell/name_list.h"

#include "platform/rtl/string_list.h"
#include "platform/system/find_files.h"

TStringList* CreateNameList()
{
    auto* list = new TStringList;
    list->SetSorted(true);
    list->Duplicates = dupIgnore;
    return list;
}

bool AddMatchingFiles(TStringList& List, const QString& Mask)
{
    TSearchRec found;
    int result = FindFirst(Mask, faAnyFile & ~faDirectory, found);
    const bool nothing = result == win::ERROR_FILE_NOT_FOUND;
    while (result == 0) {
        if (!(found.Attr & faDirectory))
            List.Add(found.Name.toUpper());
        result = FindNext(found);
    }
    FindClose(found);
    return nothing || result == win::ERROR_NO_MORE_FILES;
}

bool NameListContains(const TStringList& List, const QString& Name)
{
    int index;
    return List.Find(Name.toUpper(), index);
}

void FreeNameList(TStringList*& List)
{
    delete List;
    List = nullptr;
}
