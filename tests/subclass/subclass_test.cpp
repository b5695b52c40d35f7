// The plug-in's procedures in front of the host's windows, seen from the
// host: which presses hand the title area back, which repaints reload the
// skin, the host's title timer, the menu hand-off and the playlist resize.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "emulated_host.h"
#include "scratch_plugin.h"
#include "second_player.h"
#include "skin_files.h"

using host::MainMode;
using testing_support::PluginRun;

namespace {

constexpr LPARAM ipcGetSkin = 201;
constexpr RECT normalTitle = {112, 24, 265, 53};
constexpr RECT doubleTitle = {224, 48, 530, 106};
constexpr RECT noPaint = {0, 0, 0, 0};

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const std::vector<RECT>& rects) {
    std::ostringstream out;
    out << "[";
    for (const RECT& r : rects) out << " (" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
    out << " ]";
    return out.str();
}

// The host paints that one action causes, with everything before it settled.
std::vector<RECT> PaintsAfter(host::EmulatedHost& h, const std::function<void()>& action) {
    h.PumpMessages();
    h.hostPaints.clear();
    action();
    h.PumpMessages();
    return h.hostPaints;
}

void ExpectPaints(const std::vector<RECT>& paints, const RECT& expected) {
    if (expected == noPaint)
        EXPECT_TRUE(paints.empty()) << Describe(paints);
    else
        EXPECT_TRUE(paints.size() == 1 && paints[0] == expected) << Describe(paints);
}

bool Requested(const host::EmulatedHost& h, LPARAM code) {
    return std::find(h.requestLog.begin(), h.requestLog.end(), code) != h.requestLog.end();
}

struct PressCase {
    MainMode mode;
    int x, y;
    RECT yields;   // noPaint when the press hands nothing back
};

TEST(Subclass, MainWindowPressesYieldTheTitleAreaAtTheirEdges) {
    const PressCase cases[] = {
        {MainMode::Normal, 112, 24, normalTitle},  // title display, top-left corner
        {MainMode::Normal, 263, 34, normalTitle},  // its last pixel
        {MainMode::Normal, 264, 24, noPaint},      // right edge is outside
        {MainMode::Normal, 112, 35, noPaint},      // bottom edge is outside
        {MainMode::Normal, 11, 24, normalTitle},   // clutter bar
        {MainMode::Normal, 20, 30, noPaint},
        {MainMode::Normal, 19, 62, normalTitle},
        {MainMode::Normal, 16, 72, normalTitle},   // position bar
        {MainMode::Normal, 262, 80, normalTitle},
        {MainMode::Normal, 263, 72, noPaint},
        {MainMode::Normal, 177, 57, normalTitle},  // balance
        {MainMode::Normal, 214, 57, noPaint},
        {MainMode::Normal, 107, 57, normalTitle},  // volume
        {MainMode::Normal, 173, 67, normalTitle},
        {MainMode::Normal, 174, 57, noPaint},
        {MainMode::Normal, 150, 100, noPaint},
        {MainMode::DoubleSize, 224, 48, doubleTitle},
        {MainMode::DoubleSize, 527, 69, doubleTitle},
        {MainMode::DoubleSize, 528, 69, noPaint},
        {MainMode::DoubleSize, 112, 24, noPaint},  // a normal-size point means nothing here
        {MainMode::DoubleSize, 22, 48, doubleTitle},
        {MainMode::DoubleSize, 40, 48, noPaint},
        {MainMode::DoubleSize, 525, 161, doubleTitle},
        {MainMode::DoubleSize, 354, 114, doubleTitle},
        {MainMode::DoubleSize, 428, 114, noPaint},
        {MainMode::DoubleSize, 214, 135, doubleTitle},
        {MainMode::DoubleSize, 348, 114, noPaint},
    };
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    for (const PressCase& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.mode == MainMode::Normal ? "normal" : "double") << " press at ("
                                        << c.x << "," << c.y << ")");
        h.SetMainMode(c.mode);
        ExpectPaints(PaintsAfter(h, [&] { h.PressMain(c.x, c.y); }), c.yields);
        h.ReleaseMain(c.x, c.y);
    }
}

// The equalizer's own size picks both its rows and the rectangle handed back.
TEST(Subclass, EqualizerPressesYieldByTheEqualizersSize) {
    struct EqCase {
        MainMode mainMode;
        bool eqDoubled;
        int x, y;
        RECT yields;
    };
    const EqCase cases[] = {
        {MainMode::Normal, false, 78, 39, normalTitle},
        {MainMode::Normal, false, 90, 39, noPaint},
        {MainMode::Normal, false, 96, 39, normalTitle},
        {MainMode::Normal, false, 21, 39, normalTitle},   // preamp
        {MainMode::Normal, false, 33, 39, noPaint},
        {MainMode::Normal, false, 251, 97, normalTitle},  // last slider, last pixel
        {MainMode::Normal, false, 252, 97, noPaint},
        {MainMode::Normal, false, 78, 98, noPaint},
        {MainMode::Normal, false, 78, 38, noPaint},
        {MainMode::DoubleSize, false, 78, 39, normalTitle},  // the equalizer's flag, not the main window's
        {MainMode::DoubleSize, true, 156, 78, doubleTitle},
        {MainMode::DoubleSize, true, 180, 78, noPaint},
        {MainMode::DoubleSize, true, 42, 78, doubleTitle},
        {MainMode::DoubleSize, true, 503, 195, doubleTitle},
        {MainMode::DoubleSize, true, 504, 195, noPaint},
        {MainMode::DoubleSize, true, 78, 39, noPaint},
    };
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    for (const EqCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "equalizer " << (c.eqDoubled ? "double" : "normal") << " press at ("
                                        << c.x << "," << c.y << ")");
        h.SetMainMode(c.mainMode);
        h.SetEqualizerDoubleSize(c.eqDoubled);
        ExpectPaints(PaintsAfter(h, [&] { h.PressEqualizer(c.x, c.y); }), c.yields);
        h.ReleaseEqualizer(c.x, c.y);
    }
}

// Only a drag across the clutter bar yields; a plain move never does.
TEST(Subclass, MovesWithTheButtonHeldYieldOnTheClutterBarOnly) {
    struct MoveCase {
        MainMode mode;
        int x, y;
        bool held;
        RECT yields;
    };
    const MoveCase cases[] = {
        {MainMode::Normal, 15, 40, true, normalTitle},   {MainMode::Normal, 15, 40, false, noPaint},
        {MainMode::Normal, 150, 30, true, noPaint},      {MainMode::Normal, 11, 24, true, normalTitle},
        {MainMode::Normal, 20, 24, true, noPaint},       {MainMode::DoubleSize, 30, 80, true, doubleTitle},
        {MainMode::DoubleSize, 15, 40, true, noPaint},   {MainMode::DoubleSize, 30, 80, false, noPaint},
    };
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "move at (" << c.x << "," << c.y << ")" << (c.held ? " held" : ""));
        h.SetMainMode(c.mode);
        ExpectPaints(PaintsAfter(h, [&] { h.MoveMain(c.x, c.y, c.held); }), c.yields);
        h.ReleaseMain(c.x, c.y);
    }
}

// Only an update of exactly the whole window, as the current mode sizes it,
// reads the skin again (seen as the skin folder request).
TEST(Subclass, OnlyAWholeWindowRepaintReloadsTheSkin) {
    struct RepaintCase {
        MainMode mode;
        RECT area;
        bool reloads;
    };
    const RepaintCase cases[] = {
        {MainMode::Normal, {0, 0, 275, 116}, true},       {MainMode::Normal, {0, 0, 275, 115}, false},
        {MainMode::Normal, {1, 0, 275, 116}, false},      {MainMode::Normal, {112, 24, 265, 53}, false},
        {MainMode::DoubleSize, {0, 0, 550, 232}, true},   {MainMode::DoubleSize, {0, 0, 275, 116}, false},
        {MainMode::DoubleSize, {0, 1, 550, 232}, false},  {MainMode::Shaded, {0, 0, 275, 14}, true},
        {MainMode::Shaded, {0, 0, 275, 13}, false},       {MainMode::DoubleShaded, {0, 0, 550, 28}, true},
        {MainMode::DoubleShaded, {0, 0, 550, 27}, false}, {MainMode::DoubleShaded, {0, 0, 275, 14}, false},
    };
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    for (const RepaintCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(c.mode) << " update (" << c.area.left << ","
                                        << c.area.top << "," << c.area.right << "," << c.area.bottom << ")");
        h.SetMainMode(c.mode);
        h.PumpMessages();
        h.requestLog.clear();
        h.RepaintRect(c.area);
        h.PumpMessages();
        EXPECT_EQ(Requested(h, ipcGetSkin), c.reloads);
    }
}

// While the plug-in draws, the host's title timer would only flicker under
// the next frame; switching Enabled (here through a skin's override file)
// takes effect at the next timer.
TEST(Subclass, HostTitleTimerIsSwallowedOnlyWhileEnabled) {
    PluginRun run;
    const std::string off = run.scratch.SkinFolder("off");
    ASSERT_TRUE(host::WriteTextFile(off + "\\scrivane.txt", "[Plugin]\r\nEnabled=0\r\n"));
    const std::string on = run.scratch.SkinFolder("on");
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    struct Step {
        const std::string* skin;
        bool reachesHost;
    };
    for (const Step& step : {Step{&on, false}, Step{&off, true}, Step{&on, false}}) {
        SCOPED_TRACE(*step.skin);
        h.SwitchSkin(*step.skin);
        h.PumpMessages();
        const int before = h.hostTimerCount;
        const LRESULT answer = h.SendHostTimer();
        EXPECT_EQ(h.hostTimerCount - before, step.reachesHost ? 1 : 0);
        if (!step.reachesHost) {
            EXPECT_EQ(answer, 0);
        }
    }
}

TEST(Subclass, HostTitleTimerReachesTheHostWhenPluginIniDisablesTheDisplay) {
    PluginRun run;
    run.scratch.WriteIni("[Qelvar Scrivane II]\r\nEnabled=0\r\n");
    ASSERT_EQ(run.Start(), 0);
    run.host->SendHostTimer();
    run.host->SendHostTimer();
    EXPECT_EQ(run.host->hostTimerCount, 2);
}

// A press on a control that writes into the title area stops the frames
// until the button is released, in the main window or the equalizer.
TEST(Subclass, PressHandsTheTitleAreaToTheHostUntilTheRelease) {
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    h.SwitchSkin(run.scratch.SkinFolder("plain"));
    const int x = 260, y = 30;   // inside the presented frame, right of the start-up text
    auto titlePixel = [&] { return h.CaptureMain().At(x, y); };
    struct Round {
        const char* name;
        std::function<void()> press, release;
    };
    const Round rounds[] = {
        {"title", [&] { h.PressMain(150, 30); }, [&] { h.ReleaseMain(150, 30); }},
        {"volume", [&] { h.PressMain(120, 60); }, [&] { h.ReleaseMain(300, 300); }},
        {"equalizer", [&] { h.PressEqualizer(100, 50); }, [&] { h.ReleaseEqualizer(100, 50); }},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.name);
        h.Tick(2);
        ASSERT_NE(titlePixel(), host::hostTitleColour);
        round.press();
        h.PumpMessages();
        EXPECT_EQ(titlePixel(), host::hostTitleColour);
        h.Tick(10);
        EXPECT_EQ(titlePixel(), host::hostTitleColour) << "a frame was presented while the button was held";
        round.release();
        h.Tick(1);
        EXPECT_NE(titlePixel(), host::hostTitleColour);
    }
}

// The player's status texts keep the title area for the player, in either
// player: for the second until it sets its caption again, for 1.5 s when it
// never does, and until a press takes over under the press rule.
TEST(Subclass, StatusTextsKeepTheTitleAreaUntilTheCaptionIsSetAgain) {
    using Show = std::function<void(host::EmulatedHost&)>;
    const std::pair<const char*, Show> rounds[] = {
        {"wheel", [](host::EmulatedHost& h) { h.TurnWheel(1); }},
        {"equalizer wheel", [](host::EmulatedHost& h) { h.TurnWheel(-1, true); }},
        {"volume up", [](host::EmulatedHost& h) { h.SendCommand(host::volumeUpCommand); }},
        {"volume down", [](host::EmulatedHost& h) { h.SendCommand(host::volumeDownCommand); }},
        {"forward", [](host::EmulatedHost& h) { h.SendCommand(host::forwardCommand); }},
        {"back", [](host::EmulatedHost& h) { h.SendCommand(host::backCommand); }},
        {"repeat", [](host::EmulatedHost& h) { h.SendCommand(host::repeatCommand); }},
        {"shuffle", [](host::EmulatedHost& h) { h.SendCommand(host::shuffleCommand); }},
    };
    for (bool modern : {false, true}) {
        PluginRun run(modern ? host::ModernPlayer() : host::HostOptions{}, modern ? "modern" : "classic");
        ASSERT_EQ(run.Start(), 0);
        auto& h = *run.host;
        h.SwitchSkin(run.scratch.SkinFolder("plain"));
        auto ours = [&] {
            const COLORREF pixel = h.CaptureMain().At(200, 30);
            return pixel != host::hostTitleColour && pixel != host::hostStatusColour;
        };
        for (const auto& round : rounds) {
            SCOPED_TRACE(std::string(modern ? "5.x " : "2.x ") + round.first);
            h.Tick(2);
            ASSERT_TRUE(ours());
            round.second(h);
            h.Tick(39);   // a frame presented meanwhile would have covered the status text for good
            EXPECT_EQ(h.CaptureMain().At(200, 30), host::hostStatusColour);
            h.Tick(1);    // the caption set again
            EXPECT_TRUE(ours());
        }
        h.captionAfterStatus = false;
        h.TurnWheel();
        h.Tick(59);
        EXPECT_FALSE(ours()) << "before 1.5 s";
        h.Tick(1);
        EXPECT_TRUE(ours()) << "after 1.5 s";
        h.TurnWheel();
        h.PressMain(150, 30);
        h.ReleaseMain(150, 30);
        h.Tick(1);
        EXPECT_TRUE(ours()) << "a press and its release";
    }
}

TEST(Subclass, MenuMessagesAlwaysReachTheHost) {
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    h.OpenMainMenu();
    h.OpenMainMenu();
    EXPECT_EQ(h.hostInitMenuCount, 2);
    for (int id : {40012, 1975, 2521}) h.SendCommand(id);
    h.PumpMessages();
    EXPECT_EQ(h.hostCommands, (std::vector<int>{40012, 1975, 2521}));
}

// A client height of 14 is windowshade mode and draws the line at once (its
// four requests in order); 15 is not, and the host's own line stays.
TEST(Subclass, PlaylistResizeFollowsWindowshadeMode) {
    PluginRun run;
    run.scratch.WriteIni("[Qelvar Scrivane II]\r\nPE_Scrivane=1\r\n");
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    h.playlist = {{"first"}};
    h.trackLengthSeconds = 0;
    const std::vector<LPARAM> lineRequests = {125, 212, 105, 124};
    struct Step {
        int height;
        bool draws;
    };
    for (const Step& step : {Step{14, true}, Step{15, false}, Step{232, false}, Step{14, true}}) {
        SCOPED_TRACE(step.height);
        h.PumpMessages();
        h.requestLog.clear();
        h.SetPlaylistSize(275, step.height);
        EXPECT_EQ(h.requestLog, step.draws ? lineRequests : std::vector<LPARAM>{});
        h.PumpMessages();
        h.Tick(1);
        const host::Image editor = h.CapturePlaylist();
        ASSERT_GE(editor.height, 12);
        EXPECT_EQ(editor.At(200, 6) == host::hostPlaylistColour, !step.draws);
    }
}

// The modern player's windows are Unicode windows: subclassing them must
// leave them Unicode, or every caption it sets loses what the ANSI code page
// lacks, in its taskbar title too. Checked after init, after captions and
// presses pass through the plug-in, and after quit.
TEST(Subclass, UnicodeWindowsStayUnicodeAndKeepTheirCaptions) {
    PluginRun run(host::ModernPlayer());
    auto& h = *run.host;
    const std::wstring caption = L"3. \u65e5\u672c\u8a9e \u00e9 \u041a\u0430 - Winamp";   // 日本語 é Ка
    auto expectIntact = [&](const char* when) {
        for (HWND w : {h.Main(), h.Equalizer(), h.Playlist()})
            EXPECT_TRUE(IsWindowUnicode(w)) << when;
        EXPECT_EQ(h.StoredCaption(), caption) << when;
    };
    h.SetCaptionWide(caption);
    ASSERT_EQ(run.Start(), 0);
    expectIntact("after init");
    for (int i = 0; i < 5; ++i) {
        h.SetCaptionWide(L"x");
        h.SetCaptionWide(caption);
        h.RepeatCaption();
        h.PressMain(150, 30);
        h.ReleaseMain(150, 30);
        h.PressEqualizer(30, 50);
        h.SetPlaylistSize(275, 14);
        h.Tick(3);
    }
    h.PumpMessages();
    expectIntact("while running");
    h.Quit();
    h.SetCaptionWide(caption);
    expectIntact("after quit");
}

// Several players may run at once, each with windows of the same classes.
// The plug-in takes the equalizer and playlist editor of its own player's
// thread: the other player's windows keep their procedures, and its shaded
// playlist editor gets no line, while the plug-in's own shaded editor does.
TEST(Subclass, ASecondPlayersWindowsAreLeftAlone) {
    for (bool modern : {false, true}) {
        SCOPED_TRACE(modern ? "5.x" : "2.x");
        PluginRun run(modern ? host::ModernPlayer() : host::HostOptions{}, modern ? "modern" : "classic");
        run.scratch.WriteIni("[Qelvar Scrivane II]\r\nPE_Scrivane=1\r\n");
        auto& h = *run.host;
        h.playlist = {{"entry"}};
        host::SecondPlayer other;
        ASSERT_TRUE(other.Running());
        ASSERT_EQ(run.Start(), 0);
        h.SetPlaylistSize(275, 14);
        h.PressEqualizer(30, 50);
        h.ReleaseEqualizer(30, 50);
        h.PumpMessages();
        h.Tick(3);
        EXPECT_FALSE(other.Subclassed());
        const host::Image otherEditor = host::EmulatedHost::CaptureWindow(other.Playlist());
        ASSERT_EQ(otherEditor.width, 275);
        for (int y = 0; y < otherEditor.height; ++y)
            for (int x = 0; x < otherEditor.width; ++x)
                ASSERT_EQ(otherEditor.At(x, y), host::secondPlayerColour) << x << "," << y;
        EXPECT_NE(h.CapturePlaylist().At(200, 6), host::hostPlaylistColour) << "its own editor has the line";
    }
}

WNDPROC chainedProc = nullptr;
LRESULT CALLBACK ChainedMainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(chainedProc, window, message, wParam, lParam);
}

// When another module has subclassed the main window on top of the plug-in,
// the plug-in's procedure stays in the chain after quit; from then on it must
// pass everything on untouched and never reach the released surfaces, also
// once the host has freed the module.
TEST(Subclass, AfterQuitAProcedureLeftInTheChainPassesEverythingOn) {
    PluginRun run;
    run.scratch.WriteIni("[Qelvar Scrivane II]\r\nPE_Scrivane=1\r\n");
    ASSERT_EQ(run.Start(), 0);
    auto& h = *run.host;
    h.playlist = {{"entry"}};
    chainedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h.Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainedMainProc)));
    h.Quit();
    h.requestLog.clear();
    EXPECT_EQ(h.SendHostTimer(), 0);
    EXPECT_EQ(h.hostTimerCount, 1);
    h.RepaintWhole();
    h.PressMain(150, 30);
    h.SetPlaylistSize(275, 14);
    h.PumpMessages();
    EXPECT_TRUE(h.requestLog.empty());
    h.Unload();
    EXPECT_EQ(h.SendHostTimer(), 0);
    EXPECT_EQ(h.hostTimerCount, 2);
    h.RepaintWhole();
    SetWindowLongPtrA(h.Main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chainedProc));
}

}  // namespace
