// Holders for the drawing objects the plug-in makes or selects: a GDI object,
// a memory DC, a window DC and a selection. Each gives back what it holds when
// it goes out of scope or is moved onto, so no early return and no quit can
// leave one behind. An empty holder is a constant, so a room's record of them
// is in place before any code of the module runs.
#pragma once
#include <windows.h>

namespace gdi_hold {

// Each does nothing for a null handle. Out of line, as every holder's
// letting go is: a record of many holders stays a row of short calls.
void Delete(HGDIOBJ object);
void Delete(HDC dc);

// One handle a maker made, deleted as a `DeletedAs` (a GDI object or a DC)
// when the holder lets it go.
template <typename Handle, typename DeletedAs>
class Held {
public:
    constexpr Held() = default;
    explicit Held(Handle handle) : handle_(handle) {}
    Held(Held&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Held& operator=(Held&& other) noexcept {
        if (this != &other) {
            LetGo();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() { LetGo(); }
    operator Handle() const { return handle_; }

private:
    void LetGo() {
        Delete(static_cast<DeletedAs>(handle_));
        handle_ = nullptr;
    }
    Handle handle_ = nullptr;
};

}  // namespace gdi_hold

// A bitmap, brush, pen or font. GDI refuses to delete an object still
// selected into a DC: its holder lets go after that selection's holder or
// that DC's.
using HeldBitmap = gdi_hold::Held<HBITMAP, HGDIOBJ>;
using HeldBrush = gdi_hold::Held<HBRUSH, HGDIOBJ>;
using HeldPen = gdi_hold::Held<HPEN, HGDIOBJ>;
using HeldFont = gdi_hold::Held<HFONT, HGDIOBJ>;
// A DC from CreateCompatibleDC.
using HeldMemoryDC = gdi_hold::Held<HDC, HDC>;

// GetDC of a window (null: the screen), given back with ReleaseDC.
class HeldWindowDC {
public:
    constexpr HeldWindowDC() = default;
    explicit HeldWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    HeldWindowDC(HeldWindowDC&& other) noexcept : window_(other.window_), dc_(other.dc_) { other.dc_ = nullptr; }
    HeldWindowDC& operator=(HeldWindowDC&& other) noexcept {
        if (this != &other) {
            LetGo();
            window_ = other.window_;
            dc_ = other.dc_;
            other.dc_ = nullptr;
        }
        return *this;
    }
    HeldWindowDC(const HeldWindowDC&) = delete;
    HeldWindowDC& operator=(const HeldWindowDC&) = delete;
    ~HeldWindowDC() { LetGo(); }
    operator HDC() const { return dc_; }

private:
    void LetGo();
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// An object selected into a DC. Letting go selects again the object it
// displaced, so the DC is as it was before the holder. Selecting again
// through the holder lets go first, so the object put back at the end is
// always the DC's own.
class HeldSelection {
public:
    constexpr HeldSelection() = default;
    HeldSelection(HDC dc, HGDIOBJ object) { Select(dc, object); }
    HeldSelection(HeldSelection&& other) noexcept : dc_(other.dc_), original_(other.original_) {
        other.dc_ = nullptr;
        other.original_ = nullptr;
    }
    HeldSelection& operator=(HeldSelection&& other) noexcept {
        if (this != &other) {
            Undo();
            dc_ = other.dc_;
            original_ = other.original_;
            other.dc_ = nullptr;
            other.original_ = nullptr;
        }
        return *this;
    }
    HeldSelection(const HeldSelection&) = delete;
    HeldSelection& operator=(const HeldSelection&) = delete;
    ~HeldSelection() { Undo(); }

    void Select(HDC dc, HGDIOBJ object);
    void Undo();

private:
    HDC dc_ = nullptr;
    HGDIOBJ original_ = nullptr;
};
