// TChangeHandlerThread: the worker that waits for name changes in a shell control's folders and
// posts a message to the control for each folder that changed.
#pragma once

#include "platform/messages/messages.h"
#include "platform/shellapi/dir_watch_set.h"
#include "platform/threads/sync_objects.h"
#include "platform/threads/thread.h"

#include <QString>
#include <mutex>
#include <vector>

// The control (GUI thread) hands commands to the worker through a wake and a done signal and
// waits for the answer at most HandshakeMs. Each watch takes one of SlotCount slots; a change in
// a watched folder posts (OwnerWindow, Message, slot, 0) once per batch of changes the worker
// reads. A watch whose folder went is reported once and its slot freed. Content changes are
// never reported (only names, per the filter). The owner frees the thread; freeing it ends the
// worker (waiting at most QuitWaitMs for it) and closes every watch.
class TChangeHandlerThread : public TThread {
public:
    static constexpr long HandshakeMs = 2000;
    static constexpr long QuitWaitMs = 30000;

    // Starts the worker. SlotCount is held to 1..DirWatchSet::MaxWatches.
    TChangeHandlerThread(win::HWND OwnerWindow, win::UINT Message, int SlotCount = DirWatchSet::MaxWatches);
    ~TChangeHandlerThread() override;

    // Watches Path for the changes NotifyFilter names (FILE_NOTIFY_CHANGE_FILE_NAME,
    // FILE_NOTIFY_CHANGE_DIR_NAME); Index receives the slot. False (Index -1) for an empty path,
    // a path that is no folder, no free slot, or no answer from the worker in time. Subfolders
    // cannot be watched with the folder: WatchSubtree watches the folder alone.
    bool AddWatch(const QString& Path, bool WatchSubtree, win::DWORD NotifyFilter, int& Index);
    // Ends every watch.
    void ClearWatches();

    int SlotCount() const { return int(slots_.size()); }

protected:
    void Execute() override;

private:
    enum TCommand : std::uint8_t { cmdAdd = 0, cmdClear = 2, cmdQuit = 3 };
    static constexpr int FreeSlot = -1;

    // Hands Command to the worker; false when it did not answer in time.
    bool Handshake(TCommand Command);
    // Worker: runs the command handed over; false for quit.
    bool RunCommand();
    // Worker: posts the changed watches and frees the slots of those that went.
    void PostChanges();
    // Ends the pending watch, if one is left; the caller holds mutex_.
    void ClosePending();

    DirWatchSet watches_;
    win::HWND ownerWindow_;
    win::UINT message_;
    TEvent done_{false, false};
    TEvent ended_{true, false};
    // Shared with the worker, handed over through the wake and done signals.
    std::mutex mutex_;
    TCommand command_ = cmdAdd;
    int pending_ = FreeSlot;            // watch opened by AddWatch, not yet in a slot
    int addedIndex_ = FreeSlot;         // slot the last add filled
    std::vector<int> slots_;            // slot -> watch of watches_, FreeSlot when free
};
