// The host windows' modes, measured by the probes. The player's side of the
// contract, like the windows themselves: every room reads these flags.
#pragma once
#include <windows.h>

// --- State owned by the window-mode probes -------------------------------------
extern int doubleSize;          // main window wider than 275
extern int mainShaded;          // main window lower than 116
extern int mainVisible;         // neither shaded nor minimised (measured on WM_SIZE only)
extern int eqDoubleSize;        // equalizer wider than 275
extern int playlistShaded;      // playlist editor in windowshade mode

int IsDoubleSize();
int IsMainShaded();
int IsPlaylistShaded();
int IsEqDoubleSize();
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
