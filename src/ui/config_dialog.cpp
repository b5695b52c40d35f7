// STUB: to be completed.
#include "ui/config_dialog.h"
HWND configDialog;
COLORREF customColours[16];
INT_PTR CALLBACK ConfigDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
COLORREF PickColour(HWND, int, HBITMAP, COLORREF initial) { return initial; }
