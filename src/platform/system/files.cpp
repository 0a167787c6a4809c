// Files and folders over stat, mkdir and unlink on the encoded names.
#include "platform/system/files.h"

#include "platform/system/name_encoding.h"

#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

bool RenameToNewName(const QString& From, const QString& To)
{
    return ::renameat2(AT_FDCWD, EncodeName(From).constData(), AT_FDCWD, EncodeName(To).constData(),
                       RENAME_NOREPLACE) == 0;
}
