// TChangeHandlerThread over a DirWatchSet: the worker waits on the set and its wake signal.
#include "shell/change_handler_thread.h"

#include <algorithm>

TChangeHandlerThread::TChangeHandlerThread(win::HWND OwnerWindow, win::UINT Message, int SlotCount)
    : TThread(true), ownerWindow_(OwnerWindow), message_(Message),
      slots_(std::size_t(std::clamp(SlotCount, 1, DirWatchSet::MaxWatches)), FreeSlot)
{
    Start();
}

TChangeHandlerThread::~TChangeHandlerThread()
{
    {
        std::lock_guard lock(mutex_);
        command_ = cmdQuit;
    }
    watches_.Wake();
    ended_.WaitFor(QuitWaitMs);
    WaitFor();
    // The set closes its descriptors, and with them every watch, when it goes.
}

bool TChangeHandlerThread::Handshake(TCommand Command)
{
    {
        std::lock_guard lock(mutex_);
        command_ = Command;
    }
    done_.ResetEvent();
    watches_.Wake();
    return done_.WaitFor(HandshakeMs) == wrSignaled;
}

void TChangeHandlerThread::ClosePending()
{
    if (pending_ != FreeSlot)
        watches_.Remove(pending_);
    pending_ = FreeSlot;
}

bool TChangeHandlerThread::AddWatch(const QString& Path, bool /*WatchSubtree*/, win::DWORD NotifyFilter, int& Index)
{
    Index = FreeSlot;
    if (Path.isEmpty())
        return false;
    const int watch = watches_.Add(Path, NotifyFilter);
    if (watch < 0)
        return false;
    {
        // A watch left pending by an add that timed out goes before the new one is stored.
        std::lock_guard lock(mutex_);
        ClosePending();
        pending_ = watch;
    }
    if (!Handshake(cmdAdd))
        return false;
    std::lock_guard lock(mutex_);
    Index = addedIndex_;
    return Index != FreeSlot;
}

void TChangeHandlerThread::ClearWatches()
{
    Handshake(cmdClear);
}

bool TChangeHandlerThread::RunCommand()
{
    std::lock_guard lock(mutex_);
    switch (command_) {
    case cmdAdd: {
        const auto free = std::find(slots_.begin(), slots_.end(), FreeSlot);
        if (free == slots_.end()) {
            addedIndex_ = FreeSlot;
            ClosePending(); // no slot: the watch is not kept waiting
        } else {
            *free = pending_;
            addedIndex_ = int(free - slots_.begin());
            pending_ = FreeSlot;
        }
        break;
    }
    case cmdClear:
        watches_.Clear();
        std::fill(slots_.begin(), slots_.end(), FreeSlot);
        break;
    case cmdQuit:
        return false;
    }
    done_.SetEvent();
    return true;
}

void TChangeHandlerThread::PostChanges()
{
    const std::vector<int> changed = watches_.Drain();
    std::lock_guard lock(mutex_);
    for (const int watch : changed) {
        const auto slot = std::find(slots_.begin(), slots_.end(), watch);
        if (slot == slots_.end())
            continue;
        if (ownerWindow_)
            win::PostMessage(ownerWindow_, message_, win::WPARAM(slot - slots_.begin()), 0);
        if (!watches_.IsWatching(watch))
            *slot = FreeSlot; // the folder went: its watch cannot be set again
    }
}

void TChangeHandlerThread::Execute()
{
    for (;;) {
        const int seen = watches_.Wait();
        if (seen == DirWatchSet::wtNothing)
            break; // the set cannot wait (its descriptors failed)
        if (seen & DirWatchSet::wtChange)
            PostChanges();
        if ((seen & DirWatchSet::wtWake) && !RunCommand())
            break;
    }
    ended_.SetEvent();
}
