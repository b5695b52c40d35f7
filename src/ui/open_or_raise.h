// The rule both modeless dialogs open by.
#pragma once
#include <windows.h>

// Raises `dialog` when it is open; otherwise makes the dialog `resourceId`
// owned by the main window. Returns the dialog now open (null when making it
// failed), for the caller to keep.
HWND OpenOrRaise(HWND dialog, int resourceId, DLGPROC procedure);
