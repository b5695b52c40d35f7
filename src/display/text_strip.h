// The display text rendered once into a one-bit strip, and the window of it
// that each frame shows.
#pragma once

constexpr int normalViewWidth = 153;
constexpr int doubleViewWidth = 306;

// --- State owned by the text strip --------------------------------------------
extern int stripWidth;       // width of displayText in the title font
extern int textHeight;       // its height
extern int lineHeight;       // 12..30, or 24..60 in double size
extern int scrollOffset;     // strip column shown at the left edge of the view
extern int scrollDirection;  // +1 or -1 (back-and-forth only)
extern int holdCount;        // frames spent at an end (back-and-forth only)

int ViewWidth();             // 153, or 306 in double size
void RefreshStrip();
void RenderStrip();
int LineHeight();
void AdvanceScroll();
void BounceScroll(int width);
void WrapScroll(int width);
// Copies `width` strip columns from `column` to `destination` of viewMask,
// lineHeight rows, clipped to the strip and to the mask.
void CopyStripToView(int column, int destination, int width);
