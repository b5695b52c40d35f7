// The scripted demo: the real plug-in in the emulated player, a picture per
// scene and the frames of two scrolling titles.
#include "demo_scenes.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "demo_player.h"
#include "demo_skin.h"
#include "emulated_host.h"
#include "skin_files.h"

namespace demo {

namespace {

using host::MainMode;
using host::PlayState;

constexpr int ticksPerFrame = 2;        // the demo's ScrollRate
constexpr int gifDelayCs = ticksPerFrame * 25 / 10;

// Faces with Japanese, Cyrillic and Greek, for the 5.x player's scenes.
// WenQuanYi Zen Hei draws its regular weight from embedded bitmaps between
// about 9 and 16 pixels, which lose strokes (田 reads as 山, hyphens vanish):
// AR PL UMing TW keeps every stroke at the normal size, WenQuanYi is used only
// in double size (24 pixels, from outlines), and the playlist line, which
// shows the Greek title, is in DejaVu Sans (UMing's Greek letters are as wide
// as its ideographs); the Cyrillic and Greek scenes wear a look whose
// override file picks DejaVu Sans for the title too.
constexpr char unicodeFonts[] =
    "FontFace=AR PL UMing TW\r\nFontSize=9\r\nDS_FontFace=WenQuanYi Zen Hei\r\nDS_FontSize=18\r\n"
    "DS_FontBold=0\r\nPE_FontFace=DejaVu Sans\r\nPE_FontSize=8\r\n";

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

struct DialogSearch {
    HWND owner;
    int marker;
    HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<DialogSearch*>(data);
    if (GetWindow(window, GW_OWNER) == search->owner && GetDlgItem(window, search->marker)) search->found = window;
    return search->found == nullptr;
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
    // Lets queued paints, resizes and skin loads happen, then ticks once per
    // composed frame: every event that changes the title restarts its scroll,
    // and the first frame after a restart shows the title's start, so a long
    // title is caught at its start, not part-way through.
    void SettleAtScrollStart() {
        player_.PumpMessages();
        player_.Tick(1);
        player_.PumpMessages();
        player_.Tick(ticksPerFrame - 1);
    }
    // A scene: its first frame, then its picture.
    void Shoot(const char* name, const std::string& what) {
        SettleAtScrollStart();
        SaveMain(name, what);
    }
    void ShootWithPlaylist(const char* name, const std::string& what) {
        SettleAtScrollStart();
        SaveWithPlaylist(name, what);
    }
    // The playlist editor shaded for its picture, and open again after.
    void ShootShadedPlaylist(const char* name, const std::string& what) {
        player_.SetPlaylistSize(275, 14);
        ShootWithPlaylist(name, what);
        player_.SetPlaylistSize(275, 232);
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

    // The configuration and About dialogs as the menu opens them, in the
    // language of the user's interface (`language`, for the file names).
    void ShootDialogs(const char* language) {
        const struct {
            int command;
            int marker;   // a control only that dialog has
            const char* name;
        } dialogs[] = {{1975, 1018, "dialog-config"}, {2521, 1045, "dialog-about"}};
        for (const auto& d : dialogs) {
            player_.SendCommand(d.command);
            player_.PumpMessages();
            const HWND dialog = OwnedDialog(d.marker);
            const std::string name = std::string(d.name) + "-" + language + ".png";
            host::Image picture;
            if (dialog) {
                RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
                RECT r = {};
                GetWindowRect(dialog, &r);
                HDC dc = GetWindowDC(dialog);
                picture = host::CaptureDC(dc, 0, 0, r.right - r.left, r.bottom - r.top);
                ReleaseDC(dialog, dc);
            }
            // Its title as UTF-8, as the other lines print.
            wchar_t title[128] = L"";
            char bytes[384] = "";
            if (dialog) GetWindowTextW(dialog, title, 128);
            WideCharToMultiByte(CP_UTF8, 0, title, -1, bytes, sizeof bytes, nullptr, nullptr);
            Save(name.c_str(), picture, std::string("the dialog \"") + bytes + "\" from the player's menu");
            if (dialog) SendDlgItemMessageA(dialog, d.marker == 1018 ? IDCANCEL : d.marker, BM_CLICK, 0, 0);
            player_.PumpMessages();
        }
    }

    int Failed() const { return failed_; }
    int Saved() const { return saved_; }

private:
    // The plug-in's dialog owned by the player's main window that holds `marker`.
    HWND OwnedDialog(int marker) const {
        DialogSearch search = {player_.Main(), marker, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    host::EmulatedHost& player_;
    std::string folder_;
    int saved_ = 0;
    int failed_ = 0;
};

}  // namespace

int RunDemo(const std::string& folder, bool readmeOnly) {
    const std::string dll = PrepareRun(folder);
    if (dll.empty()) return 1;
    host::HostOptions options;
    options.skinnedFace = true;
    host::EmulatedHost player(options);
    if (!StartPlugin(player, dll, SkinFolder(folder, "dusk"))) return 1;
    Demo demo(player, folder);
    std::printf("Scenes (the real gen_qlv.dll in the emulated player, code page %u):\n", GetACP());

    demo.UseLook("dusk");
    Play(player, 0);
    demo.Settle(45);   // past the plug-in's start-up title
    if (!readmeOnly) {
        demo.SaveMain("01-playing.png", "caption \"Ostara Vale - Lanterns - Winamp\": tail trimmed, <4:05> added");
        Play(player, 1);   // no tick between: the picture is taken as the play command returns
        demo.SaveMain("02-next-track.png", "track change, the instant play returns: \"Hollow Pines - Amber\" <3:12>");
        Play(player, 1, PlayState::Paused);
        demo.Shoot("03-paused.png", "caption \"... - Winamp [Paused]\": the tail is trimmed, the title stays");
        Play(player, 1, PlayState::Stopped);
        demo.Shoot("04-stopped.png", "caption \"... - Winamp [Stopped]\": trimmed the same way");
        Play(player, 0);
        player.SetMainMode(MainMode::DoubleSize);
        demo.Shoot("05-double-size.png", "double size: the 14-point bold font at (224,48)");
        player.SetMainMode(MainMode::Shaded);
        demo.Shoot("06-windowshade.png", "windowshade: the plug-in draws nothing, the title bar is the player's");
        player.SetMainMode(MainMode::Normal);
        demo.ShootShadedPlaylist("07-playlist-shaded.png", "playlist editor shaded: \"1.Ostara Vale - ...\" and 4:05 in the plug-in's line");

        demo.UseLook("dusk-shadow");
        Play(player, 1);
        demo.Shoot("08-shadow.png", "skin dusk-shadow: bold amber text, 2-pixel shadow, line height follows the font");
        demo.UseLook("dusk-skin-colours");
        Play(player, 0);
        demo.Shoot("09-skin-colours.png", "skin colours: text.bmp's six rows as a gradient on its background colour");
        demo.UseLook("dusk-transparent");
        demo.Shoot("10-transparent.png", "transparent: the skin's own title panel behind the text");
    }

    demo.UseLook("jade-chinese");
    if (!readmeOnly) {
        Play(player, chineseTrack);
        demo.Shoot("11-chinese.png", "skin jade, Big5 title in AR PL UMing TW: Autumn at the wishing pool <3:34>");
    }
    player.SetMainMode(MainMode::DoubleSize);
    Play(player, chineseTrack + 1);
    demo.Shoot("12-chinese-double.png", "double size, Big5: Night rain - lights of the city <4:23>");
    player.SetMainMode(MainMode::Normal);
    if (!readmeOnly) {
        demo.ShootShadedPlaylist("13-chinese-playlist.png", "playlist line in Chinese: \"5.\" + the Big5 entry and 4:23");

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
    }

    // The same title in the same face, one bit deep and then smooth, at both sizes.
    for (const bool doubled : {false, true}) {
        if (readmeOnly && !doubled) continue;
        player.SetMainMode(doubled ? MainMode::DoubleSize : MainMode::Normal);
        demo.UseLook("dusk-italic");
        Play(player, 1);
        demo.Shoot(doubled ? "26-one-bit-double.png" : "24-one-bit.png",
                   "DejaVu Sans italic, shadow 1, one-bit edges" + std::string(doubled ? ", double size" : ""));
        demo.UseLook("dusk-italic-smooth");
        demo.Shoot(doubled ? "27-smooth-double.png" : "25-smooth.png",
                   "the same with Smooth=1: edges blended over the background and the shadow");
    }
    player.SetMainMode(MainMode::Normal);
    if (!readmeOnly) demo.ShootDialogs("zh");
    return demo.Failed() == 0 ? 0 : 1;
}

// The 5.x player on a Western code page (1252): its Unicode windows and wide
// captions, titles in scripts that code page lacks, and its own caption, as
// the window stores it for the taskbar, left whole under each picture.
int RunModernDemo(const std::string& folder, bool readmeOnly) {
    const std::string dll = PrepareRun(folder, unicodeFonts);
    if (dll.empty()) return 1;
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
    if (readmeOnly) {
        demo.ShootDialogs("en");
        return demo.Failed() == 0 ? 0 : 1;
    }
    demo.SaveMain("16-modern-startup.png", "5.x player at start-up: its caption \"Winamp 5.9.2 Build 10042\" shown as it is");
    auto play = [&](int entry, int seconds, host::PlayState state = host::PlayState::Playing) {
        player.playlistPosition = entry;
        player.trackLengthSeconds = seconds;
        player.SetSongWide(player.playlist[static_cast<size_t>(entry)].wideTitle, state);
    };
    play(0, 262);
    demo.Shoot("17-modern-japanese.png", "Japanese title on code page 1252, numbered \"1. \", <4:22>; caption intact");
    player.SetMainMode(MainMode::DoubleSize);
    demo.Shoot("18-modern-japanese-double.png", "the same in double size");
    player.SetMainMode(MainMode::Normal);
    play(0, 999, host::PlayState::Paused);
    demo.Shoot("19-modern-paused.png", "a Japanese language pack's \" - Winamp [\u4e00\u6642\u505c\u6b62]\" trimmed too");
    demo.UseLook("dusk-western");   // UMing's Greek letters are drawn as a calligraphic hand
    play(1, 201);
    demo.Settle(30);
    player.RepeatCaption();   // as after a volume change
    demo.Shoot("20-modern-cyrillic.png", "Cyrillic title, scrolling; the player sets the caption again: no jump");
    play(2, 187);
    player.SetPlaylistSize(275, 14);
    demo.ShootWithPlaylist("21-modern-greek-playlist.png", "Greek title and the playlist line from the wide title (213)");
    player.SetPlaylistSize(275, 232);
    play(1, 201);
    demo.Settle(30);
    player.TurnWheel();
    player.Tick(20);
    demo.SaveMain("22-modern-wheel-volume.png",
                  "mouse wheel: the player's \"" + player.lastStatusText + "\" stays readable for its second");
    player.Tick(20);   // its timer 40 sets the caption again
    demo.Shoot("23-modern-after-volume.png", "a second later: the caption set again, the title back where it stood");
    demo.UseLook("dusk-smooth");
    play(0, 262);
    demo.Shoot("28-modern-japanese-smooth.png", "the Japanese title with Smooth=1: WenQuanYi Zen Hei's outlines in grey levels");
    demo.ShootDialogs("en");   // an English user's: this run's locale is English
    return demo.Failed() == 0 ? 0 : 1;
}

// The two dialogs alone, as a user of this run's language meets them;
// `language` names the pictures.
int RunDialogsDemo(const std::string& folder, const std::string& language) {
    const std::string dll = PrepareRun(folder);
    if (dll.empty()) return 1;
    host::EmulatedHost player;
    if (!StartPlugin(player, dll, SkinFolder(folder, "dusk"))) return 1;
    Demo demo(player, folder);
    std::printf("\nThe dialogs (code page %u, interface language %u):\n", GetACP(), GetUserDefaultUILanguage());
    demo.ShootDialogs(language.c_str());
    return demo.Failed() == 0 ? 0 : 1;
}

}  // namespace demo
