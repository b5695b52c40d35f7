// The plug-in's procedures in front of the host's three windows.
#include "plugin/subclass.h"

#include "display/skin_assets.h"
#include "playlist/playlist_line.h"
#include "plugin/host_contract.h"
#include "plugin/message_hook.h"
#include "plugin/plugin_entry.h"
#include "plugin/window_modes.h"
#include "settings/settings.h"
#include "ui/menu_entries.h"

WNDPROC mainPreviousProc;
WNDPROC eqPreviousProc;
WNDPROC playlistPreviousProc;

RECT TitleRepaintRect(int doubled) {
    return doubled ? RECT{224, 48, 530, 106} : RECT{112, 24, 265, 53};
}

namespace {

WNDPROC Subclass(HWND window, WNDPROC procedure) {
    if (!window) return nullptr;
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongA(window, GWL_WNDPROC));
    SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(procedure));
    return previous;
}

// Another module may have subclassed the window on top of ours; taking ours
// out from under it would cut it off, so ours then stays and passes on.
void Restore(HWND window, WNDPROC procedure, WNDPROC previous) {
    if (!window || !previous) return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongA(window, GWL_WNDPROC)) == procedure)
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(previous));
}

// The caption is read once the host's procedure has taken it: reading it
// earlier (as a hook would) gives the previous caption, and the message's
// own text may be a wide string when the host sets it with the wide call.
void OnCaptionChanged() {
    ReadCaption();
    if (playlistShaded && effectiveSettings.PE_Scrivane && hostIs205) DrawPlaylistLine();
}

}  // namespace

void SubclassHostWindows() {
    mainPreviousProc = Subclass(mainWindow, MainWndProc);
    eqPreviousProc = Subclass(eqWindow, EqWndProc);
    playlistPreviousProc = Subclass(playlistWindow, PlaylistWndProc);
}

void RestoreHostWindows() {
    Restore(playlistWindow, PlaylistWndProc, playlistPreviousProc);
    Restore(eqWindow, EqWndProc, eqPreviousProc);
    Restore(mainWindow, MainWndProc, mainPreviousProc);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (pluginRunning) {
        switch (message) {
        case WM_TIMER:
            if (wParam == hostTitleTimerId && effectiveSettings.Enabled) return 0;
            break;
        case WM_INITMENU:
            ExtendHostMenu(reinterpret_cast<HMENU>(wParam));
            break;
        case WM_COMMAND:
            HandleMenuCommand(LOWORD(wParam));
            break;
        case WM_SETTEXT: {
            const LRESULT result = CallWindowProcA(mainPreviousProc, window, message, wParam, lParam);
            if (pluginRunning) OnCaptionChanged();
            return result;
        }
        }
    }
    return CallWindowProcA(mainPreviousProc, window, message, wParam, lParam);
}

LRESULT CALLBACK EqWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(eqPreviousProc, window, message, wParam, lParam);
}

LRESULT CALLBACK PlaylistWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(playlistPreviousProc, window, message, wParam, lParam);
}
