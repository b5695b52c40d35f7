// The display text rendered once into a one-bit strip, and the window of it
// that each frame shows.
#pragma once
#include <windows.h>

constexpr int displayTextSize = 256;
constexpr char scrollSeparator[] = "   ---   ";

// Shows a title: selects the title font of the current size, measures the
// title, decides whether it overflows the view, appends the separator for
// the wrap-around scroll, restarts the scroll, and draws the text once,
// white on black, into a strip exactly as wide as it is.
void ShowStripText(const char* title, int length);
void ShowStripText(const wchar_t* title, int length);
// The title is at least as wide as the view.
int StripOverflows();
int StripWidth();            // width of the display text in the title font
int LineHeight();            // the rows a frame shows: 12..30, or 24..60 in double size
int ScrollOffset();          // strip column shown at the left edge of the view
// The line height for a text `textHeight` pixels high, from AutoAdjust and Shadow.
int LineHeightFor(int textHeight);
// The scroll back at the strip's start, moving forward.
void RestartScroll();
// The frame of this moment: the strip's visible window cut into the view
// (the scroll moves on when the title overflows and scrolls), and the frame
// composed over it, with smooth edges when the strip has its coverage.
void ComposeTitleFrame();
void AdvanceScroll();
void BounceScroll(int width);
void WrapScroll(int width);
// Copies `width` strip columns from `column` to `destination` of viewMask,
// lineHeight rows, clipped to the strip and to the mask.
void CopyStripToView(int column, int destination, int width);
// The strip as a fresh start has it: no text, the scroll at its start.
void ResetStrip();

// --- The room's record, and its one accessor for white-box tests --------------
// A Unicode player's text is kept as wide text in displayTextWide, an ANSI
// player's as bytes of the ANSI code page; lengths count code units of the kind in use.
struct StripState {
    char displayText[displayTextSize];          // the title, maybe with the separator
    wchar_t displayTextWide[displayTextSize];   // the same, for a Unicode player
    int displayLength;                          // characters in the display text
    int overflow;                               // the title is at least viewWidth wide
    int stripWidth;                             // width of the display text in the title font
    int textHeight;                             // its height
    int lineHeight;                             // 12..30, or 24..60 in double size
    int scrollOffset;                           // strip column shown at the left edge of the view
    int scrollDirection;                        // +1 or -1 (back-and-forth only)
    int holdCount;                              // frames spent at an end (back-and-forth only)
};
#ifdef QLV_WHITEBOX
StripState& StripForTest();
#endif
