// Start-up and shut-down of the real DLL in the emulated host: the header,
// the refusal of old hosts, and a host that outlives the plug-in.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "emulated_host.h"
#include "scratch_plugin.h"
#include "user_language.h"

using testing_support::PluginRun;

namespace {

// By the user's language: English; Big5 for Traditional Chinese (the runner's
// default): "錯誤!", "... 需要 Winamp 2.04 或更新的版本。\n外掛已終止。"; GBK for
// Simplified: "错误!", "... 需要 Winamp 2.04 或更高版本。\n插件已终止。"
const char* const refusal[3][2] = {
    {"ERROR!", "Qelvar Scrivane II required Winamp 2.04 or later.\nPlug-In terminated."},
    {"\xbf\xf9\xbb~!", "Qelvar Scrivane II \xbb\xdd\xadn Winamp 2.04 \xa9\xce\xa7\xf3\xb7s\xaa\xba\xaa\xa9\xa5\xbb\xa1"
                       "C\n\xa5~\xb1\xbe\xa4w\xb2\xd7\xa4\xee\xa1" "C"},
    {"\xb4\xed\xce\xf3!", "Qelvar Scrivane II \xd0\xe8\xd2\xaa Winamp 2.04 \xbb\xf2\xb8\xfc\xb8\xdf\xb0\xe6\xb1\xbe"
                           "\xa1\xa3\n\xb2\xe5\xbc\xfe\xd2\xd1\xd6\xd5\xd6\xb9\xa1\xa3"}};
const char* const* ExpectedRefusal() {
    return refusal[testing_support::ExpectedLanguage()];
}

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
            EXPECT_EQ(run.host->messageBoxes[0].caption, ExpectedRefusal()[0]);
            EXPECT_EQ(run.host->messageBoxes[0].text, ExpectedRefusal()[1]);
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

// --- a host that quits and unloads the plug-in from inside a message ---------

constexpr UINT quitNowMessage = WM_APP + 7;

host::EmulatedHost* quittingHost = nullptr;
std::map<HWND, WNDPROC> procsBelowThePlugin;

// Sits below the plug-in's procedures, as the host's own procedure does:
// the message has passed through the plug-in's procedure on its way here.
LRESULT CALLBACK QuitAndUnloadProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == quitNowMessage && quittingHost) {
        quittingHost->Quit();
        quittingHost->Unload();
        return 0;
    }
    return CallWindowProcA(procsBelowThePlugin[window], window, message, wParam, lParam);
}

// The unloaded module's address range: a fault there is code or data of a
// module the host has freed. Nothing can continue after such a fault, so the
// program ends with the fault named rather than wait for a crash dialog.
uintptr_t freedBegin = 0, freedEnd = 0;

bool InFreedImage(uintptr_t address) {
    return address >= freedBegin && address < freedEnd;
}

LONG CALLBACK FailOnFaultInFreedModule(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    const uintptr_t at = reinterpret_cast<uintptr_t>(record->ExceptionAddress);
    const bool dataThere = record->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record->NumberParameters >= 2 &&
                           InFreedImage(static_cast<uintptr_t>(record->ExceptionInformation[1]));
    if (!InFreedImage(at) && !dataThere) return EXCEPTION_CONTINUE_SEARCH;
    std::fprintf(stderr, "FAILED: fault %08lx at %08lx inside the unloaded module (%08lx..%08lx)\n",
                 static_cast<unsigned long>(record->ExceptionCode), static_cast<unsigned long>(at),
                 static_cast<unsigned long>(freedBegin), static_cast<unsigned long>(freedEnd));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_CONTINUE_SEARCH;
}

void NoteImageRange(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    freedBegin = reinterpret_cast<uintptr_t>(base);
    freedEnd = freedBegin + nt->OptionalHeader.SizeOfImage;
}

// A host may quit and free the plug-in while handling a message that passed
// through any of the plug-in's procedures; the plug-in's frames still on the
// stack then return into its module, which must still be there. Afterwards
// the windows work on with the host's own procedures.
TEST(Lifecycle, QuitAndUnloadFromInsideAMessageReturnIntoLiveCode) {
    PVOID handler = AddVectoredExceptionHandler(1, FailOnFaultInFreedModule);
    for (const char* which : {"main", "equalizer", "playlist"}) {
        SCOPED_TRACE(which);
        PluginRun run({}, which);
        host::EmulatedHost& player = *run.host;
        const HWND window = std::string(which) == "main" ? player.Main()
                            : std::string(which) == "equalizer" ? player.Equalizer() : player.Playlist();
        procsBelowThePlugin[window] = reinterpret_cast<WNDPROC>(
            SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(QuitAndUnloadProc)));
        ASSERT_EQ(run.Start(), 0);
        player.SetSong("Playing");
        player.Tick(45);
        NoteImageRange(player.Module());
        quittingHost = &player;
        SendMessageA(window, quitNowMessage, 0, 0);
        quittingHost = nullptr;
        ASSERT_EQ(player.Module(), nullptr);
        EXPECT_EQ(GetWindowLongA(window, GWL_WNDPROC), reinterpret_cast<LONG>(QuitAndUnloadProc));
        SendEverything(player);
        EXPECT_EQ(player.Caption(), "Still playing - Winamp");
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(procsBelowThePlugin[window]));
        procsBelowThePlugin.erase(window);
    }
    RemoveVectoredExceptionHandler(handler);
    freedBegin = freedEnd = 0;
}

// --- another module's procedure on top of the plug-in's ----------------------

std::map<HWND, WNDPROC> procsBelowTheForeignOne;
int foreignPasses = 0;
int foreignDepth = 0;
bool messageLooped = false;

// A message handed round between the plug-in's old and new procedures would
// come back here until the stack overflows; far past any real nesting the
// loop is cut, and noted.
LRESULT CALLBACK ForeignProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++foreignPasses;
    if (foreignDepth >= 32) {
        messageLooped = true;
        return 0;
    }
    ++foreignDepth;
    const LRESULT result = CallWindowProcA(procsBelowTheForeignOne[window], window, message, wParam, lParam);
    --foreignDepth;
    return result;
}

host::Image TitleLine(const host::EmulatedHost& player) {
    return player.CaptureMain().Crop(112, 24, 153, 12);
}

// The plug-in's procedures stay in the windows under the foreign ones after
// quit, so the module keeps itself loaded. Loaded and started again by the
// same host, it starts as the first time: one pass of each message through
// the chain, the start-up title and the 40th tick's caption, and its entries
// on a new host menu (but not twice on the old one).
TEST(Lifecycle, ASecondStartAfterTheModuleStayedLoadedIsAFirstStart) {
    PluginRun run;
    run.scratch.WriteIni("[Qelvar Scrivane II]\r\nScrollRate=1\r\n");
    host::EmulatedHost& player = *run.host;
    struct Seen {
        host::Image startupTitle, caption;
    };
    Seen seen[2];
    const int menuItemsBefore = GetMenuItemCount(player.MainMenu());
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start == 0 ? "first start" : "second start");
        if (start == 1) {
            ASSERT_TRUE(player.Load(run.scratch.DllPath()));
        }
        player.SetSong("Before the start");
        ASSERT_EQ(player.Init(), 0);
        if (start == 0) {
            for (HWND window : {player.Main(), player.Equalizer(), player.Playlist()})
                procsBelowTheForeignOne[window] = reinterpret_cast<WNDPROC>(
                    SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(ForeignProc)));
        }
        foreignPasses = 0;
        SendMessageA(player.Main(), WM_NULL, 0, 0);
        EXPECT_EQ(foreignPasses, 1) << "one message, one pass through the chain";
        player.Tick(1);
        seen[start].startupTitle = TitleLine(player);
        player.Tick(40);
        seen[start].caption = TitleLine(player);
        EXPECT_NE(seen[start].startupTitle.pixels, seen[start].caption.pixels);

        player.OpenMainMenu();
        EXPECT_EQ(GetMenuItemCount(player.MainMenu()), menuItemsBefore + 3) << "entries once on the old menu";
        if (start == 1) {
            HMENU fresh = CreatePopupMenu();
            AppendMenuA(fresh, MF_STRING, 40001, "&Winamp...");
            SendMessageA(player.Main(), WM_INITMENU, reinterpret_cast<WPARAM>(fresh), 0);
            EXPECT_EQ(GetMenuItemCount(fresh), 4) << "entries on a new host menu";
            EXPECT_NE(GetMenuState(fresh, 1975, MF_BYCOMMAND), static_cast<UINT>(-1));
            DestroyMenu(fresh);
        }

        player.Quit();
        player.Unload();
    }
    EXPECT_FALSE(messageLooped);
    EXPECT_EQ(seen[1].startupTitle.pixels, seen[0].startupTitle.pixels) << "the start-up title again";
    EXPECT_EQ(seen[1].caption.pixels, seen[0].caption.pixels) << "the caption read on the 40th tick again";
    for (auto& [window, previous] : procsBelowTheForeignOne)
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(previous));
    procsBelowTheForeignOne.clear();
}

}  // namespace
