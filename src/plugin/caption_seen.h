// The caption the main window's procedure received last, so a caption set
// again unchanged is known before any message is sent.
#pragma once
#include <windows.h>

// A longer caption is never taken for one set again: it is simply read anew.
constexpr int captionKept = 256;

// The caption seen last; its one instance is private to caption_seen.cpp.
struct SeenCaption {
    int known;                   // a caption of at most captionKept units has been seen
    int wide;                    // it came as wide text
    int length;                  // its code units
    wchar_t units[captionKept];  // an ANSI caption's bytes are kept one per unit
};

// WM_SETTEXT's text as the procedure receives it (wide when `wide`; null is
// an empty caption). Returns 1 when it is the caption seen last; otherwise
// it becomes the caption seen last and the answer is 0.
int CaptionSetAgain(LPARAM text, int wide);
// No caption seen yet (a fresh start).
void ForgetCaption();

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
SeenCaption& CaptionSeenForTest();
#endif
