// TEvent.
#include "platform/threads/sync_objects.h"

#include <chrono>

void TEvent::SetEvent()
{
    {
        std::lock_guard lock(mutex_);
        signaled_ = true;
    }
    changed_.notify_all();
}

void TEvent::ResetEvent()
{
    std::lock_guard lock(mutex_);
    signaled_ = false;
}

TWaitResult TEvent::WaitFor(long timeoutMs)
{
    std::unique_lock lock(mutex_);
    if (timeoutMs < 0)
        changed_.wait(lock, [this] { return signaled_; });
    else if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return signaled_; }))
        return wrTimeout;
    if (!manualReset_)
        signaled_ = false;
    return wrSignaled;
}
