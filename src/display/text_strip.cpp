// STUB: to be completed.
#include "display/text_strip.h"
#include "plugin/window_modes.h"
int stripWidth, textHeight, lineHeight = 12, scrollOffset, scrollDirection = 1, holdCount;
int ViewWidth() { return doubleSize ? doubleViewWidth : normalViewWidth; }
void RefreshStrip() {}
void RenderStrip() {}
int LineHeight() { return 12; }
void AdvanceScroll() {}
void BounceScroll(int) {}
void WrapScroll(int) {}
