// Local files and folders by name: existence, creation, deletion, size and full paths. Names are
// text passed through EncodeName, taken literally (no wildcards); symbolic links are followed.
#pragma once

#include <QString>
#include <cstdint>

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
// Renames From to To, which must not exist yet; false (errno EEXIST) when it does, or when the
// rename fails for another reason (errno tells).
bool RenameToNewName(const QString& From, const QString& To);
// FileName as a full path: a relative name is taken from the working folder, and "." and ".."
// parts and doubled "/" are resolved in the text (a trailing "/" stays). "" stays "".
QString ExpandFileName(const QString& FileName);
