// The host menu's two entries, the open-or-raise rule of both dialogs, the
// About dialog's one way out, and the dialogs' end at quit.
#include <gtest/gtest.h>

#include <iterator>

#include "dialog_driver.h"

namespace {

using namespace ui_test;
using testing_support::PluginRun;

constexpr int hostMenuItems = 6;   // what the emulated host's menu holds before the plug-in adds anything

std::string MenuText(HMENU menu, int position) {
    char text[256] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// [language][entry]: English, the Big5 "配 置" and "關 於" the menu always had, and the GBK "配 置" and "关 于".
const char* const entryCaptions[3][2] = {{"Configure Qelvar Scrivane II...", "About Qelvar Scrivane II..."},
                                         {"\xb0\x74 \xb8\x6d Qelvar Scrivane II ...    ", "\xc3\xf6 \xa9\xf3 Qelvar Scrivane II ..."},
                                         {"\xc5\xe4 \xd6\xc3 Qelvar Scrivane II ...    ", "\xb9\xd8 \xd3\xda Qelvar Scrivane II ..."}};

// The separator and the two entries, once, after the host's own items.
void ExpectEntriesAtTheEnd(HMENU menu) {
    ASSERT_EQ(GetMenuItemCount(menu), hostMenuItems + 3);
    EXPECT_EQ(GetMenuState(menu, hostMenuItems, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(menu, hostMenuItems + 1), 1975u);
    EXPECT_EQ(GetMenuItemID(menu, hostMenuItems + 2), 2521u);
    EXPECT_EQ(MenuText(menu, hostMenuItems + 1), entryCaptions[ExpectedLanguage()][0]);
    EXPECT_EQ(MenuText(menu, hostMenuItems + 2), entryCaptions[ExpectedLanguage()][1]);
}

TEST(HostMenu, ExtendedOnceAndOnlyForTheHostsMainMenu) {
    struct Case {
        const char* firstItem;
        bool extended;
    };
    for (const Case& c : {Case{"&Winamp...", true}, Case{"Nullsoft &Winamp...", true}, Case{"&winamp...", false},
                          Case{"&Winamp", false}, Case{"", false}}) {
        SCOPED_TRACE(c.firstItem);
        host::HostOptions options;
        options.firstMenuItem = c.firstItem;
        PluginRun run(options, c.extended ? "host" : "other");
        ASSERT_EQ(run.Start(), 0);
        const HMENU menu = run.host->MainMenu();
        for (int i = 0; i < 3; ++i) run.host->OpenMainMenu();
        EXPECT_EQ(run.host->hostInitMenuCount, 3);
        ASSERT_EQ(GetMenuItemCount(menu), hostMenuItems + (c.extended ? 3 : 0));
        if (!c.extended) {
            // A later menu that does start with the host's caption still gets them.
            ModifyMenuA(menu, 0, MF_BYPOSITION | MF_STRING, 40001, "&Winamp...");
            run.host->OpenMainMenu();
            ASSERT_EQ(GetMenuItemCount(menu), hostMenuItems + 3);
        }
        ExpectEntriesAtTheEnd(menu);
    }
}

// The 5.x player names its main menu (IPC_GET_HMENU), whose first item reads
// otherwise in every version and language and is rewritten each time the
// menu opens: the handle decides, the text does not.
TEST(HostMenu, TheModernPlayersMenuIsFoundByItsHandle) {
    const char* const firstItems[] = {"About &Winamp...\tCtrl+F1", "Nullsoft &Winamp...", "Acerca de &Winamp...\tCtrl+F1"};
    for (size_t item = 0; item < std::size(firstItems); ++item) {
        const char* firstItem = firstItems[item];
        SCOPED_TRACE(firstItem);
        host::HostOptions options = host::ModernPlayer();
        options.firstMenuItem = firstItem;
        PluginRun run(options, std::to_string(item));
        ASSERT_EQ(run.Start(), 0);
        host::EmulatedHost& host = *run.host;
        // Another menu opened on the main window is not the player's, whatever it reads.
        const HMENU other = CreatePopupMenu();
        AppendMenuA(other, MF_STRING, 40001, "&Winamp...");
        SendMessageA(host.Main(), WM_INITMENU, reinterpret_cast<WPARAM>(other), 0);
        EXPECT_EQ(GetMenuItemCount(other), 1);
        DestroyMenu(other);

        const HMENU menu = host.MainMenu();
        for (int i = 0; i < 3; ++i) host.OpenMainMenu();
        EXPECT_EQ(host.hostMenuRewrites, 3);
        EXPECT_EQ(GetMenuItemID(menu, 0), 40041u);
        EXPECT_EQ(MenuText(menu, 0), firstItem);
        ExpectEntriesAtTheEnd(menu);
        host.SendCommand(static_cast<int>(GetMenuItemID(menu, hostMenuItems + 1)));
        host.SendCommand(static_cast<int>(GetMenuItemID(menu, hostMenuItems + 2)));
        EXPECT_NE(FindDialog(host, configMarker), nullptr);
        EXPECT_NE(FindDialog(host, aboutMarker), nullptr);
    }
}

// A module that stayed loaded left its entries in another language on
// either player's menu: found by their commands, they speak today's language.
TEST(HostMenu, OneEntryEachAfterALanguageChange) {
    for (bool modern : {false, true}) {
        for (int earlier = 0; earlier < 3; ++earlier) {
            if (earlier == ExpectedLanguage()) continue;
            SCOPED_TRACE(std::string(modern ? "5.x player" : "2.x player") + ", earlier language " + std::to_string(earlier));
            PluginRun run(modern ? host::ModernPlayer() : host::HostOptions{},
                          (modern ? "modern" : "classic") + std::to_string(earlier));
            const HMENU menu = run.host->MainMenu();
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(menu, MF_STRING, 1975, entryCaptions[earlier][0]);
            AppendMenuA(menu, MF_STRING, 2521, entryCaptions[earlier][1]);
            ASSERT_EQ(run.Start(), 0);
            run.host->OpenMainMenu();
            run.host->OpenMainMenu();
            ExpectEntriesAtTheEnd(menu);
        }
    }
}

// Every way of opening raises a dialog that is already open; the host still
// sees each command.
TEST(HostMenu, OpenOrRaiseMakesOneDialogOfEachKind) {
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    host::EmulatedHost& host = *run.host;
    host.SendCommand(1975);
    host.Config();
    host.SendCommand(1975);
    host.SendCommand(2521);
    host.SendCommand(2521);
    host.SendCommand(40012);
    EXPECT_EQ(host.hostCommands, (std::vector<int>{1975, 1975, 2521, 2521, 40012}));
    EXPECT_EQ(CountDialogs(host, configMarker), 1);
    EXPECT_EQ(CountDialogs(host, aboutMarker), 1);

    const HWND config = FindDialog(host, configMarker);
    Click(config, 2);
    host.Config();
    const HWND reopened = FindDialog(host, configMarker);
    EXPECT_NE(reopened, nullptr);
    EXPECT_EQ(CountDialogs(host, configMarker), 1);
}

TEST(HostMenu, AboutDialogClosesOnlyByItsButton) {
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    run.host->SendCommand(2521);
    const HWND about = FindDialog(*run.host, aboutMarker);
    ASSERT_NE(about, nullptr);
    Notify(about, IDCANCEL, BN_CLICKED);
    Notify(about, IDOK, BN_CLICKED);
    SendMessageA(about, WM_CLOSE, 0, 0);
    SendMessageA(about, WM_KEYDOWN, VK_ESCAPE, 0);
    run.host->PumpMessages();
    EXPECT_TRUE(IsWindow(about));
    Click(about, 1045);
    EXPECT_FALSE(IsWindow(about));
    run.host->SendCommand(2521);
    EXPECT_NE(FindDialog(*run.host, aboutMarker), nullptr);
}

// The host may unload the module right after quit: nothing of it may stay
// on screen, and the settings the dialog held uncommitted are not saved.
TEST(HostMenu, QuitDestroysOpenDialogs) {
    PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    run.host->SendCommand(1975);
    run.host->SendCommand(2521);
    const HWND config = FindDialog(*run.host, configMarker);
    const HWND about = FindDialog(*run.host, aboutMarker);
    ASSERT_TRUE(config && about);
    Click(config, 1000);
    run.host->Quit();
    EXPECT_FALSE(IsWindow(config));
    EXPECT_FALSE(IsWindow(about));
    EXPECT_EQ(run.scratch.IniValue("Enabled"), "1");
    run.host->Unload();
    run.host->PumpMessages();
}

// Window and dialog callbacks may swallow a fault; this sees it first.
int accessViolations = 0;
LONG CALLBACK CountAccessViolations(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++accessViolations;
    return EXCEPTION_CONTINUE_SEARCH;
}

// A chooser runs its own message loop inside the dialog, so the host may
// quit and free the module while one is open; closing it afterwards must
// return into code that is still there.
TEST(HostMenu, QuitWhileAChooserIsOpen) {
    void* watcher = AddVectoredExceptionHandler(1, CountAccessViolations);
    for (int button : {1013, 1034}) {
        SCOPED_TRACE(button);
        ConfigRun config("", {}, std::to_string(button));
        ASSERT_NE(config.dialog, nullptr);
        host::EmulatedHost& host = config.Host();
        const HWND dialog = config.dialog;
        host.modalHandler = [&host](HWND chooser) {
            host.Quit();
            host.Unload();
            PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        };
        accessViolations = 0;
        if (button == 1013)
            Click(dialog, button);
        else
            Notify(dialog, button, STN_CLICKED);
        EXPECT_EQ(accessViolations, 0);
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_EQ(host.Module(), nullptr);
    }
    RemoveVectoredExceptionHandler(watcher);
}

}  // namespace
