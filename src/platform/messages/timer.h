// TTimer: a repeating timer component that fires OnTimer through the message queue.
#pragma once

#include "platform/messages/messages.h"
#include "platform/rtl/object.h"

#include <QObject>
#include <functional>

class TTimer : public QObject, public TComponent {
    Q_OBJECT
public:
    // Starts enabled with a period of one second.
    explicit TTimer(TComponent* AOwner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Period in milliseconds; 0 never fires. Setting it restarts the period.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);

    std::function<void(TObject* Sender)> OnTimer;

private:
    void UpdateTimer();

    win::HWND window_ = nullptr;
    bool enabled_ = true;
    unsigned interval_ = 1000;
};
