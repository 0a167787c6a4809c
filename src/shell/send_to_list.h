// The Send To list: the files of the program's Send To folder, sorted without case, each with its
// small system icon; one list for the whole process, rebuilt each time a Send To menu is built.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct TSendToEntry {
    QString FileName;   // the file's name in its folder
    int IconIndex = -1; // its small icon in the system image list; -1 when it has none
};

// The entries sorted by file name without case (then with case).
using TSendToEntries = std::vector<TSendToEntry>;

// Adds to List, for each folder of Folders, every entry matching Mask ("*" any run of characters,
// "?" any one) that is not a folder and not hidden, with its small icon. A link to a folder is a
// link, not a folder, and is listed. The list is sorted afterwards.
void ListFolderFiles(const QString& Mask, const QStringList& Folders, TSendToEntries& List);

// The process's Send To list (empty until built).
TSendToEntries& SendToList();
// Builds the Send To list again from the Send To folder.
void RebuildSendToList();

// The text of an entry's menu command: its file name without the extension.
QString SendToEntryText(const TSendToEntry& Entry);
