// The host windows' modes, measured by four probes, and the counters of the
// frame clock.
#pragma once

// --- State owned by the window-mode probes and the frame clock --------------
extern int doubleSize;          // main window wider than 275
extern int mainShaded;          // main window lower than 116
extern int mainVisible;         // neither shaded nor minimised (set on WM_SIZE only)
extern int eqDoubleSize;        // equalizer wider than 275
extern int playlistShaded;      // playlist editor in windowshade mode
extern int mouseIdle;           // no press on a host control that draws into the title area
extern int frameTickCount;      // ticks since the last composed frame
extern int startupTitlePending; // the one-time caption read is still to come
extern int startupTicks;        // ticks counted while it is pending

int IsDoubleSize();
int IsMainShaded();
int IsPlaylistShaded();
int IsEqDoubleSize();
