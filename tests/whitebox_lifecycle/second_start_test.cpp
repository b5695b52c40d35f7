// A module that stays loaded starts again without its static initialisers:
// after a run that marks every room's record, quit and a second start must
// give each record exactly as the first start had it.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

#include "frame/compose.h"
#include "surfaces/fonts.h"
#include "surfaces/skin_pictures.h"
#include "title/skin_change.h"
#include "surfaces/surfaces.h"
#include "title/text_strip.h"
#include "title/title_text.h"
#include "emulated_host.h"
#include "player/host_contract.h"
#include "player/wide_calls.h"
#include "player/window_modes.h"
#include "playlist/playlist_line.h"
#include "plugin/frame_clock.h"
#include "plugin/module_life.h"
#include "plugin/plugin_entry.h"
#include "plugin/caption_seen.h"
#include "plugin/subclass.h"
#include "plugin/title_area.h"
#include "resources/resource_ids.h"
#include "room_records.h"
#include "scratch_plugin.h"
#include "skin_files.h"
#include "ui/menu_entries.h"

namespace {

template <auto& (*accessor)()>
std::string Record() {
    const auto& record = accessor();
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

// Surfaces, fonts and brushes are new handles at each start: only whether
// there is one counts. Marks `count` handles from `first` on, a field of
// `record`, in the record's bytes.
template <typename Record>
void Mark(std::string& bytes, const Record& record, const void* first, size_t count = 1) {
    const size_t at = static_cast<const char*>(first) - reinterpret_cast<const char*>(&record);
    for (size_t i = at; i < at + count * sizeof(HANDLE); i += sizeof(HANDLE)) {
        HANDLE handle;
        std::memcpy(&handle, &bytes[i], sizeof handle);
        handle = handle ? reinterpret_cast<HANDLE>(1) : nullptr;
        std::memcpy(&bytes[i], &handle, sizeof handle);
    }
}

// A holder is its handle (a selection: its DC and the object it displaced),
// and a surface is holders only.
static_assert(sizeof(HeldBrush) == sizeof(HANDLE) && sizeof(HeldSelection) == 2 * sizeof(HANDLE));
static_assert(sizeof(SurfaceSet) % sizeof(HANDLE) == 0);

std::string MarkedSurfaces() {
    const SurfacesState& s = SurfacesForTest();
    std::string bytes = Record<SurfacesForTest>();
    Mark(bytes, s, &s.surfaces, sizeof s.surfaces / sizeof(HANDLE));
    Mark(bytes, s, s.colourSwatch, swatchCount);
    for (const HeldBrush* brush : {&s.textBrush, &s.bkBrush, &s.shadowBrush, &s.skinBackgroundBrush, &s.playlistBgBrush})
        Mark(bytes, s, brush);
    return bytes;
}

std::string MarkedFonts() {
    const FontsState& fonts = FontsForTest();
    std::string bytes = Record<FontsForTest>();
    for (const FontSlot* slot : {&fonts.normal, &fonts.doubleSize, &fonts.playlist}) Mark(bytes, fonts, &slot->font);
    return bytes;
}

// One row per room, read through its one test-only accessor.
const struct Room {
    const char* name;
    std::string (*record)();
} rooms[] = {
    {"host_contract", Record<HostContractForTest>}, {"window_modes", Record<WindowModesForTest>},
    {"wide_calls", Record<WideCallsForTest>},       {"module_life", Record<ModuleLifeForTest>},
    {"plugin_entry", Record<PluginEntryForTest>},   {"frame_clock", Record<FrameClockForTest>},
    {"subclass", Record<SubclassingForTest>},       {"settings", Record<SettingsStoreForTest>},
    {"skin_overrides", Record<SkinOverridesForTest>}, {"config_dialog", Record<ConfigDialogForTest>},
    {"menu_entries", Record<MenuEntriesForTest>},   {"title_area", Record<TitleAreaForTest>},
    {"caption_seen", Record<CaptionSeenForTest>},
    {"surfaces", MarkedSurfaces},                     {"fonts", MarkedFonts},
    {"title_text", Record<TitleTextForTest>},         {"text_strip", Record<StripForTest>},
    {"compose", Record<ComposeForTest>},              {"playlist_line", Record<PlaylistLineForTest>},
    {"skin_assets", [] { return std::string(SkinFolder()); }},
};

PluginHeader* Start(host::EmulatedHost& player, std::string (&records)[std::size(rooms)]) {
    PluginHeader* header = winampGetGeneralPurposePlugin();
    header->hwndParent = player.Main();
    header->hDllInstance = GetModuleHandleA(nullptr);   // the dialogs' resources are linked in
    EXPECT_EQ(header->init(), 0);
    for (size_t i = 0; i < std::size(rooms); ++i) records[i] = rooms[i].record();
    return header;
}

TEST(SecondStart, EveryRoomStartsAgainAsItFirstStarted) {
    testing_support::ScratchPlugin scratch;
    host::EmulatedHost player(host::ModernPlayer());
    player.settingsFolder = scratch.PlayerSettingsFolder();
    const std::string skin = scratch.SkinFolder("own settings");
    ASSERT_TRUE(host::WriteTextFile(skin + "\\scrivane.txt", "[Plugin]\r\nScrollRate=2\r\n"));
    std::string first[std::size(rooms)], second[std::size(rooms)];
    PluginHeader* header = Start(player, first);

    player.SetSong("A song for the second start");
    for (int tick = 0; tick < 45; ++tick) FrameTick(player.Main(), WM_TIMER, frameTimerId, 0);
    player.SwitchSkin(skin);
    player.OpenMainMenu();
    player.SendCommand(IDM_ABOUT);
    header->config();
    SendDlgItemMessageA(ConfigDialogForTest().window, IDC_ENABLED, BM_CLICK, 0, 0);
    player.PressMain(120, 28);
    player.TurnWheel();
    player.SetMainMode(host::MainMode::Minimised);
    ASSERT_TRUE(MenuEntriesForTest().aboutDialog && ConfigDialogForTest().pendingSettings.Enabled == 0 &&
                TitleAreaYielded() && !IsMainVisible() && EffectiveSettings().ScrollRate == 2);
    header->quit();
    player.SetMainMode(host::MainMode::Normal);   // while no procedure of ours sees it
    player.SwitchSkin("");

    Start(player, second);
    header->quit();
    for (size_t i = 0; i < std::size(rooms); ++i)
        EXPECT_EQ(first[i] == second[i], true) << rooms[i].name << ": the record differs from the first start's";
}

}  // namespace
