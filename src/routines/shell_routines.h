// Thin routines over the shell: opening a file with its program, copying, moving, deleting and
// renaming through the shell's file operation, emptying a folder, and special folders.
#pragma once

#include "platform/shellapi/file_operation.h"

#include <QString>

// Opens FileName with its associated program (or starts it when it is a program, with
// Parameters, which are passed as one argument when they hold a blank). True on success.
bool ShellOpenFile(const QString& FileName, const QString& Parameters);

// One shell file operation (FO_MOVE, FO_COPY, FO_DELETE or FO_RENAME) on comma-separated lists of
// names (so a name holding a comma cannot be given: use ShellFileOpList for such names). True
// when it succeeded and the user cancelled nothing; false for any other operation and for empty
// Sources, without touching anything.
bool ShellFileOp(const QString& Sources, const QString& Targets, int Operation, int Flags);
// The same on a list of sources taken literally.
bool ShellFileOpList(const QList<TFileOpSource>& Sources, const QString& Target, int Operation, int Flags);

// Deletes everything in the folder Folder (which stays): into the trash with ToRecycleBin (after
// asking), else at once without asking. False when the folder does not exist or a deletion failed.
bool DeleteFolderFiles(const QString& Folder, bool ToRecycleBin);

// The path of the special folder FolderId (0 is the desktop) with a trailing "/"; empty when it
// has none.
QString GetSpecialFolder(int FolderId);
