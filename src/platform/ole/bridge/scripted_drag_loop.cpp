// The drag loop that plays a script.
#include "platform/ole/bridge/scripted_drag_loop.h"

#include "platform/ole/bridge/drop_registration.h"

#include <QWidget>

namespace win {

ScriptedDragLoop::ScriptedDragLoop(std::vector<TStep> Steps) : steps_(std::move(Steps)) {}

HRESULT ScriptedDragLoop::Run(IDataObject* DataObject, IDropSource* DropSource, DWORD OkEffects, DWORD* Effect)
{
    ComPtr<IDropTarget> target;
    DWORD lastEffect = DROPEFFECT_NONE;
    POINTL point{0, 0};
    const auto leave = [&] {
        if (target)
            ComGuard([&] { return target->DragLeave(); });
        target.Reset();
    };
    for (const TStep& step : steps_) {
        const HRESULT go =
            ComGuard([&] { return DropSource->QueryContinueDrag(step.Escape ? TRUE : FALSE, step.KeyState); });
        if (go == DRAGDROP_S_DROP) {
            if (!target || lastEffect == DROPEFFECT_NONE) {
                leave();
                return DRAGDROP_S_CANCEL;
            }
            DWORD effect = OkEffects;
            const HRESULT hr = ComGuard([&] { return target->Drop(DataObject, step.KeyState, point, &effect); });
            *Effect = SUCCEEDED(hr) ? effect : DROPEFFECT_NONE;
            return SUCCEEDED(hr) ? DRAGDROP_S_DROP : hr;
        }
        if (go != S_OK) {
            leave();
            return DRAGDROP_S_CANCEL;
        }
        const QPoint screen = step.Widget ? step.Widget->mapToGlobal(step.Point) : step.Point;
        point = {screen.x(), screen.y()};
        ComPtr<IDropTarget> over(step.Widget ? RegisteredDropTarget(step.Widget) : nullptr);
        DWORD effect = OkEffects;
        if (over && over.Get() == target.Get()) {
            if (FAILED(ComGuard([&] { return target->DragOver(step.KeyState, point, &effect); })))
                effect = DROPEFFECT_NONE;
        } else {
            leave();
            if (over && SUCCEEDED(ComGuard([&] { return over->DragEnter(DataObject, step.KeyState, point, &effect); })))
                target = over;
            else
                effect = DROPEFFECT_NONE;
        }
        if (!target)
            effect = DROPEFFECT_NONE;
        lastEffect = effect;
        ComGuard([&] { return DropSource->GiveFeedback(effect); });
    }
    leave();
    return DRAGDROP_S_CANCEL;
}

} // namespace win
