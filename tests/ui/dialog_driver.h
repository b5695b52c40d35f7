// Finds the plug-in's modeless dialogs and works their controls the way a
// user's clicks and keys reach them.
#pragma once

#include <windows.h>

#include <string>

#include "emulated_host.h"
#include "scratch_plugin.h"
#include "user_language.h"

namespace ui_test {

constexpr int configMarker = 1018;   // the Apply button: only the configuration dialog has it
constexpr int aboutMarker = 1045;    // the About dialog's only button

// The language the plug-in speaks to this run's user (Traditional Chinese under the runner's default locale).
using testing_support::ExpectedLanguage;

// The #32770 window owned by the host's main window that holds `markerId`, or null.
HWND FindDialog(const host::EmulatedHost& host, int markerId);
int CountDialogs(const host::EmulatedHost& host, int markerId);

void Click(HWND dialog, int id);                        // BM_CLICK
void Notify(HWND dialog, int id, int notification);     // WM_COMMAND as the control sends it
void Choose(HWND dialog, int listId, int index);        // CB_SETCURSEL, then CBN_SELENDOK
bool Enabled(HWND dialog, int id);
bool Checked(HWND dialog, int id);
std::string Text(HWND dialog, int id);
std::wstring WideText(HWND window);
std::string ClassOf(HWND window);

// The whole dialog, title bar included, saved as PNG; false when nothing was captured.
bool SaveDialogPicture(HWND dialog, const std::string& path);

// A started plug-in with the configuration dialog open on `ini` (written first when not empty).
struct ConfigRun {
    explicit ConfigRun(const std::string& ini = "", host::HostOptions options = {}, const std::string& tag = "");
    host::EmulatedHost& Host() { return *run.host; }
    std::string Ini(const std::string& key) const { return run.scratch.IniValue(key); }
    testing_support::PluginRun run;
    HWND dialog = nullptr;
};

}  // namespace ui_test
