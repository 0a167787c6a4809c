// WriteFileAtomically over a temporary file, fsync and rename.
#include "platform/system/atomic_file.h"

#include "platform/system/name_encoding.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

static int WriteAll(int fd, const QByteArray& Data)
{
    const char* p = Data.constData();
    qsizetype left = Data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += n;
        left -= n;
    }
    return 0;
}

// The folder part of a path ("." for none).
static QByteArray FolderOf(const QByteArray& Path)
{
    const qsizetype slash = Path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : Path.left(slash);
}

// Writes Data to a new file of mode Mode beside Target and renames it over Target.
static int ReplaceFile(const QByteArray& Target, const QByteArray& Data, mode_t Mode)
{
    const QByteArray& target = Target;
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = ::fchmod(fd, Mode) == 0 ? 0 : errno;
    if (error == 0)
        error = WriteAll(fd, Data);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.constData());
        return error;
    }
    const int dir = ::open(FolderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

int WriteFileAtomically(const QString& FileName, const QByteArray& Data)
{
    return ReplaceFile(EncodeName(FileName), Data, 0600);
}

int WriteDocumentAtomically(const QString& FileName, const QByteArray& Data)
{
    // Symbolic links are followed (a relative one from its own folder), a bounded number of times.
    QByteArray target = EncodeName(FileName);
    struct stat st;
    for (int links = 0; ::lstat(target.constData(), &st) == 0 && S_ISLNK(st.st_mode); ++links) {
        if (links == 40)
            return ELOOP;
        QByteArray link(qsizetype(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t length = ::readlink(target.constData(), link.data(), size_t(link.size()));
        if (length < 0)
            return errno;
        link.truncate(length);
        target = link.startsWith('/') ? link : FolderOf(target) + '/' + link;
    }
    mode_t mode = 0;
    if (::stat(target.constData(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ReplaceFile(target, Data, mode);
}
