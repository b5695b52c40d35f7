// The heartbeat: compose at the scroll rate, present on every tick.
#include "plugin/frame_clock.h"

#include "display/compose.h"
#include "display/title_text.h"
#include "playlist/playlist_line.h"
#include "plugin/host_contract.h"
#include "plugin/plugin_entry.h"
#include "plugin/title_area.h"
#include "plugin/window_modes.h"
#include "settings/skin_overrides.h"

namespace {

int frameTickCount;            // ticks since the last composed frame
int startupTitlePending = 1;   // the one-time caption read is still to come
int startupTicks;              // ticks counted while it is pending

}  // namespace

void RestartFrameClock() {
    frameTickCount = 0;
    startupTitlePending = 1;
    startupTicks = 0;
}

void CALLBACK FrameTick(HWND window, UINT, UINT_PTR timerId, DWORD) {
    if (!pluginRunning || window != mainWindow || timerId != frameTimerId) return;

    ++frameTickCount;
    CountTitleAreaTick();
    // A switch between normal and double size renders the text again at
    // the new size at once; the frame composed at the old size would show
    // as a small stale picture until the next composition, up to ScrollRate
    // ticks later, so the new size gets its frame on the next tick.
    // Under a status text the scroll stands still, so the title comes back
    // where the user left it.
    if (mainVisible && !StatusTextShown() &&
        (frameTickCount >= effectiveSettings.ScrollRate || FrameSizeChanged())) {
        ComposeFrame();
        frameTickCount = 0;
    }
    // A freeform skin hides the classic main window: there is no title area to draw on.
    if (effectiveSettings.Enabled && !TitleAreaYielded() && mainVisible && IsWindowVisible(mainWindow))
        PresentFrame();
    if (PlaylistLineActive()) PresentPlaylistLine();

    if (startupTitlePending) {
        ++startupTicks;
        if (startupTicks >= startupTitleTicks) {
            startupTitlePending = 0;
            ReadCaption();   // unlike a caption change, this leaves the playlist line alone
        }
    }
}
