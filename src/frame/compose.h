// Each frame put together off-screen and copied onto the host's title area.
#pragma once
#include <windows.h>

// The frame's rows for a line `lineHeight` high, held inside the surfaces.
int FrameRows(int lineHeight);
// Lays background, text colour and shadow over the view the strip has cut
// into viewMask, `lineHeight` rows of it; with `coverage` (the view's,
// viewCoverageStride bytes a row) the edges are blended smooth.
void ComposeFrame(int lineHeight, const BYTE* coverage);
// The frame in frameSurface was composed for another view size than the
// current one (the cleared frame of start-up fits every size).
bool FrameSizeChanged(int lineHeight);
void AddShadow(int depth, int lineHeight);
// No frame composed yet (a fresh start).
void ResetCompose();
// Copies the frame, `lineHeight` rows, onto the player's title area.
void PresentFrame(int lineHeight);

// --- The room's record, and its one accessor for white-box tests --------------
struct ComposeState {
    int composedWidth;   // viewWidth of the frame in frameSurface; 0 before the first
    int composedRows;    // its lineHeight
};
#ifdef QLV_WHITEBOX
ComposeState& ComposeForTest();
#endif
