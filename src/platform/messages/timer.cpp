// TTimer.
#include "platform/messages/timer.h"

#include "platform/rtl/events.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    window_ = win::AllocateHWnd([this](win::TMessage& message) {
        if (message.Msg == win::WM_TIMER)
            Fire(OnTimer, this);
    });
    UpdateTimer();
}

TTimer::~TTimer()
{
    win::DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool value)
{
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value)
{
    interval_ = value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    win::KillTimer(window_, 1);
    if (enabled_ && interval_ != 0)
        win::SetTimer(window_, 1, interval_);
}
