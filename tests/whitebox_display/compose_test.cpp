// Frames laid together from glyphs, background, text colour and shadow, and
// their copy onto the main window.
#include <climits>
#include <string>

#include "frame/compose.h"
#include "surfaces/surfaces.h"
#include "player/title_place.h"
#include "title/text_strip.h"
#include "title/title_text.h"
#include "display_fixture.h"
#include "player/window_modes.h"
#include "plugin/frame_clock.h"
#include "plugin/module_life.h"
#include "scoped_gdi.h"

using namespace display_test;

namespace {

constexpr COLORREF text = RGB(0x20, 0xE0, 0x40);
constexpr COLORREF background = RGB(0x10, 0x20, 0x90);
constexpr COLORREF shade = RGB(0xC0, 0x60, 0x10);

SettingsSet Colours() {
    SettingsSet s = DefaultSettings();
    s.TextColor = text;
    s.BkColor = background;
    s.ShadowColor = shade;
    s.AutoAdjust = 1;
    return s;
}

bool Glyph(int x, int y) { return x < StripWidth() && MaskBit(Surfaces().textStrip, x, y); }

// What a pixel of the frame must be, worked out from the strip alone: the
// glyph in the text colour, else the shadow where a glyph lies 1..depth
// pixels up and left inside the view, else the background.
COLORREF ExpectedPixel(int x, int y, int depth, COLORREF back) {
    if (Glyph(x, y)) return text;
    for (int i = 1; i <= depth; ++i)
        if (x - i >= 0 && y - i >= 0 && Glyph(x - i, y - i)) return shade;
    return back;
}

// Counts pixels of the view that differ from the model; reports the first.
int FrameMismatches(int depth, COLORREF back, std::string* first) {
    int wrong = 0;
    for (int y = 0; y < LineHeight(); ++y)
        for (int x = 0; x < ViewWidth(); ++x) {
            const COLORREF expected = ExpectedPixel(x, y, depth, back);
            const COLORREF actual = PixelAt(Surfaces().frameSurface, x, y);
            if (actual != expected && wrong++ == 0)
                *first = "(" + std::to_string(x) + "," + std::to_string(y) + ") is " + std::to_string(actual) +
                         ", expected " + std::to_string(expected);
        }
    return wrong;
}

int GlyphPixels() {
    int count = 0;
    for (int y = 0; y < LineHeight(); ++y)
        for (int x = 0; x < ViewWidth(); ++x) count += Glyph(x, y);
    return count;
}

}  // namespace

TEST_F(DisplayTest, FramesLayTextOverShadowOverBackground) {
    struct Case {
        int doubled;
        int shadow;
        int depthDrawn;
    };
    const Case cases[] = {
        {0, 0, 0}, {0, 1, 1}, {0, 2, 2}, {0, 3, 3}, {1, 0, 0}, {1, 3, 3},
        {0, -4, 0}, {0, INT_MIN, 0},                        // a negative depth draws nothing
        {0, 1000000000, 60}, {1, INT_MAX, 60},              // bounded by the line
    };
    for (const Case& c : cases) {
        SettingsSet s = Colours();
        s.Shadow = c.shadow;
        Recreate(s);
        WindowModesForTest().doubleSize = c.doubled;
        RefreshStrip();
        ShowCaption("Hg Wy! - Winamp");
        ASSERT_GT(GlyphPixels(), 20);
        ComposeTitleFrame();
        std::string first;
        EXPECT_EQ(FrameMismatches(c.depthDrawn, background, &first), 0)
            << "double " << c.doubled << " shadow " << c.shadow << ": " << first;
    }
}

TEST_F(DisplayTest, AnOverflowingTextThatDoesNotScrollIsCutAtTheView) {
    SettingsSet s = Colours();
    s.Scroll = 0;
    Recreate(s);
    ShowCaption("An overflowing title that does not scroll at all, cut at the edge");
    ASSERT_EQ(StripOverflows(), 1);
    for (int frame = 0; frame < 3; ++frame) ComposeTitleFrame();
    std::string first;
    EXPECT_EQ(FrameMismatches(0, background, &first), 0) << first;
    EXPECT_EQ(ScrollOffset(), 0);
}

TEST_F(DisplayTest, TheSkinColourWaitsForASkinWithTheUsersBackground) {
    SettingsSet s = Colours();
    s.UseSkinColor = 1;
    Recreate(s);
    ASSERT_EQ(SurfacesForTest().skinBackgroundBrush, nullptr);
    ShowCaption("Before any skin");
    ComposeTitleFrame();
    std::string first;
    EXPECT_EQ(FrameMismatches(0, background, &first), 0) << first;

    constexpr COLORREF skin = RGB(0x70, 0x00, 0x70);
    SetSkinBackground(skin);
    ComposeTitleFrame();
    EXPECT_EQ(FrameMismatches(0, skin, &first), 0) << first;
}

TEST_F(DisplayTest, TheSkinPictureIsTheBackgroundScaledToTheSize) {
    SettingsSet s = Colours();
    s.Transparent = 1;
    Recreate(s);
    for (int y = 0; y < skinBackgroundHeight; ++y)
        for (int x = 0; x < skinBackgroundWidth; ++x)
            SetPixel(Surfaces().skinBackground.dc, x, y, RGB(x, y * 8, 200));
    for (int doubled : {0, 1}) {
        WindowModesForTest().doubleSize = doubled;
        RefreshStrip();
        ShowCaption("i");
        ComposeTitleFrame();
        int wrong = 0;
        for (int y = 0; y < LineHeight(); ++y)
            for (int x = 0; x < ViewWidth(); ++x) {
                if (Glyph(x, y)) continue;
                const int scale = doubled ? 2 : 1;
                wrong += PixelAt(Surfaces().frameSurface, x, y) != RGB(x / scale, (y / scale) * 8, 200);
            }
        EXPECT_EQ(wrong, 0) << "double " << doubled;
    }
}

TEST_F(DisplayTest, PresentingCopiesTheFrameToTheTitleAreaOnly) {
    struct Case {
        int doubled;
        POINT origin;
    };
    const Case cases[] = {{0, {112, 24}}, {1, {224, 48}}};
    for (const Case& c : cases) {
        SetWindowPos(window_, nullptr, 0, 0, c.doubled ? 550 : 275, c.doubled ? 232 : 116,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        WindowModesForTest().doubleSize = c.doubled;
        RefreshStrip();
        ShowCaption("Presented");
        ComposeTitleFrame();
        const host::ScopedWindowDC dc(window_);
        constexpr COLORREF paper = RGB(0xFF, 0x00, 0xFF);
        const RECT whole = {0, 0, 550, 232};
        FillRect(dc, &whole, host::ScopedBrush(CreateSolidBrush(paper)));
        PresentFrame(LineHeight());
        int wrong = 0;
        for (int y = 0; y < LineHeight(); ++y)
            for (int x = 0; x < ViewWidth(); ++x)
                wrong += GetPixel(dc, c.origin.x + x, c.origin.y + y) != PixelAt(Surfaces().frameSurface, x, y);
        EXPECT_EQ(wrong, 0) << "double " << c.doubled;
        EXPECT_EQ(GetPixel(dc, c.origin.x - 1, c.origin.y), paper);
        EXPECT_EQ(GetPixel(dc, c.origin.x + ViewWidth(), c.origin.y), paper);
        EXPECT_EQ(GetPixel(dc, c.origin.x, c.origin.y - 1), paper);
        EXPECT_EQ(GetPixel(dc, c.origin.x, c.origin.y + LineHeight()), paper);
    }
}

// The frame clock's side of composing: while the title is not presented the
// scroll goes on; while the window is hidden nothing is composed or shown.
TEST_F(DisplayTest, TheClockComposesWithoutPresentingAndStopsWhileHidden) {
    struct Case {
        int enabled, visible;
        int expectedOffset;   // after 5 ticks at a step of 6
        bool presented;
    };
    const Case cases[] = {{1, 1, 30, true}, {0, 1, 30, false}, {1, 0, 0, false}};
    const int savedRunning = PluginRunning();
    SetPluginRunning(1);
    RestartFrameClock();   // the caption is read on the 40th tick, far beyond these
    for (const Case& c : cases) {
        SkinOverridesForTest().effectiveSettings.Enabled = c.enabled;
        SkinOverridesForTest().effectiveSettings.ScrollRate = 1;
        SkinOverridesForTest().effectiveSettings.ScrollPixel = 6;
        WindowModesForTest().mainVisible = c.visible;
        ShowCaption("A title much too long to fit in the view of the main window");
        const host::ScopedWindowDC dc(window_);
        constexpr COLORREF paper = RGB(0xFF, 0x00, 0xFF);
        for (int y = 24; y < 24 + LineHeight(); ++y) SetPixel(dc, 112, y, paper);
        for (int tick = 0; tick < 5; ++tick) FrameTick(window_, WM_TIMER, frameTimerId, 0);
        EXPECT_EQ(ScrollOffset(), c.expectedOffset) << "Enabled " << c.enabled << " visible " << c.visible;
        EXPECT_EQ(GetPixel(dc, 112, 24) != paper, c.presented) << "Enabled " << c.enabled << " visible " << c.visible;
    }
    WindowModesForTest().mainVisible = 1;
    SetPluginRunning(savedRunning);
}
