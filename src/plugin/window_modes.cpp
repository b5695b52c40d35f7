// The four probes that decide the host windows' modes.
#include "plugin/window_modes.h"

#include <windows.h>

#include "plugin/host_contract.h"

int doubleSize;
int mainShaded;
int mainVisible = 1;
int eqDoubleSize;
int playlistShaded;
int mouseIdle = 1;
int frameTickCount;
int startupTitlePending = 1;
int startupTicks;

namespace {

constexpr int normalWidth = 275;
constexpr int normalHeight = 116;
constexpr int playlistShadedBelow = 15;

// A window the host does not have measures as an empty rectangle, which
// reads as normal size for the width probes; the playlist probe needs the
// window itself, since an empty rectangle would read as shaded.
RECT WindowBounds(HWND window) {
    RECT bounds = {0, 0, 0, 0};
    if (window) GetWindowRect(window, &bounds);
    return bounds;
}

}  // namespace

int IsDoubleSize() {
    const RECT r = WindowBounds(mainWindow);
    return r.right - r.left > normalWidth ? 1 : 0;
}

int IsMainShaded() {
    const RECT r = WindowBounds(mainWindow);
    return r.bottom - r.top < normalHeight ? 1 : 0;
}

int IsPlaylistShaded() {
    if (!playlistWindow) return 0;
    const RECT r = WindowBounds(playlistWindow);
    return r.bottom - r.top < playlistShadedBelow ? 1 : 0;
}

int IsEqDoubleSize() {
    const RECT r = WindowBounds(eqWindow);
    return r.right - r.left > normalWidth ? 1 : 0;
}
