// Measuring and drawing both kinds of text: the ANSI calls, or the wide
// calls a Unicode player's titles need, found at run time.
#pragma once
#include <windows.h>

#include "player/wide_calls.h"
#include "settings/characters.h"

inline SIZE MeasureText(HDC dc, const char* text, int length) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &size);   // even an empty text gives the font's height
    return size;
}

inline SIZE MeasureText(HDC dc, const wchar_t* text, int length) {
    SIZE size = {0, 0};
    if (FoundWideCalls().GetTextExtentPoint32W) FoundWideCalls().GetTextExtentPoint32W(dc, text, length, &size);
    return size;
}

inline void DrawLine(HDC dc, const char* text, int length, RECT* line, UINT format) {
    DrawTextA(dc, text, length, line, format);
}

inline void DrawLine(HDC dc, const wchar_t* text, int length, RECT* line, UINT format) {
    if (FoundWideCalls().DrawTextW) FoundWideCalls().DrawTextW(dc, text, length, line, format);
}
