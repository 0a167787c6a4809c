// THiveStore: the in-memory keys of a root, and the user's registry file with its lock and merge.
#include "platform/registry/hive_store.h"

#include "platform/registry/hive_file.h"
#include "platform/rtl/application.h"
#include "platform/rtl/exception.h"
#include "platform/system/atomic_file.h"
#include "platform/system/error_text.h"
#include "platform/system/name_encoding.h"

#include <QtGlobal>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace win;

namespace {

// "$XDG_CONFIG_HOME/tarnwick-halyard/registry.reg", read from the environment now.
QByteArray RegistryFile()
{
    QByteArray base = qgetenv("XDG_CONFIG_HOME");
    if (!base.startsWith('/'))
        base = qgetenv("HOME") + "/.config";
    return base + "/tarnwick-halyard/registry.reg";
}

// Makes the folders on the way to File, each new one private to the user.
void MakeFolders(const QByteArray& File)
{
    for (qsizetype slash = File.indexOf('/', 1); slash > 0; slash = File.indexOf('/', slash + 1))
        ::mkdir(File.left(slash).constData(), 0700);
}

// An exclusive lock on a lock file, held while the object lives (the system drops it when the
// process dies).
class TFileLock {
public:
    explicit TFileLock(const QByteArray& Name)
    {
        fd_ = ::open(Name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                error_ = errno;
                return;
            }
        }
    }
    ~TFileLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    int Error() const { return error_; }

private:
    int fd_ = -1;
    int error_ = 0;
};

} // namespace

THiveStore* THiveStore::ForRoot(HKEY Root)
{
    static THiveStore localMachine(false);
    if (Root == HKEY_CURRENT_USER)
        return &CurrentUser();
    if (Root == HKEY_LOCAL_MACHINE)
        return &localMachine;
    return nullptr;
}

THiveStore& THiveStore::CurrentUser()
{
    static THiveStore currentUser(true);
    return currentUser;
}

template <class Body> auto THiveStore::Locked(Body body)
{
    std::unique_lock lock(mutex_);
    EnsureLoaded();
    auto result = body();
    Unlock(lock);
    return result;
}

void THiveStore::Unlock(std::unique_lock<std::mutex>& Lock)
{
    const QString message = std::exchange(message_, {});
    Lock.unlock();
    if (!message.isEmpty())
        TApplication::ReportException(Exception(message));
}

void THiveStore::Tell(const QString& Message)
{
    message_ += (message_.isEmpty() ? QString() : QStringLiteral("\n")) + Message;
}

std::optional<QByteArray> THiveStore::ReadDisk(int& Error) const
{
    Error = 0;
    const int fd = ::open(EncodeName(fileName_).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            Error = errno;
        return std::nullopt;
    }
    struct stat info {};
    QByteArray content;
    if (::fstat(fd, &info) != 0) {
        Error = errno;
    } else if (S_ISDIR(info.st_mode)) {
        Error = EISDIR;
    } else {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                content.append(buffer, n);
            } else if (n == 0) {
                break;
            } else if (errno != EINTR) {
                Error = errno;
                break;
            }
        }
    }
    ::close(fd);
    if (Error != 0)
        return std::nullopt;
    return content;
}

void THiveStore::EnsureLoaded()
{
    if (loaded_ || !fileBacked_)
        return;
    loaded_ = true;
    fileName_ = DecodeName(RegistryFile());
    int error = 0;
    disk_ = ReadDisk(error);
    if (error != 0) {
        saving_ = false;
        Tell(QStringLiteral("The settings file \"%1\" cannot be read (%2). The program starts with default "
                            "settings and does not save them during this run.")
                 .arg(fileName_, SysErrorMessage(error)));
        return;
    }
    if (!disk_)
        return;
    try {
        SetRoot(ReadHiveText(*disk_));
        return;
    } catch (const EHiveFileError&) {
    }
    // Look again under the lock: another copy of the program may be replacing the file right now.
    const TFileLock lock(EncodeName(fileName_) + ".lock");
    disk_ = ReadDisk(error);
    if (lock.Error() != 0 || error != 0) {
        saving_ = false;
        Tell(QStringLiteral("The settings file \"%1\" is damaged and cannot be set aside (%2). The program "
                            "starts with default settings and does not save them during this run.")
                 .arg(fileName_, SysErrorMessage(error ? error : lock.Error())));
        return;
    }
    if (disk_)
        SetRoot(ParseOrSetAside(*disk_));
}

THiveKey THiveStore::ParseOrSetAside(const QByteArray& Content)
{
    try {
        return ReadHiveText(Content);
    } catch (const EHiveFileError& E) {
        const QByteArray file = EncodeName(fileName_);
        QByteArray backup = file + ".bad";
        struct stat info {};
        for (int n = 2; ::lstat(backup.constData(), &info) == 0; ++n)
            backup = file + ".bad" + QByteArray::number(n);
        if (::rename(file.constData(), backup.constData()) != 0) {
            const int error = errno;
            saving_ = false;
            Tell(QStringLiteral(
                     "The settings file \"%1\" is damaged (%2) and cannot be set aside (%3). The "
                     "program goes on with default settings and does not save them during this run.")
                     .arg(fileName_, E.Message, SysErrorMessage(error)));
            return THiveKey();
        }
        disk_.reset();
        Tell(
            QStringLiteral("The settings file \"%1\" is damaged (%2). It was kept as \"%3\", and the program "
                           "goes on with default settings.")
                .arg(fileName_, E.Message, DecodeName(backup)));
        return THiveKey();
    }
}

void THiveStore::Apply(THiveKey& Root, const TChange& Change)
{
    const QStringList path = SplitRegPath(Change.Path);
    switch (Change.Kind) {
    case TChange::CreateKey:
    case TChange::SetValue: {
        THiveKey* key = &Root;
        for (const QString& name : path)
            key = &key->AddSubKey(name);
        if (Change.Kind == TChange::SetValue)
            key->SetValue(Change.Name, Change.Type, Change.Data);
        break;
    }
    case TChange::DeleteValue:
        if (THiveKey* key = Root.Find(path))
            key->DeleteValue(Change.Name);
        break;
    case TChange::DeleteKey:
        if (THiveKey* parent = Root.Find(path.mid(0, path.size() - 1)))
            parent->DeleteSubKey(path.last());
        break;
    }
}

void THiveStore::Record(TChange Change, THiveKey* Key)
{
    if (Key && Change.Kind == TChange::SetValue)
        Key->SetValue(Change.Name, Change.Type, Change.Data);
    else if (Key && Change.Kind == TChange::DeleteValue)
        Key->DeleteValue(Change.Name);
    else
        Apply(root_, Change);
    if (Change.Kind == TChange::DeleteKey)
        found_ = nullptr;
    pending_.push_back(std::move(Change));
}

THiveKey* THiveStore::FindKey(const QString& Path)
{
    if (found_ && Path == foundPath_)
        return found_;
    THiveKey* key = root_.Find(SplitRegPath(Path));
    if (key) {
        foundPath_ = Path;
        found_ = key;
    }
    return key;
}

void THiveStore::Seed(THiveKey Root)
{
    std::lock_guard lock(mutex_);
    if (!fileBacked_)
        SetRoot(std::move(Root));
}

void THiveStore::SetRoot(THiveKey Root)
{
    root_ = std::move(Root);
    found_ = nullptr;
}

// Whether the keys of Path that do not exist yet may be created.
static bool CanCreate(THiveKey& Root, const QStringList& Path)
{
    if (Path.size() > MaxRegKeyDepth)
        return false;
    THiveKey* key = &Root;
    for (const QString& name : Path) {
        if (key)
            key = key->SubKey(name);
        if (!key && !IsValidRegKeyName(name))
            return false;
    }
    return true;
}

LONG THiveStore::OpenKey(const QString& Path, bool CanCreateKey)
{
    return Locked([&] {
        if (!FindKey(Path)) {
            if (!CanCreateKey)
                return ERROR_FILE_NOT_FOUND;
            if (!fileBacked_)
                return ERROR_ACCESS_DENIED;
            if (!CanCreate(root_, SplitRegPath(Path)))
                return ERROR_INVALID_PARAMETER;
            Record({TChange::CreateKey, Path, {}, REG_NONE, {}}, nullptr);
        }
        ++openKeys_;
        return ERROR_SUCCESS;
    });
}

void THiveStore::CloseKey()
{
    Locked([&] {
        if (openKeys_ > 0 && --openKeys_ == 0)
            WritePending();
        return 0;
    });
}

bool THiveStore::Read(const QString& Path, const std::function<void(const THiveKey& Key)>& Use)
{
    return Locked([&] {
        const THiveKey* key = FindKey(Path);
        if (key)
            Use(*key);
        return key != nullptr;
    });
}

LONG THiveStore::SetValue(const QString& Path, const QString& Name, DWORD Type, const QByteArray& Data)
{
    return Locked([&] {
        if (!fileBacked_)
            return ERROR_ACCESS_DENIED;
        THiveKey* key = FindKey(Path);
        if (!IsValidRegValueName(Name) || (!key && !CanCreate(root_, SplitRegPath(Path))))
            return ERROR_INVALID_PARAMETER;
        Record({TChange::SetValue, Path, Name, Type, Data}, key);
        return ERROR_SUCCESS;
    });
}

LONG THiveStore::DeleteValue(const QString& Path, const QString& Name)
{
    return Locked([&] {
        if (!fileBacked_)
            return ERROR_ACCESS_DENIED;
        THiveKey* key = FindKey(Path);
        if (!key || !key->Value(Name))
            return ERROR_FILE_NOT_FOUND;
        Record({TChange::DeleteValue, Path, Name, REG_NONE, {}}, key);
        return ERROR_SUCCESS;
    });
}

LONG THiveStore::DeleteKey(const QString& Path)
{
    return Locked([&] {
        if (!fileBacked_ || SplitRegPath(Path).isEmpty())
            return ERROR_ACCESS_DENIED;
        if (!FindKey(Path))
            return ERROR_FILE_NOT_FOUND;
        Record({TChange::DeleteKey, Path, {}, REG_NONE, {}}, nullptr);
        return ERROR_SUCCESS;
    });
}

bool THiveStore::WritePending()
{
    if (!fileBacked_ || pending_.empty())
        return true;
    if (!saving_) {
        pending_.clear();
        return true;
    }
    const QByteArray file = EncodeName(fileName_);
    MakeFolders(file);
    int error = 0;
    {
        const TFileLock lock(file + ".lock");
        error = lock.Error();
        std::optional<QByteArray> now;
        if (error == 0)
            now = ReadDisk(error);
        if (error == 0) {
            if (now != disk_) {
                // Another copy of the program wrote the file: replay this process's changes onto it.
                disk_ = now;
                THiveKey merged = now ? ParseOrSetAside(*now) : THiveKey();
                if (!saving_) {
                    pending_.clear();
                    return true;
                }
                for (const TChange& change : pending_)
                    Apply(merged, change);
                SetRoot(std::move(merged));
            }
            const QByteArray text = WriteHiveText(root_);
            if (disk_ != text)
                error = WriteFileAtomically(fileName_, text);
            if (error == 0) {
                disk_ = text;
                pending_.clear();
                return true;
            }
        }
    }
    qWarning("The settings could not be saved to %s: %s", file.constData(),
             qPrintable(SysErrorMessage(error)));
    if (!toldWriteFailure_) {
        toldWriteFailure_ = true;
        Tell(QStringLiteral("The settings could not be saved to \"%1\" (%2).")
                 .arg(fileName_, SysErrorMessage(error)));
    }
    return false;
}

bool THiveStore::Flush()
{
    return Locked([&] { return WritePending(); });
}

void THiveStore::Unload()
{
    std::unique_lock lock(mutex_);
    if (!fileBacked_)
        return;
    if (loaded_)
        WritePending();
    loaded_ = false;
    fileName_.clear();
    SetRoot(THiveKey());
    disk_.reset();
    pending_.clear();
    openKeys_ = 0;
    saving_ = true;
    toldWriteFailure_ = false;
    Unlock(lock);
}

QString THiveStore::FileName() const
{
    std::lock_guard lock(mutex_);
    return fileName_;
}
