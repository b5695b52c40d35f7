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

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
FrameClock& FrameClockForTest();
#endif
