// DirWatchSet: change notification on a set of folders, waited on all at once by one thread.
//
// Each watch takes a numbered slot and reports the changes its filter names: with
// FILE_NOTIFY_CHANGE_FILE_NAME a file of the folder created, deleted or renamed, with
// FILE_NOTIFY_CHANGE_DIR_NAME the same for a subfolder. Content and attribute changes are never
// reported. A watched folder that is deleted, moved away or unmounted is reported once and its
// slot freed: such a watch cannot be set again on the same folder.
//
// A watcher thread calls Wait, which returns when a watch has something to report or when Wake
// was called (from any thread), and then Drain. Add, Remove, Clear, Drain and Wake may be called
// from any thread; Wait from one thread at a time.
#pragma once

#include "platform/messages/messages.h"

#include <QString>
#include <map>
#include <mutex>
#include <vector>

namespace win {

constexpr DWORD FILE_NOTIFY_CHANGE_FILE_NAME = 0x1;
constexpr DWORD FILE_NOTIFY_CHANGE_DIR_NAME = 0x2;

} // namespace win

class DirWatchSet {
public:
    // The number of slots: one thread waits on at most this many folders.
    static constexpr int MaxWatches = 63;

    // What Wait saw, a set of bits.
    enum TWaitResult { wtNothing = 0, wtChange = 1, wtWake = 2 };

    DirWatchSet();
    ~DirWatchSet();
    DirWatchSet(const DirWatchSet&) = delete;
    DirWatchSet& operator=(const DirWatchSet&) = delete;

    // Watches the folder Path (not below it) for the changes Filter names. Returns the slot, or -1
    // with errno set: ENOENT or ENOTDIR for no folder, EINVAL for an empty filter, ENOSPC when
    // the system's or this set's limit of watches is reached.
    int Add(const QString& Path, win::DWORD Filter);
    // Ends the watch in Slot (nothing for a free slot); its unreported changes are forgotten.
    void Remove(int Slot);
    // Ends every watch.
    void Clear();
    // True while Slot holds a watch.
    bool IsWatching(int Slot) const;

    // Waits at most TimeoutMs milliseconds (a negative time waits for ever) until a change comes
    // or Wake is called; returns what came (wtNothing after the time or on an error). A wake is
    // consumed by the Wait that reports it.
    int Wait(int TimeoutMs = -1);
    // Ends the running (or the next) Wait with wtWake.
    void Wake();
    // The slots whose watches reported a change since the last call, each once, in the order of
    // their first change. A slot whose folder went is among them and is free afterwards.
    std::vector<int> Drain();

private:
    struct TWatch {
        int Wd = -1;
        win::DWORD Filter = 0;
    };

    // Reads the waiting events into pending_; the caller holds mutex_.
    void ReadEvents();
    void Signal(int Slot);
    // The slots watching through Wd.
    std::vector<int> SlotsOf(int Wd) const;
    // Frees Slot; the watch descriptor ends when no other slot uses it (the system ended it
    // already when SystemEnded).
    void Free(int Slot, bool SystemEnded);

    int inotify_ = -1;
    int wake_ = -1;
    mutable std::mutex mutex_;
    std::map<int, TWatch> slots_; // slot -> watch
    std::vector<int> pending_;
};
