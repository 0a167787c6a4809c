// DirWatchSet over one inotify descriptor and an eventfd that wakes the waiting thread.
#include "platform/shellapi/dir_watch_set.h"

#include "platform/system/name_encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t NameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
// The watched folder itself went: deleted, moved away, or its file system unmounted.
constexpr std::uint32_t GoneEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED;

// Whether an event about an entry of the folder is one Filter asks for.
bool Wanted(std::uint32_t Mask, win::DWORD Filter)
{
    if (!(Mask & NameEvents))
        return false;
    return (Mask & IN_ISDIR) ? (Filter & win::FILE_NOTIFY_CHANGE_DIR_NAME)
                             : (Filter & win::FILE_NOTIFY_CHANGE_FILE_NAME);
}

} // namespace

DirWatchSet::DirWatchSet()
    : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), wake_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

DirWatchSet::~DirWatchSet()
{
    if (inotify_ >= 0)
        ::close(inotify_);
    if (wake_ >= 0)
        ::close(wake_);
}

int DirWatchSet::Add(const QString& Path, win::DWORD Filter)
{
    std::lock_guard lock(mutex_);
    if (inotify_ < 0 || wake_ < 0) {
        errno = EMFILE;
        return -1;
    }
    if (!(Filter & (win::FILE_NOTIFY_CHANGE_FILE_NAME | win::FILE_NOTIFY_CHANGE_DIR_NAME)) ||
        Path.isEmpty()) {
        errno = Path.isEmpty() ? ENOENT : EINVAL;
        return -1;
    }
    // A free slot that has nothing left to report (a freed one stays out until it was drained).
    int slot = 0;
    while (slot < MaxWatches && (slots_.count(slot) || std::count(pending_.begin(), pending_.end(), slot)))
        ++slot;
    if (slot == MaxWatches) {
        errno = ENOSPC;
        return -1;
    }
    const int wd = ::inotify_add_watch(inotify_, EncodeName(Path).constData(),
                                       NameEvents | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
    if (wd < 0)
        return -1;
    slots_[slot] = {wd, Filter};
    return slot;
}

void DirWatchSet::Free(int Slot, bool SystemEnded)
{
    const auto found = slots_.find(Slot);
    if (found == slots_.end())
        return;
    const int wd = found->second.Wd;
    slots_.erase(found);
    if (!SystemEnded && SlotsOf(wd).empty())
        ::inotify_rm_watch(inotify_, wd);
}

void DirWatchSet::Remove(int Slot)
{
    std::lock_guard lock(mutex_);
    // Events already read for it are dropped; those still unread find no slot.
    std::erase(pending_, Slot);
    Free(Slot, false);
}

void DirWatchSet::Clear()
{
    std::lock_guard lock(mutex_);
    pending_.clear();
    while (!slots_.empty())
        Free(slots_.begin()->first, false);
}

bool DirWatchSet::IsWatching(int Slot) const
{
    std::lock_guard lock(mutex_);
    return slots_.count(Slot) != 0;
}

std::vector<int> DirWatchSet::SlotsOf(int Wd) const
{
    std::vector<int> users;
    for (const auto& [slot, watch] : slots_) {
        if (watch.Wd == Wd)
            users.push_back(slot);
    }
    return users;
}

void DirWatchSet::Signal(int Slot)
{
    if (std::find(pending_.begin(), pending_.end(), Slot) == pending_.end())
        pending_.push_back(Slot);
}

void DirWatchSet::ReadEvents()
{
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t got = ::read(inotify_, buffer, sizeof buffer);
        if (got <= 0)
            return; // EAGAIN: nothing more waits
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                // Changes were lost: every watch may have missed one.
                for (const auto& [slot, watch] : slots_)
                    Signal(slot);
                continue;
            }
            for (const int slot : SlotsOf(event->wd)) {
                if (event->mask & GoneEvents) {
                    Signal(slot);
                    // A moved folder's watch would live on under its new name: end it too.
                    Free(slot, (event->mask & IN_IGNORED) != 0);
                } else if (Wanted(event->mask, slots_[slot].Filter)) {
                    Signal(slot);
                }
            }
        }
    }
}

int DirWatchSet::Wait(int TimeoutMs)
{
    pollfd fds[2] = {{inotify_, POLLIN, 0}, {wake_, POLLIN, 0}};
    if (inotify_ < 0 || wake_ < 0)
        return wtNothing;
    int ready;
    do
        ready = ::poll(fds, 2, TimeoutMs);
    while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return wtNothing;
    int result = wtNothing;
    if (fds[0].revents & POLLIN)
        result |= wtChange;
    if (fds[1].revents & POLLIN) {
        std::uint64_t count;
        if (::read(wake_, &count, sizeof count) == sizeof count)
            result |= wtWake;
    }
    return result;
}

void DirWatchSet::Wake()
{
    const std::uint64_t one = 1;
    if (wake_ >= 0 && ::write(wake_, &one, sizeof one) < 0) {
        // Only a counter at its limit refuses, and then a wake is pending anyway.
    }
}

std::vector<int> DirWatchSet::Drain()
{
    std::lock_guard lock(mutex_);
    if (inotify_ >= 0)
        ReadEvents();
    return std::exchange(pending_, {});
}
