// The 25 ms frame timer that drives all drawing.
#pragma once
#include <windows.h>

constexpr UINT_PTR frameTimerId = 124;
constexpr UINT framePeriodMs = 25;
constexpr int startupTitleTicks = 40;

void CALLBACK FrameTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);
// The counters as a fresh start has them: the next tick composes at once,
// and the caption is read on the 40th.
void RestartFrameClock();
