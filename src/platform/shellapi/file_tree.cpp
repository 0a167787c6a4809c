// RemoveTree, CopyTree, MoveTree and the entry queries, over the POSIX calls relative to open
// folders so that no symbolic link below the named entry is ever followed.
#include "platform/shellapi/file_tree.h"

#include "platform/system/files.h"
#include "platform/system/name_encoding.h"

#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// An open file descriptor, closed when it goes.
class TFd {
public:
    explicit TFd(int Fd = -1) : fd_(Fd) {}
    TFd(TFd&& Other) noexcept : fd_(std::exchange(Other.fd_, -1)) {}
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }

private:
    int fd_;
};

bool IsDotName(const char* Name)
{
    return Name[0] == '.' && (Name[1] == 0 || (Name[1] == '.' && Name[2] == 0));
}

// The names in an open folder, read whole before anything in it changes. The descriptor stays open.
int ReadNames(int DirFd, std::vector<QByteArray>& Names)
{
    const int copy = ::dup(DirFd);
    if (copy < 0)
        return errno;
    DIR* dir = ::fdopendir(copy);
    if (!dir) {
        const int error = errno;
        ::close(copy);
        return error;
    }
    ::rewinddir(dir);
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsDotName(entry->d_name))
            Names.emplace_back(entry->d_name);
    }
    const int error = errno;
    ::closedir(dir);
    std::sort(Names.begin(), Names.end());
    return error;
}

// Opens the folder Name in DirFd. O_NOFOLLOW: an entry that was swapped for a link after it was
// looked at fails instead of being entered.
TFd OpenFolderAt(int DirFd, const char* Name)
{
    return TFd(::openat(DirFd, Name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// Runs Visit on each name in the open folder (all read first); returns the first error.
int ForEachName(int DirFd, const std::function<int(const char* Name)>& Visit)
{
    std::vector<QByteArray> names;
    if (const int error = ReadNames(DirFd, names))
        return error;
    for (const QByteArray& name : names) {
        if (const int error = Visit(name.constData()))
            return error;
    }
    return 0;
}

int RemoveAt(int DirFd, const char* Name)
{
    struct stat st;
    if (::fstatat(DirFd, Name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ::unlinkat(DirFd, Name, 0) == 0 ? 0 : errno;
    {
        const TFd dir = OpenFolderAt(DirFd, Name);
        if (!dir.Valid())
            return errno;
        if (const int error =
                ForEachName(dir.Get(), [&](const char* Entry) { return RemoveAt(dir.Get(), Entry); }))
            return error;
    }
    return ::unlinkat(DirFd, Name, AT_REMOVEDIR) == 0 ? 0 : errno;
}

int CopyFileData(int From, int To)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(From, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(To, buffer + done, size_t(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += put;
        }
    }
}

// Mode and times of the source onto the finished copy.
int KeepAttributes(int To, const struct stat& St)
{
    const timespec times[2] = {St.st_atim, St.st_mtim};
    if (::fchmod(To, St.st_mode & 07777) != 0 || ::futimens(To, times) != 0)
        return errno;
    return 0;
}

int CopyAt(int FromDir, const char* FromName, int ToDir, const char* ToName)
{
    struct stat st;
    if (::fstatat(FromDir, FromName, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (S_ISLNK(st.st_mode)) {
        std::vector<char> target(size_t(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        const ssize_t length = ::readlinkat(FromDir, FromName, target.data(), target.size() - 1);
        if (length < 0)
            return errno;
        target[size_t(length)] = 0;
        return ::symlinkat(target.data(), ToDir, ToName) == 0 ? 0 : errno;
    }
    if (S_ISDIR(st.st_mode)) {
        const TFd from = OpenFolderAt(FromDir, FromName);
        if (!from.Valid())
            return errno;
        if (::mkdirat(ToDir, ToName, 0700) != 0)
            return errno;
        const TFd to = OpenFolderAt(ToDir, ToName);
        if (!to.Valid())
            return errno;
        const int error = ForEachName(
            from.Get(), [&](const char* Entry) { return CopyAt(from.Get(), Entry, to.Get(), Entry); });
        return error ? error : KeepAttributes(to.Get(), st);
    }
    if (!S_ISREG(st.st_mode))
        return ENOTSUP; // devices, pipes and sockets are not copied
    TFd from(::openat(FromDir, FromName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!from.Valid())
        return errno;
    TFd to(::openat(ToDir, ToName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!to.Valid())
        return errno;
    int error = CopyFileData(from.Get(), to.Get());
    if (!error)
        error = KeepAttributes(to.Get(), st);
    if (error)
        ::unlinkat(ToDir, ToName, 0);
    return error;
}

} // namespace

int RemoveTree(const QString& Path)
{
    return RemoveAt(AT_FDCWD, EncodeName(Path).constData());
}

int CopyTree(const QString& Source, const QString& Target)
{
    return CopyAt(AT_FDCWD, EncodeName(Source).constData(), AT_FDCWD, EncodeName(Target).constData());
}

int MoveTree(const QString& Source, const QString& Target)
{
    if (RenameToNewName(Source, Target))
        return 0;
    if (errno != EXDEV)
        return errno;
    // A copy that failed part of the way goes again: the source is still whole.
    if (const int error = CopyTree(Source, Target)) {
        if (error != EEXIST)
            RemoveTree(Target);
        return error;
    }
    return RemoveTree(Source);
}

int ReplaceEntry(const QString& Source, const QString& Target, bool Move)
{
    const QByteArray source = EncodeName(Source);
    const QByteArray target = EncodeName(Target);
    // On one file system a move replaces the target in one step.
    if (Move && ::rename(source.constData(), target.constData()) == 0)
        return 0;
    if (Move && errno != EXDEV)
        return errno;
    const QString folder = Target.left(Target.lastIndexOf(QLatin1Char('/')) + 1);
    QByteArray copy;
    int error = EEXIST;
    for (int n = 1; error == EEXIST && n <= 100; ++n) {
        copy = EncodeName(folder + QStringLiteral(".~replace%1").arg(n));
        error = CopyAt(AT_FDCWD, source.constData(), AT_FDCWD, copy.constData());
    }
    if (error)
        return error;
    if (::rename(copy.constData(), target.constData()) != 0) {
        error = errno;
        ::unlink(copy.constData());
        return error;
    }
    return Move ? RemoveTree(Source) : 0;
}

TEntryKind EntryKind(const QString& Path)
{
    struct stat st;
    if (::lstat(EncodeName(Path).constData(), &st) != 0)
        return TEntryKind::Missing;
    return S_ISDIR(st.st_mode) ? TEntryKind::Folder : TEntryKind::Other;
}

bool SameEntry(const QString& A, const QString& B)
{
    struct stat a, b;
    return ::lstat(EncodeName(A).constData(), &a) == 0 && ::lstat(EncodeName(B).constData(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsWithinFolder(const QString& Path, const QString& Folder)
{
    char* folder = ::realpath(EncodeName(Folder).constData(), nullptr);
    char* path = ::realpath(EncodeName(Path).constData(), nullptr);
    bool inside = false;
    if (folder && path) {
        const QByteArray base = QByteArray(folder) + (QByteArray(folder).endsWith('/') ? "" : "/");
        inside = QByteArray(path) == QByteArray(folder) || QByteArray(path).startsWith(base);
    }
    std::free(folder);
    std::free(path);
    return inside;
}

int FolderEntries(const QString& Folder, bool FoldersToo, QStringList& Names)
{
    TFd dir(::open(EncodeName(Folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.Valid())
        return errno;
    return ForEachName(dir.Get(), [&](const char* Entry) {
        struct stat st;
        const bool folder = ::fstatat(dir.Get(), Entry, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        if (FoldersToo || !folder)
            Names += DecodeName(Entry);
        return 0;
    });
}
