// The hook that sees the main window's resizes before the host does.
#include "plugin/message_hook.h"

#include "display/title_text.h"
#include "player/host_contract.h"
#include "player/window_modes.h"
#include "plugin/module_life.h"

namespace {

MessageHook messageHook;

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
    if (PluginRunning() && message && message->hwnd == MainWindow() && message->message == WM_SIZE)
        OnMainResized();
    return CallNextHookEx(messageHook.hook, code, wParam, lParam);
}

// Only the host's user-interface thread needs the hook: a desktop-wide hook
// would load this module into every other process for nothing.
void InstallHook(HINSTANCE module) {
    const DWORD hostThread = GetWindowThreadProcessId(MainWindow(), nullptr);
    messageHook.hook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, module, hostThread);
}

void RemoveHook() {
    if (messageHook.hook) UnhookWindowsHookEx(messageHook.hook);
    messageHook = MessageHook{};
}

#ifdef QLV_WHITEBOX
MessageHook& MessageHookForTest() { return messageHook; }
#endif
