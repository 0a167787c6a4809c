// WriteZipArchive: packs listed files into a new archive with libzip, reporting each file's
// reading to an observer that may cancel.
#pragma once

#include "platform/zip/zip_file_list.h"

#include <QString>

// Told, on the writing thread, how the reading of the files goes; asked between blocks whether to
// stop.
class TZipWriteObserver {
public:
    virtual ~TZipWriteObserver() = default;
    virtual void FileOpened(const TZipSourceFile& File) = 0;
    // Bytes of File read for the first time (a file read twice counts once).
    virtual void BytesRead(const TZipSourceFile& File, qint64 Count) = 0;
    virtual void FileClosed(const TZipSourceFile& File) = 0;
    virtual bool Cancelled() = 0;
};

struct TZipWriteResult {
    int Code = 0; // 0, or libzip's error number (ZIP_ER_CANCELLED when the observer stopped it)
    QString Text; // libzip's text of the error, with the system's reason when there is one
};

// Writes Files (deflated at level 6, their names' bytes as they stand, the UTF-8 flag set where a name is
// valid UTF-8) and Comment into ZipFilename. libzip writes beside ZipFilename under a temporary
// name and renames it over ZipFilename only when the archive is complete, so on any failure an
// earlier file of that name stays as it was. A symbolic link named ZipFilename is replaced, not
// followed. Each file is opened without following a link.
TZipWriteResult WriteZipArchive(const QString& ZipFilename, const std::vector<TZipSourceFile>& Files,
                                const QByteArray& Comment, TZipWriteObserver& Observer);
