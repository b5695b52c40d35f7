// The caption the main window's procedure received last, so a caption set
// again unchanged is known before any message is sent.
#pragma once
#include <windows.h>

// WM_SETTEXT's text as the procedure receives it (wide when `wide`; null is
// an empty caption). Returns 1 when it is the caption seen last; otherwise
// it becomes the caption seen last and the answer is 0.
int CaptionSetAgain(LPARAM text, int wide);
// No caption seen yet (a fresh start).
void ForgetCaption();
