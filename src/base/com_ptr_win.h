#pragma once
// A minimal owner of one COM interface pointer, and the scope that balances CoInitialize.

#include <windows.h>
#include <objbase.h>

namespace kivolt {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T* p) : p_(p) {}
    ComPtr(ComPtr&& o) noexcept : p_(o.release()) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        reset(o.release());
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // For out-parameters: drops the held pointer first.
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    T* release() {
        T* p = p_;
        p_ = nullptr;
        return p;
    }
    void reset(T* p = nullptr) {
        if (p_) p_->Release();
        p_ = p;
    }

    // QueryInterface into `out`; the HRESULT as the call returned it.
    template <class U>
    HRESULT query(REFIID iid, ComPtr<U>& out) const {
        return p_->QueryInterface(iid, out.putVoid());
    }

private:
    T* p_ = nullptr;
};

// CoInitialize for the lifetime of the scope; CoUninitialize only after a successful
// CoInitialize (S_FALSE, already initialised, counts and must be balanced too).
class ComScope {
public:
    ComScope() : hr_(CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT hr_;
};

}  // namespace kivolt
