// Owners for Win32 handles: one small type per release function, so that
// every handle has exactly one owner that releases it on every path.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace hue {

// Owns one handle of Traits::pointer and releases it with Traits::close.
// Move-only; Traits::invalid() is the value that owns nothing.
template <typename Traits> class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    pointer get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

    // Gives up ownership without releasing.
    pointer release() noexcept {
        pointer handle = handle_;
        handle_ = Traits::invalid();
        return handle;
    }

    void reset(pointer handle = Traits::invalid()) noexcept {
        if (handle_ != Traits::invalid())
            Traits::close(handle_);
        handle_ = handle;
    }

    // Releases the current handle and hands out the address for an output
    // parameter.
    pointer* put() noexcept {
        reset();
        return &handle_;
    }

private:
    pointer handle_ = Traits::invalid();
};

struct FileTraits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(pointer h) noexcept { ::CloseHandle(h); }
};
// A kernel handle returned by CreateFile (invalid value INVALID_HANDLE_VALUE).
using UniqueFile = UniqueHandle<FileTraits>;

struct FindTraits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(pointer h) noexcept { ::FindClose(h); }
};
// A search handle of FindFirstFile, closed with FindClose.
using UniqueFind = UniqueHandle<FindTraits>;

struct ModuleTraits {
    using pointer = HMODULE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::FreeLibrary(h); }
};
// A module loaded with LoadLibrary(Ex), freed with FreeLibrary.
using UniqueModule = UniqueHandle<ModuleTraits>;

struct GlobalTraits {
    using pointer = HGLOBAL;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::GlobalFree(h); }
};
// A global memory block, freed with GlobalFree.
using UniqueGlobal = UniqueHandle<GlobalTraits>;

struct RegKeyTraits {
    using pointer = HKEY;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::RegCloseKey(h); }
};
// An open registry key, closed with RegCloseKey.
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

struct BitmapTraits {
    using pointer = HBITMAP;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DeleteObject(h); }
};
// A bitmap or DIB section, deleted with DeleteObject. It must not be
// selected into a DC when it goes: see SelectGuard.
using UniqueBitmap = UniqueHandle<BitmapTraits>;

struct BrushTraits {
    using pointer = HBRUSH;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DeleteObject(h); }
};
// A brush, deleted with DeleteObject.
using UniqueBrush = UniqueHandle<BrushTraits>;

struct PaletteTraits {
    using pointer = HPALETTE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DeleteObject(h); }
};
// A logical palette, deleted with DeleteObject.
using UniquePalette = UniqueHandle<PaletteTraits>;

struct MemoryDcTraits {
    using pointer = HDC;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DeleteDC(h); }
};
// A DC made by CreateCompatibleDC or CreateDC, deleted with DeleteDC.
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

struct IconTraits {
    using pointer = HICON;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { ::DestroyIcon(h); }
};
// An icon, destroyed with DestroyIcon.
using UniqueIcon = UniqueHandle<IconTraits>;

// A window's DC from GetDC, released with ReleaseDC for the same window
// (the screen for a null window).
class WindowDc {
public:
    explicit WindowDc(HWND window = nullptr) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr)
            ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC and selects the previous one back when it
// goes, so that the object is never deleted while selected. Declare it after
// the owner of the object, so that it goes first.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            ::SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Selects a palette into a DC (and realises it) and selects the previous one
// back when it goes.
class PaletteGuard {
public:
    PaletteGuard(HDC dc, HPALETTE palette) noexcept
        : dc_(dc), previous_(palette != nullptr ? ::SelectPalette(dc, palette, FALSE) : nullptr) {
        if (previous_ != nullptr)
            ::RealizePalette(dc);
    }
    ~PaletteGuard() {
        if (previous_ != nullptr)
            ::SelectPalette(dc_, previous_, FALSE);
    }
    PaletteGuard(const PaletteGuard&) = delete;
    PaletteGuard& operator=(const PaletteGuard&) = delete;

private:
    HDC dc_;
    HPALETTE previous_;
};

// Locks a movable global memory block for as long as it lives.
class GlobalLock {
public:
    explicit GlobalLock(HGLOBAL block) noexcept
        : block_(block), data_(block != nullptr ? ::GlobalLock(block) : nullptr) {}
    ~GlobalLock() {
        if (data_ != nullptr)
            ::GlobalUnlock(block_);
    }
    GlobalLock(const GlobalLock&) = delete;
    GlobalLock& operator=(const GlobalLock&) = delete;

    void* get() const noexcept { return data_; }
    explicit operator bool() const noexcept { return data_ != nullptr; }

private:
    HGLOBAL block_;
    void* data_;
};

// One reference to a COM object, released when it goes.
template <typename T> class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& other) noexcept : ptr_(other.ptr_) { other.ptr_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = other.ptr_;
            other.ptr_ = nullptr;
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }

    void reset() noexcept {
        if (ptr_ != nullptr)
            ptr_->Release();
        ptr_ = nullptr;
    }
    // Releases the current reference and hands out the address for an
    // output parameter.
    T** put() noexcept {
        reset();
        return &ptr_;
    }
    // For the (REFIID, void**) output parameters of COM.
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }

private:
    T* ptr_ = nullptr;
};

// COM on the calling thread for as long as it lives, for code whose caller
// may not have initialised it; a thread that has keeps its own setting.
class ComScope {
public:
    ComScope() noexcept
        : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialised_)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

} // namespace hue
