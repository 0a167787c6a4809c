// Finding the rows of a shell list by the file names they show.
#pragma once

#include "shell/shell_list.h"

#include <QStringList>

// The file names of the rows, sorted.
inline QStringList Names(TPTCustomShellList& List)
{
    QStringList names;
    for (int index = 0; index < List.Count(); ++index)
        names.append(List.GetItemData(index)->GetFileName());
    names.sort();
    return names;
}

// The row showing Name; -1 when none does.
inline int RowOf(TPTCustomShellList& List, const QString& Name)
{
    for (int index = 0; index < List.Count(); ++index) {
        if (List.GetItemData(index)->GetFileName() == Name)
            return index;
    }
    return -1;
}
