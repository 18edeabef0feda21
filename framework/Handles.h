#pragma once
#include "framework/Win32.h"

#include <utility>

// One owner per handle kind: copy deleted, move allowed, released in the
// destructor. `Traits` names the empty value and how to give one back.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Empty(); }
    Handle release() { return std::exchange(handle_, Traits::Empty()); }
    void reset(Handle h = Traits::Empty()) {
        if (handle_ != Traits::Empty()) Traits::Close(handle_);
        handle_ = h;
    }

private:
    Handle handle_ = Traits::Empty();
};

struct RegKeyTraits {
    using Handle = HKEY;
    static HKEY Empty() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static HMODULE Empty() { return nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};
template <class T>
struct GdiTraits {
    using Handle = T;
    static T Empty() { return nullptr; }
    static void Close(T h) { DeleteObject(h); }
};
struct KernelHandleTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static HGLOBAL Empty() { return nullptr; }
    static void Close(HGLOBAL h) { GlobalFree(h); }
};

using RegKeyHandle = UniqueHandle<RegKeyTraits>;
using Module = UniqueHandle<ModuleTraits>;
using Brush = UniqueHandle<GdiTraits<HBRUSH>>;
using Font = UniqueHandle<GdiTraits<HFONT>>;
using Palette = UniqueHandle<GdiTraits<HPALETTE>>;
using Bitmap = UniqueHandle<GdiTraits<HBITMAP>>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// Keeps a movable global memory block locked, and unlocks it once. Declare
// it after the GlobalMemory that owns the block, so the lock goes first.
class GlobalLockHold {
public:
    GlobalLockHold() = default;
    ~GlobalLockHold() { Unlock(); }
    GlobalLockHold(const GlobalLockHold&) = delete;
    GlobalLockHold& operator=(const GlobalLockHold&) = delete;

    // The block's address, or null when it cannot be locked (then nothing
    // is held).
    void* Lock(HGLOBAL block) {
        Unlock();
        data_ = block != nullptr ? GlobalLock(block) : nullptr;
        if (data_ != nullptr) block_ = block;
        return data_;
    }
    void Unlock() {
        if (data_ != nullptr) GlobalUnlock(block_);
        data_ = nullptr;
        block_ = nullptr;
    }

private:
    HGLOBAL block_ = nullptr;
    void* data_ = nullptr;
};

// Selects a GDI object into a DC and selects the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Selects and realises a palette, and selects the previous one back.
class ScopedPalette {
public:
    ScopedPalette(HDC dc, HPALETTE palette, BOOL background = FALSE)
        : dc_(dc), previous_(palette != nullptr ? SelectPalette(dc, palette, background) : nullptr) {
        if (palette != nullptr) RealizePalette(dc);
    }
    ~ScopedPalette() {
        if (previous_ != nullptr) SelectPalette(dc_, previous_, TRUE);
    }
    ScopedPalette(const ScopedPalette&) = delete;
    ScopedPalette& operator=(const ScopedPalette&) = delete;

private:
    HDC dc_;
    HPALETTE previous_;
};

// Holds the mouse capture for a window and releases it once.
class MouseCapture {
public:
    MouseCapture() = default;
    ~MouseCapture() { Release(); }
    MouseCapture(const MouseCapture&) = delete;
    MouseCapture& operator=(const MouseCapture&) = delete;
    void Take(HWND wnd) {
        SetCapture(wnd);
        held_ = true;
    }
    void Release() {
        if (held_) ReleaseCapture();
        held_ = false;
    }

private:
    bool held_ = false;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND wnd) : wnd_(wnd) { dc_ = BeginPaint(wnd, &ps_); }
    ~PaintDC() { EndPaint(wnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC dc() const { return dc_; }
    const PAINTSTRUCT& ps() const { return ps_; }

private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// GetDC / ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(wnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};
