#pragma once
// Move-only owner of a Win32 handle; the traits say what "none" is and how to close it.

#include <windows.h>

namespace kivolt {

template <class Traits>
class Unique {
public:
    using T = typename Traits::Type;
    Unique() = default;
    explicit Unique(T h) : h_(h) {}
    Unique(Unique&& o) noexcept : h_(o.release()) {}
    Unique& operator=(Unique&& o) noexcept {
        reset(o.release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { reset(); }

    T get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    T release() {
        T h = h_;
        h_ = Traits::invalid();
        return h;
    }
    void reset(T h = Traits::invalid()) {
        if (h_ != Traits::invalid()) Traits::close(h_);
        h_ = h;
    }

private:
    T h_ = Traits::invalid();
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Type h) { CloseHandle(h); }
};
using UniqueFile = Unique<FileHandleTraits>;

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type invalid() { return nullptr; }
    static void close(Type h) { CloseHandle(h); }
};
using UniqueHandle = Unique<KernelHandleTraits>;

struct FindHandleTraits {
    using Type = HANDLE;
    static Type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Type h) { FindClose(h); }
};
using UniqueFind = Unique<FindHandleTraits>;

struct ModuleTraits {
    using Type = HMODULE;
    static Type invalid() { return nullptr; }
    static void close(Type h) { FreeLibrary(h); }
};
using UniqueModule = Unique<ModuleTraits>;

}  // namespace kivolt
