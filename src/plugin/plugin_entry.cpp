// The export, the plug-in header, and start-up and shut-down.
#include "plugin/plugin_entry.h"

#include <cstddef>
#include <cstring>

#include "display/compose.h"
#include "display/fonts.h"
#include "display/surfaces.h"
#include "display/text_strip.h"
#include "display/title_text.h"
#include "playlist/playlist_line.h"
#include "plugin/frame_clock.h"
#include "plugin/caption_seen.h"
#include "plugin/host_contract.h"
#include "plugin/subclass.h"
#include "plugin/title_area.h"
#include "plugin/wide_calls.h"
#include "plugin/window_modes.h"
#include "settings/settings.h"
#include "settings/skin_overrides.h"
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
int pluginRunning;
int moduleKept;

extern "C" __declspec(dllexport) PluginHeader* winampGetGeneralPurposePlugin() {
    return &pluginHeader;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

// Loading our own file again takes a reference that nothing gives back, so
// the host's FreeLibrary leaves the module mapped; this works on every
// system the host runs on, where pinning calls exist only on later ones.
// One reference is enough for good: the module is never unmapped after it,
// so the flag is not cleared by a later start.
void KeepModuleLoaded() {
    if (moduleKept) return;
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(pluginHeader.hDllInstance, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    if (LoadLibraryA(path)) moduleKept = 1;
}

namespace {

// Builds the description from the module's file name. GetModuleFileNameA
// may fill the buffer without a terminator when the path is too long, so the
// last byte is forced to zero.
void DescribeModule() {
    char path[512] = "";
    GetModuleFileNameA(pluginHeader.hDllInstance, path, sizeof path);
    path[sizeof path - 1] = '\0';
    int nameStart = lstrlenA(path);
    while (nameStart > 0 && path[nameStart - 1] != '\\') --nameStart;
    pluginHeader.description = descriptionText;
    wsprintfA(descriptionText, "%s 1.0(%.400s)", displayName, path + nameStart);
}

// A module that kept itself loaded is started again without its static
// initialisers: everything a run changes goes back to its value at load, so
// a second start in the same process is a first start. Not reset: the
// subclass links an earlier quit left in windows, and the counts of our
// procedures and choosers on the stack, which describe calls still running.
void RestoreLoadValues() {
    ResetWindowModes();
    ResetTitleArea();
    ForgetCaption();
    RestartFrameClock();
    RestartScroll();
    ResetPlaylistLine();
    ForgetComposedFrame();
    ResetMenuEntries();
    ResetConfigDialog();
    ResetUserFontRecords();
}

}  // namespace

int PluginInit() {
    RestoreLoadValues();
    AttachHost(pluginHeader.hwndParent, pluginHeader.hDllInstance);
    if (!HostVersionAtLeast(0x2004)) {
        MessageBoxA(pluginHeader.hwndParent,
                    "Qelvar Scrivane II required Winamp 2.04 or later.\nPlug-In terminated.",
                    "ERROR!", MB_ICONERROR | MB_OK);
        return 1;
    }
    NoteHostVersion();
    DescribeModule();
    FindHelpFile();
    SetTimer(mainWindow, frameTimerId, framePeriodMs, FrameTick);
    FindHostWindows();
    SubclassHostWindows();
    LoadSettings();
    UseStoredSettings();
    ProbeWindowModes();
    pluginRunning = 1;
    CreateSurfaces();
    StartTitle(IsUnicodeWindow(mainWindow));
    RepaintTitleArea(doubleSize);
    return 0;
}

void PluginConfig() {
    if (!pluginRunning) return;
    OpenConfigDialog();
}

// Takes down everything init put up, so the host may unload the module while
// its windows live on. A quit after a refused init finds nothing to undo and
// must not write a never-loaded settings record over plugin.ini. A quit from
// inside a chooser's message loop, or from a message that passed through one
// of our window procedures, returns into code of this module.
void PluginQuit() {
    if (!pluginRunning) return;
    if (choosersOpen || procedureDepth) KeepModuleLoaded();
    SaveSettings();
    CloseHelp();
    CloseDialogs();
    pluginRunning = 0;
    ReleaseSurfaces();
    KillTimer(mainWindow, frameTimerId);
    RestoreHostWindows();
}
