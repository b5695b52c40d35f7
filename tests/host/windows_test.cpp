// The host's three windows: classes, sizes, frameless pop-ups, and the
// resizes that reach them as the player's mode changes do.
#include <gtest/gtest.h>

#include "emulated_host.h"
#include "message_log.h"

namespace {

SIZE WindowSize(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE ClientSize(HWND w) {
    RECT r = {};
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

}  // namespace

TEST(HostWindows, AreFramelessPopupsOfThePlayersClassesAndSizes) {
    host::EmulatedHost h;
    const struct {
        HWND window;
        const char* cls;
        int width, height;
    } cases[] = {
        {h.Main(), "Winamp v1.x", 275, 116},
        {h.Equalizer(), "Winamp EQ", 275, 116},
        {h.Playlist(), "Winamp PE", 275, 232},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cls);
        ASSERT_NE(c.window, nullptr);
        char cls[64] = "";
        GetClassNameA(c.window, cls, sizeof cls);
        EXPECT_STREQ(cls, c.cls);
        EXPECT_EQ(FindWindowA(c.cls, nullptr), c.window) << "the plug-in finds this process's window";
        EXPECT_EQ(WindowSize(c.window).cx, c.width);
        EXPECT_EQ(WindowSize(c.window).cy, c.height);
        EXPECT_EQ(ClientSize(c.window).cx, c.width) << "no frame: the client area is the whole window";
        EXPECT_EQ(ClientSize(c.window).cy, c.height);
        const LONG style = GetWindowLongA(c.window, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    }
}

TEST(HostWindows, OptionalWindowsCanBeLeftOut) {
    host::HostOptions options;
    options.withEqualizer = false;
    options.withPlaylist = false;
    host::EmulatedHost h(options);
    EXPECT_NE(h.Main(), nullptr);
    EXPECT_EQ(h.Equalizer(), nullptr);
    EXPECT_EQ(h.Playlist(), nullptr);
    EXPECT_EQ(FindWindowA("Winamp EQ", nullptr), nullptr);
    EXPECT_EQ(FindWindowA("Winamp PE", nullptr), nullptr);
    h.SetEqualizerDoubleSize(true);   // harmless without the window
    h.SetPlaylistSize(275, 14);
}

TEST(HostWindows, DestroyedWithTheHost) {
    { host::EmulatedHost h; }
    EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr), nullptr);
    EXPECT_EQ(FindWindowA("Winamp EQ", nullptr), nullptr);
    EXPECT_EQ(FindWindowA("Winamp PE", nullptr), nullptr);
}

// Every mode change, in a row as a user makes them, delivers WM_SIZE with the new size.
TEST(HostWindows, MainModesResizeAndDeliverWmSize) {
    host::EmulatedHost h;
    MessageLog log(h.Main(), {WM_SIZE});
    const struct {
        host::MainMode mode;
        int width, height;
        bool iconic;
    } steps[] = {
        {host::MainMode::DoubleSize, 550, 232, false}, {host::MainMode::DoubleShaded, 550, 28, false},
        {host::MainMode::Shaded, 275, 14, false},      {host::MainMode::Normal, 275, 116, false},
        {host::MainMode::Minimised, 0, 0, true},       {host::MainMode::Normal, 275, 116, false},
        {host::MainMode::Minimised, 0, 0, true},       {host::MainMode::DoubleSize, 550, 232, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(static_cast<int>(&step - steps));
        log.Clear();
        h.SetMainMode(step.mode);
        EXPECT_EQ(IsIconic(h.Main()) != 0, step.iconic);
        ASSERT_FALSE(log.Entries().empty()) << "no WM_SIZE";
        const LoggedMessage& last = log.Entries().back();
        if (step.iconic) {
            EXPECT_EQ(last.wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
            continue;
        }
        EXPECT_EQ(WindowSize(h.Main()).cx, step.width);
        EXPECT_EQ(WindowSize(h.Main()).cy, step.height);
        EXPECT_EQ(LOWORD(last.lParam), step.width);
        EXPECT_EQ(HIWORD(last.lParam), step.height);
    }
}

TEST(HostWindows, EqualizerAndPlaylistResizesDeliverWmSize) {
    host::EmulatedHost h;
    MessageLog eqLog(h.Equalizer(), {WM_SIZE});
    h.SetEqualizerDoubleSize(true);
    EXPECT_EQ(WindowSize(h.Equalizer()).cx, 550);
    EXPECT_EQ(WindowSize(h.Equalizer()).cy, 232);
    ASSERT_FALSE(eqLog.Entries().empty());
    EXPECT_EQ(LOWORD(eqLog.Entries().back().lParam), 550);
    h.SetEqualizerDoubleSize(false);
    EXPECT_EQ(WindowSize(h.Equalizer()).cx, 275);

    MessageLog peLog(h.Playlist(), {WM_SIZE});
    h.SetPlaylistSize(275, 14);
    ASSERT_FALSE(peLog.Entries().empty());
    EXPECT_EQ(HIWORD(peLog.Entries().back().lParam), 14) << "the shade height arrives as the client height";
    h.SetPlaylistSize(400, 300);
    EXPECT_EQ(WindowSize(h.Playlist()).cx, 400);
    EXPECT_EQ(HIWORD(peLog.Entries().back().lParam), 300);
}
