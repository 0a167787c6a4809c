// Reading folders and entries with the POSIX calls on the names' bytes.
#include "platform/shellapi/file_entries.h"

#include "platform/shellapi/volumes.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How many entries HasSubfolder looks at before it answers "may have" unread.
constexpr int SubfolderProbeLimit = 1000;

std::int64_t Nanoseconds(const struct timespec& Time)
{
    return std::int64_t(Time.tv_sec) * 1000000000 + Time.tv_nsec;
}

// The item of Name read relative to the open folder DirFd.
int ReadItemAt(int DirFd, const QByteArray& Name, win::TShellItem& Item)
{
    struct stat own;
    if (::fstatat(DirFd, Name.constData(), &own, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    struct stat target = own;
    const bool link = S_ISLNK(own.st_mode);
    if (link && ::fstatat(DirFd, Name.constData(), &target, 0) != 0)
        target = own; // leads nowhere: the link itself, as a file
    const bool folder = S_ISDIR(target.st_mode);
    Item = win::TShellItem();
    Item.Kind = folder ? win::TShellItem::ikFolder : win::TShellItem::ikFile;
    Item.Name = Name;
    if (Name.startsWith('.'))
        Item.Flags |= win::ifHidden;
    if (link || (!folder && win::IsDesktopEntryName(Name)))
        Item.Flags |= win::ifLink;
    if (!(target.st_mode & S_IWUSR))
        Item.Flags |= win::ifReadOnly;
    if (S_ISREG(target.st_mode) && (target.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)))
        Item.Flags |= win::ifExecutable;
    Item.Size = folder ? 0 : std::uint64_t(std::max<off_t>(target.st_size, 0));
    Item.ModifiedNs = Nanoseconds(target.st_mtim);
    return 0;
}

struct TDirCloser {
    void operator()(DIR* Dir) const { ::closedir(Dir); }
};
using TDir = std::unique_ptr<DIR, TDirCloser>;

TDir OpenFolder(const QByteArray& Folder)
{
    return TDir(::opendir(Folder.constData()));
}

bool IsDotName(const char* Name)
{
    return Name[0] == '.' && (Name[1] == 0 || (Name[1] == '.' && Name[2] == 0));
}

} // namespace

QByteArray win::ChildPath(const QByteArray& Folder, const QByteArray& Name)
{
    return Folder.endsWith('/') ? Folder + Name : Folder + '/' + Name;
}

bool win::IsDesktopEntryName(const QByteArray& Name)
{
    return Name.size() > 8 && Name.endsWith(".desktop");
}

int win::ReadEntryItem(const QByteArray& Folder, const QByteArray& Name, TShellItem& Item)
{
    const int dir = ::open(Folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return errno;
    const int result = ReadItemAt(dir, Name, Item);
    ::close(dir);
    return result;
}

int win::ReadFolderItems(const QByteArray& Folder, QList<TShellItem>& Items)
{
    Items.clear();
    TDir dir = OpenFolder(Folder);
    if (!dir)
        return errno;
    QList<QByteArray> names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!IsDotName(entry->d_name))
            names.append(QByteArray(entry->d_name));
        errno = 0;
    }
    if (errno != 0)
        return errno;
    std::sort(names.begin(), names.end());
    for (const QByteArray& name : names) {
        TShellItem item;
        if (ReadItemAt(::dirfd(dir.get()), name, item) == 0)
            Items.append(item);
    }
    return 0;
}

bool win::HasSubfolder(const QByteArray& Folder)
{
    const TVolume volume = VolumeHolding(Folder);
    if (volume.Kind == vkNetwork || volume.FsType.startsWith("fuse"))
        return true;
    TDir dir = OpenFolder(Folder);
    if (!dir)
        return false;
    int seen = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (IsDotName(entry->d_name))
            continue;
        if (++seen > SubfolderProbeLimit)
            return true;
        if (entry->d_type == DT_DIR)
            return true;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat target;
            if (::fstatat(::dirfd(dir.get()), entry->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode))
                return true;
        }
    }
    return false;
}
