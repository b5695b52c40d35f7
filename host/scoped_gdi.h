// Scoped holders for device contexts and GDI objects, so a capture, a test
// or a measurement can neither leak one nor leave one selected.
#pragma once

#include <windows.h>

#include <utility>

namespace host {

// GetDC / ReleaseDC; a null window is the screen.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// CreateCompatibleDC / DeleteDC; a null `like` is the screen.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
    ~ScopedMemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// A bitmap, brush, pen, font or region, deleted when the holder goes; it may
// be handed on (returned from a maker), never copied. Declare it before any
// ScopedSelect of it, so it is deselected before it is deleted.
template <typename Handle>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle object = nullptr) : object_(object) {}
    ~ScopedGdiObject() {
        if (object_) DeleteObject(object_);
    }
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    operator Handle() const { return object_; }

private:
    Handle object_;
};
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedFont = ScopedGdiObject<HFONT>;

// SelectObject, and the object it replaced selected again when the holder goes.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace host
