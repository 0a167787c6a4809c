// TDownloadFile.
#include "ftp/client/download_file.h"

#include "platform/rtl/file_names.h"
#include "platform/rtl/streams.h"
#include "platform/system/error_text.h"
#include "platform/system/name_encoding.h"
#include "platform/system/temp_files.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Native(const QString& Name)
{
    return EncodeName(Name);
}

// The permission bits a new file gets: 0666 less the umask.
unsigned NewFileMode()
{
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    return 0666 & ~Mask;
}

} // namespace

TDownloadFile::TDownloadFile(const QString& FileName, qint64 ResumeAt) : fileName_(FileName), writeName_(FileName)
{
    // A write beyond the process's file size limit fails with EFBIG instead of ending the program.
    static std::once_flag IgnoreFileSizeSignal;
    std::call_once(IgnoreFileSizeSignal, [] { std::signal(SIGXFSZ, SIG_IGN); });

    if (ResumeAt > 0) {
        handle_ = ::open(Native(fileName_).constData(), O_WRONLY | O_CLOEXEC);
        if (handle_ < 0)
            Fail(QStringLiteral("open"), errno);
        if (::lseek(handle_, off_t(ResumeAt), SEEK_SET) < 0) {
            const int Error = errno;
            ::close(handle_);
            handle_ = -1;
            Fail(QStringLiteral("open"), Error);
        }
        return;
    }
    // A link to a plain file: the file it leads to is replaced, the link stays. A link that leads
    // to nothing is itself replaced, so nothing is ever created where it points.
    targetName_ = fileName_;
    struct stat Old;
    const bool Present = ::lstat(Native(fileName_).constData(), &Old) == 0;
    const bool Link = Present && S_ISLNK(Old.st_mode);
    const bool LinkLeadsNowhere = Link && ::stat(Native(fileName_).constData(), &Old) != 0;
    if (Link && !LinkLeadsNowhere && S_ISREG(Old.st_mode)) {
        char* Real = ::realpath(Native(fileName_).constData(), nullptr);
        if (Real)
            targetName_ = DecodeName(QByteArray(Real));
        std::free(Real);
    }
    // Without a link, the first look at the name tells what is there (one look less for each file
    // of a queue).
    const bool Replaced = Link ? LinkLeadsNowhere ||
                                     (::lstat(Native(targetName_).constData(), &Old) == 0 && S_ISREG(Old.st_mode))
                               : Present && S_ISREG(Old.st_mode);
    if (Replaced) {
        const QString Folder = ExtractFilePath(targetName_);
        writeName_ = win::GetTempFileName(Folder.isEmpty() ? QStringLiteral("./") : Folder, QStringLiteral("HFT"));
        if (writeName_.isEmpty())
            FailTemporary(Folder, errno != 0 ? errno : EACCES);
        created_ = true;
        oldMode_ = LinkLeadsNowhere ? NewFileMode() : Old.st_mode & 07777;
        handle_ = ::open(Native(writeName_).constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    } else {
        // A new file is created exclusively, never through a link that appeared meanwhile; an
        // existing name here is no plain file (a device, a fifo, or a link to one).
        handle_ = ::open(Native(fileName_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        created_ = handle_ >= 0;
        if (handle_ < 0 && errno == EEXIST)
            handle_ = ::open(Native(fileName_).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    }
    if (handle_ < 0) {
        const int Error = errno;
        Discard();
        Fail(QStringLiteral("create"), Error);
    }
}

TDownloadFile::~TDownloadFile()
{
    if (!done_)
        Discard();
}

void TDownloadFile::Fail(const QString& Verb, int Error) const
{
    const QString Text = QStringLiteral("Cannot %1 file \"%2\". %3").arg(Verb, fileName_, SysErrorMessage(Error));
    if (Verb == QLatin1String("create"))
        throw EFCreateError(Text);
    if (Verb == QLatin1String("open"))
        throw EFOpenError(Text);
    throw EWriteError(Text);
}

void TDownloadFile::FailTemporary(const QString& Folder, int Error) const
{
    throw EFCreateError(QStringLiteral("Cannot create a temporary file in \"%1\" to receive \"%2\". %3")
                            .arg(Folder, fileName_, SysErrorMessage(Error)));
}

void TDownloadFile::Write(const char* Data, qint64 Count)
{
    while (Count > 0) {
        const ssize_t Written = ::write(handle_, Data, size_t(Count));
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            Fail(QStringLiteral("write to"), Written < 0 ? errno : ENOSPC);
        Data += Written;
        Count -= Written;
    }
}

void TDownloadFile::Close()
{
    if (handle_ < 0)
        return;
    const int Result = ::close(handle_);
    handle_ = -1;
    if (Result != 0 && errno != EINTR)
        Fail(QStringLiteral("write to"), errno);
}

void TDownloadFile::Keep()
{
    Close();
    done_ = true;
    if (writeName_ == fileName_)
        return;
    if (::chmod(Native(writeName_).constData(), oldMode_) != 0 ||
        ::rename(Native(writeName_).constData(), Native(targetName_).constData()) != 0) {
        const int Error = errno;
        ::unlink(Native(writeName_).constData());
        Fail(QStringLiteral("write to"), Error);
    }
}

void TDownloadFile::Discard()
{
    done_ = true;
    if (handle_ >= 0)
        ::close(handle_);
    handle_ = -1;
    if (created_)
        ::unlink(Native(writeName_).constData());
}
