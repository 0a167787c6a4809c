// File and temporary-file routines.
#include "routines/file_routines.h"

#include "platform/rtl/file_names.h"
#include "platform/system/files.h"
#include "platform/system/find_files.h"
#include "platform/system/name_encoding.h"
#include "platform/system/temp_files.h"
#include "routines/path_routines.h"

#include <cerrno>
#include <cstdio>

QString GetTempFolder()
{
    return win::GetTempPath();
}

QString MakeTempFileName(const QString& Folder, const QString& Prefix)
{
    return win::GetTempFileName(Folder, Prefix);
}

QString MakeTempFileWithExt(const QString& Name, const QString& Extension, bool DeleteCreated)
{
    const QString extension =
        Extension.isEmpty() || Extension.startsWith(u'.') ? Extension : u'.' + Extension;
    // A kept file is moved to its new name; a name taken meanwhile makes another try.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString created = MakeTempFileName(GetTempFolder(), Name);
        if (created.isEmpty())
            return {};
        if (DeleteCreated)
            DeleteFile(created);
        if (extension.isEmpty())
            return created;
        const QString renamed = ChangeFileExt(created, extension);
        if (DeleteCreated || RenameToNewName(created, renamed))
            return renamed;
        const int error = errno;
        DeleteFile(created);
        if (error != EEXIST)
            return {};
    }
    return {};
}

std::int64_t FileSizeByName(const QString& Name)
{
    return std::max<std::int64_t>(FileSizeOf(Name), 0);
}

bool DeleteFileIfExists(const QString& Name)
{
    return FileExists(Name) && DeleteFile(Name);
}

bool FolderHasFiles(const QString& Folder, bool Recurse)
{
    QString folder = Folder;
    AddBackslashInPlace(folder);
    TSearchRec entry;
    bool found = false;
    for (int rc = FindFirst(folder + u'*', faAnyFile, entry); rc == 0 && !found; rc = FindNext(entry)) {
        if ((entry.Attr & faDirectory) != 0)
            found =
                Recurse && !IsSymbolicLink(folder + entry.Name) && FolderHasFiles(folder + entry.Name, true);
        else
            found = entry.Attr == faArchive;
    }
    FindClose(entry);
    return found;
}
