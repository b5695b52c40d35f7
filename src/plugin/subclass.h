// The subclass procedures of the host's main, equalizer and playlist windows.
#pragma once
#include <windows.h>

constexpr UINT_PTR hostTitleTimerId = 39;

// --- State owned by the subclassing ------------------------------------------
extern WNDPROC mainPreviousProc;      // the main window's procedure before ours
extern WNDPROC eqPreviousProc;        // the equalizer's, or null when not subclassed
extern WNDPROC playlistPreviousProc;  // the playlist editor's, or null
extern int mainSubclassWide;          // the main window was a Unicode window when subclassed
extern int eqSubclassWide;            // the same for the equalizer
extern int playlistSubclassWide;      // and for the playlist editor

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EqWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PlaylistWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// (112,24,265,53) at normal size, (224,48,530,106) in double size.
RECT TitleRepaintRect(int doubled);

// Installs the three procedures (main, equalizer, playlist, in that order),
// skipping a window the host does not have.
void SubclassHostWindows();
// Puts back each kept procedure, in the reverse order, where ours is still
// the window's current one.
void RestoreHostWindows();
