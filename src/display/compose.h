// Each frame put together off-screen and copied onto the host's title area.
#pragma once

// --- State owned by the compositing -------------------------------------------
extern int composedWidth;   // viewWidth of the frame in frameSurface; 0 before the first
extern int composedRows;    // its lineHeight

void ComposeFrame();
// The frame in frameSurface was composed for another view size than the
// current one (the cleared frame of start-up fits every size).
bool FrameSizeChanged();
void AddShadow(int depth);
// No frame composed yet (a fresh start).
void ForgetComposedFrame();
void PresentFrame();
