// The configuration dialog (resource 102).
#pragma once
#include <windows.h>

#include "settings/settings.h"

// The configuration dialog's record; its one instance is private to config_dialog.cpp.
struct ConfigDialog {
    // What outlives a start: a chooser's message loop still running.
    struct Lasting {
        int choosersOpen;             // font or colour choosers now running their own message loop
    } lasting;
    HWND window = nullptr;            // the open dialog, or null
    COLORREF customColours[16] = {};  // the colour chooser's custom colours, for this run
    SettingsSet pendingSettings = {}; // what the dialog edits, committed on OK and Apply
    char helpFilePath[512] = {};      // module folder + "Scrivane.HLP"
};

// Opens the dialog, or raises it when it is open (the menu entry and the host's config call).
void OpenConfigDialog();
// Font or colour choosers now running their own message loop.
int ChoosersOpen();

// pendingSettings := storedSettings (Cancel, and each opening).
void RevertPending();
// OK and Apply: pendingSettings, with the user's own font records, become the
// stored settings, and the display follows them (a skin's overrides still on top).
void CommitPendingSettings();
void FindHelpFile();
// Tells the help viewer to close (shut-down).
void CloseHelp();
void CloseConfigDialog();
// The dialog's record as a fresh start has it, but for the choosers still running.
void ResetConfigDialog();
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
COLORREF PickColour(HWND dialog, int swatchId, HBITMAP swatch, COLORREF initial);

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
ConfigDialog& ConfigDialogForTest();
#endif
