// GetTickCount and Sleep.
#include "platform/system/tick_count.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace {

std::mutex ClockLock;
TTickCountFunction Clock;

std::uint32_t MonotonicTickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

} // namespace

TTickCountFunction SetTickCountFunction(TTickCountFunction NewClock)
{
    std::lock_guard lock(ClockLock);
    std::swap(Clock, NewClock);
    return NewClock;
}

namespace win {

std::uint32_t GetTickCount()
{
    TTickCountFunction clock;
    {
        std::lock_guard lock(ClockLock);
        clock = Clock;
    }
    return clock ? clock() : MonotonicTickCount();
}

void Sleep(std::uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace win
