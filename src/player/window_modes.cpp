// The four probes that decide the host windows' modes.
#include "player/window_modes.h"

#include "player/host_contract.h"

namespace {

WindowModes modes;

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

int MeasureDoubleSize() {
    return WindowWidth(MainWindow()) > normalWidth ? 1 : 0;
}

int MeasureMainShaded() {
    const RECT r = WindowBounds(MainWindow());
    return r.bottom - r.top < normalHeight ? 1 : 0;
}

int MeasurePlaylistShaded() {
    if (!PlaylistWindow()) return 0;
    const RECT r = WindowBounds(PlaylistWindow());
    return r.bottom - r.top < playlistShadedBelow ? 1 : 0;
}

int MeasureEqDoubleSize() {
    return WindowWidth(EqWindow()) > normalWidth ? 1 : 0;
}

}  // namespace

int IsDoubleSize() { return modes.doubleSize; }
int IsMainShaded() { return modes.mainShaded; }
int IsMainVisible() { return modes.mainVisible; }
int IsEqDoubleSize() { return modes.eqDoubleSize; }
int IsPlaylistShaded() { return modes.playlistShaded; }

int WindowWidth(HWND window) {
    const RECT r = WindowBounds(window);
    return r.right - r.left;
}

void ResetWindowModes() {
    modes = WindowModes{};
}

void ProbeWindowModes() {
    modes.doubleSize = MeasureDoubleSize();
    modes.eqDoubleSize = MeasureEqDoubleSize();
    modes.mainShaded = MeasureMainShaded();
    modes.playlistShaded = MeasurePlaylistShaded();
}

// WM_SIZE is sent once the window has its new size, so the probes measure
// the new mode. IsIconic is not asked while shaded.
void ProbeMainWindow() {
    modes.doubleSize = MeasureDoubleSize();
    modes.mainShaded = MeasureMainShaded();
    if (modes.mainShaded)
        modes.mainVisible = 0;
    else
        modes.mainVisible = IsIconic(MainWindow()) ? 0 : 1;
}

void ProbeEqualizer() {
    modes.eqDoubleSize = MeasureEqDoubleSize();
}

void NotePlaylistHeight(int height) {
    modes.playlistShaded = height > playlistShadedMaxHeight ? 0 : 1;
}

#ifdef QLV_WHITEBOX
WindowModes& WindowModesForTest() { return modes; }
#endif
