// The colour text codec, the point/height conversion, face names, and the
// transfers between the dialog's copy and the stored settings.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstring>
#include <string>

#include "settings/colour_text.h"
#include "settings_fixture.h"

using settings_tests::Differences;
using settings_tests::SettingsState;
using settings_tests::UnusualSettings;

namespace {

TEST(ColourText, ReadsTheLastSixCharactersAsRedGreenBlue) {
    struct Case {
        const char* text;
        COLORREF colour;
    };
    const Case cases[] = {
        {"ff8000", 0x000080FF},  {"FF8000", 0x000080FF},  {"#00FF00", RGB(0, 255, 0)},
        {"FF", 0x00FF0000},      {"GG00GG", 0},           {"", 0},
        {"00ff00", RGB(0, 255, 0)}, {"123456789", RGB(0x45, 0x67, 0x89)},  // only 9 bytes are ever read
        {"zz0000ff", RGB(0, 0, 255)}, {"abcdef", RGB(0xab, 0xcd, 0xef)},  {"1 2", RGB(0, 1, 2)},
        {"ffffffff", RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        char buffer[16];
        lstrcpyA(buffer, c.text);
        EXPECT_EQ(ParseColour(buffer), c.colour);
    }
}

TEST(ColourText, UpperCasesItsTextInPlace) {
    char buffer[10] = "ab#c0f";
    ParseColour(buffer);
    EXPECT_STREQ(buffer, "AB#C0F");
}

TEST(ColourText, WritesSixLowerCaseDigitsAndReadsThemBack) {
    struct Case {
        COLORREF colour;
        const char* text;
    };
    const Case cases[] = {
        {0x000080FF, "ff8000"}, {RGB(0, 255, 0), "00ff00"}, {0, "000000"},
        {RGB(1, 2, 3), "010203"}, {0xFF0080FF, "ff8000"},   // the top byte is not a colour
        {0x00FFFFFF, "ffffff"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        char text[16];
        memset(text, 'x', sizeof text);
        FormatColour(c.colour, text);
        EXPECT_STREQ(text, c.text);
        EXPECT_EQ(text[7], 'x') << "wrote past the 7 bytes it owns";
        EXPECT_EQ(ParseColour(text), c.colour & 0x00FFFFFF);
    }
}

TEST_F(SettingsState, PointsAndHeightsRoundAsMulDivAtEachResolution) {
    struct Case {
        int pixelsPerInch;
        int points;
        int height;
    };
    const Case cases[] = {
        {96, 8, -11}, {96, 14, -19}, {96, 0, 0}, {96, 10, -13}, {96, 9, -12},
        {120, 8, -13}, {120, 14, -23}, {120, 10, -17}, {144, 8, -16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pixelsPerInch) + " dpi, " + std::to_string(c.points) + " pt");
        FontsForTest().logPixelsY = c.pixelsPerInch;
        EXPECT_EQ(PointsToHeight(c.points), c.height);
        EXPECT_EQ(HeightToPoints(c.height), c.points);
    }
}

// A face field is 32 bytes; anything longer in a file or a record is cut at
// 31 bytes without touching what follows the field.
TEST(FaceName, IsCutAtThirtyOneBytesAndNeverOverruns) {
    struct Guarded {
        char field[faceNameSize];
        char guard[8];
    };
    const std::string exact(31, 'e');
    const std::string cases[] = {std::string(300, 'a'), exact, exact + "x", "Arial", ""};
    for (const std::string& face : cases) {
        SCOPED_TRACE(face.size());
        Guarded target;
        memset(&target, '#', sizeof target);
        CopyFaceName(target.field, face.c_str());
        EXPECT_EQ(std::string(target.field), face.substr(0, 31));
        EXPECT_EQ(std::string(target.guard, 8), std::string(8, '#'));
    }
}

// A Big5 character must not lose its trail byte at the cut: a half
// character would show as a stray glyph and name no font.
TEST(FaceName, KeepsDoubleByteCharactersWhole) {
    if (GetACP() != 950) GTEST_SKIP() << "needs code page 950";
    const std::string big5 = "\xb7\x73";   // one Traditional Chinese character
    struct Case {
        std::string face;
        std::string kept;
    };
    const Case cases[] = {
        {std::string(30, 'a') + big5, std::string(30, 'a')},   // the trail byte would be the 32nd
        {std::string(29, 'a') + big5 + "b", std::string(29, 'a') + big5},
        {big5 + big5 + std::string(40, 'c'), big5 + big5 + std::string(27, 'c')},
        {std::string(40, '\xb7'), std::string(30, '\xb7')},   // lead bytes pair up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face.size());
        char field[faceNameSize + 4];
        memset(field, '#', sizeof field);
        CopyFaceName(field, c.face.c_str());
        EXPECT_EQ(std::string(field), c.kept);
        EXPECT_EQ(field[faceNameSize], '#');
    }
}

TEST_F(SettingsState, CommitClampsTheScrollStepAndLeavesTheDialogsCopy) {
    struct Case {
        int pending;
        int committed;
    };
    const Case cases[] = {{0, 1}, {-5, 1}, {1, 1}, {50, 50}, {51, 50}, {7, 7}, {INT_MIN, 1}, {INT_MAX, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pending);
        ConfigDialogForTest().pendingSettings.ScrollPixel = c.pending;
        CommitPendingSettings();
        EXPECT_EQ(StoredSettings().ScrollPixel, c.committed);
        EXPECT_EQ(ConfigDialogForTest().pendingSettings.ScrollPixel, c.pending);
    }
}

// The font chooser edits the user's records in place: what they hold is
// committed, by the weight and italic rules, and the rebuild makes the
// drawing records canonical.
TEST_F(SettingsState, CommitTakesTheFontsFromTheRecords) {
    struct Case {
        LONG weight;
        BYTE italic;
        int bold;
        LONG rebuiltWeight;
    };
    const Case cases[] = {{600, 0, 0, 400}, {700, 1, 1, 700}, {800, 0, 1, 700}, {400, 255, 0, 400},
                          {0, 0, 0, 400}, {1000, 1, 1, 700}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.weight);
        ConfigDialogForTest().pendingSettings.FontBold = 1 - c.bold;   // must not be read
        FontsState& fonts = FontsForTest();
        for (LOGFONTA* record : {&fonts.userNormal, &fonts.userDoubleSize, &fonts.userPlaylist}) {
            record->lfWeight = c.weight;
            record->lfItalic = c.italic;
        }
        lstrcpyA(fonts.userNormal.lfFaceName, "Arial");
        lstrcpyA(fonts.userDoubleSize.lfFaceName, "Courier New");
        lstrcpyA(fonts.userPlaylist.lfFaceName, "Tahoma");
        fonts.userNormal.lfHeight = -11;
        fonts.userDoubleSize.lfHeight = -19;
        fonts.userPlaylist.lfHeight = -13;
        CommitPendingSettings();
        const SettingsSet& s = StoredSettings();
        EXPECT_EQ(s.FontBold, c.bold);
        EXPECT_EQ(s.DS_FontBold, c.bold);
        EXPECT_EQ(s.PE_FontBold, c.bold);
        EXPECT_EQ(s.FontItalic, c.italic);
        EXPECT_EQ(s.PE_FontItalic, c.italic);
        EXPECT_STREQ(s.FontFace, "Arial");
        EXPECT_STREQ(s.DS_FontFace, "Courier New");
        EXPECT_STREQ(s.PE_FontFace, "Tahoma");
        EXPECT_EQ(s.FontSize, 8);
        EXPECT_EQ(s.DS_FontSize, 14);
        EXPECT_EQ(s.PE_FontSize, 10);
        EXPECT_EQ(NormalFont().record.lfWeight, c.rebuiltWeight);
        EXPECT_EQ(PlaylistFont().record.lfWeight, c.rebuiltWeight);
        EXPECT_EQ(NormalFont().record.lfHeight, -11);
    }
}

TEST_F(SettingsState, CommitCopiesEveryOtherFieldAndRevertUndoesTheDialog) {
    const SettingsSet unusual = UnusualSettings();
    ConfigDialogForTest().pendingSettings = unusual;
    FontsState& fonts = FontsForTest();
    FillFontRecord(fonts.userNormal, unusual.FontFace, unusual.FontSize, unusual.FontBold, unusual.FontItalic);
    FillFontRecord(fonts.userDoubleSize, unusual.DS_FontFace, unusual.DS_FontSize, unusual.DS_FontBold,
                   unusual.DS_FontItalic);
    FillFontRecord(fonts.userPlaylist, unusual.PE_FontFace, unusual.PE_FontSize, unusual.PE_FontBold,
                   unusual.PE_FontItalic);
    CommitPendingSettings();
    EXPECT_EQ(Differences(StoredSettings(), unusual), "");
    EXPECT_EQ(Differences(EffectiveSettings(), unusual), "") << "no skin: effective is stored";

    ConfigDialogForTest().pendingSettings = defaultSettings;
    lstrcpyA(fonts.userNormal.lfFaceName, "Chosen but cancelled");
    RevertPending();
    EXPECT_EQ(Differences(ConfigDialogForTest().pendingSettings, unusual), "");
    EXPECT_STREQ(fonts.userNormal.lfFaceName, "Chosen but cancelled") << "revert leaves the records";
}

}  // namespace
