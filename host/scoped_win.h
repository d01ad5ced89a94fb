// Move-only owners for Win32 handles, files, GDI objects, device contexts,
// selections and COM pointers, so that nothing is released by hand. Windows only.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle>
constexpr bool isNullHandle(Handle handle) {
    return handle == Handle{};
}

// CreateFileA and FindFirstFileA say "nothing" with INVALID_HANDLE_VALUE, which
// is no constant expression and so cannot be a template argument; such handles
// count as empty when they hold either that value or null.
inline bool isNoKernelHandle(HANDLE handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }

// Owns a handle released by `Close`; a handle for which `IsEmpty` holds owns nothing.
template <typename Handle, auto Close, auto IsEmpty = isNullHandle<Handle>>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return !IsEmpty(handle_); }
    Handle release() { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) {
        if (!IsEmpty(handle_)) Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Handle{};
};

inline void closeKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void closeSearch(HANDLE handle) { FindClose(handle); }
inline void freeLocalMemory(HLOCAL memory) { LocalFree(memory); }
inline void deleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void destroyIcon(HICON icon) { DestroyIcon(icon); }
inline void deleteDc(HDC dc) { DeleteDC(dc); }

using UniqueKernelHandle = UniqueHandle<HANDLE, closeKernelHandle>;            // processes, threads, events
using UniqueFile = UniqueHandle<HANDLE, closeKernelHandle, isNoKernelHandle>;  // from CreateFileA
using UniqueSearch = UniqueHandle<HANDLE, closeSearch, isNoKernelHandle>;      // from FindFirstFileA
using UniqueLocalMemory = UniqueHandle<HLOCAL, freeLocalMemory>;               // from FormatMessageA and friends
using UniqueFont = UniqueHandle<HFONT, deleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, deleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, deleteGdiObject>;
using UniqueMemoryDc = UniqueHandle<HDC, deleteDc>;  // from CreateCompatibleDC

// A window's device context from GetDC, released on scope exit.
class ScopedGetDc {
public:
    explicit ScopedGetDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedGetDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedGetDc(const ScopedGetDc&) = delete;
    ScopedGetDc& operator=(const ScopedGetDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~ScopedPaint() { EndPaint(window_, &paint_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC get() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }  // what needs painting

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Owns one reference to a COM interface.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For functions that hand out a new reference through an out parameter.
    Interface** put() {
        reset();
        return &pointer_;
    }
    void reset() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};
