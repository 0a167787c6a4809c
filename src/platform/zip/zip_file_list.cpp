// ListZipFiles: a walk over raw names that never steps through a symbolic link.
#include "platform/zip/zip_file_list.h"

#include "platform/system/name_encoding.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class TWalk {
public:
    TWalk(const QString& Mask, bool Subfolders, bool PreservePaths)
        : everyFile_(Mask == "*.*" || Mask == "*" || Mask.isEmpty()), mask_(EncodeName(Mask)),
          subfolders_(Subfolders), preservePaths_(PreservePaths)
    {
    }

    // Lists the folder open at folderFd (which this call closes), whose path is folderPath and
    // whose entries are named below prefix.
    void Folder(int folderFd, const QByteArray& folderPath, const QByteArray& prefix)
    {
        DIR* dir = fdopendir(folderFd);
        if (!dir) {
            Fail(errno, folderPath);
            close(folderFd);
            return;
        }
        while (dirent* entry = readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            struct stat st {};
            if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno != ENOENT) // an entry removed meanwhile is simply not packed
                    Fail(errno, folderPath + "/" + name);
                continue;
            }
            const QByteArray path = folderPath + "/" + name;
            if (S_ISDIR(st.st_mode) && subfolders_) {
                const int childFd =
                    openat(dirfd(dir), entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (childFd < 0)
                    Fail(errno, path);
                else
                    Folder(childFd, path, prefix + name + "/");
            } else if (S_ISREG(st.st_mode) && Matches(name)) {
                listing_.Files.push_back({path, preservePaths_ ? prefix + name : name, qint64(st.st_size)});
            }
        }
        closedir(dir);
    }

    void Fail(int error, const QByteArray& path)
    {
        if (listing_.Errno == 0) {
            listing_.Errno = error;
            listing_.FailedPath = path;
        }
    }

    TZipFileListing Take()
    {
        std::sort(listing_.Files.begin(), listing_.Files.end(),
                  [](const TZipSourceFile& a, const TZipSourceFile& b) { return a.EntryName < b.EntryName; });
        return std::move(listing_);
    }

private:
    bool Matches(const QByteArray& name) const
    {
        return everyFile_ || fnmatch(mask_.constData(), name.constData(), FNM_PERIOD) == 0;
    }

    bool everyFile_;
    QByteArray mask_;
    bool subfolders_;
    bool preservePaths_;
    TZipFileListing listing_;
};

} // namespace

TZipFileListing ListZipFiles(const QString& BasePath, const QString& Mask, bool Subfolders,
                             bool PreservePaths)
{
    QByteArray base = EncodeName(BasePath);
    while (base.size() > 1 && base.endsWith('/'))
        base.chop(1);
    TWalk walk(Mask, Subfolders, PreservePaths);
    const int fd = open(base.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        walk.Fail(errno, base);
    else
        walk.Folder(fd, base == "/" ? QByteArray() : base, {});
    return walk.Take();
}
