// TPTDeviceChangeHandler: the process-wide dispatcher of volume arrivals and removals to the
// shell controls.
#pragma once

#include "platform/messages/messages.h"
#include "platform/rtl/object.h"

#include <QList>

class TPTDeviceChangeHandler;

// A listener: a function and the object it runs on, compared as a pair (a method of an object).
struct TDeviceChangeMethod {
    void (*Code)(void* Data, TPTDeviceChangeHandler& Handler, win::TMessage& Message) = nullptr;
    void* Data = nullptr;

    bool operator==(const TDeviceChangeMethod&) const = default;

    // The method Member of Object: TDeviceChangeMethod::Of<&TMyList::DeviceChange>(this).
    template <auto Member, class T> static TDeviceChangeMethod Of(T* Object)
    {
        return {[](void* data, TPTDeviceChangeHandler& handler, win::TMessage& message) {
                    (static_cast<T*>(data)->*Member)(handler, message);
                },
                Object};
    }
};

// Its hidden window receives the system's WM_DEVICECHANGE broadcast and posts itself message 1124
// with the same wParam (the event: DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE...) and lParam, so
// listeners run after the broadcast and may read the shell without re-entering it. When 1124
// arrives and Active is set, every listener runs in the order they were added; an exception from
// one goes to the application's exception display and the next still runs. GUI thread only.
class TPTDeviceChangeHandler : public TObject {
public:
    // The message the broadcast is re-posted as (WM_USER + 100).
    static constexpr win::UINT WM_DEVICECHANGE_POSTED = win::WM_USER + 100;

    ~TPTDeviceChangeHandler() override;

    void AddListener(const TDeviceChangeMethod& Listener);
    // Removes the first listener equal to Listener; nothing when there is none.
    void RemoveListener(const TDeviceChangeMethod& Listener);
    void DeleteListener(int Index);
    int ListenerCount() const { return int(listeners_.size()); }

    bool Active = true;
    win::HWND Handle() const { return handle_; }

private:
    friend TPTDeviceChangeHandler* DeviceChangeHandler();
    TPTDeviceChangeHandler();
    void WndProc(win::TMessage& Message);

    win::HWND handle_ = nullptr;
    QList<TDeviceChangeMethod> listeners_;
};

// The single handler, made on the first call.
TPTDeviceChangeHandler* DeviceChangeHandler();
// Frees the single handler at program end (a later DeviceChangeHandler makes a new one).
void FreeDeviceChangeHandler();
