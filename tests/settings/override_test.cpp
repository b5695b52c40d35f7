// A skin's scrivane.txt seen through the real DLL: what the title area and
// the playlist editor show under it, and what a skin change costs in GDI.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "emulated_host.h"
#include "image.h"
#include "import_counter.h"
#include "scratch_plugin.h"
#include "skin_files.h"

using testing_support::PluginRun;

namespace {

constexpr char iniHeader[] = "[Qelvar Scrivane II]\r\n";
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF red = RGB(255, 0, 0);

// A skin folder with `overrideText` as its scrivane.txt (none when empty).
std::string MakeSkin(PluginRun& run, const std::string& name, const std::string& overrideText) {
    const std::string folder = run.scratch.SkinFolder(name);
    if (!overrideText.empty()) host::WriteTextFile(folder + "\\scrivane.txt", overrideText);
    return folder;
}

host::Image TitleArea(const PluginRun& run, bool doubled) {
    const host::Image main = run.host->CaptureMain();
    return doubled ? main.Crop(224, 48, 306, 58) : main.Crop(112, 24, 153, 29);
}

int CountColour(const host::Image& picture, COLORREF colour) {
    int count = 0;
    for (COLORREF pixel : picture.pixels) count += pixel == colour;
    return count;
}

int RowsWithColour(const host::Image& picture, COLORREF colour) {
    int rows = 0;
    for (int y = 0; y < picture.height; ++y) {
        bool found = false;
        for (int x = 0; x < picture.width && !found; ++x) found = picture.At(x, y) == colour;
        rows += found;
    }
    return rows;
}

void SaveOnFailure(const host::Image& picture, const std::string& name) {
    if (::testing::Test::HasFailure()) picture.SavePng(name + ".png");
}

// A static title (no scroll) in green on black, so colours can be counted.
std::string StillTitleIni(const std::string& extra = "") {
    return std::string(iniHeader) + "Scroll=0\r\nTextColor=00ff00\r\nBkColor=000000\r\n" + extra;
}

// Start, switch to the skin, and let a few frames reach the title area.
void StartInSkin(PluginRun& run, const std::string& folder) {
    ASSERT_EQ(run.Start(), 0);
    run.host->SetSong("A title long enough to count");
    run.host->SwitchSkin(folder);
    run.host->Tick(20);
}

TEST(SkinOverrides, TextColourCountsOnlyInTheOptionSection) {
    struct Case {
        const char* name;
        const char* file;
        COLORREF shown;
        COLORREF absent;
    };
    const Case cases[] = {
        {"none", "", green, red},
        {"under Plugin", "[Plugin]\nTextColor=ff0000\n", green, red},
        {"under Option", "[Option]\nTextColor=FF0000\n", red, green},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PluginRun run({}, c.name);
        run.scratch.WriteIni(StillTitleIni());
        StartInSkin(run, MakeSkin(run, c.name, c.file));
        const host::Image title = TitleArea(run, false);
        EXPECT_GT(CountColour(title, c.shown), 20);
        EXPECT_EQ(CountColour(title, c.absent), 0);
        SaveOnFailure(title, run.scratch.Folder() + "\\title");
    }
}

// A skin may switch the display off whatever plugin.ini says: the host's
// own title then stays in view.
TEST(SkinOverrides, ASkinThatDisablesTheDisplayLeavesTheHostsTitle) {
    for (int enabled : {1, 0}) {
        SCOPED_TRACE(enabled);
        PluginRun run({}, std::to_string(enabled));
        run.scratch.WriteIni(StillTitleIni("Enabled=1\r\n"));
        StartInSkin(run, MakeSkin(run, "skin", "[Plugin]\nEnabled=" + std::to_string(enabled) + "\n"));
        run.host->PumpMessages();
        run.host->Tick(10);
        const host::Image title = TitleArea(run, false).Crop(0, 0, 153, 12);   // the line the frames cover
        const int hostPixels = CountColour(title, host::hostTitleColour);
        if (enabled)
            EXPECT_EQ(hostPixels, 0);
        else
            EXPECT_GT(hostPixels, title.width * title.height / 2);
        SaveOnFailure(title, run.scratch.Folder() + "\\title");
    }
}

// Only the double-size font grows; the normal-size title keeps its font.
TEST(SkinOverrides, AFontOnlyFileChangesJustTheDoubleSizeFont) {
    struct Run {
        int rowsNormal;
        int rowsDoubled;
    };
    Run plain{}, bigger{};
    for (Run* result : {&plain, &bigger}) {
        const bool override = result == &bigger;
        PluginRun run({}, override ? "override" : "plain");
        run.scratch.WriteIni(StillTitleIni("AutoAdjust=1\r\nDS_FontSize=14\r\nDS_FontFace=Tahoma\r\n"));
        StartInSkin(run, MakeSkin(run, "skin", override ? "[Font]\nDS_FontSize=20\n" : ""));
        const host::Image normal = TitleArea(run, false);
        result->rowsNormal = RowsWithColour(normal, green);
        run.host->SetMainMode(host::MainMode::DoubleSize);
        run.host->Tick(20);
        const host::Image doubled = TitleArea(run, true);
        result->rowsDoubled = RowsWithColour(doubled, green);
        SaveOnFailure(doubled, run.scratch.Folder() + "\\doubled");
    }
    EXPECT_GT(plain.rowsNormal, 0);
    EXPECT_EQ(bigger.rowsNormal, plain.rowsNormal);
    EXPECT_GT(bigger.rowsDoubled, plain.rowsDoubled);
}

// The playlist line follows the skin's PE_Scrivane: drawn by the plug-in
// when the skin turns it on, the host's own again when the skin turns it off.
TEST(SkinOverrides, ThePlaylistLineFollowsTheSkin) {
    struct Case {
        int stored;
        int skin;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 0}}) {
        SCOPED_TRACE(std::to_string(c.stored) + " -> " + std::to_string(c.skin));
        PluginRun run({}, std::to_string(c.skin));
        run.host->playlist = {{"First entry"}, {"Second entry"}};
        run.scratch.WriteIni(std::string(iniHeader) + "PE_Scrivane=" + std::to_string(c.stored) + "\r\n");
        ASSERT_EQ(run.Start(), 0);
        run.host->SetPlaylistSize(275, 14);
        run.host->PumpMessages();
        run.host->Tick(5);
        const host::Image before = run.host->CapturePlaylist().Crop(2, 2, 200, 10);
        EXPECT_EQ(CountColour(before, host::hostPlaylistColour) > 0, c.stored == 0) << "before the skin";
        run.host->SwitchSkin(MakeSkin(run, "skin", "[Font]\nPE_Scrivane=" + std::to_string(c.skin) + "\n"));
        run.host->PumpMessages();
        run.host->Tick(5);
        const host::Image after = run.host->CapturePlaylist().Crop(2, 2, 200, 10);
        EXPECT_EQ(CountColour(after, host::hostPlaylistColour) > 0, c.skin == 0) << "under the skin";
        SaveOnFailure(after, run.scratch.Folder() + "\\playlist");
    }
}

// Every rebuild deletes the fonts and brushes it replaces, and never one
// that a surface still holds or that it did not make.
TEST(SkinOverrides, SkinChangesLeakNoGdiObjects) {
    PluginRun run;
    host::AttachImportCounter(run.host->Module());
    ASSERT_EQ(run.Start(), 0);
    const std::string skins[] = {
        MakeSkin(run, "a", "[Option]\nTextColor=ff0000\nUseSkinColor=1\n[Font]\nFontFace=Arial\nPE_Scrivane=1\n"),
        MakeSkin(run, "b", ""),
        MakeSkin(run, "c", "[Plugin]\nEnabled=0\n[Font]\nDS_FontSize=20\n"),
    };
    run.host->SwitchSkin(skins[0]);
    run.host->Tick(3);
    const long settled = host::CurrentImportCounts().gdiLive;
    for (int round = 0; round < 12; ++round) {
        run.host->SwitchSkin(skins[round % 3]);
        run.host->Tick(3);
    }
    run.host->SwitchSkin(skins[0]);
    run.host->Tick(3);
    const host::ImportCounts counts = host::CurrentImportCounts();
    EXPECT_EQ(counts.gdiLive, settled);
    EXPECT_EQ(counts.deleteUnknown, 0);
    run.host->Quit();
    host::DetachImportCounter();
}

}  // namespace
