// Removing, copying and moving whole entries (files, folders with their content, symbolic links)
// for the shell's file operations. Symbolic links below the named entry are never followed.
#pragma once

#include <QString>

// Removes the entry Path and, for a folder, everything below it. A symbolic link (Path itself or
// one met below it) is removed as a link; what it points to is never touched. Returns 0 or the
// errno of the first failure (the rest then stays).
int RemoveTree(const QString& Path);
// Copies Source to Target, which must not exist: files with their mode and modification time,
// folders with their content, symbolic links as links. A file that fails half-way is removed.
// Returns 0 or the errno of the first failure.
int CopyTree(const QString& Source, const QString& Target);
// Moves Source to Target, which must not exist and is never replaced (EEXIST): a rename on one file
// system, else a copy and the removal of the source once the copy is complete (a failed copy is
// removed again). Returns 0 or the errno of the first failure.
int MoveTree(const QString& Source, const QString& Target);
// Puts Source in place of the existing Target, neither of them a folder: moved (Move) or copied.
// A copy is made under a new name beside Target first and takes Target's place only once complete,
// so a failure leaves Target as it was. Returns 0 or the errno of the first failure.
int ReplaceEntry(const QString& Source, const QString& Target, bool Move);

// What an entry is, its link not followed.
enum class TEntryKind { Missing, Folder, Other };
TEntryKind EntryKind(const QString& Path);
// True when A and B name the same entry (links not followed).
bool SameEntry(const QString& A, const QString& B);
// True when the existing entry Path is the folder Folder or lies below it (links in both paths
// resolved).
bool IsWithinFolder(const QString& Path, const QString& Folder);
// The names of the entries of Folder ("." and ".." left out), in byte order; FoldersToo false
// leaves folders out. Returns 0 or the errno of the failure to read the folder.
int FolderEntries(const QString& Folder, bool FoldersToo, QStringList& Names);
