#pragma once
// Owners and scopes for GDI objects, so every paint and re-render returns what it took.

#include <windows.h>

#include "base/unique_handle_win.h"

namespace kivolt {

template <class T>
struct GdiObjectTraits {
    using Type = T;
    static Type invalid() { return nullptr; }
    static void close(Type h) { DeleteObject(h); }
};
using UniqueBitmap = Unique<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = Unique<GdiObjectTraits<HBRUSH>>;
using UniqueFont = Unique<GdiObjectTraits<HFONT>>;
using UniqueRegion = Unique<GdiObjectTraits<HRGN>>;

struct MemoryDcTraits {
    using Type = HDC;
    static Type invalid() { return nullptr; }
    static void close(Type h) { DeleteDC(h); }
};
using UniqueMemoryDc = Unique<MemoryDcTraits>;

struct IconTraits {
    using Type = HICON;
    static Type invalid() { return nullptr; }
    static void close(Type h) { DestroyIcon(h); }
};
using UniqueIcon = Unique<IconTraits>;

// GetDC / ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// SelectObject for the scope; keeps the DC and the object it replaced.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectScope() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A top-down DIB section of 24 or 32 bits; bits stay valid while the bitmap lives.
struct DibSection {
    UniqueBitmap bitmap;
    void* bits = nullptr;
};
DibSection createDibSection(int width, int height, int bitsPerPixel);

}  // namespace kivolt
