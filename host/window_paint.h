// Two small drawing helpers shared by the host's contract and its scenery.
#pragma once

#include <windows.h>

#include "scoped_gdi.h"

namespace host {

inline void FillArea(HDC dc, const RECT& area, COLORREF colour) {
    FillRect(dc, &area, ScopedBrush(CreateSolidBrush(colour)));
}

// The player's windows have no frame: the window is all client area.
inline SIZE WindowSize(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace host
