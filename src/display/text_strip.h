// The display text rendered once into a one-bit strip, and the window of it
// that each frame shows.
#pragma once
#include <windows.h>

constexpr int normalViewWidth = 153;
constexpr int doubleViewWidth = 306;
// Where the player's title area starts at normal size; double size doubles it.
constexpr POINT titleOrigin = {112, 24};
constexpr int titleAreaHeight = 29;

// --- State owned by the text strip --------------------------------------------
extern int stripWidth;       // width of displayText in the title font
extern int textHeight;       // its height
extern int lineHeight;       // 12..30, or 24..60 in double size
extern int scrollOffset;     // strip column shown at the left edge of the view
extern int scrollDirection;  // +1 or -1 (back-and-forth only)
extern int holdCount;        // frames spent at an end (back-and-forth only)

int ViewWidth();             // 153, or 306 in double size
// (112,24) at normal size, (224,48) in double size.
POINT TitleOrigin(int doubled);
// (112,24,265,53) at normal size, (224,48,530,106) in double size: the part of
// the main window the player repaints to show its own title.
RECT TitleRepaintRect(int doubled);
// Hands that part of the main window to the player to repaint.
void RepaintTitleArea(int doubled);
// Draws `text` once, white on black, into a strip exactly as wide as it is,
// in the font selected into the strip, and fixes lineHeight.
void DrawStrip(const char* text, int length);
void DrawStrip(const wchar_t* text, int length);
// The scroll back at the strip's start, moving forward.
void RestartScroll();
int LineHeight();
void AdvanceScroll();
void BounceScroll(int width);
void WrapScroll(int width);
// Copies `width` strip columns from `column` to `destination` of viewMask,
// lineHeight rows, clipped to the strip and to the mask.
void CopyStripToView(int column, int destination, int width);
