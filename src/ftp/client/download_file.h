// TDownloadFile: the local file a download writes, which keeps the user's old file whole until the
// download has succeeded.
#pragma once

#include <QString>

// A download that replaces a plain file writes into a new private file (mode 0600, created
// exclusively, never through a link) in the same folder, which Keep renames over the old file and
// Discard removes; the old file stays as it was until then. A resumed download (ResumeAt above 0)
// writes into the file in place, and Discard leaves what it wrote. A new file, or a name that is no
// plain file (a device, a fifo), is written in place; Discard removes a file the download created.
// A name that is a link to a plain file replaces the file the link leads to, as above; the link
// stays. A link that leads to nothing is replaced by the downloaded file, as a plain file is, and
// stays as it was on failure; nothing is created where it points.
// Failures raise EFCreateError, EFOpenError or EWriteError with a text that names the file and the
// system's reason ("Cannot write to file "...". No space left on device"); when no temporary file
// can be made beside the file to replace, the download fails at once (the old file is not written
// in place) with a text that names the folder.
class TDownloadFile {
public:
    TDownloadFile(const QString& FileName, qint64 ResumeAt);
    // Discards unless Keep ran.
    ~TDownloadFile();
    TDownloadFile(const TDownloadFile&) = delete;
    TDownloadFile& operator=(const TDownloadFile&) = delete;

    void Write(const char* Data, qint64 Count);
    // Closes the file; a close that fails (the last data could not be stored) raises EWriteError.
    void Close();
    // The download succeeded: the file is closed and a temporary file takes the old file's name
    // (and its permission bits).
    void Keep();
    // The download failed: see above.
    void Discard();

private:
    void Fail(const QString& Verb, int Error) const;
    void FailTemporary(const QString& Folder, int Error) const;

    QString fileName_;   // the name the user asked for
    QString targetName_; // the file replaced: fileName_, or the plain file a link of that name leads to
    QString writeName_;  // the file written: fileName_, or the temporary file beside it
    int handle_ = -1;
    bool created_ = false; // the download created writeName_ (a new file or the temporary one)
    unsigned oldMode_ = 0; // the permission bits of the file a temporary file replaces
    bool done_ = false;    // kept or discarded
};
