// The 25 ms frame timer that drives all drawing.
#pragma once
#include <windows.h>

constexpr UINT_PTR frameTimerId = 124;
constexpr UINT framePeriodMs = 25;
constexpr int startupTitleTicks = 40;

void CALLBACK FrameTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);
