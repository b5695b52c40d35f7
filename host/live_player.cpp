// The live player: the real plug-in in the emulated player with real timers,
// the player's keys and its right-click menu, until its window closes.
#include "live_player.h"

#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "demo_player.h"
#include "emulated_host.h"
#include "skin_files.h"

namespace demo {

namespace {

using host::MainMode;
using host::PlayState;

struct Live {
    host::EmulatedHost* player = nullptr;
    std::string folder;
    int track = 0;
    size_t look = 0;
    PlayState state = PlayState::Playing;
    bool shadedPlaylist = false;
    MainMode mode = MainMode::Normal;
};
Live live;

void LivePlay(int track, PlayState state) {
    live.track = (track + trackCount) % trackCount;
    live.state = state;
    Play(*live.player, live.track, state);
}

void LiveMode(MainMode mode) {
    live.mode = live.mode == mode ? MainMode::Normal : mode;
    live.player->SetMainMode(live.mode);
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> events;
    for (WORD key : keys) {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        INPUT up = down;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        events.push_back(down);
        events.push_back(up);
    }
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

// What a person would do, once a second: right-click the main window, pick
// the plug-in's configuration entry (second from the end of the menu), then
// right-click again and pick About (the last entry).
void CALLBACK TourTimer(HWND, UINT, UINT_PTR id, DWORD) {
    static int second = 0;
    const HWND main = live.player->Main();
    switch (++second) {
    case 4:
    case 9:
        PostMessageA(main, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 100));
        PostMessageA(main, WM_RBUTTONUP, 0, MAKELPARAM(60, 100));
        break;
    case 6:
        PressKeys({VK_UP, VK_UP, VK_RETURN});
        break;
    case 11:
        PressKeys({VK_UP, VK_RETURN});
        KillTimer(nullptr, id);
        break;
    default:
        break;
    }
}

void CALLBACK NextTrackTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (live.state == PlayState::Playing) LivePlay(live.track + 1, PlayState::Playing);
}

// The player's own keys where it has them (Z X C V B, Ctrl+D, Ctrl+W, and
// Up, Down, Left and Right, which its accelerators turn into commands that
// show a status text).
LRESULT CALLBACK LiveKeys(int code, WPARAM key, LPARAM info) {
    const bool pressed = code == HC_ACTION && !(info & 0x80000000);
    // Keys typed into the plug-in's dialogs are theirs.
    const HWND active = GetActiveWindow();
    const bool playerActive = active == live.player->Main() || active == live.player->Equalizer() ||
                              active == live.player->Playlist() || !active;
    // Up and Down also move through an open menu, which has them first.
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    const bool inMenu = GetGUIThreadInfo(GetCurrentThreadId(), &gui) && (gui.flags & GUI_INMENUMODE);
    if (pressed && playerActive && !inMenu) {
        const bool control = GetKeyState(VK_CONTROL) < 0;
        if (control && key == 'D') LiveMode(MainMode::DoubleSize);
        else if (control && key == 'W') LiveMode(MainMode::Shaded);
        else if (key == 'Z') LivePlay(live.track - 1, PlayState::Playing);
        else if (key == 'X') LivePlay(live.track, PlayState::Playing);
        else if (key == 'C') LivePlay(live.track, live.state == PlayState::Paused ? PlayState::Playing : PlayState::Paused);
        else if (key == 'V') LivePlay(live.track, PlayState::Stopped);
        else if (key == 'B') LivePlay(live.track + 1, PlayState::Playing);
        else if (key == VK_UP) live.player->SendCommand(host::volumeUpCommand);
        else if (key == VK_DOWN) live.player->SendCommand(host::volumeDownCommand);
        else if (key == VK_RIGHT) live.player->SendCommand(host::forwardCommand);
        else if (key == VK_LEFT) live.player->SendCommand(host::backCommand);
        else if (key == 'S') {
            live.look = (live.look + 1) % Looks().size();
            live.player->SwitchSkin(SkinFolder(live.folder, Looks()[live.look].folder));
            std::printf("skin %s: %s\n", Looks()[live.look].folder, Looks()[live.look].about);
            std::fflush(stdout);
        } else if (key == 'P') {
            live.shadedPlaylist = !live.shadedPlaylist;
            live.player->SetPlaylistSize(275, live.shadedPlaylist ? 14 : 232);
        } else if (key == VK_ESCAPE) live.player->closeRequested = true;
    }
    return CallNextHookEx(nullptr, code, key, info);
}

}  // namespace

int RunLive(const std::string& folder, int seconds, bool tour) {
    const std::string dll = PrepareRun(folder);
    if (dll.empty()) return 1;
    host::HostOptions options;
    options.liveTimers = true;
    options.skinnedFace = true;
    options.rightClickMenu = true;
    host::EmulatedHost player(options);
    // The font and colour choosers are the person's to answer.
    player.modalHandler = [](HWND) {};
    live.player = &player;
    live.folder = folder;
    if (!StartPlugin(player, dll, SkinFolder(folder, Looks()[0].folder))) return 1;
    player.SwitchSkin(player.skinFolder);   // the other windows take the skin too
    LivePlay(0, PlayState::Playing);
    SetForegroundWindow(player.Main());
    HHOOK keys = SetWindowsHookExA(WH_KEYBOARD, LiveKeys, nullptr, GetCurrentThreadId());
    const UINT_PTR rotation = SetTimer(nullptr, 0, 8000, NextTrackTimer);
    UINT_PTR tourTimer = 0;
    if (tour) tourTimer = SetTimer(nullptr, 0, 1000, TourTimer);
    std::printf("The player is open. Right click its main window for the menu (the plug-in's\n"
                "configuration and About entries are at the end).\n"
                "Keys: Z/B previous/next track, X play, C pause, V stop, Ctrl+D double size,\n"
                "Ctrl+W windowshade, P shade the playlist editor, S next skin, Esc quit;\n"
                "the mouse wheel or Up/Down turn the volume, Left/Right seek.\n");
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    while (!player.closeRequested && IsWindow(player.Main())) {
        DWORD wait = INFINITE;
        if (seconds > 0) {
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= static_cast<DWORD>(seconds) * 1000) break;
            wait = static_cast<DWORD>(seconds) * 1000 - elapsed;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
        player.PumpMessages();
    }
    KillTimer(nullptr, rotation);
    if (tourTimer) KillTimer(nullptr, tourTimer);
    if (keys) UnhookWindowsHookEx(keys);
    live.player = nullptr;
    return 0;
}

}  // namespace demo
