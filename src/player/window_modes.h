// The host windows' modes, measured by the probes. The player's side of the
// contract, like the windows themselves: every room reads these flags.
#pragma once
#include <windows.h>

// The window modes' record; its one instance is private to window_modes.cpp.
struct WindowModes {
    int doubleSize = 0;       // main window wider than 275
    int mainShaded = 0;       // main window lower than 116
    int mainVisible = 1;      // neither shaded nor minimised (measured on WM_SIZE only)
    int eqDoubleSize = 0;     // equalizer wider than 275
    int playlistShaded = 0;   // playlist editor in windowshade mode
};

// The flags as last measured.
int IsDoubleSize();
int IsMainShaded();
int IsMainVisible();
int IsEqDoubleSize();
int IsPlaylistShaded();
// Width of a window's rectangle; 0 for a window the host does not have.
int WindowWidth(HWND window);

// The flags as a fresh start has them.
void ResetWindowModes();
// Measures all four modes (start-up).
void ProbeWindowModes();
// Measures the main window's size, windowshade and minimised state after a resize.
void ProbeMainWindow();
void ProbeEqualizer();
// The playlist editor's new client height: the borderless editor is shaded
// when it is no higher than its shaded title bar.
void NotePlaylistHeight(int height);

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
WindowModes& WindowModesForTest();
#endif
