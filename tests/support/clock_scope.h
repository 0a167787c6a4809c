// Tests that read the current date or time: a fixed clock for the scope's lifetime.
#pragma once

#include "platform/rtl/date_time.h"

class ClockScope {
public:
    explicit ClockScope(TDateTime now) : saved_(SetNowFunction([now] { return now; })) {}
    ~ClockScope() { SetNowFunction(saved_); }
    ClockScope(const ClockScope&) = delete;
    ClockScope& operator=(const ClockScope&) = delete;

private:
    TNowFunction saved_;
};
