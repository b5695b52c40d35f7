// The export, the plug-in header, and start-up and shut-down.
#include "plugin/plugin_entry.h"

#include <cstddef>
#include <cstring>

#include "frame/compose.h"
#include "surfaces/fonts.h"
#include "surfaces/skin_pictures.h"
#include "surfaces/surfaces.h"
#include "title/coverage_strip.h"
#include "title/text_strip.h"
#include "title/title_text.h"
#include "player/host_contract.h"
#include "player/title_place.h"
#include "player/wide_calls.h"
#include "player/window_modes.h"
#include "playlist/playlist_line.h"
#include "plugin/frame_clock.h"
#include "plugin/caption_seen.h"
#include "plugin/module_life.h"
#include "plugin/subclass.h"
#include "plugin/title_area.h"
#include "settings/settings.h"
#include "settings/skin_overrides.h"
#include "ui/config_dialog.h"
#include "ui/language.h"
#include "ui/menu_entries.h"

namespace {

PluginEntry entry;

// Until init describes the module, the description is empty, as at load.
PluginHeader pluginHeader = {
    pluginHeaderVersion, entry.descriptionText, PluginInit, PluginConfig, PluginQuit, nullptr, nullptr,
};
static_assert(offsetof(PluginHeader, version) == 0, "header layout");
static_assert(offsetof(PluginHeader, description) == 4, "header layout");
static_assert(offsetof(PluginHeader, init) == 8, "header layout");
static_assert(offsetof(PluginHeader, config) == 12, "header layout");
static_assert(offsetof(PluginHeader, quit) == 16, "header layout");
static_assert(offsetof(PluginHeader, hwndParent) == 20, "header layout");
static_assert(offsetof(PluginHeader, hDllInstance) == 24, "header layout");
static_assert(sizeof(PluginHeader) == 28, "header layout");

}  // namespace

extern "C" __declspec(dllexport) PluginHeader* winampGetGeneralPurposePlugin() {
    return &pluginHeader;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

#ifdef QLV_WHITEBOX
PluginEntry& PluginEntryForTest() { return entry; }
#endif

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
    wsprintfA(entry.descriptionText, "%s 1.0(%.400s)", displayName, path + nameStart);
}

// A module that kept itself loaded is started again without its static
// initialisers: each room's record goes back to its value at load, so a
// second start in the same process is a first start. What outlives a start
// stays, as each record says: the subclass links an earlier quit left in
// windows, the counts of our procedures and choosers on the stack, which
// describe calls still running, the module's reference on itself and the
// wide calls found.
void RestoreLoadValues() {
    AttachHost(pluginHeader.hwndParent, pluginHeader.hDllInstance);
    ResetWindowModes();
    ResetModuleLife();
    entry = PluginEntry{};
    ResetTitleArea();
    ForgetCaption();
    RestartFrameClock();
    ResetSubclassing();
    ResetStoredSettings();
    ResetSkinOverrides();
    ResetSurfaces();
    ResetFonts();
    ResetTitleText();
    ResetStrip();
    ReleaseCoverage();
    ResetCompose();
    ResetSkinPictures();
    ResetPlaylistLine();
    ResetConfigDialog();
    ResetMenuEntries();
}

}  // namespace

int PluginInit() {
    RestoreLoadValues();
    if (!HostVersionAtLeast(0x2004)) {
        MessageInUserLanguage(pluginHeader.hwndParent, tooOldHostText, tooOldHostCaption, MB_ICONERROR | MB_OK);
        return 1;
    }
    NoteHostVersion();
    DescribeModule();
    FindHelpFile();
    SetTimer(MainWindow(), frameTimerId, framePeriodMs, FrameTick);
    FindHostWindows();
    SubclassHostWindows();
    LoadSettings();
    UseStoredSettings();
    ProbeWindowModes();
    SetPluginRunning(1);
    CreateSurfaces();
    StartTitle(IsUnicodeWindow(MainWindow()));
    RepaintTitleArea(IsDoubleSize());
    return 0;
}

void PluginConfig() {
    if (!PluginRunning()) return;
    OpenConfigDialog();
}

// Takes down everything init put up, so the host may unload the module while
// its windows live on. A quit after a refused init finds nothing to undo and
// must not write a never-loaded settings record over plugin.ini. A quit from
// inside a chooser's message loop, or from a message that passed through one
// of our window procedures, returns into code of this module.
void PluginQuit() {
    if (!PluginRunning()) return;
    if (ChoosersOpen() || ProcedureDepth()) KeepModuleLoaded();
    SaveSettings();
    CloseHelp();
    CloseDialogs();
    SetPluginRunning(0);
    ReleaseSurfaces();
    ReleaseCoverage();
    KillTimer(MainWindow(), frameTimerId);
    RestoreHostWindows();
}
