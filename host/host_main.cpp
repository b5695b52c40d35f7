// emulated_host_app: runs the real gen_qlv.dll in the emulated player.
//   --demo <folder>  plays a few scenes and saves a picture of the main window per scene
//   --live           opens the windows with real timers until the main window is closed
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "emulated_host.h"
#include "skin_files.h"

namespace {

struct Scene {
    const char* picture;        // file name in the demo folder
    const char* song;           // caption before the host's tail; null keeps the last one
    host::MainMode mode;
    int ticks;                  // frame ticks driven before the picture
};

constexpr char longSong[] =
    "A Very Long Song Title That Cannot Possibly Fit Into The Title Area Of The Player";

constexpr Scene scenes[] = {
    {"01-normal.png", "Artist - First Song", host::MainMode::Normal, 45},
    {"02-double.png", nullptr, host::MainMode::DoubleSize, 10},
    {"03-scroll-early.png", longSong, host::MainMode::Normal, 10},
    {"04-scroll-later.png", nullptr, host::MainMode::Normal, 120},
    {"05-shaded.png", nullptr, host::MainMode::Shaded, 10},
};

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash) *slash = '\0';
    return path;
}

// A private copy, so plugin.ini lands in the demo folder and not beside the build.
std::string CopyPlugin(const std::string& folder) {
    const std::string pluginFolder = folder + "\\plugin";
    host::MakeFolder(pluginFolder);
    const std::string dll = pluginFolder + "\\gen_qlv.dll";
    if (!CopyFileA((ProgramFolder() + "\\gen_qlv.dll").c_str(), dll.c_str(), FALSE)) return "";
    return dll;
}

bool StartPlugin(host::EmulatedHost& player, const std::string& dll) {
    player.playlist = {{"Artist - First Song"}, {longSong}, {"Third Song"}};
    player.trackLengthSeconds = 245;
    if (!player.Load(dll)) {
        std::fprintf(stderr, "cannot load %s\n", dll.c_str());
        return false;
    }
    const int refused = player.Init();
    if (refused) std::fprintf(stderr, "the plug-in refused the host (init returned %d)\n", refused);
    return refused == 0;
}

int RunDemo(const std::string& folder) {
    if (!host::MakeFolder(folder)) {
        std::fprintf(stderr, "cannot make %s\n", folder.c_str());
        return 1;
    }
    const std::string dll = CopyPlugin(folder);
    if (dll.empty()) {
        std::fprintf(stderr, "cannot copy gen_qlv.dll into %s\\plugin\n", folder.c_str());
        return 1;
    }
    host::EmulatedHost player;
    if (!StartPlugin(player, dll)) return 1;
    int saved = 0;
    for (const Scene& scene : scenes) {
        player.SetMainMode(scene.mode);
        if (scene.song) player.SetSong(scene.song);
        player.PumpMessages();
        player.Tick(scene.ticks);
        player.PumpMessages();
        player.Tick(1);   // present over whatever the host just repainted
        const host::Image picture = player.CaptureMain();
        const std::string path = folder + "\\" + scene.picture;
        const bool ok = picture.SavePng(path);
        std::printf("%s %s (%d x %d, %d ticks)\n", ok ? "saved" : "FAILED", path.c_str(), picture.width,
                    picture.height, scene.ticks + 1);
        std::fflush(stdout);
        saved += ok ? 1 : 0;
    }
    return saved == static_cast<int>(sizeof scenes / sizeof scenes[0]) ? 0 : 1;
}

int RunLive() {
    const std::string folder = ProgramFolder() + "\\live";
    const std::string dll = CopyPlugin(folder);
    if (dll.empty()) return 1;
    host::HostOptions options;
    options.liveTimers = true;
    host::EmulatedHost player(options);
    if (!StartPlugin(player, dll)) return 1;
    player.SetSong(player.playlist[0].title);
    while (!player.closeRequested && IsWindow(player.Main())) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        player.PumpMessages();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--demo") == 0) return RunDemo(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "--live") == 0) return RunLive();
    std::fprintf(stderr, "usage: emulated_host_app --demo <folder> | --live\n");
    return 2;
}
