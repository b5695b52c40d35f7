// The wide (Unicode) calls the plug-in makes on a Unicode player, found at
// run time. Importing them would keep the module from loading at all where
// the system lacks them, and Windows 95, 98 and ME export several only as
// stubs that fail: there the player's windows are never Unicode anyway.
#pragma once
#include <windows.h>

struct WideCalls {
    BOOL(WINAPI* IsWindowUnicode)(HWND);
    LONG(WINAPI* GetWindowLongW)(HWND, int);
    LONG(WINAPI* SetWindowLongW)(HWND, int, LONG);
    LRESULT(WINAPI* CallWindowProcW)(WNDPROC, HWND, UINT, WPARAM, LPARAM);
    LRESULT(WINAPI* DefWindowProcW)(HWND, UINT, WPARAM, LPARAM);
    int(WINAPI* GetWindowTextW)(HWND, LPWSTR, int);
    int(WINAPI* DrawTextW)(HDC, LPCWSTR, int, LPRECT, UINT);
    BOOL(WINAPI* GetTextExtentPoint32W)(HDC, LPCWSTR, int, LPSIZE);
};

// The wide calls' record; its one instance is private to wide_calls.cpp. It
// lives as long as the process, not one start: what the system exports does
// not change, and a subclass link an earlier quit left in a Unicode window
// passes that window's messages on through these calls, also while a later
// start is still on its way up. So no start resets it.
struct WideCallsFound {
    WideCalls calls;   // every entry found, or all null (FindWideCalls)
    int searched;      // FindWideCalls has looked once
};

// The calls FindWideCalls found: every entry, or all null.
const WideCalls& FoundWideCalls();
// Looks the calls up once; 1 when every one of them is there.
int FindWideCalls();
// The window takes and gives wide text, and the wide calls are there to serve it.
int IsUnicodeWindow(HWND window);

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
WideCallsFound& WideCallsForTest();
#endif
