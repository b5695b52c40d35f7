// The heartbeat: compose at the scroll rate, present on every tick.
#include "plugin/frame_clock.h"

#include "frame/compose.h"
#include "title/text_strip.h"
#include "title/title_text.h"
#include "player/host_contract.h"
#include "player/window_modes.h"
#include "playlist/playlist_line.h"
#include "plugin/module_life.h"
#include "plugin/title_area.h"
#include "settings/skin_overrides.h"

namespace {

FrameClock frameClock;

// A freeform skin hides the classic main window: there is no title area to draw on.
bool TitleAreaOurs() {
    return EffectiveSettings().Enabled && !TitleAreaYielded() && IsMainVisible() && IsWindowVisible(MainWindow());
}

}  // namespace

void RestartFrameClock() {
    frameClock = FrameClock{};
}

#ifdef QLV_WHITEBOX
FrameClock& FrameClockForTest() { return frameClock; }
#endif

void CALLBACK FrameTick(HWND window, UINT, UINT_PTR timerId, DWORD) {
    if (!PluginRunning() || window != MainWindow() || timerId != frameTimerId) return;

    const SettingsSet& settings = EffectiveSettings();
    ++frameClock.frameTickCount;
    CountTitleAreaTime(framePeriodMs);
    // A switch between normal and double size renders the text again at
    // the new size at once; the frame composed at the old size would show
    // as a small stale picture until the next composition, up to ScrollRate
    // ticks later, so the new size gets its frame on the next tick.
    // Under a status text the scroll stands still, so the title comes back
    // where the user left it.
    if (IsMainVisible() && !StatusTextShown() &&
        (frameClock.frameTickCount >= settings.ScrollRate || FrameSizeChanged(LineHeight()))) {
        ComposeTitleFrame();
        frameClock.frameTickCount = 0;
    }
    if (TitleAreaOurs()) PresentFrame(LineHeight());
    PresentPlaylistLineNow();

    if (frameClock.startupTitlePending) {
        ++frameClock.startupTicks;
        if (frameClock.startupTicks >= startupTitleTicks) {
            frameClock.startupTitlePending = 0;
            ReadCaption();   // unlike a caption change, this leaves the playlist line alone
        }
    }
}

// Composing moved the scroll on by a step; it goes back to the start, and
// the count restarts, so the composition ScrollRate ticks on shows the start
// again and the scroll moves on from there at its rate.
void ComposeTitleNow() {
    if (!PluginRunning() || !IsMainVisible()) return;
    ComposeTitleFrame();
    RestartScroll();
    frameClock.frameTickCount = 0;
}

void PresentTitleNow() {
    if (!PluginRunning() || !TitleAreaOurs()) return;
    if (FrameSizeChanged(LineHeight())) ComposeTitleNow();
    PresentFrame(LineHeight());
}

void PresentPlaylistLineNow() {
    if (PluginRunning() && PlaylistLineActive()) PresentPlaylistLine();
}
