// GetTickCount and Sleep: the monotonic millisecond clock and a plain wait.
#pragma once

#include <cstdint>

namespace win {

// Milliseconds since an arbitrary start, from a monotonic clock; wraps after about 49.7 days.
std::uint32_t GetTickCount();
// Blocks the calling thread; never use it on the GUI thread to wait for an event.
void Sleep(std::uint32_t ms);

} // namespace win
