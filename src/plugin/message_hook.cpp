// The hook that sees the main window's resizes before the host does.
#include "plugin/message_hook.h"

#include "display/text_strip.h"
#include "display/title_text.h"
#include "playlist/playlist_line.h"
#include "plugin/host_contract.h"
#include "plugin/plugin_entry.h"
#include "plugin/window_modes.h"
#include "settings/settings.h"

HHOOK messageHook;

namespace {

// WM_SIZE is sent once the window has its new size, so the probes measure
// the new mode. IsIconic is not asked while shaded.
void OnMainResized() {
    doubleSize = IsDoubleSize();
    mainShaded = IsMainShaded();
    if (mainShaded)
        mainVisible = 0;
    else
        mainVisible = IsIconic(mainWindow) ? 0 : 1;
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
