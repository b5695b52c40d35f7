// The playlist editor's windowshade line as the user sees it: the captured
// editor compared with the line rendered here, independently, in the same
// font and colours.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "emulated_host.h"
#include "scoped_gdi.h"
#include "scratch_plugin.h"
#include "skin_files.h"

using testing_support::PluginRun;

namespace {

constexpr COLORREF lineText = RGB(0xFF, 0xFF, 0x00);
constexpr COLORREF lineBackground = RGB(0x00, 0x00, 0x80);
constexpr char pledit[] = "[Text]\r\nNormal=FFFF00\r\nNormalBG=000080\r\n";
constexpr char sansSerif[] = "MS Sans Serif";
constexpr char uming[] = "AR PL UMing TW";
constexpr int lineHeight = 10;
constexpr int shadedHeight = 14;
constexpr int openHeight = 232;
constexpr LPARAM ipcGetPlaylistTitle = 212;

// A screen-compatible memory surface with the playlist font, as the user's
// settings describe it, for rendering and measuring expectations.
class LinePainter {
public:
    LinePainter(const char* face, int width, BYTE quality = DEFAULT_QUALITY)
        : width_(width),
          bitmap_(CreateCompatibleBitmap(host::ScopedWindowDC(), std::max(width, 1), lineHeight)),
          bitmapSelected_(dc_, bitmap_),
          font_(CreateFontA(-MulDiv(8, GetDeviceCaps(dc_, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                            DEFAULT_CHARSET, 0, 0, quality, 0, face)),
          fontSelected_(dc_, font_) {}

    int Width(const std::string& text) const {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

    host::Image Render(const std::string& shown, const std::string& time) const {
        return Render(shown, time, nullptr);
    }

    // The line with a Unicode player's wide text in place of `shown`.
    host::Image Render(const std::wstring& shown, const std::string& time) const {
        return Render("", time, shown.c_str());
    }

    host::Image Render(const std::string& shown, const std::string& time, const wchar_t* wideShown) const {
        RECT line = {0, 0, width_, lineHeight};
        FillRect(dc_, &line, host::ScopedBrush(CreateSolidBrush(lineBackground)));
        SetTextColor(dc_, lineText);
        SetBkColor(dc_, lineBackground);
        constexpr UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (!time.empty()) DrawTextA(dc_, time.c_str(), -1, &line, format | DT_RIGHT);
        if (wideShown)
            DrawTextW(dc_, wideShown, -1, &line, format);
        else
            DrawTextA(dc_, shown.c_str(), -1, &line, format);
        return host::CaptureDC(dc_, 0, 0, width_, lineHeight);
    }

    // The character starts of `text` in the ANSI code page, and its end.
    static std::vector<size_t> Boundaries(const std::string& text) {
        std::vector<size_t> ends;
        for (size_t i = 0; i < text.size();) {
            i += (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) ? 2 : 1;
            ends.push_back(i);
        }
        return ends;
    }

    // The entry as it should show in `available` pixels: whole, or the
    // longest run of whole characters that leaves room for "...".
    std::string Fit(const std::string& entry, int available) const {
        if (Width(entry) <= available) return entry;
        std::string kept;
        for (size_t end : Boundaries(entry)) {
            if (Width(entry.substr(0, end)) + Width("...") > available) break;
            kept = entry.substr(0, end);
        }
        return kept + "...";
    }

private:
    int width_;
    host::ScopedMemoryDC dc_;
    host::ScopedBitmap bitmap_;
    host::ScopedSelect bitmapSelected_;
    host::ScopedFont font_;
    host::ScopedSelect fontSelected_;
};

// A running plug-in whose playlist line uses `face` at 8 points and the
// skin's yellow-on-navy playlist colours.
struct LineRun {
    explicit LineRun(const char* face, int version = 0x2005, const std::string& tag = "")
        : LineRun(face, Options(version), tag) {}
    LineRun(const char* face, host::HostOptions options, const std::string& tag = "", const std::string& more = "")
        : run(options, tag) {
        run.scratch.WriteIni(std::string("[Qelvar Scrivane II]\r\nPE_Scrivane=1\r\nPE_FontSize=8\r\n") +
                             "PE_FontBold=0\r\nPE_FontItalic=0\r\nPE_FontFace=" + face + "\r\n" + more);
        skin = run.scratch.SkinFolder("playlist");
        host::WriteTextFile(skin + "\\pledit.txt", pledit);
        started = run.Start() == 0;
        run.host->SwitchSkin(skin);
        // Below the other windows and at the screen's left edge, so an editor
        // of 1000 pixels still reads back whole from the 1024-pixel screen.
        SetWindowPos(run.host->Playlist(), nullptr, 0, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    static host::HostOptions Options(int version) {
        host::HostOptions options;
        options.version = version;
        return options;
    }
    host::EmulatedHost& Host() { return *run.host; }

    // Opens and shades the editor at `width`, so the line is drawn afresh,
    // and lets one tick copy it.
    host::Image ShadeAndCapture(int width) {
        Host().SetPlaylistSize(width, openHeight);
        Host().PumpMessages();
        Host().SetPlaylistSize(width, shadedHeight);
        Host().PumpMessages();
        Host().Tick(1);
        return Host().CapturePlaylist();
    }

    PluginRun run;
    std::string skin;
    bool started = false;
};

std::string SavedPictures(const LineRun& line, const std::string& name, const host::Image& actual,
                          const host::Image& expected) {
    const std::string base = line.run.scratch.Folder() + "\\" + name;
    actual.SavePng(base + ".actual.png");
    expected.SavePng(base + ".expected.png");
    return base + ".{actual,expected}.png";
}

void ExpectLine(LineRun& line, const std::string& name, const host::Image& editor, const host::Image& expected) {
    const host::Image actual = editor.Crop(2, 2, expected.width, expected.height);
    const bool same = actual.width == expected.width && actual.height == expected.height &&
                      actual.pixels == expected.pixels;
    EXPECT_TRUE(same) << "line differs; see " << SavedPictures(line, name, actual, expected);
}

struct LineCase {
    const char* name;
    std::vector<host::PlaylistEntry> playlist;
    int position;
    int seconds;
    std::string shown, time;
};

// The layout rules that need no measuring: entry number, time text, the
// empty list, missing lengths and titles.
TEST(PlaylistLine, ShowsEntryNumberTitleAndTime) {
    const LineCase cases[] = {
        {"time", {{"abc"}}, 0, 65, "1.abc", "1:05"},
        {"zero", {{"abc"}}, 0, 0, "1.abc", ""},
        {"negative", {{"abc"}}, 0, -5, "1.abc", ""},
        {"hours", {{"a"}, {"b"}, {"third"}}, 2, 3725, "3.third", "62:05"},
        {"emptylist", {}, 0, 65, "NO FILE", ""},
        {"nulltitle", {{"", true}}, 0, 0, "1.", ""},
        {"ampersand", {{"Simon & Garfunkel"}}, 0, 0, "1.Simon & Garfunkel", ""},
    };
    LineRun line(sansSerif);
    ASSERT_TRUE(line.started);
    LinePainter painter(sansSerif, 275 - 32);
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        line.Host().playlist = c.playlist;
        line.Host().playlistPosition = c.position;
        line.Host().trackLengthSeconds = c.seconds;
        ExpectLine(line, c.name, line.ShadeAndCapture(275), painter.Render(c.shown, c.time));
    }
}

// Smooth edges ask for anti-aliased glyphs whatever the system's smoothing
// says: the line is the platform's anti-aliased drawing, grey levels and all.
TEST(PlaylistLine, SmoothAsksForAntiAliasedGlyphs) {
    LineRun line("DejaVu Sans", host::HostOptions{}, "", "Smooth=1\r\n");
    ASSERT_TRUE(line.started);
    line.Host().playlist = {{"Hg Wy! smooth"}};
    line.Host().trackLengthSeconds = 65;
    const host::Image expected = LinePainter("DejaVu Sans", 275 - 32, ANTIALIASED_QUALITY).Render("1.Hg Wy! smooth", "1:05");
    EXPECT_GT(std::count_if(expected.pixels.begin(), expected.pixels.end(),
                            [](COLORREF c) { return c != lineText && c != lineBackground; }), 0);
    ExpectLine(line, "smooth", line.ShadeAndCapture(275), expected);
}

// Where the entry is cut: exactly fitting, one pixel short, beside a long
// time, no room at all, and an entry longer than the text buffers.
TEST(PlaylistLine, CutsTheEntryToTheRoomBesideTheTime) {
    LineRun line(sansSerif);
    ASSERT_TRUE(line.started);
    const std::string title = "Exactly fitting entry";
    const std::string longTitle = "A fairly long title that will need cutting before the time";
    const std::string hugeTitle(300, 'x');
    const int entryWidth = LinePainter(sansSerif, 1).Width("1." + title);
    const int ellipsisWidth = LinePainter(sansSerif, 1).Width("...");
    struct CutCase {
        const char* name;
        std::string title;
        int seconds;
        int editorWidth;
    };
    const CutCase cases[] = {
        {"exact", title, 0, entryWidth + 32},
        {"onepixelshort", title, 0, entryWidth + 31},
        {"shorttime", longTitle, 65, 275},
        {"longtime", longTitle, 7500, 275},
        {"noroom", title, 0, ellipsisWidth + 32},
        {"huge", hugeTitle, 0, 275},
        {"hugewide", hugeTitle, 0, 832},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.name);
        line.Host().playlist = {{c.title}};
        line.Host().playlistPosition = 0;
        line.Host().trackLengthSeconds = c.seconds;
        const int room = c.editorWidth - 32;
        LinePainter painter(sansSerif, room);
        const std::string time = c.seconds > 0 ? std::to_string(c.seconds / 60) + ":" +
                                                     (c.seconds % 60 < 10 ? "0" : "") + std::to_string(c.seconds % 60)
                                               : "";
        const std::string entry = ("1." + c.title).substr(0, 255);
        const std::string shown = painter.Fit(entry, room - painter.Width(time));
        ExpectLine(line, c.name, line.ShadeAndCapture(c.editorWidth), painter.Render(shown, time));
        // The expectations themselves, so a case cannot quietly test something else.
        const std::string name = c.name;
        if (name == "exact") {
            EXPECT_EQ(shown, entry);
        } else if (name == "onepixelshort") {
            EXPECT_EQ(shown.substr(shown.size() - 3), "...");
        } else if (name == "longtime") {
            EXPECT_LT(shown.size(), painter.Fit(entry, room - painter.Width("1:05")).size());
        } else if (name == "noroom") {
            EXPECT_EQ(shown, "...");
        }
    }
}

// The surface is 800 wide: a wider editor gets an 800-pixel line with the
// time at its right end and keeps the host's own line beyond it; an editor
// with no room for a line gets nothing of it.
TEST(PlaylistLine, StaysWithinTheSurfaceForWideAndNarrowEditors) {
    LineRun line(sansSerif);
    ASSERT_TRUE(line.started);
    line.Host().playlist = {{"wide editor"}};
    line.Host().trackLengthSeconds = 65;
    const host::Image wide = line.ShadeAndCapture(1000);
    LinePainter painter(sansSerif, 800);
    ExpectLine(line, "wide", wide, painter.Render("1.wide editor", "1:05"));
    for (int x : {802, 803, 900, 969}) EXPECT_EQ(wide.At(x, 6), host::hostPlaylistColour) << x;

    for (int width : {31, 32, 10}) {
        SCOPED_TRACE(width);
        const host::Image narrow = line.ShadeAndCapture(width);
        EXPECT_EQ(std::count(narrow.pixels.begin(), narrow.pixels.end(), lineBackground), 0);
    }
}

// The line follows the title only while it is shown; shading the editor
// later draws the current entry at once.
TEST(PlaylistLine, TitleChangeWhileOpenDrawsNothingUntilShaded) {
    LineRun line(sansSerif);
    ASSERT_TRUE(line.started);
    auto& h = line.Host();
    h.SetPlaylistSize(275, openHeight);
    h.PumpMessages();
    h.playlist = {{"old"}, {"new song"}};
    h.playlistPosition = 1;
    h.trackLengthSeconds = 0;
    h.requestLog.clear();
    h.SetSong("new song");
    h.PumpMessages();
    h.Tick(1);
    EXPECT_EQ(std::count(h.requestLog.begin(), h.requestLog.end(), ipcGetPlaylistTitle), 0);
    EXPECT_EQ(h.CapturePlaylist().At(100, 6), host::hostPlaylistColour);

    h.SetPlaylistSize(275, shadedHeight);
    h.PumpMessages();
    h.Tick(1);
    ExpectLine(line, "shaded", h.CapturePlaylist(), LinePainter(sansSerif, 243).Render("2.new song", ""));

    h.playlistPosition = 0;
    h.SetSong("old");
    h.PumpMessages();
    h.Tick(1);
    ExpectLine(line, "followed", h.CapturePlaylist(), LinePainter(sansSerif, 243).Render("1.old", ""));
}

TEST(PlaylistLine, HostOlderThan205NeverGetsTheLine) {
    LineRun line(sansSerif, 0x2004);
    ASSERT_TRUE(line.started);
    line.Host().playlist = {{"abc"}};
    line.Host().requestLog.clear();
    const host::Image editor = line.ShadeAndCapture(275);
    line.Host().Tick(5);
    EXPECT_EQ(std::count(line.Host().requestLog.begin(), line.Host().requestLog.end(), ipcGetPlaylistTitle), 0);
    for (int x : {2, 50, 200, 244}) EXPECT_EQ(editor.At(x, 6), host::hostPlaylistColour) << x;
}

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM faces) {
    reinterpret_cast<std::vector<std::string>*>(faces)->push_back(font->lfFaceName);
    return 1;
}

// A Unicode player's title is asked for as wide text and shown whole; a
// player that does not answer that request gets the ANSI one as before.
TEST(PlaylistLine, UnicodePlayerShowsTheWideTitle) {
    const char* face = "WenQuanYi Zen Hei";
    LineRun line(face, host::ModernPlayer());
    ASSERT_TRUE(line.started);
    const std::wstring title = L"\u6771\u4eac \u041c\u043e\u0441\u043a\u0432\u0430";   // 東京 Москва
    line.Host().playlist = {{"ansi", false, title}};
    line.Host().trackLengthSeconds = 65;
    LinePainter painter(face, 275 - 32);
    ExpectLine(line, "wide", line.ShadeAndCapture(275), painter.Render(L"1." + title, "1:05"));
    EXPECT_NE(std::find(line.Host().requestLog.begin(), line.Host().requestLog.end(), LPARAM(213)),
              line.Host().requestLog.end());
}

// Big5 titles are cut between characters, never inside one, whatever the
// room; the font is the prefix's Traditional Chinese one.
TEST(PlaylistLine, Big5TitleIsCutAtACharacterBoundary) {
    if (GetACP() != 950) GTEST_SKIP() << "needs the Traditional Chinese code page (950), not " << GetACP();
    std::vector<std::string> faces;
    LOGFONTA query = {};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(host::ScopedWindowDC(), &query, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ASSERT_NE(std::find(faces.begin(), faces.end(), uming), faces.end()) << "no \"" << uming << "\" font";

    // 周杰倫 - 晴天 (Live) 故事的小黃花從出生那年就飄著, in Big5; several trail
    // bytes are ASCII letters, so a split character shows.
    const std::string title =
        "\xa9\x50\xaa\x4e\xad\xdb\x20\x2d\x20\xb4\xb8\xa4\xd1\x20\x28\x4c\x69\x76\x65\x29\x20\xac\x47\xa8\xc6"
        "\xaa\xba\xa4\x70\xb6\xc0\xaa\xe1\xb1\x71\xa5\x58\xa5\xcd\xa8\xba\xa6\x7e\xb4\x4e\xc4\xc6\xb5\xdb";
    const std::string entry = "1." + title;
    LineRun line(uming);
    ASSERT_TRUE(line.started);
    line.Host().playlist = {{title}};
    line.Host().trackLengthSeconds = 0;
    LinePainter measure(uming, 1);
    ASSERT_GT(measure.Width(entry), 80);
    int splitVisible = 0;
    for (int room = 20; room < measure.Width(entry); room += 7) {
        SCOPED_TRACE(room);
        LinePainter painter(uming, room);
        const std::string shown = painter.Fit(entry, room);
        ExpectLine(line, "big5." + std::to_string(room), line.ShadeAndCapture(room + 32), painter.Render(shown, ""));
        // The same room cut byte by byte, to know the comparison can tell.
        std::string bytewise;
        for (size_t end = 1; end <= entry.size(); ++end) {
            if (painter.Width(entry.substr(0, end)) + painter.Width("...") > room) break;
            bytewise = entry.substr(0, end);
        }
        if (painter.Render(bytewise + "...", "").pixels != painter.Render(shown, "").pixels) ++splitVisible;
    }
    EXPECT_GT(splitVisible, 0) << "no room tried would show a split character";
}

}  // namespace
