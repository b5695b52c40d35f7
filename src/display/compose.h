// Each frame put together off-screen and copied onto the host's title area.
#pragma once

void ComposeFrame();
// The frame in frameSurface was composed for another view size than the
// current one (the cleared frame of start-up fits every size).
bool FrameSizeChanged();
void AddShadow(int depth);
// No frame composed yet (a fresh start).
void ResetCompose();
void PresentFrame();

// --- The room's record, and its one accessor for white-box tests --------------
struct ComposeState {
    int composedWidth;   // viewWidth of the frame in frameSurface; 0 before the first
    int composedRows;    // its lineHeight
};
#ifdef QLV_WHITEBOX
ComposeState& ComposeForTest();
#endif
