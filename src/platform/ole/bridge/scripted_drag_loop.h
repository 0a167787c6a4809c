// ScriptedDragLoop: a drag loop that plays a script of steps instead of following the mouse, for
// tests. It calls the drop source and the registered drop targets the way OLE's own loop does.
//
// Each step first asks the source QueryContinueDrag(escape, key state). Then:
// - S_OK: the drag is over the step's widget (a null widget: over no target). A target
//   registered on it or on its nearest registered ancestor gets DragEnter when it is new (the
//   previous one DragLeave first), else DragOver, at the step's point in screen coordinates and
//   with the allowed effects; a target whose DragEnter fails counts as none. The source then gets
//   GiveFeedback with the effect (0 over no target).
// - DRAGDROP_S_DROP: the target the drag is over gets Drop when its last effect was not 0, and
//   DragLeave otherwise; the loop answers DRAGDROP_S_DROP with the effect Drop gave (a failing
//   Drop: its result and effect 0), or DRAGDROP_S_CANCEL with effect 0.
// - anything else: DragLeave for the target, DRAGDROP_S_CANCEL with effect 0.
// A script that ends before a drop or a cancel cancels the drag.
#pragma once

#include "platform/ole/drag_loop.h"

#include <QPoint>
#include <QPointer>
#include <vector>

class QWidget;

namespace win {

class ScriptedDragLoop : public DragLoop {
public:
    struct TStep {
        QPointer<QWidget> Widget;
        QPoint Point; // in the widget's coordinates
        DWORD KeyState = MK_LBUTTON;
        bool Escape = false;
    };

    explicit ScriptedDragLoop(std::vector<TStep> Steps);

    HRESULT Run(IDataObject* DataObject, IDropSource* DropSource, DWORD OkEffects, DWORD* Effect) override;

private:
    std::vector<TStep> steps_;
};

} // namespace win
