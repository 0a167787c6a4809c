// Tests that read the tick count: a clock the test moves by hand for the scope's lifetime.
#pragma once

#include "platform/system/tick_count.h"

#include <atomic>

class TTickCountScope {
public:
    explicit TTickCountScope(std::uint32_t Start = 1000)
        : now_(Start), saved_(SetTickCountFunction([this] { return now_.load(); }))
    {
    }
    ~TTickCountScope() { SetTickCountFunction(saved_); }
    TTickCountScope(const TTickCountScope&) = delete;
    TTickCountScope& operator=(const TTickCountScope&) = delete;

    void Advance(std::uint32_t Ms) { now_ += Ms; }

private:
    std::atomic<std::uint32_t> now_;
    TTickCountFunction saved_;
};
