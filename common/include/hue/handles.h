// Owners for Win32 handles: one small type per release function, so that
// every handle has exactly one owner that releases it on every path.
#pragma once

#include <windows.h>

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

} // namespace hue
