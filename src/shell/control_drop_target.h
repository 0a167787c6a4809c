// TPTControlDropTarget: the drop target a shell control registers; it hands each call on to the
// control's own drag operations.
#pragma once

#include "shell/pt_unknown.h"

#include "platform/ole/bridge/drop_registration.h"
#include "platform/ole/interfaces.h"

// Control has DragEnter(data, key state, point, effect), DragOver(key state, point, effect),
// DragLeave() and Drop(data, key state, point, effect), each giving an HRESULT. The control
// revokes the target before it goes.
template <class Control>
class TPTControlDropTarget final : public TPTUnknown, public win::IDropTarget {
public:
    explicit TPTControlDropTarget(Control& Owner) : owner_(Owner) {}

    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override
    {
        return win::FindInterface(this, riid, ppv,
                                  {{win::IID_IUnknown, static_cast<win::IUnknown*>(this)},
                                   {win::IID_IDropTarget, static_cast<win::IDropTarget*>(this)}});
    }
    win::HRESULT DragEnter(win::IDataObject* pDataObj, win::DWORD grfKeyState, win::POINTL pt,
                           win::DWORD* pdwEffect) override
    {
        return Call(pdwEffect, [&] { return owner_.DragEnter(pDataObj, grfKeyState, pt, *pdwEffect); });
    }
    win::HRESULT DragOver(win::DWORD grfKeyState, win::POINTL pt, win::DWORD* pdwEffect) override
    {
        return Call(pdwEffect, [&] { return owner_.DragOver(grfKeyState, pt, *pdwEffect); });
    }
    win::HRESULT DragLeave() override
    {
        return win::ComGuard([&] { return owner_.DragLeave(); });
    }
    win::HRESULT Drop(win::IDataObject* pDataObj, win::DWORD grfKeyState, win::POINTL pt, win::DWORD* pdwEffect) override
    {
        return Call(pdwEffect, [&] { return owner_.Drop(pDataObj, grfKeyState, pt, *pdwEffect); });
    }

private:
    template <class Body>
    static win::HRESULT Call(win::DWORD* pdwEffect, Body&& body)
    {
        return win::ComGuard([&] { return pdwEffect ? body() : win::E_INVALIDARG; });
    }

    Control& owner_;
};

// Registers a new TPTControlDropTarget of Owner on Owner, kept in Target, when Wanted and none is
// kept; revokes and releases the kept one when not Wanted. True when it revoked one.
template <class Control>
bool UpdateControlDropTarget(Control& Owner, bool Wanted, win::ComPtr<win::IDropTarget>& Target)
{
    if (Wanted && !Target) {
        Target = win::ComPtr<win::IDropTarget>(new TPTControlDropTarget<Control>(Owner));
        win::RegisterDragDrop(&Owner, Target.Get());
    } else if (!Wanted && Target) {
        win::RevokeDragDrop(&Owner);
        Target.Reset();
        return true;
    }
    return false;
}
