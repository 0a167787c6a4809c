// Ref: a counted reference to a shell object, and TRefCounted, the count behind such objects.
//
// A shell object starts with a count of 0 and deletes itself when its count falls back to 0.
// Ref adds a reference when it takes an object and releases it when it lets it go, so an object
// lives exactly as long as some Ref (or some caller that called AddRef) holds it.
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

namespace win {

template <class T> class Ref {
public:
    Ref() = default;
    Ref(T* Object) : object_(Object) { if (object_) object_->AddRef(); }
    Ref(const Ref& Other) : Ref(Other.object_) {}
    Ref(Ref&& Other) noexcept : object_(std::exchange(Other.object_, nullptr)) {}
    template <class U> Ref(const Ref<U>& Other) : Ref(Other.get()) {}
    ~Ref() { reset(); }

    Ref& operator=(Ref Other) noexcept
    {
        std::swap(object_, Other.object_);
        return *this;
    }

    void reset()
    {
        if (T* old = std::exchange(object_, nullptr))
            old->Release();
    }
    // Hands the reference over to the caller, who releases it.
    T* detach() { return std::exchange(object_, nullptr); }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

// Implements AddRef and Release of the interface Base (which declares them pure).
template <class Base> class TRefCounted : public Base {
public:
    std::uint32_t AddRef() override { return ++count_; }
    std::uint32_t Release() override
    {
        const std::uint32_t left = --count_;
        if (left == 0)
            delete this;
        return left;
    }

private:
    std::atomic<std::uint32_t> count_{0};
};

} // namespace win
