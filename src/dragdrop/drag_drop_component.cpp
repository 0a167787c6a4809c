// Components that implement interfaces without reference counting.
#include "dragdrop/drag_drop_component.h"

#include "dragdrop/data_format.h"

using namespace win;

TInterfacedComponent::TInterfacedComponent(TComponent* AOwner) : TComponent(AOwner) {}

HRESULT TInterfacedComponent::QueryInterface(const IID& riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (SUCCEEDED(GetInterface(riid, ppv)))
        return S_OK;
    if (ComObject)
        return ComObject->QueryInterface(riid, ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT TInterfacedComponent::GetInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv, {{IID_IUnknown, static_cast<IUnknown*>(this)}});
}

ULONG TInterfacedComponent::AddRef()
{
    if (auto* owner = dynamic_cast<IUnknown*>(Owner()))
        return owner->AddRef();
    return ULONG(-1);
}

ULONG TInterfacedComponent::Release()
{
    if (auto* owner = dynamic_cast<IUnknown*>(Owner()))
        return owner->Release();
    return ULONG(-1);
}

TDragDropComponent::TDragDropComponent(TComponent* AOwner) : TInterfacedComponent(AOwner) {}

TDragDropComponent::~TDragDropComponent() = default;
