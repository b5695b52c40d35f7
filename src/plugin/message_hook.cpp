// The hook that sees the main window's resizes before the host does.
#include "plugin/message_hook.h"

#include "display/title_text.h"
#include "plugin/host_contract.h"
#include "plugin/plugin_entry.h"
#include "plugin/window_modes.h"

HHOOK messageHook;

namespace {

// The probes measure the new mode; the text is drawn again in the font of that size.
void OnMainResized() {
    ProbeMainWindow();
    RefreshStrip();
}

}  // namespace

// The caption is not read here: the hook runs before the window procedure,
// so the window would still hold the previous caption. MainWndProc reads it
// once the host has taken the new one.
LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (pluginRunning && message && message->hwnd == mainWindow && message->message == WM_SIZE)
        OnMainResized();
    return CallNextHookEx(messageHook, code, wParam, lParam);
}

// Only the host's user-interface thread needs the hook: a desktop-wide hook
// would load this module into every other process for nothing.
void InstallHook(HINSTANCE module) {
    const DWORD hostThread = GetWindowThreadProcessId(mainWindow, nullptr);
    messageHook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, module, hostThread);
}

void RemoveHook() {
    if (messageHook) UnhookWindowsHookEx(messageHook);
    messageHook = nullptr;
}
