// TFtpClient2: the FTP client the main window drives, with a request timer that ends a request
// that stays silent too long, a status-text event and a second tag.
#pragma once

#include "ftp/client/ftp_client.h"
#include "platform/messages/timer.h"

class TFtpClient2 : public TFtpClient {
    Q_OBJECT
    Q_PROPERTY(int Tag2 READ Tag2 WRITE SetTag2)

public:
    // The request timer starts disabled, with an interval of Timeout seconds.
    explicit TFtpClient2(TComponent* AOwner = nullptr);

    // Fires each time the enabled timer elapses, with the timer as Sender. When a request is
    // running then, it has first been ended: both connections closed, OnRequestDone posted with
    // 426 and ErrorMessage "426 Timeout: nothing heard from the server for N seconds.".
    TNotifyEvent OnTimeOut() const { return FOnTimeOut; }
    void SetOnTimeOut(const TNotifyEvent& Value) { FOnTimeOut = Value; }
    // Armed by every request wrapper; stopped and re-armed by the caller as requests go on.
    TTimer* RequestTimer() const { return FRequestTimer; }

    int Tag2() const { return FTag2; }
    void SetTag2(int Value) { FTag2 = Value; }

    // Raises OnFtpDisplayStatusEx with a status text of the request wrappers.
    void TriggerDisplayStatusEx(const QString& Msg);

    TFtpDisplay OnFtpDisplayStatusEx;
    // Called by each request wrapper before its request starts: the caller resets the counters
    // its progress handler keeps.
    std::function<void()> OnResetProgressCounters;

protected:
    // A transfer that makes progress is not silent: an enabled timer starts its period again.
    bool TriggerProgress() override;

private:
    void RequestTimerElapsed();

    TTimer* FRequestTimer;
    TNotifyEvent FOnTimeOut;
    int FTag2 = 0;
};
