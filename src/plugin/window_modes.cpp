// The four probes that decide the host windows' modes.
#include "plugin/window_modes.h"

#include "plugin/host_contract.h"

int doubleSize;
int mainShaded;
int mainVisible = 1;
int eqDoubleSize;
int playlistShaded;

namespace {

constexpr int normalWidth = 275;
constexpr int normalHeight = 116;
constexpr int playlistShadedBelow = 15;
constexpr int playlistShadedMaxHeight = 14;

// A window the host does not have measures as an empty rectangle, which
// reads as normal size for the width probes; the playlist probe needs the
// window itself, since an empty rectangle would read as shaded.
RECT WindowBounds(HWND window) {
    RECT bounds = {0, 0, 0, 0};
    if (window) GetWindowRect(window, &bounds);
    return bounds;
}

}  // namespace

int WindowWidth(HWND window) {
    const RECT r = WindowBounds(window);
    return r.right - r.left;
}

int IsDoubleSize() {
    return WindowWidth(mainWindow) > normalWidth ? 1 : 0;
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
    return WindowWidth(eqWindow) > normalWidth ? 1 : 0;
}

void ResetWindowModes() {
    doubleSize = mainShaded = eqDoubleSize = playlistShaded = 0;
    mainVisible = 1;
}

void ProbeWindowModes() {
    doubleSize = IsDoubleSize();
    eqDoubleSize = IsEqDoubleSize();
    mainShaded = IsMainShaded();
    playlistShaded = IsPlaylistShaded();
}

// WM_SIZE is sent once the window has its new size, so the probes measure
// the new mode. IsIconic is not asked while shaded.
void ProbeMainWindow() {
    doubleSize = IsDoubleSize();
    mainShaded = IsMainShaded();
    if (mainShaded)
        mainVisible = 0;
    else
        mainVisible = IsIconic(mainWindow) ? 0 : 1;
}

void ProbeEqualizer() {
    eqDoubleSize = IsEqDoubleSize();
}

void NotePlaylistHeight(int height) {
    playlistShaded = height > playlistShadedMaxHeight ? 0 : 1;
}
