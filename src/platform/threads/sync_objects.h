// TEvent and TCriticalSection: the thread synchronisation objects workers share.
#pragma once

#include <condition_variable>
#include <mutex>

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// An event that is set and reset by hand or, with ManualReset false, reset by the wait it releases.
class TEvent {
public:
    explicit TEvent(bool ManualReset = true, bool InitialState = false)
        : manualReset_(ManualReset), signaled_(InitialState) {}

    void SetEvent();
    void ResetEvent();
    // Waits at most timeoutMs milliseconds; a negative timeout waits for ever.
    TWaitResult WaitFor(long timeoutMs = -1);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool manualReset_;
    bool signaled_;
};

// A lock the same thread may enter again, as a Windows critical section.
class TCriticalSection {
public:
    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }
    bool TryEnter() { return mutex_.try_lock(); }
    void Acquire() { Enter(); }
    void Release() { Leave(); }
    // For std::lock_guard.
    void lock() { Enter(); }
    void unlock() { Leave(); }

private:
    std::recursive_mutex mutex_;
};
