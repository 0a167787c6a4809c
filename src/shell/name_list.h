// The name lookup of a shell list's file filter: the upper-cased names of the files matching its
// masks.
#pragma once

#include <QString>

class TStringList;

// A sorted list that ignores duplicates.
TStringList* CreateNameList();
// Adds the upper-cased name of every file (folders left out, hidden files included) that the
// folder search finds for Mask (a folder and a name pattern, "/home/me/*.gif"). True also when
// nothing matches; false when the search fails otherwise (a missing or unreadable folder).
bool AddMatchingFiles(TStringList& List, const QString& Mask);
bool NameListContains(const TStringList& List, const QString& Name);
void FreeNameList(TStringList*& List);
