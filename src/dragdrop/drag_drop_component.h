// TInterfacedComponent, a component that implements IUnknown without counting references (its
// owner governs its life), and TDragDropComponent, the base of the drop targets and drop sources,
// with its list of data formats.
#pragma once

#include "dragdrop/drag_types.h"
#include "platform/ole/unknown.h"
#include "platform/rtl/object.h"

#include <memory>

class TDataFormats;

class TInterfacedComponent : public TComponent, public virtual win::IUnknown {
public:
    explicit TInterfacedComponent(TComponent* AOwner);

    // The component's own interfaces first (GetInterface), then the attached COM object's;
    // E_NOINTERFACE otherwise.
    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override;
    // Forwarded to the owner when the owner implements IUnknown; otherwise no counting and
    // 0xFFFFFFFF (-1).
    win::ULONG AddRef() override;
    win::ULONG Release() override;

    // A COM object attached to the component, asked for the interfaces the component lacks.
    win::IUnknown* ComObject = nullptr;

protected:
    // Answers the interfaces the component implements; the base answers IUnknown. A component
    // that implements more extends it.
    virtual win::HRESULT GetInterface(const win::IID& riid, void** ppv);
};

class TDragDropComponent : public TInterfacedComponent {
public:
    explicit TDragDropComponent(TComponent* AOwner);
    ~TDragDropComponent() override;

    // The side the data formats this component owns serve: csSource for a multi source,
    // csTarget for a multi target. Other components serve none and cannot own data formats.
    virtual TConversionScopes DataFormatScope() const { return 0; }

    // Made by the multi-source and multi-target components; data formats owned by the component
    // add themselves to it.
    std::unique_ptr<TDataFormats> DataFormats;
};
