// The caption turned into the displayed title: tails, track length, cuts at
// character boundaries, separator and overflow.
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "player/title_place.h"
#include "title/text_strip.h"
#include "title/title_text.h"
#include "display_fixture.h"
#include "player/window_modes.h"
#include "text_of_width.h"

using namespace display_test;

namespace {

int Width(const std::string& text) {
    SIZE extent = {};
    GetTextExtentPoint32A(Surfaces().textStrip.dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

// A text of exactly `width` pixels in the font now in the strip.
std::string TextOfWidth(int width) {
    return testing_support::TextOfWidth(width, Width, '!', '~');
}

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

const char* TitleText() { return TitleTextForTest().titleText; }
int TitleLength() { return TitleTextForTest().titleLength; }
const char* DisplayText() { return StripForTest().displayText; }
int DisplayLength() { return StripForTest().displayLength; }

const std::string big5Zhong = "\xa4\xa4";   // a Big5 character
const std::string big5At = "\xa4\x40";      // one whose trail byte is '@'

}  // namespace

TEST(CharacterBoundary, NeverEndsInsideADoubleByteCharacter) {
    if (!IsCodePage950()) GTEST_SKIP() << "needs code page 950";
    struct Case {
        std::string text;
        int limit;
        int expected;
    };
    const Case cases[] = {
        {"abc", 2, 2},
        {"abc", 10, 3},
        {"abc", 0, 0},
        {"abc", -5, 0},
        {big5Zhong + big5Zhong, 3, 2},
        {big5Zhong + big5Zhong, 4, 4},
        {big5Zhong, 1, 0},
        {"a" + big5Zhong + "b", 2, 1},
        {"a" + big5Zhong + "b", 3, 3},
        {big5At + "x", 1, 0},                // '@' here is a trail byte, not a character
        {big5At + "x", 2, 2},
        {"x" + big5At + big5At, 4, 3},
        {"ab\xa4", 10, 2},                   // a lead byte cut from its trail
    };
    for (const Case& c : cases)
        EXPECT_EQ(CharacterBoundary(c.text.c_str(), c.limit), c.expected)
            << "text of " << c.text.size() << " bytes, limit " << c.limit;
    EXPECT_EQ(CharacterBoundary(nullptr, 10), 0);
}

// Wide text: a cut never separates a surrogate pair; an unpaired surrogate
// counts as a character of its own, except at the very end.
TEST(CharacterBoundary, NeverSplitsASurrogatePair) {
    const std::wstring clef = L"\xD834\xDD1E";   // U+1D11E, one character in two code units
    struct Case {
        std::wstring text;
        int limit;
        int expected;
    };
    const Case cases[] = {
        {L"ab" + clef, 3, 2},
        {L"ab" + clef, 4, 4},
        {clef + clef, 3, 2},
        {L"\xD834x", 2, 2},    // a high surrogate without its partner
        {L"a\xD834", 2, 1},    // ... left dangling at the end
        {L"\xDD1E" L"a", 1, 1},    // a lone low surrogate
        {L"\u65e5\u672c", 1, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CharacterBoundary(c.text.c_str(), c.limit), c.expected)
            << "text of " << c.text.size() << " units, limit " << c.limit;
}

TEST_F(DisplayTest, TailsAreTrimmedAndTheTrackLengthAppended) {
    struct Case {
        const char* caption;
        int seconds;
        const char* expected;
    };
    const Case cases[] = {
        {"Song - Winamp", 245, "Song <4:05>"},
        {"Song - Winamp", 3725, "Song <62:05>"},
        {"Song - Winamp", 59, "Song <0:59>"},
        {"Song - Winamp", 0, "Song"},
        {"Song - Winamp", -3, "Song"},
        {"Song - Winamp", INT_MAX, "Song <35791394:07>"},
        {"Song - WINAMP", 245, "Song - WINAMP"},   // compared case-sensitively
        {"Qelvar Scrivane II 1.0", 245, "Qelvar Scrivane II 1.0"},
        {"amp", 245, "amp"},
        {"", 245, ""},
        {"Winamp", 245, " <4:05>"},                // nothing but the tail: no title left
        {"p - Winamp", 245, "p <4:05>"},
    };
    for (const Case& c : cases) {
        trackSeconds = c.seconds;
        ShowCaption(c.caption);
        EXPECT_STREQ(TitleText(), c.expected) << c.caption << " at " << c.seconds << " s";
        EXPECT_EQ(TitleLength(), static_cast<int>(std::strlen(c.expected))) << c.caption;
    }
}

TEST_F(DisplayTest, PausedAndStoppedKeepTheLengthBuiltWhilePlaying) {
    struct Step {
        const char* caption;
        int seconds;
        const char* expected;
    };
    const Step steps[] = {
        {"Song - Winamp", 245, "Song <4:05>"},
        {"Song - Winamp [Paused]", 999, "Song <4:05>"},
        {"Song - Winamp [Stopped]", 999, "Song <4:05>"},
        {"aused]", 999, " <4:05>"},      // shorter than its tail: emptied, suffix kept
        {"Other", 999, "Other"},         // no tail clears the suffix
        {"Other - Winamp [Paused]", 999, "Other"},
        {"Song - Winamp", 245, "Song <4:05>"},
        {"Song - Winamp [Angehalten]", 999, "Song <4:05>"},   // a translated player's state word
        {"Song - Winamp [\xb0\xb1\xa4\xee]", 999, "Song <4:05>"},   // 停止 in Big5
        {"Song - Winamp []", 999, "Song - Winamp []"},          // no word: not the player's tail
        {"Song - Winamp [a]b]", 999, "Song - Winamp [a]b]"},
    };
    for (const Step& s : steps) {
        trackSeconds = s.seconds;
        ShowCaption(s.caption);
        EXPECT_STREQ(TitleText(), s.expected) << s.caption;
    }
    if (IsCodePage950()) {
        ShowCaption("Song - Winamp [\xa4]");   // its ']' is the trail byte of a Big5 character
        EXPECT_STREQ(TitleText(), "Song - Winamp [\xa4]");
    }
}

TEST_F(DisplayTest, LongCaptionsAreCutAtCharacterBoundariesWithinTheBuffers) {
    if (!IsCodePage950()) GTEST_SKIP() << "needs code page 950";
    struct Case {
        std::string caption;
        int seconds;
        std::string suffix;
    };
    const Case cases[] = {
        // 244 bytes of title: with the longest suffix the room is 241, inside a character.
        {Repeat(big5Zhong, 122) + " - Winamp", INT_MAX, " <35791394:07>"},
        {"a" + Repeat(big5Zhong, 122) + " - Winamp", INT_MAX, " <35791394:07>"},
        {Repeat(big5At, 127), 245, ""},
        // A read cut off inside the last character.
        {Repeat(big5Zhong, 100) + "\xa4", 245, ""},
    };
    for (const Case& c : cases) {
        trackSeconds = c.seconds;
        ShowCaption(c.caption);
        const int length = static_cast<int>(std::strlen(TitleText()));
        EXPECT_EQ(length, TitleLength());
        EXPECT_LE(length, titleTextSize - 1);
        ASSERT_GE(length, static_cast<int>(c.suffix.size()));
        const int titlePart = length - static_cast<int>(c.suffix.size());
        EXPECT_EQ(std::string(TitleText() + titlePart), c.suffix);
        EXPECT_EQ(CharacterBoundary(TitleText(), titlePart), titlePart) << "title cut inside a character";
        EXPECT_EQ(std::string(TitleText(), titlePart), c.caption.substr(0, titlePart)) << "title is a prefix";
        EXPECT_GE(titlePart, static_cast<int>(c.caption.size()) - 9 - 18) << "cut more than needed";

        EXPECT_LE(DisplayLength(), displayTextSize - 1);
        EXPECT_EQ(static_cast<int>(std::strlen(DisplayText())), DisplayLength());
    }
}

TEST_F(DisplayTest, TheSeparatorComesOnlyWithWrapAroundOfAnOverflowingText) {
    const std::string wide = Repeat("Wide title ", 6);
    struct Case {
        int scroll;
        int scrollType;
        bool overflowing;
        bool separator;
    };
    const Case cases[] = {
        {1, 2, true, true},   {1, 1, true, false}, {0, 2, true, false},
        {1, 3, true, false},  {1, 2, false, false},
    };
    for (const Case& c : cases) {
        SkinOverridesForTest().effectiveSettings.Scroll = c.scroll;
        SkinOverridesForTest().effectiveSettings.ScrollType = c.scrollType;
        ShowCaption(c.overflowing ? wide : "Short");
        EXPECT_EQ(StripOverflows(), c.overflowing ? 1 : 0);
        const std::string shown(DisplayText(), DisplayLength());
        const std::string title(TitleText());
        EXPECT_EQ(shown, c.separator ? title + scrollSeparator : title)
            << "Scroll " << c.scroll << " ScrollType " << c.scrollType;
    }
}

TEST_F(DisplayTest, ASeparatorOnAHugeTitleStillFitsAndKeepsCharactersWhole) {
    if (!IsCodePage950()) GTEST_SKIP() << "needs code page 950";
    ShowCaption(Repeat(big5Zhong, 127));   // 254 bytes, 9 short of room for the separator
    ASSERT_EQ(StripOverflows(), 1);
    ASSERT_LE(DisplayLength(), displayTextSize - 1);
    const int titlePart = DisplayLength() - 9;
    EXPECT_EQ(std::string(DisplayText() + titlePart), scrollSeparator);
    EXPECT_EQ(titlePart % 2, 0) << "title cut inside a character";
    EXPECT_EQ(std::string(DisplayText(), titlePart), std::string(TitleText(), titlePart));
}

TEST_F(DisplayTest, ATextAsWideAsTheViewOverflows) {
    struct Case {
        int doubled;
        int width;
        int overflows;
    };
    const Case cases[] = {
        {0, normalViewWidth - 1, 0},
        {0, normalViewWidth, 1},
        {1, doubleViewWidth - 1, 0},
        {1, doubleViewWidth, 1},
    };
    for (const Case& c : cases) {
        WindowModesForTest().doubleSize = c.doubled;
        RefreshStrip();   // the font of this size
        const std::string text = TextOfWidth(c.width);
        ASSERT_FALSE(text.empty()) << "no test text " << c.width << " wide";
        SkinOverridesForTest().effectiveSettings.ScrollType = 1;
        ShowCaption(text);
        EXPECT_EQ(StripOverflows(), c.overflows) << c.width << " pixels, double size " << c.doubled;
        EXPECT_EQ(StripWidth(), c.width);
    }
}

TEST_F(DisplayTest, EveryRebuildRestartsTheScroll) {
    SkinOverridesForTest().effectiveSettings.ScrollType = 1;
    ShowCaption(Repeat("Wide title ", 6));
    StripForTest().scrollOffset = 40;
    StripForTest().scrollDirection = -1;
    StripForTest().holdCount = 2;
    ShowCaption(Repeat("Other wide title ", 5));
    EXPECT_EQ(StripForTest().scrollOffset, 0);
    EXPECT_EQ(StripForTest().scrollDirection, 1);
    EXPECT_EQ(StripForTest().holdCount, 0);
}
