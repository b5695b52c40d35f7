// The rendered strip, its line height, and the window of it each frame shows.
#include <climits>
#include <string>
#include <vector>

#include "frame/compose.h"
#include "player/title_place.h"
#include "title/text_strip.h"
#include "title/title_text.h"
#include "display_fixture.h"
#include "player/window_modes.h"

using namespace display_test;

namespace {

const std::string wideTitle = "Wide title, wide title, wide title, wide title, wide title, wide";

// Shows an overflowing title, then narrows the strip's readable width to
// `width` with one marked column per entry of `marks`.
void PrepareMarkedStrip(int width, const std::vector<int>& marks) {
    ASSERT_GE(StripWidth(), width) << "the test title must be wider than the strip it stands for";
    ASSERT_EQ(StripOverflows(), 1);
    MarkStripColumns(marks);
    StripForTest().stripWidth = width;
}

}  // namespace

TEST_F(DisplayTest, LineHeightFollowsTheFontWithinItsBounds) {
    struct Case {
        int autoAdjust;
        int doubled;
        int textHeight;
        int shadow;
        int expected;
    };
    const Case cases[] = {
        {0, 0, 40, 3, 12},       {0, 1, 40, 3, 24},
        {1, 0, 13, 2, 15},       {1, 0, 8, 2, 14},        {1, 0, 29, 3, 30},       {1, 0, 40, 0, 30},
        {1, 1, 13, 0, 24},       {1, 1, 50, 20, 60},      {1, 1, 26, 3, 29},
        // Settings files may hold anything.
        {1, 0, 13, 1000, 30},    {1, 0, 13, INT_MAX, 30}, {1, 1, 13, INT_MAX, 60},
        {1, 0, 13, -1000, 13},   {1, 0, 13, INT_MIN, 13}, {1, 0, -50, -50, 12},   {1, 0, INT_MAX, 0, 30},
    };
    for (const Case& c : cases) {
        SkinOverridesForTest().effectiveSettings.AutoAdjust = c.autoAdjust;
        SkinOverridesForTest().effectiveSettings.Shadow = c.shadow;
        WindowModesForTest().doubleSize = c.doubled;
        EXPECT_EQ(LineHeightFor(c.textHeight), c.expected)
            << "AutoAdjust " << c.autoAdjust << " double " << c.doubled << " text " << c.textHeight << " shadow "
            << c.shadow;
    }
}

TEST_F(DisplayTest, TheStripHoldsTheTextClippedToTheLine) {
    struct Case {
        int autoAdjust;
        int fontSize;
        int expectedLine;
    };
    const Case cases[] = {{1, 30, 30}, {0, 30, 12}, {1, 8, 13}};
    for (const Case& c : cases) {
        SettingsSet s = DefaultSettings();
        s.AutoAdjust = c.autoAdjust;
        s.FontSize = c.fontSize;
        Recreate(s);
        ShowCaption("Hgjy|");
        EXPECT_EQ(LineHeight(), c.expectedLine) << "font size " << c.fontSize;
        int inkInside = 0, inkOutside = 0;
        for (int y = 0; y < titleSurfaceHeight; ++y)
            for (int x = 0; x < StripWidth(); ++x)
                if (MaskBit(Surfaces().textStrip, x, y)) ++(y < LineHeight() ? inkInside : inkOutside);
        EXPECT_GT(inkInside, 0) << "font size " << c.fontSize;
        EXPECT_EQ(inkOutside, 0) << "glyph pixels below the line, font size " << c.fontSize;
    }
}

TEST_F(DisplayTest, AnEmptyTextLeavesAValidClearedStrip) {
    ShowCaption("");
    EXPECT_EQ(StripWidth(), 0);
    BITMAP info = {};
    ASSERT_NE(GetObjectA(Surfaces().textStrip.bitmap, sizeof info, &info), 0);
    EXPECT_GE(info.bmWidth, 1);
    EXPECT_EQ(info.bmHeight, titleSurfaceHeight);
    for (int y = 0; y < info.bmHeight; ++y) ASSERT_FALSE(MaskBit(Surfaces().textStrip, 0, y));
    ComposeTitleFrame();
    EXPECT_TRUE(SetColumns(titleSurfaceWidth).empty());
}

TEST_F(DisplayTest, BackAndForthRestsFourFramesAtEachEnd) {
    SkinOverridesForTest().effectiveSettings.ScrollType = 1;
    SkinOverridesForTest().effectiveSettings.ScrollPixel = 20;
    ShowCaption(wideTitle);
    PrepareMarkedStrip(200, {150});
    const int shown[] = {0, 20, 40, 47, 47, 47, 47, 27, 7, 0, 0, 0, 0, 20, 40, 47};
    int frame = 0;
    for (int offset : shown) {
        ComposeTitleFrame();
        EXPECT_EQ(SetColumns(titleSurfaceWidth), std::vector<int>{150 - offset}) << "frame " << frame;
        ++frame;
    }
}

TEST_F(DisplayTest, ATextExactlyAsWideAsTheViewOnlyCountsItsRest) {
    SkinOverridesForTest().effectiveSettings.ScrollType = 1;
    SkinOverridesForTest().effectiveSettings.ScrollPixel = 20;
    ShowCaption(wideTitle);
    PrepareMarkedStrip(normalViewWidth, {152});
    for (int frame = 0; frame < 12; ++frame) {
        ComposeTitleFrame();
        EXPECT_EQ(ScrollOffset(), 0);
        EXPECT_EQ(SetColumns(titleSurfaceWidth), std::vector<int>{152}) << "frame " << frame;
    }
}

TEST_F(DisplayTest, WrapAroundJoinsTheEndToTheBeginning) {
    SkinOverridesForTest().effectiveSettings.ScrollType = 2;
    SkinOverridesForTest().effectiveSettings.ScrollPixel = 4;
    ShowCaption(wideTitle);
    PrepareMarkedStrip(240, {10, 200, 239});
    struct Step {
        int offset;
        std::vector<int> columns;
        int next;
    };
    const Step steps[] = {
        {150, {50, 89, 100}, 154},   // columns 150..239, then 0..62
        {238, {1, 12}, 2},           // step across the seam
        {0, {10}, 4},
        {87, {113, 152}, 91},             // last offset showing one piece only
        {88, {112, 151}, 92},
    };
    for (const Step& s : steps) {
        StripForTest().scrollOffset = s.offset;
        ComposeTitleFrame();
        EXPECT_EQ(SetColumns(titleSurfaceWidth), s.columns) << "offset " << s.offset;
        EXPECT_EQ(ScrollOffset(), s.next) << "offset " << s.offset;
    }
}

TEST_F(DisplayTest, HostileStepsKeepTheViewInsideTheStrip) {
    const int steps[] = {0, 1, -1, -20, 153, 199, 200, 201, 1000, -1000, INT_MAX, INT_MIN};
    for (int scrollType : {1, 2, 7}) {
        for (int step : steps) {
            SkinOverridesForTest().effectiveSettings.ScrollType = scrollType;
            SkinOverridesForTest().effectiveSettings.ScrollPixel = step;
            ShowCaption(wideTitle);
            std::vector<int> everyTenth;
            for (int column = 0; column < 200; column += 10) everyTenth.push_back(column);
            PrepareMarkedStrip(200, everyTenth);
            const int magnitude = step == INT_MIN ? INT_MAX : step < 0 ? -step : step;
            for (int frame = 0; frame < 60; ++frame) {
                ComposeTitleFrame();
                const std::vector<int> set = SetColumns(titleSurfaceWidth);
                ASSERT_FALSE(set.empty());
                ASSERT_LT(set.back(), normalViewWidth);
                if (scrollType == 1) {
                    ASSERT_GE(ScrollOffset(), 0);
                    ASSERT_LE(ScrollOffset(), 200 - normalViewWidth) << "type 1 step " << step;
                } else {
                    ASSERT_GE(ScrollOffset(), 0);
                    ASSERT_LT(ScrollOffset(), 200) << "type " << scrollType << " step " << step;
                    if (frame == 0) {
                        EXPECT_EQ(ScrollOffset(), magnitude % 200) << "step " << step;
                    }
                }
            }
        }
    }
}

TEST_F(DisplayTest, AStepOfZeroStandsStill) {
    for (int scrollType : {1, 2}) {
        SkinOverridesForTest().effectiveSettings.ScrollType = scrollType;
        SkinOverridesForTest().effectiveSettings.ScrollPixel = 0;
        ShowCaption(wideTitle);
        for (int frame = 0; frame < 10; ++frame) ComposeTitleFrame();
        EXPECT_EQ(ScrollOffset(), 0) << "type " << scrollType;
    }
}

TEST_F(DisplayTest, ASizeChangeRendersInTheOtherFontAndRestarts) {
    ShowCaption("Size change");
    const int normalWidth = StripWidth();
    const int normalLine = LineHeight();
    StripForTest().scrollOffset = 33;
    WindowModesForTest().doubleSize = 1;
    RefreshStrip();
    EXPECT_GT(StripWidth(), normalWidth) << "double-size font (14 pt bold) is wider";
    EXPECT_EQ(LineHeight(), 2 * normalLine);
    EXPECT_EQ(ScrollOffset(), 0);
    EXPECT_EQ(ViewWidth(), doubleViewWidth);
}
