// The subclass procedures of the host's main, equalizer and playlist windows.
#pragma once
#include <windows.h>

constexpr UINT_PTR hostTitleTimerId = 39;

// One of our procedures in one host window's chain, and the procedure it
// hands that window's messages on to.
struct SubclassLink {
    HWND window;         // null: the place is free
    WNDPROC procedure;   // ours
    WNDPROC previous;    // the window's procedure before ours
    int wide;            // the window was a Unicode window when subclassed: wide calls serve it
};
// This start's three links, and room for three that an earlier quit had to
// leave in place because another module's procedure lay on top of ours.
constexpr int subclassLinkCount = 6;

// The subclassing's record; its one instance is private to subclass.cpp.
struct Subclassing {
    // What outlives a start: the links an earlier quit had to leave in
    // windows are still in their chains, and the calls counted are still running.
    struct Lasting {
        SubclassLink links[subclassLinkCount];
        int procedureDepth;   // calls of our three procedures now on the stack
    } lasting;
};

// Calls of our three procedures now on the stack.
int ProcedureDepth();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EqWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PlaylistWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A fresh record but for what outlives a start.
void ResetSubclassing();

// Installs the three procedures (main, equalizer, playlist, in that order),
// skipping a window the host does not have, and taking up a link that an
// earlier quit left in the same window instead of adding a second one.
void SubclassHostWindows();
// Puts back each kept procedure, in the reverse order, where ours is still
// the window's current one.
void RestoreHostWindows();

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
Subclassing& SubclassingForTest();
#endif
