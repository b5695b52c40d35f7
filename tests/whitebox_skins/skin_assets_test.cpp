// The skin loader read directly: what lands in the gradient, the title
// background, the brushes and the playlist colours for well-formed, small,
// odd and broken skin files.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "surfaces/skin_pictures.h"
#include "title/skin_change.h"
#include "surfaces/surfaces.h"
#include "emulated_host.h"
#include "player/host_contract.h"
#include "player/window_modes.h"
#include "playlist/playlist_line.h"
#include "plugin/module_life.h"
#include "plugin_folder.h"
#include "settings/settings.h"
#include "skin_files.h"

namespace {

constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF slate = RGB(10, 20, 30);

std::string ScratchRoot() {
    return host::ProgramFolder() + "\\scratch\\whitebox_skins";
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH info = {};
    if (!brush || !GetObjectA(brush, sizeof info, &info)) return CLR_INVALID;
    return info.lbColor;
}

HBRUSH SkinBrush() { return SurfacesForTest().skinBackgroundBrush; }
HBRUSH PlaylistBrush() { return SurfacesForTest().playlistBgBrush; }
HDC PlaylistDC() { return Surfaces().playlistLine.dc; }

// A text.bmp of the usual 155 x 74 with the given samples in rows 0..5 at
// x = 55, 42, 97 and the background colour everywhere else.
host::Image TextBitmap(COLORREF background, const COLORREF (&samples)[6][3]) {
    host::Image picture = host::SolidImage(155, 74, background);
    constexpr int columns[3] = {55, 42, 97};
    for (int row = 0; row < 6; ++row)
        for (int i = 0; i < 3; ++i) picture.Set(columns[i], row, samples[row][i]);
    return picture;
}

class SkinAssets : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = std::make_unique<host::EmulatedHost>();
        HostContractForTest() = HostContract{host_->Main(), host_->Equalizer(), host_->Playlist(), 1, nullptr, 0};
        LoadSettings();
        CreateSurfaces();
        SetPluginRunning(1);
    }

    void TearDown() override {
        SetPluginRunning(0);
        ReleaseSurfaces();
        HostContractForTest() = HostContract{};
        host_.reset();
    }

    // A fresh, empty skin folder.
    std::string Skin(const std::string& name) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string folder = ScratchRoot() + "\\" + info->name() + "." + name;
        host::MakeFolder(folder);
        for (const char* file : {"main.bmp", "text.bmp", "fontskin.bmp", "pledit.txt", "scrivane.txt"})
            DeleteFileA((folder + "\\" + file).c_str());
        return folder;
    }

    // A skin change as the main window's repaint loads it.
    void Load(const std::string& folder) {
        host_->skinFolder = folder;
        LoadSkinAssets();
        LoadPlaylistSkin(SkinFolder());
    }

    static COLORREF Gradient(int x, int y) { return GetPixel(Surfaces().skinTextGradient.dc, x, y); }
    static COLORREF Background(int x, int y) { return GetPixel(Surfaces().skinBackground.dc, x, y); }

    // Both lines of each row of the gradient, across its whole width.
    static void ExpectGradientRows(const COLORREF (&rows)[6]) {
        for (int row = 0; row < 6; ++row)
            for (int y : {row * 2, row * 2 + 1})
                for (int x : {0, 76, 152}) {
                    SCOPED_TRACE(testing::Message() << "row " << row << " at (" << x << "," << y << ")");
                    EXPECT_EQ(Gradient(x, y), rows[row]);
                }
    }

    std::unique_ptr<host::EmulatedHost> host_;
};

// Each row's colour is the first glyph sample that differs from the
// background; when all three match it, the last one is taken as it is.
TEST_F(SkinAssets, TextColoursAreSampledPerRowAtEveryBitDepth) {
    const COLORREF samples[6][3] = {
        {red, blue, yellow},     // first sample differs
        {slate, blue, yellow},   // first matches the background: the second
        {slate, slate, yellow},  // both match: the third
        {slate, slate, slate},   // all match: the third all the same
        {red, slate, slate},
        {slate, yellow, slate},
    };
    const COLORREF expected[6] = {red, blue, yellow, slate, red, yellow};
    for (int bits : {4, 8, 24, 32}) {
        SCOPED_TRACE(testing::Message() << bits << " bits");
        const std::string skin = Skin(std::to_string(bits));
        ASSERT_TRUE(host::WriteBmp(skin + "\\text.bmp", TextBitmap(slate, samples), bits));
        Load(skin);
        ExpectGradientRows(expected);
        EXPECT_EQ(BrushColour(SkinBrush()), slate);
    }
}

TEST_F(SkinAssets, MonochromeTextBitmapKeepsItsTwoColours) {
    const COLORREF samples[6][3] = {
        {black, white, white}, {white, black, white}, {white, white, black},
        {white, white, white}, {black, black, black}, {white, black, black},
    };
    const COLORREF expected[6] = {black, black, black, white, black, black};
    const std::string skin = Skin("mono");
    ASSERT_TRUE(host::WriteBmp(skin + "\\text.bmp", TextBitmap(white, samples), 1));
    Load(skin);
    ExpectGradientRows(expected);
    EXPECT_EQ(BrushColour(SkinBrush()), white);
}

// Points outside a small picture are never turned into a pen or brush: the
// background falls back to black, a row without any sample inside to green.
TEST_F(SkinAssets, SmallTextBitmapsFallBackForPointsOutsideThem) {
    struct Case {
        const char* name;
        int width, height;
        COLORREF expectedBackground;
        COLORREF expectedRows[6];
    };
    const Case cases[] = {
        {"1x1", 1, 1, black, {green, green, green, green, green, green}},
        {"50x6", 50, 6, black, {blue, blue, blue, blue, blue, blue}},     // only x = 42 inside
        {"56x6", 56, 6, black, {blue, blue, blue, blue, blue, blue}},     // 55 and 42 inside
        {"143x3", 143, 3, blue, {blue, blue, blue, green, green, green}}, // all match: last inside
        {"143x6", 143, 6, blue, {blue, blue, blue, blue, blue, blue}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string skin = Skin(c.name);
        ASSERT_TRUE(host::WriteBmp(skin + "\\text.bmp", host::SolidImage(c.width, c.height, blue), 24));
        Load(skin);
        ExpectGradientRows(c.expectedRows);
        EXPECT_EQ(BrushColour(SkinBrush()), c.expectedBackground);
    }
}

// The title-area block of main.bmp; what a small picture lacks stays black,
// also when the previous skin left a picture there.
TEST_F(SkinAssets, TitleBackgroundIsCutFromMainBitmapAndClipped) {
    auto patterned = [](int width, int height) {
        host::Image picture = host::SolidImage(width, height, black);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) picture.Set(x, y, RGB(x % 256, y, 77));
        return picture;
    };
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    struct Case {
        const char* name;
        int width, height;   // 0: no main.bmp
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"full", 275, 116, {{0, 0, RGB(112, 24, 77)}, {152, 29, RGB(264, 53, 77)}, {40, 10, RGB(152, 34, 77)}}},
        {"small", 200, 40, {{0, 0, RGB(112, 24, 77)}, {87, 15, RGB(199, 39, 77)}, {88, 0, black}, {0, 16, black}}},
        {"tiny", 1, 1, {{0, 0, black}, {152, 29, black}}},
        {"missing", 0, 0, {{0, 0, black}, {76, 15, black}, {152, 29, black}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string full = Skin(std::string(c.name) + ".before");
        ASSERT_TRUE(host::WriteBmp(full + "\\main.bmp", host::SolidImage(275, 116, red), 24));
        Load(full);
        ASSERT_EQ(Background(0, 0), red);
        const std::string skin = Skin(c.name);
        if (c.width) {
            ASSERT_TRUE(host::WriteBmp(skin + "\\main.bmp", patterned(c.width, c.height), 24));
        }
        Load(skin);
        for (const Probe& p : c.probes) {
            SCOPED_TRACE(testing::Message() << "(" << p.x << "," << p.y << ")");
            EXPECT_EQ(Background(p.x, p.y), p.expected);
        }
    }
}

// Without text.bmp the gradient is green in a black frame and the brush of
// the earlier skin stays; fontskin.bmp replaces the gradient (as far as it
// reaches) but not the brush.
TEST_F(SkinAssets, MissingTextBitmapAndFontSkinReplacement) {
    const COLORREF samples[6][3] = {{red, red, red}, {red, red, red}, {red, red, red},
                                    {red, red, red}, {red, red, red}, {red, red, red}};
    const std::string withText = Skin("text");
    ASSERT_TRUE(host::WriteBmp(withText + "\\text.bmp", TextBitmap(slate, samples), 24));
    Load(withText);
    HBRUSH brush = SkinBrush();

    const std::string without = Skin("none");
    Load(without);
    EXPECT_EQ(SkinBrush(), brush);
    EXPECT_EQ(BrushColour(SkinBrush()), slate);
    for (auto [x, y] : {std::pair{0, 0}, {76, 0}, {152, 11}, {0, 11}, {152, 5}}) EXPECT_EQ(Gradient(x, y), black);
    for (auto [x, y] : {std::pair{1, 1}, {76, 5}, {151, 10}}) EXPECT_EQ(Gradient(x, y), green);

    host::Image fontSkin = host::SolidImage(153, 12, black);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 153; ++x) fontSkin.Set(x, y, RGB(x, y * 20, 200));
    const std::string withFont = Skin("font");
    ASSERT_TRUE(host::WriteBmp(withFont + "\\text.bmp", TextBitmap(blue, samples), 24));
    ASSERT_TRUE(host::WriteBmp(withFont + "\\fontskin.bmp", fontSkin, 24));
    Load(withFont);
    for (auto [x, y] : {std::pair{0, 0}, {152, 11}, {70, 6}}) EXPECT_EQ(Gradient(x, y), RGB(x, y * 20, 200));
    EXPECT_EQ(BrushColour(SkinBrush()), blue);

    const std::string smallFont = Skin("smallfont");
    ASSERT_TRUE(host::WriteBmp(smallFont + "\\text.bmp", TextBitmap(blue, samples), 24));
    ASSERT_TRUE(host::WriteBmp(smallFont + "\\fontskin.bmp", fontSkin.Crop(0, 0, 50, 5), 24));
    Load(smallFont);
    EXPECT_EQ(Gradient(49, 4), RGB(49, 80, 200));
    EXPECT_EQ(Gradient(50, 0), red);
    EXPECT_EQ(Gradient(0, 5), red);
}

TEST_F(SkinAssets, FrameSurfaceHoldsTheBrushThatUseSkinColorNames) {
    const COLORREF samples[6][3] = {};
    for (int useSkinColor : {0, 1}) {
        SCOPED_TRACE(useSkinColor);
        SettingsStoreForTest().storedSettings.UseSkinColor = useSkinColor;
        const std::string skin = Skin(std::to_string(useSkinColor));
        ASSERT_TRUE(host::WriteBmp(skin + "\\text.bmp", TextBitmap(slate, samples), 24));
        Load(skin);
        EXPECT_EQ(GetCurrentObject(Surfaces().frameSurface.dc, OBJ_BRUSH),
                  useSkinColor ? SkinBrush() : SurfacesForTest().bkBrush);
    }
}

// A shaded editor's line is drawn once per load, after its colours are read.
TEST_F(SkinAssets, PlaylistColoursComeFromPleditText) {
    struct Case {
        const char* name;
        const char* content;   // null: no pledit.txt
        COLORREF text, background;
    };
    const Case cases[] = {
        {"missing", nullptr, green, black},
        {"both", "[Text]\r\nNormal=#FF8000\r\nNormalBG=102030\r\n", RGB(0xFF, 0x80, 0x00), RGB(0x10, 0x20, 0x30)},
        {"lower", "[Text]\r\nNormal=ff8000\r\n", RGB(0xFF, 0x80, 0x00), black},
        {"othersection", "[Colors]\r\nNormal=FF8000\r\nNormalBG=102030\r\n", green, black},
    };
    SettingsStoreForTest().storedSettings.PE_Scrivane = 1;
    WindowModesForTest().playlistShaded = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string skin = Skin(c.name);
        if (c.content) {
            ASSERT_TRUE(host::WriteTextFile(skin + "\\pledit.txt", c.content));
        }
        host_->requestLog.clear();
        Load(skin);
        EXPECT_EQ(GetTextColor(PlaylistDC()), c.text);
        EXPECT_EQ(GetBkColor(PlaylistDC()), c.background);
        EXPECT_EQ(BrushColour(PlaylistBrush()), c.background);
        EXPECT_EQ(std::count(host_->requestLog.begin(), host_->requestLog.end(), LPARAM{IPC_GETLISTPOS}), 1);
    }
    WindowModesForTest().playlistShaded = 0;
}

// A folder too long for the path buffers reads as a skin without files.
TEST_F(SkinAssets, SkinFolderTooLongForThePathGivesTheFallbacks) {
    const std::string good = Skin("good");
    ASSERT_TRUE(host::WriteBmp(good + "\\main.bmp", host::SolidImage(275, 116, red), 24));
    ASSERT_TRUE(host::WriteTextFile(good + "\\pledit.txt", "[Text]\r\nNormal=FF8000\r\nNormalBG=102030\r\n"));
    Load(good);
    for (int length : {247, 250, 259, 400}) {
        SCOPED_TRACE(length);
        Load("C:\\" + std::string(static_cast<size_t>(length - 3), 'a'));
        EXPECT_EQ(Background(10, 10), black);
        EXPECT_EQ(Gradient(5, 5), green);
        EXPECT_EQ(GetTextColor(PlaylistDC()), green);
        EXPECT_EQ(BrushColour(PlaylistBrush()), black);
    }
}

// Broken files must load as something (or nothing) without reading beyond
// what they hold; every read-back pixel is a real colour afterwards.
TEST_F(SkinAssets, BrokenBitmapFilesNeverCrashTheLoader) {
    const std::string valid = [] {
        const std::string path = ScratchRoot() + "\\valid.bmp";
        host::MakeFolder(ScratchRoot());
        host::WriteBmp(path, host::SolidImage(155, 74, red), 24);
        std::string bytes;
        if (FILE* f = fopen(path.c_str(), "rb")) {
            char buffer[4096];
            size_t n;
            while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
            fclose(f);
        }
        return bytes;
    }();
    ASSERT_GT(valid.size(), 200u);
    std::string hugeHeader = valid.substr(0, 54);
    const DWORD huge = 60000;
    memcpy(&hugeHeader[18], &huge, 4);   // biWidth
    memcpy(&hugeHeader[22], &huge, 4);   // biHeight
    std::string negativeWidth = valid;
    const LONG minusOne = -1;
    memcpy(&negativeWidth[18], &minusOne, 4);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"garbage", std::string(300, '\x5a')},
        {"headeronly", valid.substr(0, 54)},
        {"truncated", valid.substr(0, valid.size() / 2)},
        {"hugeheader", hugeHeader},
        {"negativewidth", negativeWidth},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string skin = Skin(c.name);
        for (const char* file : {"\\main.bmp", "\\text.bmp", "\\fontskin.bmp"})
            ASSERT_TRUE(host::WriteBytes(skin + file, c.bytes));
        Load(skin);
        for (auto [x, y] : {std::pair{0, 0}, {152, 11}, {76, 6}}) EXPECT_NE(Gradient(x, y), CLR_INVALID);
        EXPECT_NE(Background(152, 29), CLR_INVALID);
    }
    const std::string folderNamedLikeAFile = Skin("folder");
    host::MakeFolder(folderNamedLikeAFile + "\\text.bmp");
    Load(folderNamedLikeAFile);
    EXPECT_EQ(Gradient(5, 5), green);
    RemoveDirectoryA((folderNamedLikeAFile + "\\text.bmp").c_str());
}

}  // namespace
