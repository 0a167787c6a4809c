// TPTUnknown: the reference count of the shell controls' own drag-and-drop objects.
#pragma once

#include "platform/ole/unknown.h"

#include <atomic>

// The count starts at 0: whoever makes the object takes the first reference (QueryInterface, or a
// ComPtr made from the new object), and the Release that brings it back to 0 deletes the object.
class TPTUnknown : public virtual win::IUnknown {
public:
    win::ULONG AddRef() override { return ++refs_; }
    win::ULONG Release() override
    {
        const win::ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    win::ULONG RefCount() const { return refs_; }

protected:
    TPTUnknown() = default;
    virtual ~TPTUnknown() = default;

private:
    std::atomic<win::ULONG> refs_{0};
};
