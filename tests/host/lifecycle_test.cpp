// The host loads the real plug-in, answers its requests and drives its timer.
#include <gtest/gtest.h>

#include <algorithm>

#include "emulated_host.h"
#include "scratch_plugin.h"
#include "window_paint.h"

using testing_support::PluginRun;

namespace {

bool Logged(const host::EmulatedHost& h, LPARAM code) {
    return std::find(h.requestLog.begin(), h.requestLog.end(), code) != h.requestLog.end();
}

}  // namespace

TEST(HostLifecycle, LoadsInitialisesAndCapturesTheFrameTimer) {
    PluginRun run;
    ASSERT_NE(run.host->Header(), nullptr);
    EXPECT_EQ(run.host->Header()->version, 0x10);
    EXPECT_EQ(run.host->Header()->hwndParent, run.host->Main());
    EXPECT_EQ(run.host->Header()->hDllInstance, run.host->Module());
    ASSERT_EQ(run.Start(), 0);
    EXPECT_TRUE(Logged(*run.host, 0)) << "init asks for the version";
    EXPECT_TRUE(run.host->HasFrameTimer());
    run.host->Tick(45);
    run.host->PumpMessages();
}

TEST(HostLifecycle, RefusedHostShowsOneRecordedMessageBox) {
    host::HostOptions options;
    options.version = 0x2003;
    PluginRun run(options);
    EXPECT_EQ(run.Start(), 1);
    ASSERT_EQ(run.host->messageBoxes.size(), 1u);
    EXPECT_FALSE(run.host->messageBoxes[0].caption.empty());
    EXPECT_EQ(run.host->messageBoxes[0].text.rfind("Qelvar Scrivane II ", 0), 0u);
    EXPECT_TRUE(run.host->messageBoxes[0].errorIcon);
    EXPECT_FALSE(run.host->HasFrameTimer());
}

// Tests drive every tick themselves: the real 25 ms timer reaches the pump
// but never the plug-in, so nothing is drawn until the test ticks.
TEST(HostLifecycle, RealFrameTimersAreDroppedAndTicksAreTheTestsOwn) {
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    const RECT t = run.host->HostTitleArea();
    // As the player draws from its other windows: nothing reaches the main window.
    host::FillArea(host::ScopedWindowDC(run.host->Main()), t, host::hostTitleColour);
    auto titleIsHosts = [&] {
        const host::Image title = run.host->CaptureMain().Crop(t.left, t.top, t.right - t.left, t.bottom - t.top);
        for (COLORREF c : title.pixels)
            if (c != host::hostTitleColour) return false;
        return true;
    };
    run.host->PumpFor(200);
    EXPECT_GT(run.host->realFrameTimers, 0);
    EXPECT_TRUE(titleIsHosts()) << "a real timer tick reached the plug-in";
    run.host->Tick(2);
    EXPECT_FALSE(titleIsHosts()) << "driven ticks present the plug-in's frame";
}

TEST(HostLifecycle, MenuAndCommandsPassThroughToTheHost) {
    host::HostOptions options;
    options.firstMenuItem = "Nullsoft &Winamp...";
    PluginRun run(options);
    ASSERT_EQ(run.Start(), 0);
    char first[64] = "";
    GetMenuStringA(run.host->MainMenu(), 0, first, sizeof first, MF_BYPOSITION);
    EXPECT_STREQ(first, "Nullsoft &Winamp...");
    run.host->OpenMainMenu();
    run.host->SendCommand(40012);
    EXPECT_EQ(run.host->hostInitMenuCount, 1);
    ASSERT_EQ(run.host->hostCommands.size(), 1u);
    EXPECT_EQ(run.host->hostCommands[0], 40012);
}

// Quit runs once, whoever asks; after unloading, ticks have nothing to call.
TEST(HostLifecycle, QuitOnceThenUnloadLeavesNothingToTick) {
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    EXPECT_EQ(run.host->Init(), -1) << "init runs once";
    run.host->Quit();
    run.host->Quit();
    run.host->Unload();
    EXPECT_EQ(run.host->Module(), nullptr);
    EXPECT_FALSE(run.host->HasFrameTimer());
    run.host->Tick(3);
    run.host.reset();
    EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr), nullptr);
}

TEST(HostLifecycle, LoadFailsCleanlyForAMissingOrForeignModule) {
    host::EmulatedHost h;
    EXPECT_FALSE(h.Load("C:\\no\\such\\gen_qlv.dll"));
    EXPECT_FALSE(h.Load("kernel32.dll")) << "no plug-in export";
    EXPECT_EQ(h.Module(), nullptr);
    EXPECT_EQ(h.Init(), -1);
}
