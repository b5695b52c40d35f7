// The 25 ms frame timer that drives all drawing.
#pragma once
#include <windows.h>

constexpr UINT_PTR frameTimerId = 124;
constexpr UINT framePeriodMs = 25;
constexpr int startupTitleTicks = 40;

// The frame clock's record; its one instance is private to frame_clock.cpp.
struct FrameClock {
    int frameTickCount = 0;        // ticks since the last composed frame
    int startupTitlePending = 1;   // the one-time caption read is still to come
    int startupTicks = 0;          // ticks counted while it is pending
};

void CALLBACK FrameTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);
// The counters as a fresh start has them: the next tick composes at once,
// and the caption is read on the 40th.
void RestartFrameClock();
// A title shown anew (a new caption, a resize, a skin): its first frame is
// composed at once, at the title's start, so the frame presented before the
// player's message returns already shows it. The count restarts: the next
// composition shows that start again, and the scroll moves on from there.
void ComposeTitleNow();
// Our frame laid over whatever the player has just drawn in its title area,
// when the area is ours (as on a tick); a frame of a size the view no
// longer has is composed first.
void PresentTitleNow();
// The playlist line copied onto the editor again, when it is active.
void PresentPlaylistLineNow();

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
FrameClock& FrameClockForTest();
#endif
