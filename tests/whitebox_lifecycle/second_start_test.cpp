// A module that stays loaded starts again without its static initialisers:
// after a run that marks every room's record, quit and a second start must
// give each record exactly as the first start had it.
#include <gtest/gtest.h>

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
// there is one counts, in a copy of the record.
template <typename Handle>
void Mark(Handle& handle) {
    handle = handle ? reinterpret_cast<Handle>(1) : nullptr;
}

SurfacesState& MarkedSurfaces() {
    static SurfacesState s;
    s = SurfacesForTest();
    for (Surface& surface : reinterpret_cast<Surface(&)[sizeof s.surfaces / sizeof(Surface)]>(s.surfaces))
        Mark(surface.dc), Mark(surface.bitmap);
    for (HBITMAP& swatch : s.colourSwatch) Mark(swatch);
    for (HBRUSH* brush : {&s.textBrush, &s.bkBrush, &s.shadowBrush, &s.skinBackgroundBrush, &s.playlistBgBrush})
        Mark(*brush);
    return s;
}

FontsState& MarkedFonts() {
    static FontsState fonts;
    fonts = FontsForTest();
    for (FontSlot* slot : {&fonts.normal, &fonts.doubleSize, &fonts.playlist}) Mark(slot->font);
    return fonts;
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
    {"surfaces", Record<MarkedSurfaces>},             {"fonts", Record<MarkedFonts>},
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
