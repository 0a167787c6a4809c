// ListZipFiles: the plain files below a base folder that go into an archive, as raw names.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

struct TZipSourceFile {
    QByteArray Path;      // full path on disk, bytes as the file system holds them
    QByteArray EntryName; // name in the archive: relative to the base folder, parts joined by "/"
    qint64 Size = 0;
};

struct TZipFileListing {
    std::vector<TZipSourceFile> Files; // sorted by entry name
    int Errno = 0;                     // the first folder that could not be read, else 0
    QByteArray FailedPath;
};

// Walks BasePath for plain files whose names match Mask ("*.*" or "*" is every file, dot or not;
// otherwise a shell wildcard), into its subfolders when Subfolders is set. Symbolic links are
// neither followed nor listed, nor are devices, pipes or sockets. With PreservePaths false an
// entry is named by its file name alone.
TZipFileListing ListZipFiles(const QString& BasePath, const QString& Mask, bool Subfolders,
                             bool PreservePaths);
