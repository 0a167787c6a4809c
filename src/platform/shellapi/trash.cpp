// MoveToTrash.
#include "platform/shellapi/trash.h"

#include "platform/shellapi/file_tree.h"
#include "platform/shellapi/special_folders.h"
#include "platform/system/files.h"
#include "platform/system/name_encoding.h"

#include <QDateTime>
#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int MakeFolder(const QString& Folder)
{
    if (::mkdir(EncodeName(Folder).constData(), 0700) == 0 || errno == EEXIST)
        return 0;
    return errno;
}

// Creates "info/<name>.trashinfo" in the trash Trash for a name taken neither there (O_EXCL
// reserves it) nor in "files/" (which may hold entries whose record is gone); returns the name.
int ReserveName(const QString& Trash, const QString& Original, const QByteArray& Content, QString& Name)
{
    for (int n = 1;; ++n) {
        Name = n == 1 ? Original : QStringLiteral("%1.%2").arg(Original).arg(n);
        if (EntryKind(Trash + QStringLiteral("files/") + Name) != TEntryKind::Missing)
            continue;
        const QByteArray file =
            EncodeName(Trash + QStringLiteral("info/") + Name + QStringLiteral(".trashinfo"));
        const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return errno;
        }
        const bool written = ::write(fd, Content.constData(), size_t(Content.size())) == Content.size();
        const int error = written ? 0 : (errno ? errno : EIO);
        ::close(fd);
        if (error)
            ::unlink(file.constData());
        return error;
    }
}

} // namespace

int MoveToTrash(const QString& Path)
{
    const QString full = ExpandFileName(Path);
    QString name = full;
    while (name.endsWith(QLatin1Char('/')) && name.size() > 1)
        name.chop(1);
    const QString original = name;
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty())
        return EINVAL;
    if (EntryKind(original) == TEntryKind::Missing)
        return ENOENT;

    const QString data = win::UserDataFolder();
    const QString trash = data + QStringLiteral("/Trash/");
    QDir().mkpath(data);
    for (const QString& folder : {trash, trash + QStringLiteral("files/"), trash + QStringLiteral("info/")}) {
        if (const int error = MakeFolder(folder))
            return error;
    }
    // The path's bytes percent-encoded as in a URL; the time in local time without a zone.
    const QByteArray content =
        "[Trash Info]\nPath=" + EncodeName(original).toPercentEncoding("/") + "\nDeletionDate=" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1() + "\n";
    QString trashName;
    if (const int error = ReserveName(trash, name, content, trashName))
        return error;
    const QString trashed = trash + QStringLiteral("files/") + trashName;
    const int error = MoveTree(original, trashed);
    // The record stays with whatever arrived (a copy whose source could not all be removed).
    if (error && EntryKind(trashed) == TEntryKind::Missing)
        ::unlink(EncodeName(trash + QStringLiteral("info/") + trashName + QStringLiteral(".trashinfo"))
                     .constData());
    return error;
}
