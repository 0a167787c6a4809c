// Files and folders over stat, mkdir and unlink on the encoded names.
#include "platform/system/files.h"

#include "platform/system/name_encoding.h"

#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

bool Stat(const QString& name, struct stat& st)
{
    return !name.isEmpty() && ::stat(EncodeName(name).constData(), &st) == 0;
}

QString WorkingFolder()
{
    std::vector<char> buffer(4096);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return DecodeName(QByteArray(buffer.data()));
}

} // namespace

bool FileExists(const QString& FileName)
{
    struct stat st;
    return Stat(FileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const QString& Directory)
{
    struct stat st;
    return Stat(Directory, st) && S_ISDIR(st.st_mode);
}

bool CreateDir(const QString& Dir)
{
    return !Dir.isEmpty() && ::mkdir(EncodeName(Dir).constData(), 0777) == 0;
}

bool DeleteFile(const QString& FileName)
{
    return !FileName.isEmpty() && ::unlink(EncodeName(FileName).constData()) == 0;
}

std::int64_t FileSizeOf(const QString& FileName)
{
    struct stat st;
    if (!Stat(FileName, st))
        return -1;
    return S_ISDIR(st.st_mode) ? 0 : std::int64_t(st.st_size);
}

QString ExpandFileName(const QString& FileName)
{
    if (FileName.isEmpty())
        return {};
    QString path = FileName;
    if (!path.startsWith(u'/')) {
        const QString cwd = WorkingFolder();
        if (cwd.isEmpty())
            return FileName;
        path = cwd + u'/' + path;
    }
    QStringList parts;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QString result = u'/' + parts.join(u'/');
    if (FileName.endsWith(u'/') && !parts.isEmpty())
        result += u'/';
    return result;
}

bool IsSymbolicLink(const QString& Path)
{
    struct stat st;
    return ::lstat(EncodeName(Path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

namespace {

TRenameHooks Hooks;

// Renames without the kernel's no-replace flag: a file (anything but a folder) gets its new name
// as a second hard link, which never replaces, and then loses the old one; a folder is renamed
// once the name was found free (a folder appearing in between cannot be told apart here).
bool RenameWithoutNoReplaceFlag(const QByteArray& From, const QByteArray& To)
{
    struct stat st;
    if (::lstat(From.constData(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode)) {
        if (::link(From.constData(), To.constData()) != 0)
            return false;
        if (::unlink(From.constData()) == 0)
            return true;
        const int error = errno;
        ::unlink(To.constData());
        errno = error;
        return false;
    }
    if (::lstat(To.constData(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(From.constData(), To.constData()) == 0;
}

} // namespace

bool RenameToNewName(const QString& From, const QString& To)
{
    const QByteArray from = EncodeName(From);
    const QByteArray to = EncodeName(To);
    struct stat st;
    if (::lstat(to.constData(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    if (Hooks.BeforeRename)
        Hooks.BeforeRename(To);
    if (!Hooks.RefuseNoReplaceFlag) {
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno != EINVAL && errno != ENOSYS)
            return false;
    }
    return RenameWithoutNoReplaceFlag(from, to);
}

TRenameHooks SetRenameHooks(TRenameHooks Hooks_)
{
    return std::exchange(Hooks, std::move(Hooks_));
}
