// The WH_CALLWNDPROC hook on the host's user-interface thread.
#pragma once
#include <windows.h>

// The hook's record; its one instance is private to message_hook.cpp.
struct MessageHook {
    HHOOK hook;   // installed by PluginInit, removed by PluginQuit
};

LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
void InstallHook(HINSTANCE module);
// Takes the hook down, if it is up, and empties the record (quit, and a fresh start).
void RemoveHook();

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
MessageHook& MessageHookForTest();
#endif
