// TPTDeviceChangeHandler over the platform's device-change broadcast.
#include "shell/device_change_handler.h"

#include "platform/shellapi/volumes.h"

#include <utility>

namespace {

TPTDeviceChangeHandler* Instance = nullptr;

} // namespace

TPTDeviceChangeHandler::TPTDeviceChangeHandler()
{
    handle_ = win::AllocateHWnd([this](win::TMessage& Message) { WndProc(Message); });
    win::AddDeviceChangeTarget(handle_);
}

TPTDeviceChangeHandler::~TPTDeviceChangeHandler()
{
    win::RemoveDeviceChangeTarget(handle_);
    win::DeallocateHWnd(handle_);
}

void TPTDeviceChangeHandler::WndProc(win::TMessage& Message)
{
    if (Message.Msg == win::WM_DEVICECHANGE) {
        win::PostMessage(handle_, WM_DEVICECHANGE_POSTED, Message.WParam, Message.LParam);
        Message.Result = 1;
        return;
    }
    if (Message.Msg != WM_DEVICECHANGE_POSTED || !Active)
        return;
    // A listener removed by an earlier one (its control freed) is not called any more.
    const QList<TDeviceChangeMethod> listeners = listeners_;
    for (const TDeviceChangeMethod& listener : listeners)
        if (listeners_.contains(listener))
            AtBoundary([&] { listener.Code(listener.Data, *this, Message); });
}

void TPTDeviceChangeHandler::AddListener(const TDeviceChangeMethod& Listener)
{
    listeners_.append(Listener);
}

void TPTDeviceChangeHandler::RemoveListener(const TDeviceChangeMethod& Listener)
{
    listeners_.removeOne(Listener);
}

void TPTDeviceChangeHandler::DeleteListener(int Index)
{
    listeners_.removeAt(Index);
}

TPTDeviceChangeHandler* DeviceChangeHandler()
{
    if (!Instance)
        Instance = new TPTDeviceChangeHandler;
    return Instance;
}

void FreeDeviceChangeHandler()
{
    delete std::exchange(Instance, nullptr);
}
