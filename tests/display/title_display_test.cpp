// The title as the user sees it on the player's main window: text, trimming,
// colours, shadow, size, and when it changes.
#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import_counter.h"
#include "skin_files.h"
#include "title_pixels.h"

using namespace display_test;
using testing_support::PluginRun;

namespace {

using Keys = std::vector<std::pair<std::string, std::string>>;

const std::string startupTitle = "Qelvar Scrivane II 1.0";
const std::string separator = "   ---   ";
const std::string longSong = "A song title far too long for the title area of the player";

std::unique_ptr<PluginRun> StartPlugin(const Keys& keys, host::HostOptions options = {},
                                       const std::string& tag = "") {
    auto run = std::make_unique<PluginRun>(options, tag);
    WriteSettings(*run, keys);
    EXPECT_EQ(run->Start(), 0);
    return run;
}

host::Image Title(const PluginRun& run, bool doubled = false) {
    TitleLook look;
    look.doubled = doubled;
    look.lineHeight = doubled ? 24 : 12;
    return TitleArea(run.host->CaptureMain(), look);
}

TitleLook Look(const std::string& text) {
    TitleLook look;
    look.text = text;
    return look;
}

}  // namespace

TEST(TitleDisplay, TheStartUpTitleGivesWayToTheCaptionOnTheFortiethTick) {
    PluginRun run;
    run.host->SetSong("Before start");   // set before the plug-in watches the caption
    WriteSettings(run, {{"ScrollRate", "1"}});
    ASSERT_EQ(run.Start(), 0);
    struct Step {
        int ticksSoFar;
        std::string shown;
    };
    // A tick composes before it reads the caption, so the 40th tick's frame
    // still shows the start-up title.
    const Step steps[] = {{1, startupTitle}, {39, startupTitle}, {40, startupTitle}, {41, "Before start <4:05>"}};
    int ticks = 0;
    for (const Step& s : steps) {
        run.host->Tick(s.ticksSoFar - ticks);
        ticks = s.ticksSoFar;
        EXPECT_TRUE(ShowsTitle(run, Look(s.shown), "tick" + std::to_string(ticks))) << "after tick " << ticks;
    }
}

TEST(TitleDisplay, CaptionsAreTrimmedAndShownAtTheNextTick) {
    struct Step {
        std::function<void(host::EmulatedHost&)> change;
        int seconds;
        std::string shown;
    };
    const std::vector<Step> steps = {
        {[](host::EmulatedHost& h) { h.SetSong("Song"); }, 245, "Song <4:05>"},
        {[](host::EmulatedHost& h) { h.SetSong("Song", host::PlayState::Paused); }, 999, "Song <4:05>"},
        {[](host::EmulatedHost& h) { h.SetSong("Song", host::PlayState::Stopped); }, 999, "Song <4:05>"},
        {[](host::EmulatedHost& h) { h.SetSong("Next"); }, 0, "Next"},
        {[](host::EmulatedHost& h) { h.RepeatCaption(); }, 200, "Next <3:20>"},   // the length known at last
        {[](host::EmulatedHost& h) { h.SetSong("Long one"); }, 3725, "Long one <62:05>"},
        {[](host::EmulatedHost& h) { h.RepeatCaption(); }, 999, "Long one <62:05>"},   // not asked again
        {[](host::EmulatedHost& h) { h.SetCaption("Tom & Jerry - Winamp"); }, 61, "Tom & Jerry <1:01>"},
        {[](host::EmulatedHost& h) { h.SetCaption("SHOUTING - WINAMP"); }, 61, "SHOUTING - WINAMP"},
        {[](host::EmulatedHost& h) { h.SetCaption("Winamp"); }, 61, " <1:01>"},
        {[](host::EmulatedHost& h) { h.SetCaption(""); }, 61, ""},
    };
    for (bool wide : {false, true}) {
        host::HostOptions options;
        options.wideCaptions = wide;
        auto run = StartPlugin({{"ScrollRate", "1"}}, options, wide ? "wide" : "ansi");
        int index = 0;
        for (const Step& s : steps) {
            run->host->trackLengthSeconds = s.seconds;
            s.change(*run->host);
            run->host->Tick(1);
            EXPECT_TRUE(ShowsTitle(*run, Look(s.shown), (wide ? "wide" : "ansi") + std::to_string(index)))
                << "step " << index << (wide ? " (wide caption)" : " (ANSI caption)");
            ++index;
        }
    }
}

TEST(TitleDisplay, TraditionalChineseTitlesAreShownWhole) {
    if (GetACP() != 950) GTEST_SKIP() << "needs code page 950";
    const std::string title = "\xa4\xa4\xa4\xe5\xba\x71\xa6\xb1";   // four Big5 characters
    for (bool wide : {false, true}) {
        host::HostOptions options;
        options.wideCaptions = wide;
        // A face with the glyphs, so a broken character would show.
        auto run = StartPlugin({{"ScrollRate", "1"}, {"FontFace", "AR PL UMing TW"}}, options, wide ? "wide" : "ansi");
        run->host->SetSong(title);
        run->host->Tick(1);
        TitleLook look = Look(title + " <4:05>");
        look.face = "AR PL UMing TW";
        EXPECT_TRUE(ShowsTitle(*run, look, "big5")) << (wide ? "wide" : "ANSI");
    }
}

// A Unicode player's titles in scripts the ANSI code page lacks, drawn in a
// face that has them and compared with a wide rendering made here, in both
// sizes and scrolling both ways.
TEST(TitleDisplay, UnicodePlayerShowsWideTitlesWhole) {
    const std::wstring japanese = L"\u6771\u4eac\u306e\u591c\u3001\u30b5\u30af\u30e9\u306e\u6b4c";
    const std::wstring cyrillic = L"\u041a\u0430\u043b\u0438\u043d\u043a\u0430, \u041c\u043e\u0441\u043a\u0432\u0430";
    const std::string face = "WenQuanYi Zen Hei";
    struct Case {
        std::wstring song;
        bool doubled;
        int scrollType;
    };
    const Case cases[] = {
        {japanese + L" " + japanese, false, 1},
        {japanese + L" " + japanese + L" " + japanese, true, 2},
        {cyrillic + L" " + cyrillic, false, 2},
        {cyrillic + L" " + cyrillic + L" " + cyrillic, true, 1},
    };
    int index = 0;
    for (const Case& c : cases) {
        const std::string tag = "unicode" + std::to_string(index++);
        auto run = StartPlugin({{"ScrollRate", "1"}, {"ScrollPixel", "7"}, {"ScrollType", std::to_string(c.scrollType)},
                                {"FontFace", face}, {"DS_FontFace", face}},
                               host::ModernPlayer(), tag);
        if (c.doubled) run->host->SetMainMode(host::MainMode::DoubleSize);
        run->host->SetSongWide(c.song);
        TitleLook look = c.doubled ? DoubleSizeLook("") : Look("");
        look.face = face;
        look.text = tag;
        look.wideText = L"1. " + c.song + L" <4:05>";
        ASSERT_GT(TextWidth(look, look.wideText), (c.doubled ? 306 : 153) + 30) << tag << " must scroll";
        ASSERT_TRUE(FaceHasGlyphs(look, c.song)) << "no glyphs for " << tag << " in " << face;
        if (c.scrollType == 2) look.wideText += L"   ---   ";
        look.wrap = c.scrollType == 2;
        const int strip = TextWidth(look, look.wideText);
        for (int frame = 0; frame < 4; ++frame) {
            run->host->Tick(1);
            look.offset = frame * 7 % strip;
            EXPECT_TRUE(ShowsTitle(*run, look, tag + ".frame" + std::to_string(frame))) << tag << " frame " << frame;
        }
    }
}

// The player sets an unchanged caption again after every status text; the
// title goes on scrolling as if nothing happened, in either player, and
// under the status text's second (frame 7) the scroll stands still.
TEST(TitleDisplay, ACaptionSetAgainUnchangedKeepsTheScrollGoing) {
    const std::string text = TextOfWidth(Look(""), 200);
    ASSERT_FALSE(text.empty());
    for (bool modern : {false, true}) {
        auto run = StartPlugin({{"ScrollRate", "1"}, {"ScrollType", "2"}, {"ScrollPixel", "30"}},
                               modern ? host::ModernPlayer() : host::HostOptions{}, modern ? "modern" : "classic");
        run->host->SetCaption(text);
        TitleLook look = Look(text + separator);
        look.wrap = true;
        const int strip = TextWidth(look, look.text);
        for (int frame = 0; frame < 10; ++frame) {
            if (frame == 3) run->host->RepeatCaption();
            if (frame == 7) {
                run->host->TurnWheel();
                run->host->Tick(39);   // the 40th sets the caption again
            }
            run->host->Tick(1);
            look.offset = frame * 30 % strip;
            EXPECT_TRUE(ShowsTitle(*run, look, "frame" + std::to_string(frame)))
                << (modern ? "modern" : "classic") << " player, frame " << frame;
        }
    }
}

// The modern player's captions: its name and build at start-up (no tail),
// a numbered title, and a state word from a language pack.
TEST(TitleDisplay, UnicodePlayerCaptionsAreTrimmedInAnyLanguage) {
    host::HostOptions options = host::ModernPlayer();
    options.pausedWord = L"Angehalten";
    options.stoppedWord = L"\u505c\u6b62";   // 停止
    auto run = StartPlugin({{"ScrollRate", "1"}}, options);
    run->host->Tick(41);
    EXPECT_TRUE(ShowsTitle(*run, Look("Winamp 5.9.2 Build 10042"), "startup"));
    struct Step {
        host::PlayState state;
        int seconds;
        std::string shown;
    };
    const Step steps[] = {
        {host::PlayState::Playing, 245, "1. Song <4:05>"},
        {host::PlayState::Paused, 999, "1. Song <4:05>"},
        {host::PlayState::Stopped, 999, "1. Song <4:05>"},
        {host::PlayState::Playing, 61, "1. Song <1:01>"},
    };
    int index = 0;
    for (const Step& s : steps) {
        run->host->trackLengthSeconds = s.seconds;
        run->host->SetSongWide(L"Song", s.state);
        run->host->Tick(1);
        EXPECT_TRUE(ShowsTitle(*run, Look(s.shown), "step" + std::to_string(index))) << "step " << index;
        ++index;
    }
}

TEST(TitleDisplay, TextColourBackgroundAndShadow) {
    struct Case {
        std::string text, back, shade;
        int shadow;
        int autoAdjust;
        bool doubled;
        int lineHeight;
        const char* smooth = "0";
        std::string face = "MS Sans Serif";
    };
    // A bitmap face has no grey levels, and Smooth=0 draws one bit deep:
    // both give today's pictures exactly.
    const Case cases[] = {
        {"ff0000", "0000ff", "ffff00", 0, 0, false, 12},
        {"ff0000", "0000ff", "ffff00", 1, 0, false, 12},
        {"20e040", "102090", "c06010", 2, 0, false, 12},
        {"20e040", "102090", "c06010", 3, 1, false, 16},
        {"ffffff", "000000", "808080", 2, 0, true, 24},
        {"20e040", "102090", "c06010", 2, 0, false, 12, "1"},
        {"ffffff", "000000", "808080", 2, 0, true, 24, "1"},
        {"20e040", "102090", "c06010", 1, 0, true, 24, "0", "DejaVu Sans"},
    };
    int index = 0;
    for (const Case& c : cases) {
        auto run = StartPlugin({{"ScrollRate", "1"}, {"TextColor", c.text}, {"BkColor", c.back},
                                {"ShadowColor", c.shade}, {"Shadow", std::to_string(c.shadow)},
                                {"AutoAdjust", std::to_string(c.autoAdjust)}, {"Smooth", c.smooth},
                                {"FontFace", c.face}, {"DS_FontFace", c.face}},
                               {}, "case" + std::to_string(index));
        if (c.doubled) run->host->SetMainMode(host::MainMode::DoubleSize);
        run->host->SetSong("Hg Wy!");
        run->host->Tick(1);
        TitleLook look = c.doubled ? DoubleSizeLook("Hg Wy! <4:05>") : Look("Hg Wy! <4:05>");
        look.face = c.face;
        auto colour = [](const std::string& rrggbb) {
            const unsigned long v = std::stoul(rrggbb, nullptr, 16);
            return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        };
        look.textColour = colour(c.text);
        look.background = colour(c.back);
        look.shadowColour = colour(c.shade);
        look.shadow = c.shadow;
        look.lineHeight = c.lineHeight;
        EXPECT_TRUE(ShowsTitle(*run, look, "case" + std::to_string(index))) << "case " << index;
        ++index;
    }
}

// Smooth edges in a TrueType face: plain colours at both sizes with and
// without a shadow, a scrolling title whose edges move with the scroll, the
// skin's text colours, the skin's panel, and a Japanese title in the 5.x
// player's WenQuanYi Zen Hei, whose small sizes draw from embedded bitmaps.
TEST(TitleDisplay, SmoothEdgesLieBetweenBackgroundShadowAndText) {
    const COLORREF text = RGB(0x20, 0xe0, 0x40), back = RGB(0x10, 0x20, 0x90);
    const COLORREF slate = RGB(10, 20, 30);
    enum class Skin { none, colours, panel };
    struct Case {
        bool doubled;
        int shadow;
        Skin skin;
        bool modern;
        int frames;   // scrolled frames, 7 pixels apart
    };
    const Case cases[] = {
        {false, 0, Skin::none, false, 1}, {false, 3, Skin::none, false, 1}, {true, 0, Skin::none, false, 1},
        {true, 3, Skin::none, false, 1},  {true, 1, Skin::none, false, 4},  {true, 2, Skin::colours, false, 1},
        {true, 1, Skin::panel, false, 1}, {false, 0, Skin::none, true, 1},  {true, 0, Skin::none, true, 1},
    };
    int index = 0;
    for (const Case& c : cases) {
        const std::string tag = "smooth" + std::to_string(index++);
        const std::string face = c.modern ? "WenQuanYi Zen Hei" : "DejaVu Sans";
        auto run = StartPlugin({{"ScrollRate", "1"}, {"ScrollPixel", "7"}, {"Smooth", "1"}, {"Shadow", std::to_string(c.shadow)},
                                {"TextColor", "20e040"}, {"BkColor", "102090"}, {"ShadowColor", "c06010"},
                                {"UseSkinColor", c.skin == Skin::colours ? "1" : "0"},
                                {"Transparent", c.skin == Skin::panel ? "1" : "0"}, {"FontFace", face}, {"DS_FontFace", face},
                                {"DS_FontSize", c.modern ? "14" : "20"}},
                               c.modern ? host::ModernPlayer() : host::HostOptions{}, tag);
        host::Image panelPicture = host::SolidImage(275, 116, RGB(90, 60, 30));
        for (int y = 0; y < 116; ++y) panelPicture.Set(y * 2, y, RGB(200, 180, 20));   // a diagonal through the title area
        if (c.skin != Skin::none) {
            const std::string skin = run->scratch.SkinFolder(tag);
            host::Image letters = host::SolidImage(155, 74, slate);
            for (int row = 0; row < 6; ++row)   // six rows, each two lines of the gradient
                for (int x : {55, 42, 97}) letters.Set(x, row, RGB(255, row * 40, 0));
            ASSERT_TRUE(host::WriteBmp(skin + "\\text.bmp", letters));
            ASSERT_TRUE(host::WriteBmp(skin + "\\main.bmp", panelPicture));
            run->host->SwitchSkin(skin);
            run->host->PumpMessages();
        }
        if (c.doubled) run->host->SetMainMode(host::MainMode::DoubleSize);
        const std::wstring japanese = L"\u5b87\u591a\u7530\u30d2\u30ab\u30eb - \u82b1\u675f";
        if (c.modern) run->host->SetSongWide(japanese); else run->host->SetSong(c.frames > 1 ? longSong : "Hg Wy! 8");
        TitleLook look = c.doubled ? DoubleSizeLook("") : Look("");
        look.face = face;
        if (c.doubled && !c.modern) look.fontSize = 20;   // strokes thick enough to have middles
        look.shadow = c.shadow;
        look.shadowColour = RGB(0xc0, 0x60, 0x10);
        look.text = c.frames > 1 ? longSong + " <4:05>" + separator : "Hg Wy! 8 <4:05>";
        if (c.modern) look.wideText = L"1. " + japanese + L" <4:05>";
        look.wrap = c.frames > 1;
        const int w = c.doubled ? 306 : 153, h = look.lineHeight;
        host::Image background = host::SolidImage(w, h, c.skin == Skin::colours ? slate : back);
        if (c.skin == Skin::panel)   // the panel at (112,24), each pixel doubled in double size
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) background.Set(x, y, panelPicture.At(112 + x * 153 / w, 24 + y * 153 / w));
        host::Image colours = host::SolidImage(w, h, text);
        for (int y = 0; c.skin == Skin::colours && y < h; ++y)   // twelve lines stretched over the rows
            for (int x = 0; x < w; ++x) colours.Set(x, y, RGB(255, y * 12 / h / 2 * 40, 0));
        for (int frame = 0; frame < c.frames; ++frame) {
            run->host->Tick(1);
            look.offset = frame * 7;
            EXPECT_TRUE(ShowsSmoothTitle(*run, look, background, colours, c.doubled, tag + ".frame" + std::to_string(frame)));
        }
    }
}

TEST(TitleDisplay, BackAndForthRestsAtEachEnd) {
    const std::string text = TextOfWidth(Look(""), 200);
    ASSERT_FALSE(text.empty());
    auto run = StartPlugin({{"ScrollRate", "1"}, {"ScrollType", "1"}, {"ScrollPixel", "20"}});
    run->host->SetCaption(text);
    const int shown[] = {0, 20, 40, 47, 47, 47, 47, 27, 7, 0, 0, 0, 0, 20};
    int frame = 0;
    for (int offset : shown) {
        run->host->Tick(1);
        TitleLook look = Look(text);
        look.offset = offset;
        EXPECT_TRUE(ShowsTitle(*run, look, "frame" + std::to_string(frame))) << "frame " << frame;
        ++frame;
    }
}

TEST(TitleDisplay, WrapAroundShowsTheSeparatorAtTheSeam) {
    const std::string text = TextOfWidth(Look(""), 200);
    ASSERT_FALSE(text.empty());
    auto run = StartPlugin({{"ScrollRate", "1"}, {"ScrollType", "2"}, {"ScrollPixel", "30"}});
    run->host->SetCaption(text);
    TitleLook look = Look(text + separator);
    look.wrap = true;
    const int strip = TextWidth(look, look.text);
    for (int frame = 0; frame < 12; ++frame) {
        run->host->Tick(1);
        look.offset = frame * 30 % strip;
        EXPECT_TRUE(ShowsTitle(*run, look, "frame" + std::to_string(frame))) << "frame " << frame;
    }
}

TEST(TitleDisplay, AnOverflowingTitleWithoutScrollShowsItsBeginning) {
    auto run = StartPlugin({{"ScrollRate", "1"}, {"Scroll", "0"}});
    run->host->SetSong(longSong);
    run->host->Tick(5);
    EXPECT_TRUE(ShowsTitle(*run, Look(longSong + " <4:05>"), "still"));
}

TEST(TitleDisplay, ATextAsWideAsTheViewScrollsAndOneLessStandsStill) {
    for (int width : {152, 153}) {
        const std::string text = TextOfWidth(Look(""), width);
        ASSERT_FALSE(text.empty());
        auto run = StartPlugin({{"ScrollRate", "1"}, {"ScrollType", "2"}}, {}, std::to_string(width));
        run->host->SetCaption(text);
        run->host->Tick(1);
        TitleLook look = Look(width == 153 ? text + separator : text);
        look.wrap = width == 153;
        EXPECT_TRUE(ShowsTitle(*run, look, "first"));
        const host::Image first = Title(*run);
        run->host->Tick(2);
        EXPECT_EQ(!SameImage(first, Title(*run)), width == 153) << width << " pixels wide";
    }
}

TEST(TitleDisplay, FramesAreComposedEveryScrollRateTicks) {
    struct Case {
        const char* rate;
        std::vector<int> changes;
    };
    const Case cases[] = {
        // The title's start shows as the caption is set; the next composition
        // shows that start again, and the scroll moves on from there.
        {"4", {8, 12}},
        {"1", {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"0", {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"-3", {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    for (const Case& c : cases) {
        auto run = StartPlugin({{"ScrollRate", c.rate}, {"ScrollPixel", "5"}}, {}, std::string("rate") + c.rate);
        run->host->SetSong(longSong);
        host::Image previous = Title(*run);
        std::vector<int> changes;
        for (int tick = 1; tick <= 12; ++tick) {
            run->host->Tick(1);
            host::Image now = Title(*run);
            if (!SameImage(previous, now)) changes.push_back(tick);
            previous = now;
        }
        EXPECT_EQ(changes, c.changes) << "ScrollRate " << c.rate;
    }
}

// The player draws its own title straight onto the screen inside the
// messages that play, stop, repaint and end a press or a status text, and
// its shaded playlist editor draws its own line: each is captured the
// instant its message returns, before any tick, in both players.
TEST(TitleDisplay, ThePlayersOwnDrawingIsCoveredBeforeItsMessageReturns) {
    using H = host::EmulatedHost;
    auto send = [](HWND window, UINT message, WPARAM wParam) { SendMessageA(window, message, wParam, 0); };
    struct Row {
        const char* moment;
        std::function<void(H&)> action;
        const char* shown;   // the title then; null: the playlist line's row
    };
    const Row rows[] = {
        {"play", [](H& h) { h.playlistPosition = 1; h.SendCommand(host::playCommand); }, "Second"},
        {"whole repaint", [](H& h) { h.RepaintWhole(); }, "Second"},
        {"title area repaint", [](H& h) { h.RepaintRect(h.HostTitleArea()); }, "Second"},
        {"play from the editor", [&](H& h) { h.playlistPosition = 2; send(h.Playlist(), WM_LBUTTONDBLCLK, 0); }, "Third"},
        {"timer 38", [&](H& h) { h.playlist[2].title = "Live"; send(h.Main(), WM_TIMER, host::titleUpdateTimer); }, "Live"},
        {"stop", [](H& h) { h.SendCommand(host::stopCommand); }, "Live"},
        {"press released", [](H& h) { h.PressMain(150, 30); h.ReleaseMain(150, 30); }, "Live"},
        {"slider released", [](H& h) { h.PressEqualizer(100, 50); h.ReleaseEqualizer(100, 50); }, "Live"},
        {"timer 40", [&](H& h) { h.SendCommand(host::volumeUpCommand); send(h.Main(), WM_TIMER, host::statusTextTimer); }, "Live"},
        {"editor repaint", [](H& h) { InvalidateRect(h.Playlist(), nullptr, FALSE); UpdateWindow(h.Playlist()); }, nullptr},
        {"editor activated", [&](H& h) { send(h.Playlist(), WM_NCACTIVATE, TRUE); }, nullptr},
    };
    for (bool modern : {false, true}) {
        auto run = StartPlugin({{"ScrollRate", "1"}, {"PE_Scrivane", "1"}},
                               modern ? host::ModernPlayer() : host::HostOptions{}, modern ? "modern" : "classic");
        H& h = *run->host;
        h.playlist = {{"First"}, {"Second"}, {"Third"}};
        h.SetPlaylistSize(275, 14);
        h.SendCommand(host::playCommand);
        h.PumpMessages();
        h.Tick(41);
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(modern ? "5.x " : "2.x ") + row.moment);
            row.action(h);
            const host::Image editor = h.CapturePlaylist();
            const std::string number = modern ? std::to_string(h.playlistPosition + 1) + ". " : "";
            if (row.shown)
                EXPECT_TRUE(ShowsTitle(*run, Look(number + row.shown + " <4:05>"), row.moment));
            else
                EXPECT_EQ(std::count(editor.pixels.begin(), editor.pixels.end(), host::hostPlaylistColour), 0);
        }
    }
}

TEST(TitleDisplay, DisabledLeavesTheHostsTitleAlone) {
    auto run = StartPlugin({{"ScrollRate", "1"}, {"Enabled", "0"}});
    run->host->SetSong(longSong);
    run->host->PumpMessages();
    const host::Image before = Title(*run);
    run->host->Tick(20);
    const host::Image after = Title(*run);
    EXPECT_TRUE(SameImage(before, after));
    EXPECT_EQ(after.At(0, 0), host::hostTitleColour);
}

// The 5.x player's TrueType title reaches one pixel past our frame on each
// side; nothing of it shows once a frame is presented, in either size, and
// nothing is presented while a freeform skin hides the main window.
TEST(TitleDisplay, TheModernPlayersTrueTypeTitleLeavesNoSliverAndAHiddenWindowGetsNothing) {
    host::HostOptions options = host::ModernPlayer();
    options.trueTypeTitle = true;
    PluginRun run(options);
    WriteSettings(run, {{"ScrollRate", "1000"}});
    host::AttachImportCounter(run.host->Module());
    ASSERT_EQ(run.Start(), 0);
    for (host::MainMode mode : {host::MainMode::Normal, host::MainMode::DoubleSize}) {
        run.host->SetMainMode(mode);
        run.host->RepaintWhole();
        run.host->Tick(1);
        const host::Image main = run.host->CaptureMain();
        int sliver = 0;
        for (int y = 0; y < main.height; ++y)
            for (int x = 0; x < main.width; ++x) sliver += main.At(x, y) == host::hostTrueTypeTitleColour;
        EXPECT_EQ(sliver, 0) << (mode == host::MainMode::Normal ? "normal size" : "double size");
    }
    for (bool hidden : {true, false}) {
        ShowWindow(run.host->Main(), hidden ? SW_HIDE : SW_SHOWNOACTIVATE);
        host::ResetImportCounts();
        run.host->Tick(3);
        EXPECT_EQ(host::CurrentImportCounts().blockCopies == 0, hidden) << (hidden ? "hidden" : "shown");
    }
}

// The first frame after a switch of size already shows the title at the new
// size, also at the slowest rate, where the next composition would be 600 ms
// away.
TEST(TitleDisplay, DoubleSizeShowsTheDoubleSizeFontTwiceAsLarge) {
    for (const char* rate : {"1", "24"}) {
        auto run = StartPlugin({{"ScrollRate", rate}}, {}, std::string("rate") + rate);
        run->host->SetSong("Doubled");
        run->host->Tick(24);
        struct Step {
            host::MainMode mode;
            bool doubled;
        };
        const Step steps[] = {{host::MainMode::DoubleSize, true}, {host::MainMode::Normal, false},
                              {host::MainMode::DoubleSize, true}};
        int index = 0;
        for (const Step& s : steps) {
            run->host->SetMainMode(s.mode);
            run->host->Tick(1);
            const TitleLook look = s.doubled ? DoubleSizeLook("Doubled <4:05>") : Look("Doubled <4:05>");
            const std::string tag = std::string("rate") + rate + "step" + std::to_string(index);
            EXPECT_TRUE(ShowsTitle(*run, look, tag)) << "ScrollRate " << rate << " step " << index;
            ++index;
        }
    }
}

TEST(TitleDisplay, AfterWindowshadeOrMinimisingTheFirstTickComposesAtOnce) {
    const host::MainMode hidden[] = {host::MainMode::Shaded, host::MainMode::DoubleShaded,
                                     host::MainMode::Minimised};
    int index = 0;
    for (host::MainMode mode : hidden) {
        auto run = StartPlugin({{"ScrollRate", "8"}, {"ScrollPixel", "10"}}, {}, "mode" + std::to_string(index));
        run->host->SetSong(longSong);
        TitleLook look = Look(longSong + " <4:05>" + separator);
        look.wrap = true;
        run->host->Tick(16);
        look.offset = 10;
        EXPECT_TRUE(ShowsTitle(*run, look, "before" + std::to_string(index)));
        run->host->SetMainMode(mode);
        run->host->Tick(8);
        run->host->SetMainMode(host::MainMode::Normal);
        run->host->Tick(1);
        look.offset = 0;   // the resize restarted the scroll, and this tick composed it
        EXPECT_TRUE(ShowsTitle(*run, look, "after" + std::to_string(index))) << "mode " << index;
        ++index;
    }
}

TEST(TitleDisplay, AutoAdjustSetsTheLineHeight) {
    struct Case {
        int autoAdjust, fontSize, shadow;
        bool doubled;
        int rows;
    };
    const Case cases[] = {
        {0, 30, 0, false, 12}, {1, 8, 0, false, 13},  {1, 8, 2, false, 15},    {1, 30, 0, false, 30},
        {1, 30, 3, false, 30}, {1, 8, 1000, false, 30}, {1, 8, -5, false, 13}, {0, 40, 0, true, 24},
        {1, 6, 0, true, 24},   {1, 40, 0, true, 60},
    };
    int index = 0;
    for (const Case& c : cases) {
        const std::string size = std::to_string(c.fontSize);
        auto run = StartPlugin({{"ScrollRate", "1"}, {"AutoAdjust", std::to_string(c.autoAdjust)},
                                {"Shadow", std::to_string(c.shadow)}, {"BkColor", "102090"},
                                {c.doubled ? "DS_FontSize" : "FontSize", size}},
                               {}, "case" + std::to_string(index));
        if (c.doubled) run->host->SetMainMode(host::MainMode::DoubleSize);
        run->host->SetCaption("Hg");
        run->host->Tick(1);
        const host::Image capture = run->host->CaptureMain();
        const POINT origin = c.doubled ? POINT{224, 48} : POINT{112, 24};
        const int column = origin.x + (c.doubled ? 300 : 150);
        int rows = 0;
        while (origin.y + rows < capture.height && capture.At(column, origin.y + rows) == RGB(0x10, 0x20, 0x90))
            ++rows;
        EXPECT_EQ(rows, c.rows) << "case " << index;

        TitleLook look = c.doubled ? DoubleSizeLook("Hg") : Look("Hg");
        look.fontSize = c.fontSize;
        look.lineHeight = c.rows;
        look.background = RGB(0x10, 0x20, 0x90);
        look.shadow = c.shadow > 0 ? c.shadow : 0;
        EXPECT_TRUE(ShowsTitle(*run, look, "case" + std::to_string(index))) << "case " << index;
        ++index;
    }
}

TEST(TitleDisplay, HostileScrollStepsGiveSaneFrames) {
    const char* steps[] = {"0", "-7", "100000", "-2147483648", "2147483647"};
    int index = 0;
    for (const char* type : {"1", "2"}) {
        for (const char* step : steps) {
            auto run = StartPlugin({{"ScrollRate", "1"}, {"ScrollType", type}, {"ScrollPixel", step}}, {},
                                   "case" + std::to_string(index++));
            run->host->SetSong(longSong);
            for (int tick = 0; tick < 40; ++tick) {
                run->host->Tick(1);
                const host::Image title = Title(*run);
                int stray = 0;
                for (COLORREF pixel : title.pixels) stray += pixel != green && pixel != black;
                ASSERT_EQ(stray, 0) << "ScrollType " << type << " ScrollPixel " << step << " tick " << tick;
            }
            if (std::string(step) == "0") {
                TitleLook look = Look(longSong + " <4:05>" + (std::string(type) == "2" ? separator : ""));
                EXPECT_TRUE(ShowsTitle(*run, look, "still")) << "a step of 0 stands still";
            }
        }
    }
}

TEST(TitleDisplay, TicksAllocateNothingAndQuitReleasesEverything) {
    const Keys configurations[] = {
        {{"ScrollRate", "1"}, {"Shadow", "3"}, {"AutoAdjust", "1"}},
        {{"ScrollRate", "2"}, {"ScrollType", "1"}, {"UseSkinColor", "1"}},
        {{"ScrollRate", "1"}, {"Transparent", "1"}, {"Shadow", "2"}},
        {{"ScrollRate", "1"}, {"Smooth", "1"}, {"Shadow", "3"}, {"FontFace", "DejaVu Sans"}},
    };
    int index = 0;
    for (const Keys& keys : configurations) {
        PluginRun run({}, "case" + std::to_string(index));
        WriteSettings(run, keys);
        host::AttachImportCounter(run.host->Module());
        ASSERT_EQ(run.Start(), 0);
        run.host->SetSong(longSong);
        run.host->SetMainMode(index == 1 ? host::MainMode::DoubleSize : host::MainMode::Normal);
        run.host->Tick(41);   // past the one-time caption read, which renders the strip
        host::ResetImportCounts();
        run.host->Tick(200);
        const host::ImportCounts ticking = host::CurrentImportCounts();
        EXPECT_EQ(ticking.heapAllocations, 0) << "configuration " << index;
        EXPECT_EQ(ticking.gdiCreated, 0) << "configuration " << index;
        EXPECT_EQ(ticking.windowDCs, 0) << "configuration " << index;
        run.host->Quit();
        const host::ImportCounts after = host::CurrentImportCounts();
        EXPECT_EQ(after.gdiTracked, 0) << "objects left after quit, configuration " << index;
        EXPECT_EQ(after.deleteUnknown, 0) << "configuration " << index;
        ++index;
    }
}
