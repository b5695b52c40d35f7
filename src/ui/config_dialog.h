// The configuration dialog (resource 102).
#pragma once
#include <windows.h>

// --- State owned by the configuration dialog ------------------------------------
extern HWND configDialog;             // the open dialog, or null
extern COLORREF customColours[16];    // the colour chooser's custom colours, for this run
extern int choosersOpen;              // font or colour choosers now running their own message loop

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
COLORREF PickColour(HWND dialog, int swatchId, HBITMAP swatch, COLORREF initial);
