// Start-up and shut-down of the real DLL in the emulated host: the header,
// the refusal of old hosts, and a host that outlives the plug-in.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "emulated_host.h"
#include "scratch_plugin.h"

using testing_support::PluginRun;

namespace {

constexpr char refusalText[] = "Qelvar Scrivane II required Winamp 2.04 or later.\nPlug-In terminated.";

host::HostOptions WithVersion(int version) {
    host::HostOptions options;
    options.version = version;
    return options;
}

TEST(Lifecycle, HeaderBeforeAndAfterInit) {
    PluginRun run;
    auto* header = run.host->Header();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->version, 0x10);
    ASSERT_NE(header->description, nullptr);
    EXPECT_STREQ(header->description, "");
    ASSERT_EQ(run.Start(), 0);
    EXPECT_STREQ(header->description, "Qelvar Scrivane II 1.0(gen_qlv.dll)");
    EXPECT_EQ(header->hwndParent, run.host->Main());
}

// The version is compared as "at least": 2.04 is the oldest host served.
TEST(Lifecycle, RefusesHostsOlderThan204WithItsMessageBox) {
    struct Case {
        int version;
        int expectedInit;
    };
    for (const Case& c : {Case{0x2003, 1}, Case{0x2004, 0}, Case{0x2005, 0}, Case{0x2900, 0}, Case{0, 1},
                          Case{-1, 1}}) {
        SCOPED_TRACE(c.version);
        PluginRun run(WithVersion(c.version), std::to_string(c.version));
        EXPECT_EQ(run.Start(), c.expectedInit);
        if (c.expectedInit == 1) {
            ASSERT_EQ(run.host->messageBoxes.size(), 1u);
            EXPECT_EQ(run.host->messageBoxes[0].caption, "ERROR!");
            EXPECT_EQ(run.host->messageBoxes[0].text, refusalText);
            EXPECT_STREQ(run.host->Header()->description, "");
        } else {
            EXPECT_TRUE(run.host->messageBoxes.empty());
        }
    }
}

// A host may call quit after a refused init; that must not write settings
// that were never read over the user's file.
TEST(Lifecycle, QuitAfterRefusalLeavesPluginIniAlone) {
    for (bool withFile : {false, true}) {
        PluginRun run(WithVersion(0x2003), withFile ? "file" : "nofile");
        const std::string original = "[Qelvar Scrivane II]\r\nScrollRate = 12\r\n\r\n[Other]\r\nkey=value\r\n";
        if (withFile) run.scratch.WriteIni(original);
        ASSERT_EQ(run.Start(), 1);
        run.host->Quit();
        run.host->Unload();
        EXPECT_EQ(run.scratch.IniExists(), withFile);
        if (withFile) {
            EXPECT_EQ(run.scratch.ReadIni(), original);
        }
    }
}

TEST(Lifecycle, QuitWritesTheSettings) {
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    EXPECT_FALSE(run.scratch.IniExists());   // a missing file is not created at load
    run.host->Quit();
    EXPECT_TRUE(run.scratch.IniExists());
    EXPECT_EQ(run.scratch.IniValue("Enabled"), "1");
}

void SendEverything(host::EmulatedHost& player) {
    const HWND windows[] = {player.Main(), player.Equalizer(), player.Playlist()};
    for (HWND window : windows) {
        if (!window) continue;
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        SendMessageA(window, WM_TIMER, 39, 0);
        SendMessageA(window, WM_TIMER, 124, 0);
        SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(275, 14));
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 30));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(15, 40));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(120, 30));
        SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("After - Winamp"));
        SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(player.MainMenu()), 0);
        SendMessageA(window, WM_COMMAND, 1975, 0);
    }
    player.SetMainMode(host::MainMode::DoubleSize);
    player.SetMainMode(host::MainMode::Normal);
    player.SetSong("Still playing");
    player.PumpMessages();
}

// The host may unload the module while its windows live on: everything
// init installed must be gone, or the next message would run freed code.
TEST(Lifecycle, HostOutlivesTheUnloadedPlugin) {
    PluginRun run;
    const auto mainProc = GetWindowLongA(run.host->Main(), GWL_WNDPROC);
    const auto eqProc = GetWindowLongA(run.host->Equalizer(), GWL_WNDPROC);
    const auto playlistProc = GetWindowLongA(run.host->Playlist(), GWL_WNDPROC);
    ASSERT_EQ(run.Start(), 0);
    EXPECT_NE(GetWindowLongA(run.host->Main(), GWL_WNDPROC), mainProc);
    run.host->SetSong("Playing");
    run.host->OpenMainMenu();
    run.host->Config();
    run.host->SendCommand(2521);
    run.host->Tick(45);
    run.host->Quit();
    run.host->Unload();
    EXPECT_EQ(GetWindowLongA(run.host->Main(), GWL_WNDPROC), mainProc);
    EXPECT_EQ(GetWindowLongA(run.host->Equalizer(), GWL_WNDPROC), eqProc);
    EXPECT_EQ(GetWindowLongA(run.host->Playlist(), GWL_WNDPROC), playlistProc);
    SendEverything(*run.host);
    EXPECT_EQ(run.host->Caption(), "Still playing - Winamp");
    EXPECT_GT(run.host->hostTimerCount, 0);   // timer 39 reaches the host again
}

// Without an equalizer or a playlist editor there is nothing to subclass
// or measure for it; the rest runs as usual.
TEST(Lifecycle, RunsWithoutEqualizerOrPlaylistWindows) {
    host::HostOptions options;
    options.withEqualizer = false;
    options.withPlaylist = false;
    PluginRun run(options);
    ASSERT_EQ(run.Start(), 0);
    run.host->SetSong("Alone");
    run.host->SetMainMode(host::MainMode::DoubleSize);
    run.host->Tick(50);
    run.host->Quit();
    run.host->Unload();
    SendEverything(*run.host);
}

// Loading, starting and stopping the same DLL copy several times in one
// process starts from the module's load values each time.
TEST(Lifecycle, RestartsCleanlyInOneProcess) {
    testing_support::ScratchPlugin scratch;
    for (int round = 0; round < 3; ++round) {
        host::EmulatedHost player;
        ASSERT_TRUE(player.Load(scratch.DllPath()));
        EXPECT_STREQ(player.Header()->description, "");
        ASSERT_EQ(player.Init(), 0);
        player.SetSong("Round " + std::to_string(round));
        player.Tick(41);
        player.Quit();
        player.Unload();
    }
    EXPECT_TRUE(scratch.IniExists());
}

}  // namespace
