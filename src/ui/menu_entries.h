// The two entries on the host's main menu, the open-or-raise rule and the
// About dialog (resource 106).
#pragma once
#include <windows.h>

// --- State owned by the menu entries ---------------------------------------------
extern int menuExtended;     // the two entries have been appended
extern HWND aboutDialog;     // the open About dialog, or null

void ExtendHostMenu(HMENU menu);
void HandleMenuCommand(int commandId);
void OpenConfigDialog();
// The entries and the About dialog as a fresh start has them.
void ResetMenuEntries();
void OpenOrRaise(HWND& dialog, int resourceId, DLGPROC procedure);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Destroys whichever of the two dialogs is open.
void CloseDialogs();
