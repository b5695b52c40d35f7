// The two entries on the host's main menu and the About dialog.
#include "ui/menu_entries.h"

#include "player/host_contract.h"
#include "resources/menu_captions.h"
#include "resources/resource_ids.h"
#include "ui/config_dialog.h"
#include "ui/open_or_raise.h"

namespace {

MenuEntries entries;

// Without the player's word on its menu, only its main menu starts with one
// of these; the captions differ between host versions.
constexpr const char* hostMenuCaptions[] = {"&Winamp...", "Nullsoft &Winamp..."};

constexpr int menuTextSize = 256;

// A player that names its main menu is believed whatever the first item
// reads: later players put other texts there, translated ones too, and
// rewrite that item each time the menu opens.
bool IsHostMainMenu(HMENU menu) {
    const LRESULT named = HostRequest(0, IPC_GET_HMENU);
    if (HostAnswered(named)) return reinterpret_cast<HMENU>(named) == menu;
    char text[menuTextSize] = "";
    GetMenuStringA(menu, 0, text, menuTextSize, MF_BYPOSITION);
    text[menuTextSize - 1] = '\0';
    for (const char* caption : hostMenuCaptions)
        if (lstrcmpA(text, caption) == 0) return true;
    return false;
}

}  // namespace

// A module that kept itself loaded starts again with its entries still on
// the host's menu from the earlier start; they are not added twice.
void ExtendHostMenu(HMENU menu) {
    if (entries.menuExtended || !IsHostMainMenu(menu)) return;
    if (GetMenuState(menu, IDM_CONFIGURE, MF_BYCOMMAND) != static_cast<UINT>(-1)) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_CONFIGURE, configureMenuCaption);
    AppendMenuA(menu, MF_STRING, IDM_ABOUT, aboutMenuCaption);
    entries.menuExtended = 1;
}

void HandleMenuCommand(int commandId) {
    if (commandId == IDM_CONFIGURE)
        OpenConfigDialog();
    else if (commandId == IDM_ABOUT)
        entries.aboutDialog = OpenOrRaise(entries.aboutDialog, IDD_ABOUT, AboutDialogProc);
}

void ResetMenuEntries() {
    entries = MenuEntries{};
}

#ifdef QLV_WHITEBOX
MenuEntries& MenuEntriesForTest() { return entries; }
#endif

// Only its own button closes the About dialog: it has no close box, and the
// Escape key's command 2 is ignored.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_ABOUT_OK) return FALSE;
        DestroyWindow(dialog);
        entries.aboutDialog = nullptr;
        return TRUE;
    case WM_DESTROY:
        if (entries.aboutDialog == dialog) entries.aboutDialog = nullptr;
        return FALSE;
    }
    return FALSE;
}

// The host may unload the module once quit returns: a dialog left open
// would then call into code that is gone.
void CloseDialogs() {
    CloseConfigDialog();
    if (entries.aboutDialog && IsWindow(entries.aboutDialog)) DestroyWindow(entries.aboutDialog);
    entries.aboutDialog = nullptr;
}
