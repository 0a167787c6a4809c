// Local files and folders by name: existence, creation, deletion, size and full paths. Names are
// text passed through EncodeName, taken literally (no wildcards); symbolic links are followed.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

// True when FileName names something that exists and is not a folder.
bool FileExists(const QString& FileName);
bool DirectoryExists(const QString& Directory);
// Creates one folder (its parent must exist); false when it cannot, also when it exists already.
bool CreateDir(const QString& Dir);
// Deletes a file (never a folder); false when it cannot.
bool DeleteFile(const QString& FileName);
// The size in bytes of the file FileName; 0 for a folder; -1 when nothing of that name exists.
std::int64_t FileSizeOf(const QString& FileName);
// True when Path is a symbolic link itself (the link is not followed).
bool IsSymbolicLink(const QString& Path);
// Renames From to To, which must not exist yet; false (errno EEXIST) when it does, also when it
// appears while the rename runs, or when the rename fails for another reason (errno tells). Where
// a file system refuses the kernel's no-replace rename, a file is renamed by a new hard link and
// the removal of the old one, a folder after a check that the name is free.
bool RenameToNewName(const QString& From, const QString& To);
// What tests put into RenameToNewName: a call after the new name was found free and before the
// rename, and a file system that refuses the no-replace rename.
struct TRenameHooks {
    std::function<void(const QString& To)> BeforeRename;
    bool RefuseNoReplaceFlag = false;
};
// Installs Hooks (empty ones for none) and returns those installed before.
TRenameHooks SetRenameHooks(TRenameHooks Hooks);
// FileName as a full path: a relative name is taken from the working folder, and "." and ".."
// parts and doubled "/" are resolved in the text (a trailing "/" stays). "" stays "".
QString ExpandFileName(const QString& FileName);
