// TDropSource_shlvtv: the drop source of drags started in the shell list and the shell tree.
#pragma once

#include "shell/pt_unknown.h"

#include "platform/ole/interfaces.h"

// The drag goes on while its button alone is down, drops when it is released, and is cancelled
// by Escape or by another mouse button.
class TDropSource_shlvtv final : public TPTUnknown, public win::IDropSource {
public:
    // Button: 0 left, 1 right, 2 middle.
    explicit TDropSource_shlvtv(int Button);

    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override;
    win::HRESULT QueryContinueDrag(win::BOOL fEscapePressed, win::DWORD grfKeyState) override;
    win::HRESULT GiveFeedback(win::DWORD dwEffect) override;

    // The key-state bit of the drag's button.
    win::DWORD ButtonMask() const { return buttonMask_; }

private:
    win::DWORD buttonMask_;
};
