// GetTickCount and Sleep: the monotonic millisecond clock and a plain wait.
#pragma once

#include <cstdint>
#include <functional>

namespace win {

// Milliseconds since an arbitrary start, from a monotonic clock unless a test replaced it; wraps
// after about 49.7 days.
std::uint32_t GetTickCount();
// Blocks the calling thread; never use it on the GUI thread to wait for an event.
void Sleep(std::uint32_t ms);

} // namespace win

// Replaces the clock GetTickCount reads; an empty function restores the monotonic clock. Returns
// the clock that was in use (empty for the monotonic clock).
using TTickCountFunction = std::function<std::uint32_t()>;
TTickCountFunction SetTickCountFunction(TTickCountFunction Clock);
