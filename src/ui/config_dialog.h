// The configuration dialog (resource 102).
#pragma once
#include <windows.h>

#include "settings/settings.h"

// --- State owned by the configuration dialog ------------------------------------
extern HWND configDialog;             // the open dialog, or null
extern COLORREF customColours[16];    // the colour chooser's custom colours, for this run
extern int choosersOpen;              // font or colour choosers now running their own message loop
extern SettingsSet pendingSettings;   // what the dialog edits, committed on OK and Apply
extern char helpFilePath[512];        // module folder + "Scrivane.HLP"

// pendingSettings := storedSettings (Cancel, and each opening).
void RevertPending();
// OK and Apply: pendingSettings, with the user's own font records, become the
// stored settings, and the display follows them (a skin's overrides still on top).
void CommitPendingSettings();
void FindHelpFile();
// Tells the help viewer to close (shut-down).
void CloseHelp();
void CloseConfigDialog();
// The dialog's state as a fresh start has it.
void ResetConfigDialog();
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
COLORREF PickColour(HWND dialog, int swatchId, HBITMAP swatch, COLORREF initial);
