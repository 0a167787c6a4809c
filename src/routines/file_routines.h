// File and temporary-file routines: sizes, deletion, plain files below a folder, unique temporary
// names in the program's temporary folder.
#pragma once

#include <QString>
#include <cstdint>

// The program's temporary folder with a trailing "/".
QString GetTempFolder();
// A unique new file in Folder, named after the first three characters of Prefix; the file is
// created empty. Empty text on failure.
QString MakeTempFileName(const QString& Folder, const QString& Prefix);
// MakeTempFileName in the temporary folder with Name as the prefix. With DeleteCreated the file is
// deleted again (the name is only reserved by its number). With an Extension ("." added when
// missing) the name takes that extension; a kept file is moved to that name, never over an
// existing file. Empty text on failure.
QString MakeTempFileWithExt(const QString& Name, const QString& Extension, bool DeleteCreated);

// The size of a file in bytes, 0 when it does not exist (or is a folder).
std::int64_t FileSizeByName(const QString& Name);
// Deletes the file when it exists; false when it does not exist or cannot be deleted.
bool DeleteFileIfExists(const QString& Name);
// True when Folder holds a plain file (a regular, writable file whose name does not start with
// "."); with Recurse also when one of its subfolders does, at any depth. Links to folders are not
// followed.
bool FolderHasFiles(const QString& Folder, bool Recurse);
