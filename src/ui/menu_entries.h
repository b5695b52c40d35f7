// The two entries on the host's main menu and the About dialog (resource 106).
#pragma once
#include <windows.h>

// The menu entries' record; its one instance is private to menu_entries.cpp.
struct MenuEntries {
    int menuExtended;   // the two entries have been appended
    HWND aboutDialog;   // the open About dialog, or null
};

void ExtendHostMenu(HMENU menu);
void HandleMenuCommand(int commandId);
// The entries and the About dialog as a fresh start has them.
void ResetMenuEntries();
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Destroys whichever of the two dialogs is open.
void CloseDialogs();

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
MenuEntries& MenuEntriesForTest();
#endif
