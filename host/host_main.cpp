// emulated_host_app: runs the real gen_qlv.dll in the emulated player.
//   --demo <folder>            plays the scenes, saving a picture per scene and the
//                              frames of two scrolling titles into <folder>
//   --demo-modern <folder>     the 5.x player's scenes (Unicode windows and titles)
//   --live <folder> [seconds [tour]]
//                              opens the player with real timers until its main
//                              window is closed (or for `seconds`); a right click
//                              on the main window opens the player's menu; `tour`
//                              opens the menu and from it the configuration dialog
//                              (at 4 to 6 s) and the About dialog (at 9 to 11 s),
//                              for a display nobody watches
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "demo_skin.h"
#include "emulated_host.h"
#include "skin_files.h"

namespace {

using host::MainMode;
using host::PlayState;

struct Track {
    const char* title;   // bytes in code page 950 where not plain ASCII
    int seconds;
};

// Traditional Chinese titles as Big5 bytes (made once with iconv -t BIG5),
// since the player hands the plug-in its ANSI caption.
constexpr Track tracks[] = {
    {"Ostara Vale - Lanterns", 245},
    {"Hollow Pines - Amber", 192},
    {"The Quiet Cartographers - Every Road We Never Took (Slow Night Version)", 431},
    // 許願池的秋天 ("Autumn at the wishing pool"); the first character's second byte is 0x5C, a backslash
    {"\xb3\x5c\xc4\x40\xa6\xc0\xaa\xba\xac\xee\xa4\xd1", 214},
    // 夜雨 - 城市的燈火 ("Night rain - lights of the city")
    {"\xa9\x5d\xab\x42 - \xab\xb0\xa5\xab\xaa\xba\xbf\x4f\xa4\xf5", 263},
    // 青鳥樂團 - 我們在雨中慢慢走回那條熟悉的老街，直到天亮
    // ("Bluebird Band - We walk slowly back through the rain to the old street we know, until dawn")
    {"\xab\x43\xb3\xbe\xbc\xd6\xb9\xce - \xa7\xda\xad\xcc\xa6\x62\xab\x42\xa4\xa4\xba\x43\xba\x43\xa8\xab\xa6\x5e"
     "\xa8\xba\xb1\xf8\xbc\xf4\xb1\x78\xaa\xba\xa6\xd1\xb5\xf3\xa1\x41\xaa\xbd\xa8\xec\xa4\xd1\xab\x47",
     338},
};
constexpr int trackCount = static_cast<int>(sizeof tracks / sizeof tracks[0]);
constexpr int longTrack = 2, chineseTrack = 3, chineseLongTrack = 5;

// Settings beside the DLL: smooth scrolling (2 px every 2 ticks of 25 ms), the
// playlist line on, ice-blue text on the panel's night blue.
constexpr char pluginIni[] =
    "[Qelvar Scrivane II]\r\n"
    "ScrollRate=2\r\nScrollPixel=2\r\nPE_Scrivane=1\r\n"
    "TextColor=a8e6ff\r\nBkColor=0a0c1c\r\nShadowColor=000000\r\n";
constexpr int ticksPerFrame = 2;        // ScrollRate above
constexpr int gifDelayCs = ticksPerFrame * 25 / 10;

// A face with Japanese, Cyrillic and Greek, for the 5.x player's scenes.
constexpr char unicodeFonts[] =
    "FontFace=WenQuanYi Zen Hei\r\nFontSize=9\r\nDS_FontFace=WenQuanYi Zen Hei\r\nDS_FontSize=18\r\n"
    "DS_FontBold=0\r\nPE_FontFace=WenQuanYi Zen Hei\r\nPE_FontSize=8\r\n";

constexpr char chineseFonts[] =
    "[Option]\r\nAutoAdjust=1\r\nTextColor=c8fae6\r\nBkColor=04100d\r\n"
    "[Font]\r\nFontFace=AR PL UMing TW\r\nFontSize=9\r\n"
    "DS_FontFace=AR PL UMing TW\r\nDS_FontSize=18\r\nDS_FontBold=0\r\n"
    "PE_FontFace=AR PL UMing TW\r\nPE_FontSize=8\r\n";

// Each look is a skin folder: the bitmaps of a palette, and the plug-in's
// settings for that skin in its scrivane.txt.
struct Look {
    const char* folder;
    const host::SkinPalette* palette;
    std::string overrides;
    const char* about;
};

const std::vector<Look>& Looks() {
    static const std::vector<Look> looks = {
        {"dusk", &host::duskPalette, "", "Dusk, settings from plugin.ini"},
        {"dusk-shadow", &host::duskPalette,
         "[Option]\r\nShadow=2\r\nAutoAdjust=1\r\nTextColor=ffe08a\r\nBkColor=3a3e78\r\nShadowColor=0a0a18\r\n"
         "[Font]\r\nFontBold=1\r\n",
         "Dusk, bold amber text with a 2-pixel shadow"},
        {"dusk-skin-colours", &host::duskPalette, "[Option]\r\nUseSkinColor=1\r\n",
         "Dusk, text coloured by the skin's text.bmp gradient"},
        {"dusk-transparent", &host::duskPalette,
         "[Option]\r\nTransparent=1\r\nUseSkinColor=1\r\nShadow=1\r\nAutoAdjust=1\r\n",
         "Dusk, transparent over the skin's title panel"},
        {"jade-chinese", &host::jadePalette, chineseFonts, "Jade, AR PL UMing TW fonts for Big5 titles"},
        {"jade-back-and-forth", &host::jadePalette, std::string(chineseFonts) + "[Plugin]\r\nScrollType=1\r\n",
         "Jade, Chinese fonts, back-and-forth scrolling"},
    };
    return looks;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash) *slash = '\0';
    return path;
}

// A private copy with its own plugin.ini, so nothing lands beside the build.
std::string InstallPlugin(const std::string& folder) {
    const std::string pluginFolder = folder + "\\plugin";
    host::MakeFolder(pluginFolder);
    const std::string dll = pluginFolder + "\\gen_qlv.dll";
    if (!CopyFileA((ProgramFolder() + "\\gen_qlv.dll").c_str(), dll.c_str(), FALSE)) return "";
    if (!host::WriteTextFile(pluginFolder + "\\plugin.ini", pluginIni)) return "";
    return dll;
}

bool WriteSkins(const std::string& folder) {
    bool ok = true;
    for (const Look& look : Looks())
        ok = host::WriteDemoSkin(folder + "\\skins\\" + look.folder, *look.palette, look.overrides) && ok;
    return ok;
}

std::string SkinFolder(const std::string& folder, const char* look) {
    return folder + "\\skins\\" + look;
}

bool StartPlugin(host::EmulatedHost& player, const std::string& dll, const std::string& firstSkin) {
    for (const Track& track : tracks) player.playlist.push_back({track.title});
    player.skinFolder = firstSkin;
    if (!player.Load(dll)) {
        std::fprintf(stderr, "cannot load %s\n", dll.c_str());
        return false;
    }
    const int refused = player.Init();
    if (refused) std::fprintf(stderr, "the plug-in refused the host (init returned %d)\n", refused);
    return refused == 0;
}

void Play(host::EmulatedHost& player, int track, PlayState state = PlayState::Playing) {
    player.playlistPosition = track;
    player.trackLengthSeconds = tracks[track].seconds;
    player.SetSong(tracks[track].title, state);
    InvalidateRect(player.Playlist(), nullptr, FALSE);   // the current entry moves
}

// Side by side is too wide for a viewer; the playlist editor goes below the main window.
host::Image Stack(const host::Image& top, const host::Image& bottom) {
    constexpr int gap = 6;
    host::Image both = host::SolidImage(std::max(top.width, bottom.width), top.height + gap + bottom.height,
                                        host::captionBandColour);
    for (int y = 0; y < top.height; ++y)
        for (int x = 0; x < top.width; ++x) both.Set(x, y, top.At(x, y));
    for (int y = 0; y < bottom.height; ++y)
        for (int x = 0; x < bottom.width; ++x) both.Set(x, top.height + gap + y, bottom.At(x, y));
    return both;
}

class Demo {
public:
    Demo(host::EmulatedHost& player, std::string folder) : player_(player), folder_(std::move(folder)) {}

    // Lets queued paints and resizes happen, runs `ticks` frame ticks, and one
    // more so the frame lies over whatever the host repainted meanwhile.
    void Settle(int ticks) {
        player_.PumpMessages();
        player_.Tick(ticks);
        player_.PumpMessages();
        player_.Tick(1);
    }

    void UseLook(const char* look) {
        player_.SwitchSkin(SkinFolder(folder_, look));
        player_.PumpMessages();
    }

    void Save(const char* name, const host::Image& picture, const std::string& what) {
        const std::string path = folder_ + "\\" + name;
        const bool ok = picture.SavePng(path);
        std::printf("%-28s %s (%d x %d)\n", ok ? name : "FAILED", what.c_str(), picture.width, picture.height);
        std::fflush(stdout);
        ++(ok ? saved_ : failed_);
    }
    // The player's caption goes under each picture: what the plug-in was given.
    host::Image WithCaption(const host::Image& picture) {
        const int width = std::max(picture.width, 275);
        if (player_.Modern()) return Stack(picture, host::CaptionBand(player_.StoredCaption(), width));
        return Stack(picture, host::CaptionBand(player_.Caption(), width));
    }
    void SaveMain(const char* name, const std::string& what) { Save(name, WithCaption(player_.CaptureMain()), what); }
    void SaveWithPlaylist(const char* name, const std::string& what) {
        Save(name, WithCaption(Stack(player_.CaptureMain(), player_.CapturePlaylist())), what);
    }

    // Saves one frame per composed step of the title until the picture comes
    // back to the first one (or `limit` frames), for an animated picture.
    // Returns the number of frames.
    int SaveFrames(const char* sequence, int limit) {
        const std::string frames = folder_ + "\\frames-" + sequence;
        host::MakeFolder(frames);
        host::WriteTextFile(frames + "\\delay", std::to_string(gifDelayCs) + "\n");
        const host::Image first = player_.CaptureMain();
        bool left = false;
        int count = 0;
        for (host::Image frame = first; count < limit; ++count) {
            char name[32];
            std::snprintf(name, sizeof name, "\\frame-%04d.png", count);
            if (!frame.SavePng(frames + name)) {
                ++failed_;
                break;
            }
            player_.Tick(ticksPerFrame);
            frame = player_.CaptureMain();
            const bool same = frame.pixels == first.pixels;
            if (left && same) {
                ++count;
                break;
            }
            left = left || !same;
        }
        std::printf("%-28s %d frames of the scrolling title, %d ms apart\n", (std::string("frames-") + sequence).c_str(),
                    count, ticksPerFrame * 25);
        std::fflush(stdout);
        return count;
    }

    void CopyFrame(const char* sequence, int index, const char* name, const std::string& what) {
        char frame[64];
        std::snprintf(frame, sizeof frame, "\\frames-%s\\frame-%04d.png", sequence, index);
        const bool ok = CopyFileA((folder_ + frame).c_str(), (folder_ + "\\" + name).c_str(), FALSE);
        std::printf("%-28s %s (frame %d)\n", ok ? name : "FAILED", what.c_str(), index);
        std::fflush(stdout);
        ++(ok ? saved_ : failed_);
    }

    int Failed() const { return failed_; }
    int Saved() const { return saved_; }

private:
    host::EmulatedHost& player_;
    std::string folder_;
    int saved_ = 0;
    int failed_ = 0;
};

int RunDemo(const std::string& folder) {
    if (!host::MakeFolder(folder) || !WriteSkins(folder)) {
        std::fprintf(stderr, "cannot write the skins into %s\\skins\n", folder.c_str());
        return 1;
    }
    const std::string dll = InstallPlugin(folder);
    if (dll.empty()) {
        std::fprintf(stderr, "cannot install gen_qlv.dll into %s\\plugin\n", folder.c_str());
        return 1;
    }
    host::HostOptions options;
    options.skinnedFace = true;
    host::EmulatedHost player(options);
    if (!StartPlugin(player, dll, SkinFolder(folder, "dusk"))) return 1;
    Demo demo(player, folder);
    std::printf("Scenes (the real gen_qlv.dll in the emulated player, code page %u):\n", GetACP());

    demo.UseLook("dusk");
    Play(player, 0);
    demo.Settle(45);   // past the plug-in's start-up title
    demo.SaveMain("01-playing.png", "caption \"Ostara Vale - Lanterns - Winamp\": tail trimmed, <4:05> added");
    Play(player, 1);
    demo.Settle(4);
    demo.SaveMain("02-next-track.png", "track change: \"Hollow Pines - Amber\" <3:12>");
    Play(player, 1, PlayState::Paused);
    demo.Settle(4);
    demo.SaveMain("03-paused.png", "caption \"... - Winamp [Paused]\": the tail is trimmed, the title stays");
    Play(player, 1, PlayState::Stopped);
    demo.Settle(4);
    demo.SaveMain("04-stopped.png", "caption \"... - Winamp [Stopped]\": trimmed the same way");
    Play(player, 0);
    player.SetMainMode(MainMode::DoubleSize);
    demo.Settle(4);
    demo.SaveMain("05-double-size.png", "double size: the 14-point bold font at (224,48)");
    player.SetMainMode(MainMode::Shaded);
    demo.Settle(4);
    demo.SaveMain("06-windowshade.png", "windowshade: the plug-in draws nothing, the title bar is the player's");
    player.SetMainMode(MainMode::Normal);
    player.SetPlaylistSize(275, 14);
    demo.Settle(4);
    demo.SaveWithPlaylist("07-playlist-shaded.png", "playlist editor shaded: \"1.Ostara Vale - ...\" and 4:05 in the plug-in's line");
    player.SetPlaylistSize(275, 232);

    demo.UseLook("dusk-shadow");
    Play(player, 1);
    demo.Settle(4);
    demo.SaveMain("08-shadow.png", "skin dusk-shadow: bold amber text, 2-pixel shadow, line height follows the font");
    demo.UseLook("dusk-skin-colours");
    Play(player, 0);
    demo.Settle(4);
    demo.SaveMain("09-skin-colours.png", "skin colours: text.bmp's six rows as a gradient on its background colour");
    demo.UseLook("dusk-transparent");
    demo.Settle(4);
    demo.SaveMain("10-transparent.png", "transparent: the skin's own title panel behind the text");

    demo.UseLook("jade-chinese");
    Play(player, chineseTrack);
    demo.Settle(4);
    demo.SaveMain("11-chinese.png", "skin jade, Big5 title in AR PL UMing TW: Autumn at the wishing pool <3:34>");
    player.SetMainMode(MainMode::DoubleSize);
    Play(player, chineseTrack + 1);
    demo.Settle(4);
    demo.SaveMain("12-chinese-double.png", "double size, Big5: Night rain - lights of the city <4:23>");
    player.SetMainMode(MainMode::Normal);
    player.SetPlaylistSize(275, 14);
    demo.Settle(4);
    demo.SaveWithPlaylist("13-chinese-playlist.png", "playlist line in Chinese: \"5.\" + the Big5 entry and 4:23");
    player.SetPlaylistSize(275, 232);

    demo.UseLook("dusk");
    Play(player, longTrack);
    demo.Settle(ticksPerFrame);
    const int wrapFrames = demo.SaveFrames("wrap", 900);
    // About 90 pixels before the end of the strip: the end of the title, the
    // separator and the start again in one view.
    demo.CopyFrame("wrap", std::max(0, wrapFrames - 1 - 90 / 2), "14-wrap-around.png",
                   "wrap-around: the end, the separator \"   ---   \" and the start again");

    demo.UseLook("jade-back-and-forth");
    Play(player, chineseLongTrack);
    demo.Settle(ticksPerFrame);
    const int bounceFrames = demo.SaveFrames("back-and-forth", 900);
    demo.CopyFrame("back-and-forth", bounceFrames / 2, "15-back-and-forth.png",
                   "back and forth: a long Big5 title at its far end, <5:38> in view");
    return demo.Failed() == 0 ? 0 : 1;
}

// The 5.x player on a Western code page (1252): its Unicode windows and wide
// captions, titles in scripts that code page lacks, and its own caption, as
// the window stores it for the taskbar, left whole under each picture.
int RunModernDemo(const std::string& folder) {
    if (!host::MakeFolder(folder) || !WriteSkins(folder)) {
        std::fprintf(stderr, "cannot write the skins into %s\\skins\n", folder.c_str());
        return 1;
    }
    const std::string dll = InstallPlugin(folder);
    if (dll.empty() || !host::WriteTextFile(folder + "\\plugin\\plugin.ini", std::string(pluginIni) + unicodeFonts))
        return 1;
    host::HostOptions options = host::ModernPlayer();
    options.skinnedFace = true;
    options.pausedWord = L"\u4e00\u6642\u505c\u6b62";   // 一時停止, a Japanese language pack's word
    host::EmulatedHost player(options);
    const std::wstring japanese = L"\u5b87\u591a\u7530\u30d2\u30ab\u30eb - \u82b1\u675f\u3092\u541b\u306b";
    const std::wstring cyrillic = L"\u041a\u0438\u043d\u043e - \u0417\u0432\u0435\u0437\u0434\u0430 "
                                  L"\u043f\u043e \u0438\u043c\u0435\u043d\u0438 \u0421\u043e\u043b\u043d\u0446\u0435";
    const std::wstring greek = L"\u039c\u03b1\u03bd\u03bf\u03c2 \u03a7\u03b1\u03c4\u03b6\u03b9\u03b4\u03b1\u03ba\u03b9\u03c2";
    for (const std::wstring& title : {japanese, cyrillic, greek}) player.playlist.push_back({"", false, title});
    player.skinFolder = SkinFolder(folder, "dusk");
    if (!player.Load(dll) || player.Init() != 0) {
        std::fprintf(stderr, "the plug-in did not start in the 5.x player\n");
        return 1;
    }
    Demo demo(player, folder);
    std::printf("\nThe 5.x player (Unicode windows, code page %u):\n", GetACP());
    demo.UseLook("dusk");
    demo.Settle(45);
    demo.SaveMain("16-modern-startup.png", "5.x player at start-up: its caption \"Winamp 5.9.2 Build 10042\" shown as it is");
    auto play = [&](int entry, int seconds, host::PlayState state = host::PlayState::Playing) {
        player.playlistPosition = entry;
        player.trackLengthSeconds = seconds;
        player.SetSongWide(player.playlist[static_cast<size_t>(entry)].wideTitle, state);
    };
    play(0, 262);
    demo.Settle(4);
    demo.SaveMain("17-modern-japanese.png", "Japanese title on code page 1252, numbered \"1. \", <4:22>; caption intact");
    player.SetMainMode(MainMode::DoubleSize);
    demo.Settle(4);
    demo.SaveMain("18-modern-japanese-double.png", "the same in double size");
    player.SetMainMode(MainMode::Normal);
    play(0, 999, host::PlayState::Paused);
    demo.Settle(4);
    demo.SaveMain("19-modern-paused.png", "a Japanese language pack's \" - Winamp [\u4e00\u6642\u505c\u6b62]\" trimmed too");
    play(1, 201);
    demo.Settle(30);
    player.RepeatCaption();   // as after a volume change
    demo.Settle(4);
    demo.SaveMain("20-modern-cyrillic.png", "Cyrillic title, scrolling; the player sets the caption again: no jump");
    play(2, 187);
    player.SetPlaylistSize(275, 14);
    demo.Settle(4);
    demo.SaveWithPlaylist("21-modern-greek-playlist.png", "Greek title and the playlist line from the wide title (213)");
    return demo.Failed() == 0 ? 0 : 1;
}

// --- live ----------------------------------------------------------------------

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

// The player's own keys where it has them (Z X C V B, Ctrl+D, Ctrl+W).
LRESULT CALLBACK LiveKeys(int code, WPARAM key, LPARAM info) {
    const bool pressed = code == HC_ACTION && !(info & 0x80000000);
    // Keys typed into the plug-in's dialogs are theirs.
    const HWND active = GetActiveWindow();
    const bool playerActive = active == live.player->Main() || active == live.player->Equalizer() ||
                              active == live.player->Playlist() || !active;
    if (pressed && playerActive) {
        const bool control = GetKeyState(VK_CONTROL) < 0;
        if (control && key == 'D') LiveMode(MainMode::DoubleSize);
        else if (control && key == 'W') LiveMode(MainMode::Shaded);
        else if (key == 'Z') LivePlay(live.track - 1, PlayState::Playing);
        else if (key == 'X') LivePlay(live.track, PlayState::Playing);
        else if (key == 'C') LivePlay(live.track, live.state == PlayState::Paused ? PlayState::Playing : PlayState::Paused);
        else if (key == 'V') LivePlay(live.track, PlayState::Stopped);
        else if (key == 'B') LivePlay(live.track + 1, PlayState::Playing);
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

int RunLive(const std::string& folder, int seconds, bool tour) {
    if (!host::MakeFolder(folder) || !WriteSkins(folder)) return 1;
    const std::string dll = InstallPlugin(folder);
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
                "Ctrl+W windowshade, P shade the playlist editor, S next skin, Esc quit.\n");
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

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--demo") == 0) return RunDemo(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "--demo-modern") == 0) return RunModernDemo(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "--live") == 0) {
        const std::string folder = argc >= 3 ? argv[2] : ProgramFolder() + "\\live";
        const bool tour = argc >= 5 && std::strcmp(argv[4], "tour") == 0;
        return RunLive(folder, argc >= 4 ? std::atoi(argv[3]) : 0, tour);
    }
    std::fprintf(stderr, "usage: emulated_host_app --demo <folder> | --live [<folder> [seconds [tour]]]\n");
    return 2;
}
