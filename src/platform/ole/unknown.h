// IUnknown, the reference-counted base of the objects this layer makes (ComObject), the ComPtr
// holder, and ComGuard, the exception boundary of every OLE method.
//
// Every interface derives virtually from IUnknown, so an object that implements several
// interfaces has one QueryInterface, AddRef and Release serving them all. A pointer returned
// through QueryInterface's void** points at the requested interface and carries a reference.
#pragma once

#include "platform/ole/types.h"

#include <atomic>
#include <cstddef>
#include <initializer_list>
#include <utility>

namespace win {

constexpr IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct IUnknown {
    virtual HRESULT QueryInterface(const IID& riid, void** ppv) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

// One interface an object answers QueryInterface with: the interface pointer, cast to its own
// type before it became void*.
struct InterfaceEntry {
    const IID& iid;
    void* itf;
};

// QueryInterface's common part: *ppv becomes the first entry whose iid is riid, with a reference
// added through self; E_NOINTERFACE (and *ppv null) when none matches.
HRESULT FindInterface(IUnknown* self, const IID& riid, void** ppv, std::initializer_list<InterfaceEntry> entries);

// The reference count of an object made here: it starts at 1 (the creator's reference) and the
// last Release deletes the object. Thread-safe.
class ComObject : public virtual IUnknown {
public:
    ULONG AddRef() override;
    ULONG Release() override;

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> refs_{1};
};

// Holds one reference to an interface and releases it when it goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to p.
    explicit ComPtr(T* p) : p_(p)
    {
        if (p_)
            p_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    template <class U>
    ComPtr(ComPtr<U> other) : p_(other.Detach())
    {
    }
    ~ComPtr() { Reset(); }

    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(p_, other.p_);
        return *this;
    }

    // Takes over a reference the caller already holds (a new object, an out parameter).
    static ComPtr Adopt(T* p)
    {
        ComPtr result;
        result.p_ = p;
        return result;
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Gives up the reference without releasing it.
    T* Detach() { return std::exchange(p_, nullptr); }
    void Reset()
    {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    // Releases what is held and gives the place an out parameter fills.
    T** Put()
    {
        Reset();
        return &p_;
    }

    // The object's interface riid (of type U), or null.
    template <class U>
    ComPtr<U> Query(const IID& riid) const
    {
        void* itf = nullptr;
        if (!p_ || FAILED(p_->QueryInterface(riid, &itf)))
            return {};
        return ComPtr<U>::Adopt(static_cast<U*>(itf));
    }

private:
    T* p_ = nullptr;
};

template <class T, class... Args>
ComPtr<T> MakeComObject(Args&&... args)
{
    return ComPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}

// The body of every OLE method: no exception leaves it; one that would becomes E_UNEXPECTED.
template <class Body>
HRESULT ComGuard(Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace win
