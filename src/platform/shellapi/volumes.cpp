// The process's volume list, its mountinfo watch and the device-change broadcast.
#include "platform/shellapi/volumes.h"

#include "platform/system/name_encoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace {

const QString DefaultMountInfo = QStringLiteral("/proc/self/mountinfo");
const QString DefaultSysBlock = QStringLiteral("/sys/block");

struct TVolumeState {
    std::mutex Mutex;
    QString MountInfo = DefaultMountInfo;
    QString SysBlock = DefaultSysBlock;
    bool Loaded = false;
    QList<win::TVolume> Volumes;
    QList<win::HWND> Targets;
    // The watch: the notifier polling the mount table's descriptor, once tried on the GUI thread.
    QPointer<QSocketNotifier> Watch;
    bool WatchTried = false;
};

TVolumeState& State()
{
    static TVolumeState* state = new TVolumeState; // used up to the very end of the process
    return *state;
}

QList<win::TVolume> ReadVolumes(const QString& MountInfo, const QString& SysBlock)
{
    QFile file(MountInfo);
    QByteArray text;
    if (file.open(QIODevice::ReadOnly))
        text = file.readAll();
    return win::ParseMountInfo(text, SysBlock);
}

bool OnGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void StopWatch(TVolumeState& S)
{
    if (S.Watch) {
        const int fd = int(S.Watch->socket());
        delete S.Watch.data();
        ::close(fd);
    }
}

// Watches the mount table file for POLLPRI: the kernel raises it on every change of the mounts.
void StartWatch(TVolumeState& S)
{
    StopWatch(S);
    if (!OnGuiThread())
        return;
    S.WatchTried = true;
    const int fd = ::open(EncodeName(S.MountInfo).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Exception, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { win::RereadVolumes(); });
    S.Watch = notifier;
}

// Loads the volumes when they were never read; the caller holds the mutex.
void EnsureLoaded(TVolumeState& S)
{
    if (S.Loaded)
        return;
    S.Volumes = ReadVolumes(S.MountInfo, S.SysBlock);
    S.Loaded = true;
}

bool Holds(const QByteArray& MountPath, const QByteArray& Path)
{
    return MountPath == "/" || Path == MountPath ||
           (Path.startsWith(MountPath) && Path[MountPath.size()] == '/');
}

} // namespace

QList<win::TVolume> win::CurrentVolumes()
{
    TVolumeState& s = State();
    QList<TVolume> volumes;
    bool watch;
    {
        std::lock_guard lock(s.Mutex);
        EnsureLoaded(s);
        volumes = s.Volumes;
        watch = !s.WatchTried;
    }
    if (watch)
        StartWatch(s);
    return volumes;
}

win::TVolume win::VolumeHolding(const QByteArray& Path)
{
    TVolume best{"/", {}, {}, vkRoot};
    for (const TVolume& volume : CurrentVolumes())
        if (Holds(volume.MountPath, Path) && volume.MountPath.size() >= best.MountPath.size())
            best = volume;
    return best;
}

void win::RereadVolumes()
{
    TVolumeState& s = State();
    QList<TVolume> gone, arrived;
    QList<HWND> targets;
    {
        std::lock_guard lock(s.Mutex);
        const QList<TVolume> old = s.Volumes;
        const bool wasLoaded = s.Loaded;
        s.Volumes = ReadVolumes(s.MountInfo, s.SysBlock);
        s.Loaded = true;
        if (wasLoaded) {
            for (const TVolume& v : old)
                if (!s.Volumes.contains(v))
                    gone.append(v);
            for (const TVolume& v : s.Volumes)
                if (!old.contains(v))
                    arrived.append(v);
        }
        targets = s.Targets;
    }
    const auto byPath = [](const TVolume& a, const TVolume& b) { return a.MountPath < b.MountPath; };
    std::sort(gone.begin(), gone.end(), byPath);
    std::sort(arrived.begin(), arrived.end(), byPath);
    // Sent as the system sends it; posted when read off the GUI thread, where sending is not allowed.
    const bool send = OnGuiThread();
    const auto broadcast = [&](WPARAM Event) {
        for (HWND target : targets) {
            if (!IsWindow(target))
                continue;
            if (send)
                SendMessage(target, WM_DEVICECHANGE, Event, 0);
            else
                PostMessage(target, WM_DEVICECHANGE, Event, 0);
        }
    };
    for (qsizetype i = 0; i < gone.size(); ++i)
        broadcast(DBT_DEVICEREMOVECOMPLETE);
    for (qsizetype i = 0; i < arrived.size(); ++i)
        broadcast(DBT_DEVICEARRIVAL);
}

void win::AddDeviceChangeTarget(HWND Target)
{
    CurrentVolumes(); // starts the watch
    TVolumeState& s = State();
    std::lock_guard lock(s.Mutex);
    if (!s.Targets.contains(Target))
        s.Targets.append(Target);
}

void win::RemoveDeviceChangeTarget(HWND Target)
{
    TVolumeState& s = State();
    std::lock_guard lock(s.Mutex);
    s.Targets.removeAll(Target);
}

void win::SetMountTableSources(const QString& MountInfo, const QString& SysBlock)
{
    TVolumeState& s = State();
    {
        std::lock_guard lock(s.Mutex);
        s.MountInfo = MountInfo.isEmpty() ? DefaultMountInfo : MountInfo;
        s.SysBlock = SysBlock.isEmpty() ? DefaultSysBlock : SysBlock;
        s.Volumes = ReadVolumes(s.MountInfo, s.SysBlock);
        s.Loaded = true;
    }
    StartWatch(s);
}
