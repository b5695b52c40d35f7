// A skin's scrivane.txt over the stored settings, and the rebuild of fonts
// and brushes that follows it, against a real host window answering the
// skin request.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "surfaces/skin_pictures.h"
#include "title/skin_change.h"
#include "emulated_host.h"
#include "playlist/playlist_line.h"
#include "scratch_plugin.h"
#include "settings/skin_overrides.h"
#include "settings_fixture.h"
#include "skin_files.h"

using settings_tests::Differences;
using settings_tests::SettingsState;
using settings_tests::UnusualSettings;

namespace {

class Overrides : public SettingsState {
protected:
    void SetUp() override {
        SettingsState::SetUp();
        host_ = std::make_unique<host::EmulatedHost>();
        HostContractForTest().mainWindow = host_->Main();
        HostContractForTest().playlistWindow = host_->Playlist();
        UseSettings(UnusualSettings());
        CreateSurfaces();
    }
    void TearDown() override {
        ReleaseSurfaces();
        host_.reset();
        SettingsState::TearDown();
    }
    // A fresh skin folder holding `overrideText` as scrivane.txt (none when
    // empty), made the host's current skin.
    std::string UseSkin(const std::string& name, const std::string& overrideText) {
        const std::string folder = scratch_.SkinFolder(name);
        if (!overrideText.empty()) host::WriteTextFile(folder + "\\scrivane.txt", overrideText);
        host_->skinFolder = folder;
        return folder;
    }
    bool MainWindowWhollyInvalid() {
        RECT update = {};
        GetUpdateRect(MainWindow(), &update, FALSE);
        RECT whole = {};
        GetClientRect(MainWindow(), &whole);
        return EqualRect(&update, &whole) != FALSE;
    }
    bool PlaylistInvalid() {
        return GetUpdateRect(PlaylistWindow(), nullptr, FALSE) != FALSE;
    }

    testing_support::ScratchPlugin scratch_;
    std::unique_ptr<host::EmulatedHost> host_;
};

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH info = {};
    GetObjectA(brush, sizeof info, &info);
    return info.lbColor;
}

TEST_F(Overrides, EachKeyCountsOnlyInItsOwnSection) {
    struct Case {
        const char* name;
        std::string file;
        std::function<void(SettingsSet&)> expect;   // applied to the stored record
    };
    const std::string longFace(300, 'f');
    const Case cases[] = {
        {"no file", "", [](SettingsSet&) {}},
        {"font only", "[Font]\nDS_FontSize=20\n", [](SettingsSet& s) { s.DS_FontSize = 20; }},
        {"colour under Plugin", "[Plugin]\nTextColor=ff0000\n", [](SettingsSet&) {}},
        {"colour under Option", "[Option]\nTextColor=#FF0000\nBkColor=0000Ff\n",
         [](SettingsSet& s) {
             s.TextColor = RGB(255, 0, 0);
             s.BkColor = RGB(0, 0, 255);
         }},
        {"every key misplaced",
         "[Option]\nEnabled=1\nScrollRate=2\n[Font]\nShadow=0\nTextColor=ffffff\nSmooth=0\n"
         "[Plugin]\nFontFace=Nope\nPE_Scrivane=0\n[Scrivane]\nFontSize=40\n",
         [](SettingsSet&) {}},
        {"every key in place",
         "[Plugin]\nEnabled=1\nScroll=1\nScrollRate=4\nScrollPixel=0\nScrollType=2\n"
         "[Option]\nTransparent=0\nUseSkinColor=0\nAutoAdjust=0\nShadow=2\n"
         "TextColor=010203\nBkColor=040506\nShadowColor=070809\nSmooth=0\n"
         "[Font]\nFontSize=11\nFontBold=0\nFontItalic=0\nFontFace=Tahoma\n"
         "DS_FontSize=22\nDS_FontBold=1\nDS_FontItalic=0\nDS_FontFace=Verdana\n"
         "PE_FontSize=7\nPE_FontBold=0\nPE_FontItalic=0\nPE_FontFace=Symbol\nPE_Scrivane=0\n",
         [](SettingsSet& s) {
             s = SettingsSet{1, 1, 4, 0, 2, 0, 0, 0, 2, 11, 0, 0, "Tahoma", 22, 1, 0, "Verdana",
                             7, 0, 0, "Symbol", 0, RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), 0};
         }},
        {"hostile values",
         "[Plugin]\nScrollPixel=-700\n[Option]\nBkColor=\nShadowColor=\x01\xff\x7f zz\n"
         "[Font]\nFontFace=" + longFace + "\nPE_FontFace=\n",
         [&](SettingsSet& s) {
             s.ScrollPixel = -700;   // only a commit clamps it
             s.BkColor = 0;
             s.ShadowColor = 0;
             lstrcpyA(s.FontFace, longFace.substr(0, 31).c_str());
             s.PE_FontFace[0] = '\0';
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseSkin(c.name, c.file);
        SettingsSet expected = StoredSettings();
        c.expect(expected);
        ApplySkinOverrides();
        EXPECT_EQ(Differences(EffectiveSettings(), expected), "");
        EXPECT_EQ(Differences(StoredSettings(), UnusualSettings()), "") << "the skin never changes the stored copy";
    }
}

// Nothing of one skin's file may survive the switch to a skin without one.
TEST_F(Overrides, ASkinWithoutTheFileGetsTheStoredSettingsBack) {
    UseSkin("loud", "[Plugin]\nEnabled=1\n[Option]\nTextColor=ff0000\n[Font]\nFontFace=Tahoma\n");
    ApplySkinOverrides();
    ASSERT_NE(Differences(EffectiveSettings(), StoredSettings()), "");
    UseSkin("plain", "");
    ApplySkinOverrides();
    EXPECT_EQ(Differences(EffectiveSettings(), StoredSettings()), "");
}

// A folder that leaves no room for the file name reads no file at all (a
// cut path would name another one) and still rebuilds from the stored copy.
TEST_F(Overrides, ASkinFolderTooLongForTheNameReadsNothing) {
    for (size_t length : {246u, 247u, 259u, 400u}) {
        SCOPED_TRACE(length);
        host_->skinFolder = "C:\\" + std::string(length - 3, 'k');
        SkinOverridesForTest().effectiveSettings = defaultSettings;
        FontsForTest().normal.record.lfHeight = 0;
        ApplySkinOverrides();
        EXPECT_EQ(Differences(EffectiveSettings(), StoredSettings()), "");
        EXPECT_EQ(NormalFont().record.lfHeight, PointsToHeight(StoredSettings().FontSize));
    }
}

TEST_F(Overrides, FontsAndBrushesAreRemadeFromTheEffectiveSettings) {
    UseSkin("rebuild",
            "[Option]\nUseSkinColor=0\nTextColor=112233\nBkColor=445566\nShadowColor=778899\n"
            "[Font]\nFontFace=Tahoma\nFontSize=12\nFontBold=1\nFontItalic=0\n"
            "DS_FontBold=0\nDS_FontItalic=300\nPE_FontSize=9\n");
    ApplySkinOverrides();
    EXPECT_STREQ(NormalFont().record.lfFaceName, "Tahoma");
    EXPECT_EQ(NormalFont().record.lfHeight, -16);
    EXPECT_EQ(NormalFont().record.lfWeight, 700);
    EXPECT_EQ(NormalFont().record.lfItalic, 0);
    EXPECT_STREQ(DoubleSizeFont().record.lfFaceName, "Courier New");
    EXPECT_EQ(DoubleSizeFont().record.lfWeight, 400);
    EXPECT_EQ(DoubleSizeFont().record.lfItalic, 300 & 0xFF);
    EXPECT_EQ(PlaylistFont().record.lfHeight, -12);
    for (const FontSlot* slot : {&NormalFont(), &DoubleSizeFont(), &PlaylistFont()}) {
        ASSERT_NE(slot->font, nullptr);
        LOGFONTA made = {};
        GetObjectA(slot->font, sizeof made, &made);
        EXPECT_EQ(made.lfHeight, slot->record.lfHeight);
        EXPECT_STREQ(made.lfFaceName, slot->record.lfFaceName);
    }
    const SurfacesState& state = SurfacesForTest();
    const SurfaceSet& made = Surfaces();
    EXPECT_EQ(BrushColour(state.textBrush), RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(BrushColour(state.bkBrush), RGB(0x44, 0x55, 0x66));
    EXPECT_EQ(BrushColour(state.shadowBrush), RGB(0x77, 0x88, 0x99));
    EXPECT_EQ(GetCurrentObject(made.textLayer.dc, OBJ_BRUSH), state.textBrush);
    EXPECT_EQ(GetCurrentObject(made.shadowLayer.dc, OBJ_BRUSH), state.shadowBrush);
    EXPECT_EQ(GetCurrentObject(made.frameSurface.dc, OBJ_BRUSH), state.bkBrush);
    EXPECT_EQ(GetCurrentObject(made.playlistLine.dc, OBJ_FONT), PlaylistFont().font);
    EXPECT_EQ(GetCurrentObject(made.textStrip.dc, OBJ_FONT), TitleFont(IsDoubleSize()));
}

// Sizes from the skin's file are held to 1000 points before any font is made:
// at 144 pixels per inch, bold and italic, every slot's font is made, the
// strip and the playlist line are drawn with it, and the stored sizes stay.
TEST_F(Overrides, HugeSkinFontSizesAreHeldInEverySlot) {
    FontsForTest().logPixelsY = 144;
    UseSkin("huge", "[Font]\nFontSize=1494545347\nFontBold=1\nFontItalic=255\nDS_FontSize=2147483647\n"
                    "DS_FontBold=1\nDS_FontItalic=1\nPE_FontSize=59652323\nPE_FontBold=1\nPE_FontItalic=1\n"
                    "PE_Scrivane=1\n");
    for (int doubled : {0, 1}) {
        WindowModesForTest().doubleSize = doubled;
        ApplySkinOverrides();
        RefreshPlaylistLine();
        for (const FontSlot* slot : {&NormalFont(), &DoubleSizeFont(), &PlaylistFont()}) {
            EXPECT_EQ(slot->record.lfHeight, -2000);
            EXPECT_EQ(slot->record.lfWeight, 700);
            EXPECT_NE(slot->font, nullptr);
        }
    }
    WindowModesForTest().doubleSize = 0;
    EXPECT_EQ(Differences(StoredSettings(), UnusualSettings()), "");
}

// The frame's background brush follows UseSkinColor; before the skin's
// text.bmp made a brush the user's colour stands in, as the frame is filled.
TEST_F(Overrides, TheFrameBrushFollowsTheSkinColourSwitch) {
    const SurfacesState& state = SurfacesForTest();
    for (bool skinBrushMade : {false, true}) {
        if (skinBrushMade) SetSkinBackground(RGB(9, 9, 9));
        for (int useSkin : {1, 0, 1}) {
            SCOPED_TRACE(std::to_string(skinBrushMade) + " UseSkinColor " + std::to_string(useSkin));
            UseSkin("frame" + std::to_string(useSkin), "[Option]\nUseSkinColor=" + std::to_string(useSkin) + "\n");
            ApplySkinOverrides();
            const HGDIOBJ selected = GetCurrentObject(Surfaces().frameSurface.dc, OBJ_BRUSH);
            EXPECT_EQ(selected, BackgroundBrush());
            if (useSkin == 0 || !skinBrushMade)
                EXPECT_EQ(selected, state.bkBrush) << "the brush now made, never a deleted one";
            else
                EXPECT_EQ(selected, state.skinBackgroundBrush);
        }
    }
}

// A skin that turns the display off hands the whole main window back to
// the host; a skin that leaves it on only refreshes the title area.
TEST_F(Overrides, ASkinThatDisablesTheDisplayInvalidatesTheMainWindow) {
    for (int enabled : {0, 1}) {
        SCOPED_TRACE(enabled);
        UseSkin("enabled" + std::to_string(enabled), "[Plugin]\nEnabled=" + std::to_string(enabled) + "\n");
        ValidateRect(MainWindow(), nullptr);
        ApplySkinOverrides();
        EXPECT_EQ(EffectiveSettings().Enabled, enabled);
        EXPECT_EQ(MainWindowWhollyInvalid(), enabled == 0);
    }
}

// The line is drawn off-screen whenever the skin turns it on, shaded editor
// or not; turning it off in a shaded editor gives the host its own line back.
TEST_F(Overrides, ThePlaylistLineFollowsTheSkinsSwitch) {
    struct Case {
        int peScrivane;
        int shaded;
        bool drawn;
        bool editorInvalid;
    };
    const Case cases[] = {{1, 0, true, false}, {1, 1, true, false}, {0, 1, false, true}, {0, 0, false, false}};
    RECT editor = {};
    GetClientRect(PlaylistWindow(), &editor);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.peScrivane) + " shaded " + std::to_string(c.shaded));
        UseSkin("pe" + std::to_string(c.peScrivane) + std::to_string(c.shaded),
                "[Font]\nPE_Scrivane=" + std::to_string(c.peScrivane) + "\n");
        WindowModesForTest().playlistShaded = c.shaded;
        PlaylistLineForTest().shadeLineWidth = -1;
        ValidateRect(PlaylistWindow(), nullptr);
        ApplySkinOverrides();   // then the line, as the dialog's commit does
        RefreshPlaylistLine();
        EXPECT_EQ(ShadeLineWidth() != -1, c.drawn);
        EXPECT_EQ(PlaylistInvalid(), c.editorInvalid);
    }
}

// Before start-up made the surfaces, or after shut-down released them, the
// override file is still read but no object is made that nothing would free.
TEST_F(Overrides, WithoutSurfacesNothingIsMadeOrInvalidated) {
    ReleaseSurfaces();
    ASSERT_EQ(SurfacesCreated(), 0);
    UseSkin("off", "[Plugin]\nEnabled=0\n[Font]\nPE_Scrivane=0\n");
    WindowModesForTest().playlistShaded = 1;
    ValidateRect(MainWindow(), nullptr);
    ValidateRect(PlaylistWindow(), nullptr);
    ApplySkinOverrides();
    RefreshPlaylistLine();
    EXPECT_EQ(EffectiveSettings().Enabled, 0);
    EXPECT_EQ(NormalFont().font, nullptr);
    EXPECT_EQ(TextBrush(), nullptr);
    EXPECT_FALSE(MainWindowWhollyInvalid());
    EXPECT_FALSE(PlaylistInvalid());
    CreateSurfaces();   // for TearDown
}

}  // namespace
