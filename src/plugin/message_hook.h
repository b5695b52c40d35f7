// The WH_CALLWNDPROC hook on the host's user-interface thread.
#pragma once
#include <windows.h>

// --- State owned by the message hook ----------------------------------------
extern HHOOK messageHook;   // installed by PluginInit, removed by PluginQuit

LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
void InstallHook(HINSTANCE module);
void RemoveHook();
