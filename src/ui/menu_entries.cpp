// STUB: to be completed.
#include "ui/menu_entries.h"
#include "plugin/plugin_entry.h"
int menuExtended;
HWND aboutDialog;
void ExtendHostMenu(HMENU) {}
void HandleMenuCommand(int) {}
void OpenOrRaise(HWND& dialog, int resourceId, DLGPROC procedure) {
    if (dialog) {
        SetForegroundWindow(dialog);
        return;
    }
    dialog = CreateDialogParamA(pluginHeader.hDllInstance, MAKEINTRESOURCEA(resourceId), pluginHeader.hwndParent,
                                procedure, 0);
}
INT_PTR CALLBACK AboutDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
void CloseDialogs() {}
