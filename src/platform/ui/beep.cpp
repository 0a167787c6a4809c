// MessageBeep through the installed sound.
#include "platform/ui/beep.h"

#include <utility>

namespace {

std::function<void()>& Sound()
{
    static std::function<void()> sound;
    return sound;
}

} // namespace

void MessageBeep()
{
    const std::function<void()> sound = Sound();
    if (sound)
        sound();
}

std::function<void()> SetMessageBeep(std::function<void()> Sound_)
{
    return std::exchange(Sound(), std::move(Sound_));
}
