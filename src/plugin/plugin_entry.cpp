// The export, the plug-in header, and start-up and shut-down.
#include "plugin/plugin_entry.h"

#include <cstddef>
#include <cstring>

#include "display/compose.h"
#include "display/surfaces.h"
#include "display/text_strip.h"
#include "display/title_text.h"
#include "plugin/frame_clock.h"
#include "plugin/host_contract.h"
#include "plugin/message_hook.h"
#include "plugin/subclass.h"
#include "plugin/window_modes.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "ui/config_dialog.h"
#include "ui/menu_entries.h"

namespace {
char emptyDescription[] = "";
}

PluginHeader pluginHeader = {
    pluginHeaderVersion, emptyDescription, PluginInit, PluginConfig, PluginQuit, nullptr, nullptr,
};
static_assert(offsetof(PluginHeader, version) == 0, "header layout");
static_assert(offsetof(PluginHeader, description) == 4, "header layout");
static_assert(offsetof(PluginHeader, init) == 8, "header layout");
static_assert(offsetof(PluginHeader, config) == 12, "header layout");
static_assert(offsetof(PluginHeader, quit) == 16, "header layout");
static_assert(offsetof(PluginHeader, hwndParent) == 20, "header layout");
static_assert(offsetof(PluginHeader, hDllInstance) == 24, "header layout");
static_assert(sizeof(PluginHeader) == 28, "header layout");

char descriptionText[512];
char helpFilePath[512];
int hostIs205;
int pluginRunning;

extern "C" __declspec(dllexport) PluginHeader* winampGetGeneralPurposePlugin() {
    return &pluginHeader;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

int HostVersionAtLeast(int minimum) {
    const int version = static_cast<int>(
        SendMessageA(pluginHeader.hwndParent, WM_USER, 0, IPC_GETVERSION));
    return version >= minimum ? 1 : 0;
}

// A load of our own file that is never freed keeps the module mapped;
// GetModuleHandleExA would do it too, but exists only from Windows XP on.
void KeepModuleLoaded() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(pluginHeader.hDllInstance, path, sizeof path);
    if (length > 0 && length < sizeof path) LoadLibraryA(path);
}

namespace {

// Builds the description from the module's file name and the help path from
// its folder. GetModuleFileNameA may fill the buffer without a terminator
// when the path is too long, so the last byte is forced to zero.
void DescribeModule() {
    helpFilePath[0] = '\0';
    GetModuleFileNameA(pluginHeader.hDllInstance, helpFilePath, sizeof helpFilePath);
    helpFilePath[sizeof helpFilePath - 1] = '\0';
    int nameStart = lstrlenA(helpFilePath);
    while (nameStart > 0 && helpFilePath[nameStart - 1] != '\\') --nameStart;
    pluginHeader.description = descriptionText;
    wsprintfA(descriptionText, "%s 1.0(%.400s)", displayName, helpFilePath + nameStart);
    constexpr char helpName[] = "Scrivane.HLP";
    if (nameStart + static_cast<int>(sizeof helpName) > static_cast<int>(sizeof helpFilePath))
        nameStart = 0;   // a folder too long for the name: fall back to the bare name
    lstrcpyA(helpFilePath + nameStart, helpName);
}

// Only the host's user-interface thread needs the hook: a desktop-wide hook
// would load this module into every other process for nothing.
void InstallHook() {
    const DWORD hostThread = GetWindowThreadProcessId(mainWindow, nullptr);
    messageHook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, pluginHeader.hDllInstance, hostThread);
}

void TakeWindowProbes() {
    doubleSize = IsDoubleSize();
    eqDoubleSize = IsEqDoubleSize();
    mainShaded = IsMainShaded();
    playlistShaded = IsPlaylistShaded();
}

}  // namespace

int PluginInit() {
    mainWindow = pluginHeader.hwndParent;
    if (!HostVersionAtLeast(0x2004)) {
        MessageBoxA(pluginHeader.hwndParent,
                    "Qelvar Scrivane II required Winamp 2.04 or later.\nPlug-In terminated.",
                    "ERROR!", MB_ICONERROR | MB_OK);
        return 1;
    }
    hostIs205 = HostVersionAtLeast(0x2005);
    DescribeModule();
    SetTimer(mainWindow, frameTimerId, framePeriodMs, FrameTick);
    InstallHook();
    FindHostWindows();
    SubclassHostWindows();
    LoadSettings();
    TakeWindowProbes();
    pluginRunning = 1;
    CreateSurfaces();
    StartTitle(mainSubclassWide);
    frameTickCount = 0;
    scrollOffset = 0;
    scrollDirection = 1;
    return 0;
}

void PluginConfig() {
    if (!pluginRunning) return;
    OpenOrRaise(configDialog, IDD_CONFIG, ConfigDialogProc);
}

// Takes down everything init put up, so the host may unload the module while
// its windows live on. A quit after a refused init finds nothing to undo and
// must not write a never-loaded settings record over plugin.ini. A quit from
// inside a chooser's message loop will return into the dialog's code.
void PluginQuit() {
    if (!pluginRunning) return;
    if (choosersOpen) KeepModuleLoaded();
    SaveSettings();
    WinHelpA(mainWindow, helpFilePath, HELP_QUIT, 0);
    CloseDialogs();
    pluginRunning = 0;
    ReleaseSurfaces();
    if (messageHook) UnhookWindowsHookEx(messageHook);
    messageHook = nullptr;
    KillTimer(mainWindow, frameTimerId);
    RestoreHostWindows();
}
