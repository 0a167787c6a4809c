// The private temporary folder (checked with lstat on every call) and exclusive temporary files.
#include "platform/system/temp_files.h"

#include "platform/system/name_encoding.h"

#include <QMap>
#include <QtGlobal>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex TempLock;
TTempOwnerCheck OwnerCheck;             // guarded by TempLock
QMap<QByteArray, QByteArray> Fallbacks; // system temporary folder -> this run's own folder

bool IsOurs(unsigned uid)
{
    return OwnerCheck ? OwnerCheck(uid) : uid == ::geteuid();
}

QByteArray SystemTempFolder()
{
    QByteArray folder = qgetenv("TMPDIR");
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return folder.isEmpty() ? QByteArray("/tmp") : folder;
}

// A folder (not a link to one) of the running user, by the real owner test.
bool IsOwnFolder(const QByteArray& folder)
{
    struct stat st;
    return ::lstat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

std::atomic<unsigned> NextUnique{unsigned(::getpid()) ^ unsigned(std::time(nullptr))};

} // namespace

TTempOwnerCheck SetTempOwnerCheck(TTempOwnerCheck Check)
{
    std::lock_guard lock(TempLock);
    std::swap(OwnerCheck, Check);
    return Check;
}

namespace win {

QString GetTempPath()
{
    const QByteArray base = SystemTempFolder();
    const QByteArray shared = base + "/tarnwick-halyard-" + QByteArray::number(::geteuid());
    std::lock_guard lock(TempLock);
    ::mkdir(shared.constData(), 0700);
    struct stat st;
    // A folder others could write to may hold their files or links under names the program uses.
    if (::lstat(shared.constData(), &st) == 0 && S_ISDIR(st.st_mode) && IsOurs(st.st_uid) &&
        (st.st_mode & (S_IWGRP | S_IWOTH)) == 0) {
        if ((st.st_mode & 07777) != 0700)
            ::chmod(shared.constData(), 0700);
        return DecodeName(shared + '/');
    }
    QByteArray& fallback = Fallbacks[base];
    if (fallback.isEmpty() || !IsOwnFolder(fallback)) {
        QByteArray pattern = base + "/tarnwick-halyard-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            fallback.clear();
            return {};
        }
        fallback = pattern;
        qWarning("The temporary folder %s is not private to this user; using %s for this run.",
                 shared.constData(), fallback.constData());
    }
    return DecodeName(fallback + '/');
}

QString GetTempFileName(const QString& PathName, const QString& PrefixString)
{
    QString folder = PathName;
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    const QString prefix = folder + PrefixString.left(3);
    for (int attempt = 0; attempt < 0x10000; ++attempt) {
        const unsigned unique = NextUnique.fetch_add(1) & 0xFFFF;
        if (unique == 0)
            continue;
        const QString name = prefix + QString::number(unique, 16).toUpper() + QStringLiteral(".TMP");
        const int handle =
            ::open(EncodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (handle >= 0) {
            ::fchmod(handle, 0600);
            ::close(handle);
            return name;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

} // namespace win
