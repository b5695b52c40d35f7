// A module that stays loaded is started again without its static
// initialisers: after a run that leaves every room's record changed, quit
// and a second start must give each record exactly as the first start had it.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "emulated_host.h"
#include "player/host_contract.h"
#include "player/wide_calls.h"
#include "player/window_modes.h"
#include "plugin/frame_clock.h"
#include "plugin/message_hook.h"
#include "plugin/module_life.h"
#include "plugin/plugin_entry.h"
#include "plugin/subclass.h"
#include "resources/resource_ids.h"
#include "scratch_plugin.h"
#include "settings/settings.h"
#include "settings/skin_overrides.h"
#include "skin_files.h"
#include "ui/config_dialog.h"
#include "ui/menu_entries.h"

namespace {

template <typename Record>
std::string Bytes(const Record& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

// A handle each start makes anew differs between starts: only whether there is one counts.
template <typename Handle>
Handle Made(Handle handle) {
    return handle ? reinterpret_cast<Handle>(1) : nullptr;
}

// One row per room: its record as bytes, through the room's one test-only accessor.
struct Room {
    const char* name;
    std::function<std::string()> record;
};

const Room rooms[] = {
    {"host_contract", [] { return Bytes(HostContractForTest()); }},
    {"window_modes", [] { return Bytes(WindowModesForTest()); }},
    {"wide_calls", [] { return Bytes(WideCallsForTest()); }},
    {"module_life", [] { return Bytes(ModuleLifeForTest()); }},
    {"plugin_entry", [] { return Bytes(PluginEntryForTest()); }},
    {"message_hook", [] { return Bytes(MessageHook{Made(MessageHookForTest().hook)}); }},
    {"frame_clock", [] { return Bytes(FrameClockForTest()); }},
    {"subclass", [] { return Bytes(SubclassingForTest()); }},
    {"settings", [] { return Bytes(SettingsStoreForTest()); }},
    {"skin_overrides", [] { return Bytes(SkinOverridesForTest()); }},
    {"config_dialog", [] { return Bytes(ConfigDialogForTest()); }},
    {"menu_entries", [] { return Bytes(MenuEntriesForTest()); }},
};

std::vector<std::string> Records() {
    std::vector<std::string> records;
    for (const Room& room : rooms) records.push_back(room.record());
    return records;
}

// The plug-in linked into this program, started in `player` as the host starts it.
PluginHeader* Start(host::EmulatedHost& player) {
    PluginHeader* header = winampGetGeneralPurposePlugin();
    header->hwndParent = player.Main();
    header->hDllInstance = GetModuleHandleA(nullptr);   // the dialogs' resources are linked in
    EXPECT_EQ(header->init(), 0);
    return header;
}

// Leaves a mark in each record a run changes, then quits with the marks in place.
void RunAndQuit(host::EmulatedHost& player, PluginHeader* header, const std::string& skin) {
    player.SetSong("A song for the second start");
    for (int tick = 0; tick < 45; ++tick) FrameTick(player.Main(), WM_TIMER, frameTimerId, 0);
    player.SwitchSkin(skin);
    player.OpenMainMenu();
    player.SendCommand(IDM_ABOUT);
    header->config();
    const HWND dialog = ConfigDialogForTest().window;
    ASSERT_NE(dialog, nullptr);
    SendDlgItemMessageA(dialog, IDC_ENABLED, BM_CLICK, 0, 0);
    player.PressMain(120, 28);
    player.SetMainMode(host::MainMode::Minimised);
    ASSERT_TRUE(MenuEntriesForTest().aboutDialog && !IsMouseIdle() && !IsMainVisible()) << "the run's marks";
    ASSERT_NE(EffectiveSettings().ScrollRate, StoredSettings().ScrollRate) << "the skin's own settings";
    header->quit();
    // Changed while the plug-in is down, where no procedure of ours sees it.
    player.SetMainMode(host::MainMode::Normal);
    player.SwitchSkin("");
}

TEST(SecondStart, EveryRoomStartsAgainAsItFirstStarted) {
    testing_support::ScratchPlugin scratch;
    host::EmulatedHost player(host::ModernPlayer());
    player.settingsFolder = scratch.PlayerSettingsFolder();
    const std::string skin = scratch.SkinFolder("own settings");
    ASSERT_TRUE(host::WriteTextFile(skin + "\\scrivane.txt", "[Plugin]\r\nScrollRate=2\r\n"));

    PluginHeader* header = Start(player);
    const std::vector<std::string> first = Records();
    RunAndQuit(player, header, skin);
    Start(player);
    const std::vector<std::string> second = Records();
    header->quit();

    for (size_t i = 0; i < std::size(rooms); ++i) {
        if (first[i] == second[i]) continue;
        size_t at = 0;
        while (first[i][at] == second[i][at]) ++at;
        ADD_FAILURE() << rooms[i].name << ": the record differs from the first start's at byte " << at;
    }
}

}  // namespace
