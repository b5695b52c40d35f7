// Skin changes through the real DLL: the title takes the new skin's colours
// and picture at the next frame, a skin without files keeps what the
// fallbacks promise, and switching skins over and over leaks no GDI object.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "emulated_host.h"
#include "import_counter.h"
#include "scratch_plugin.h"
#include "skin_files.h"

using testing_support::PluginRun;

namespace {

constexpr COLORREF slate = RGB(10, 20, 30);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF black = RGB(0, 0, 0);
constexpr RECT titleLine = {112, 24, 265, 36};   // the view, one line of 12 at normal size

// A text.bmp whose background is `background` and whose six sampled rows
// are all `text`.
host::Image TextBitmap(COLORREF background, COLORREF text) {
    host::Image picture = host::SolidImage(155, 74, background);
    for (int row = 0; row < 6; ++row)
        for (int x : {55, 42, 97}) picture.Set(x, row, text);
    return picture;
}

host::Image Patterned(int width, int height) {
    host::Image picture = host::SolidImage(width, height, black);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.Set(x, y, RGB(x % 256, (y * 4) % 256, 90));
    return picture;
}

std::set<COLORREF> Colours(const host::Image& picture) {
    return std::set<COLORREF>(picture.pixels.begin(), picture.pixels.end());
}

host::Image TitleLine(const host::EmulatedHost& h) {
    return h.CaptureMain().Crop(titleLine.left, titleLine.top, titleLine.right - titleLine.left,
                                titleLine.bottom - titleLine.top);
}

std::string Describe(const std::set<COLORREF>& colours) {
    std::string text;
    char item[16];
    for (COLORREF c : colours) {
        wsprintfA(item, " %06lx", static_cast<unsigned long>(c));
        text += item;
    }
    return text;
}

// With UseSkinColor the title is the skin's text colours over its
// background colour; a skin without text.bmp keeps the earlier background
// and shows the green fallback; fontskin.bmp overrides text.bmp's colours.
TEST(SkinSwitch, TitleTakesEachSkinsColours) {
    PluginRun run;
    run.scratch.WriteIni("[Qelvar Scrivane II]\r\nUseSkinColor=1\r\nTransparent=0\r\nScrollRate=1\r\n");
    const std::string withText = run.scratch.SkinFolder("text");
    ASSERT_TRUE(host::WriteBmp(withText + "\\text.bmp", TextBitmap(slate, red)));
    const std::string without = run.scratch.SkinFolder("none");
    const std::string withFont = run.scratch.SkinFolder("font");
    ASSERT_TRUE(host::WriteBmp(withFont + "\\text.bmp", TextBitmap(blue, red)));
    ASSERT_TRUE(host::WriteBmp(withFont + "\\fontskin.bmp", host::SolidImage(153, 12, yellow)));
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    struct Step {
        const char* name;
        const std::string& skin;
        COLORREF background, text;
        std::set<COLORREF> allowed;
    };
    const Step steps[] = {
        {"text.bmp", withText, slate, red, {slate, red}},
        {"no files", without, slate, green, {slate, green, black}},   // the fallback's black frame
        {"fontskin.bmp", withFont, blue, yellow, {blue, yellow}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        h.SwitchSkin(step.skin);
        h.PumpMessages();
        h.Tick(2);
        const std::set<COLORREF> seen = Colours(TitleLine(h));
        EXPECT_TRUE(seen.count(step.background)) << Describe(seen);
        EXPECT_TRUE(seen.count(step.text)) << Describe(seen);
        for (COLORREF c : seen) EXPECT_TRUE(step.allowed.count(c)) << "unexpected colour" << Describe({c});
    }
}

// With Transparent the title lies over main.bmp's own title area, pixel for
// pixel where no glyph is; a skin without main.bmp gives black.
TEST(SkinSwitch, TransparentTitleShowsTheSkinsTitleArea) {
    PluginRun run;
    run.scratch.WriteIni("[Qelvar Scrivane II]\r\nTransparent=1\r\nScrollRate=1\r\n");
    const std::string skin = run.scratch.SkinFolder("main");
    const host::Image mainBitmap = Patterned(275, 116);
    ASSERT_TRUE(host::WriteBmp(skin + "\\main.bmp", mainBitmap));
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    h.SwitchSkin(skin);
    h.PumpMessages();
    h.Tick(2);
    const host::Image window = h.CaptureMain();
    // Right of the start-up title, where the text never reaches.
    for (int y = titleLine.top; y < titleLine.bottom; ++y)
        for (int x = 240; x < titleLine.right; ++x) ASSERT_EQ(window.At(x, y), mainBitmap.At(x, y)) << x << "," << y;

    h.SwitchSkin(run.scratch.SkinFolder("empty"));
    h.PumpMessages();
    h.Tick(2);
    EXPECT_EQ(h.CaptureMain().At(250, 30), black);
}

// The player's built-in base skin has no folder: IPC_GETSKIN answers an
// empty one. No path may be made from it (it would name files at the root
// of the current drive), so no file is read at all, and the title shows the
// stored settings with every fallback: here the stored text colour over the
// black that stands for a missing main.bmp.
TEST(SkinSwitch, TheBaseSkinReadsNoFile) {
    PluginRun run(host::ModernPlayer());
    run.scratch.WriteIni("[Qelvar Scrivane II]\r\nTransparent=1\r\nTextColor=ff0000\r\nScrollRate=1\r\n");
    const std::string skin = run.scratch.SkinFolder("full");
    ASSERT_TRUE(host::WriteBmp(skin + "\\main.bmp", Patterned(275, 116)));
    ASSERT_TRUE(host::WriteBmp(skin + "\\text.bmp", TextBitmap(slate, yellow)));
    ASSERT_TRUE(host::WriteTextFile(skin + "\\scrivane.txt", "[Option]\r\nTextColor=0000ff\r\n"));
    host::AttachImportCounter(run.host->Module());
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    struct Step {
        const char* name;
        std::string folder;
        COLORREF text;
    };
    for (const Step& step : {Step{"skin folder", skin, blue}, Step{"base skin", "", red}}) {
        SCOPED_TRACE(step.name);
        host::ResetImportCounts();
        h.SwitchSkin(step.folder);
        h.PumpMessages();
        h.Tick(2);
        const std::vector<std::string> named = host::FilesNamed();
        std::string list;
        for (const std::string& file : named) list += "\n  " + file;
        for (const std::string& file : named)
            EXPECT_NE(file.find(step.folder + "\\"), std::string::npos) << "a file outside the skin:" << list;
        EXPECT_EQ(named.empty(), step.folder.empty()) << list;
        const std::set<COLORREF> seen = Colours(TitleLine(h));
        EXPECT_TRUE(seen.count(step.text)) << Describe(seen);
        if (step.folder.empty()) {
            EXPECT_EQ(seen, (std::set<COLORREF>{black, red})) << Describe(seen);
        }
    }
}

// Every skin load makes and deletes its bitmaps, pens, brushes and contexts;
// over many switches between full, empty and odd skins the plug-in's live
// GDI objects come back to where they were.
TEST(SkinSwitch, ThousandSwitchesLeaveTheGdiObjectCountUnchanged) {
    PluginRun run;
    run.scratch.WriteIni("[Qelvar Scrivane II]\r\nPE_Scrivane=1\r\nUseSkinColor=1\r\n");
    const std::string full = run.scratch.SkinFolder("full");
    ASSERT_TRUE(host::WriteBmp(full + "\\main.bmp", Patterned(275, 116)));
    ASSERT_TRUE(host::WriteBmp(full + "\\text.bmp", TextBitmap(slate, red), 8));
    ASSERT_TRUE(host::WriteBmp(full + "\\fontskin.bmp", Patterned(153, 12), 32));
    ASSERT_TRUE(host::WriteTextFile(full + "\\pledit.txt", "[Text]\r\nNormal=FFFF00\r\nNormalBG=000080\r\n"));
    const std::string empty = run.scratch.SkinFolder("empty");
    const std::string odd = run.scratch.SkinFolder("odd");
    ASSERT_TRUE(host::WriteBmp(odd + "\\main.bmp", host::SolidImage(1, 1, red), 1));
    ASSERT_TRUE(host::WriteBmp(odd + "\\text.bmp", host::SolidImage(20, 3, blue), 4));
    ASSERT_TRUE(host::WriteBytes(odd + "\\fontskin.bmp", "BM not really a bitmap"));
    host::AttachImportCounter(run.host->Module());
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    h.playlist = {{"entry"}};
    h.SetPlaylistSize(275, 14);
    h.SwitchSkin(full);
    h.PumpMessages();
    h.Tick(1);
    const host::ImportCounts before = host::CurrentImportCounts();
    const std::string* cycle[] = {&empty, &odd, &full};
    for (int i = 0; i < 1000; ++i) {
        h.SwitchSkin(*cycle[i % 3]);
        if (i % 50 == 0) h.PumpMessages();
    }
    h.SwitchSkin(full);
    h.PumpMessages();
    h.Tick(1);
    const host::ImportCounts after = host::CurrentImportCounts();
    EXPECT_GT(after.gdiCreated, before.gdiCreated + 1000);
    EXPECT_EQ(after.gdiLive, before.gdiLive);
    EXPECT_EQ(after.deleteUnknown, before.deleteUnknown);
    EXPECT_EQ(after.windowDCs, before.windowDCs);
}

void Put(std::string& bytes, size_t at, DWORD value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A bitmap file of `fileSize` bytes whose headers state the rest: a core
// header (12) takes 16-bit sizes, the others 32-bit ones; the pixel bytes
// are whatever pattern fills the file.
std::string BitmapFile(DWORD headerSize, int width, int height, int depth, DWORD pixelOffset, size_t fileSize) {
    std::string bytes(fileSize, '\x5a');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<DWORD>(fileSize), 4);
    Put(bytes, 6, 0, 4);
    Put(bytes, 10, pixelOffset, 4);
    Put(bytes, 14, headerSize, 4);
    const bool core = headerSize == 12;
    for (size_t i = 18; i < 14 + headerSize; ++i) bytes[i] = 0;
    Put(bytes, 18, static_cast<DWORD>(width), core ? 2 : 4);
    Put(bytes, core ? 20 : 22, static_cast<DWORD>(height), core ? 2 : 4);
    Put(bytes, core ? 22 : 26, 1, 2);
    Put(bytes, core ? 24 : 28, static_cast<DWORD>(depth), 2);
    return bytes;
}

// Files that broke the platform under the plug-in when fuzzed: font sizes
// that make the text renderer fault, bitmap headers that promise more than
// their files hold, a colour cut inside a double-byte character. Each is
// held to sane values or treated as missing; the host's windows keep their
// own pixels, the title shows, and quit releases everything.
TEST(SkinSwitch, HostileFilesAreHeldOrTreatedAsMissing) {
    struct Case {
        const char* name;
        std::string ini;                                            // the plug-in's section
        std::vector<std::pair<std::string, std::string>> skinFiles; // file name, bytes
        std::set<COLORREF> title;                                   // the title line's colours, when given
        const char* savedKey;                                       // must be written back as read, or null
        const char* savedValue;
    };
    const std::string hugeFonts = "FontSize=1494545347\nFontItalic=255\nDS_FontSize=2000000000\nDS_FontItalic=1\n"
                                  "PE_FontSize=59652323\nPE_FontBold=1\nPE_FontItalic=1\n";
    // Under code page 950 the reader cannot fit the character that starts
    // at the ninth byte, so the value is eight characters long, as any other
    // reader of the file sees it.
    const bool bigFive = GetACP() == 950;
    const Case cases[] = {
        {"huge sizes in plugin.ini", hugeFonts, {}, {}, "FontSize", "1494545347"},
        {"huge sizes in scrivane.txt", "", {{"scrivane.txt", "[Font]\n" + hugeFonts}}, {}, "FontSize", "8"},
        {"V5 header with its pixels past the end", "Transparent=1\r\nBkColor=0000ff\r\n",
         {{"main.bmp", BitmapFile(124, 275, 116, 24, 5000, 14 + 124 + 1000)}}, {black, green}, nullptr, nullptr},
        {"core header 269 x 80 x 32 in 2527 bytes", "UseSkinColor=1\r\nTextColor=ff0000\r\nBkColor=0000ff\r\n",
         {{"text.bmp", BitmapFile(12, 269, 80, 32, 26, 2527)}}, {blue, green}, nullptr, nullptr},
        {"colour cut inside a double-byte character", "TextColor=00000b00\xa4\x40\r\n", {}, {}, "TextColor",
         bigFive ? "000b00" : "00b000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PluginRun run({}, c.name);
        run.scratch.WriteIni("[Qelvar Scrivane II]\r\nScroll=0\r\nScrollRate=1\r\nPE_Scrivane=1\r\n" + c.ini);
        const std::string skin = run.scratch.SkinFolder("skin");
        for (const auto& [name, bytes] : c.skinFiles) ASSERT_TRUE(host::WriteBytes(skin + "\\" + name, bytes));
        host::AttachImportCounter(run.host->Module());
        ASSERT_EQ(run.Start(), 0);
        auto& h = *run.host;
        h.playlist = {{"entry"}};
        h.SetSong("Hostile");
        h.SwitchSkin(skin);
        h.PumpMessages();
        h.Tick(2);
        const host::Image title = TitleLine(h);
        if (!c.title.empty()) {
            EXPECT_EQ(Colours(title), c.title) << Describe(Colours(title));
        }
        EXPECT_FALSE(Colours(title).count(host::hostTitleColour)) << "the plug-in's frame covers the title";
        h.SetMainMode(host::MainMode::DoubleSize);
        h.Tick(2);
        h.SetMainMode(host::MainMode::Normal);
        h.SetPlaylistSize(275, 14);
        h.PumpMessages();
        h.Tick(2);
        EXPECT_EQ(h.CaptureMain().At(5, 60), host::hostFaceColour) << "the host's own pixels read back";
        EXPECT_EQ(host::EmulatedHost::CaptureWindow(h.Equalizer()).At(5, 60), host::hostFaceColour);
        if (HasFailure()) title.SavePng(run.scratch.Folder() + "\\title.png");
        h.Quit();
        const host::ImportCounts counts = host::CurrentImportCounts();
        EXPECT_EQ(counts.gdiTracked, 0);
        EXPECT_EQ(counts.deleteUnknown, 0);
        host::DetachImportCounter();
        if (c.savedKey) {
            EXPECT_EQ(run.scratch.IniValue(c.savedKey), c.savedValue);
        }
    }
}

}  // namespace
