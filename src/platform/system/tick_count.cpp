// GetTickCount and Sleep.
#include "platform/system/tick_count.h"

#include <chrono>
#include <thread>

namespace win {

std::uint32_t GetTickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void Sleep(std::uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace win
