// The soak: many ticks with everything changing, then load-unload cycles.
#include "soak_run.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "emulated_host.h"
#include "import_counter.h"
#include "plugin_folder.h"
#include "skin_files.h"

namespace soak {
namespace {

// Committed private memory of the process, summed over its address space.
// (Wine answers GetProcessMemoryInfo's private usage with 0.)
size_t PrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

// Three generated skins: one with every file and an override file, one with
// pictures only, one empty folder.
std::vector<std::string> MakeSkins(const std::string& folder) {
    std::vector<std::string> skins = {folder + "\\skin_full", folder + "\\skin_pictures",
                                      folder + "\\skin_empty"};
    for (const auto& skin : skins) host::MakeFolder(skin);
    host::Image main = host::SolidImage(275, 116, RGB(30, 40, 90));
    for (int y = 24; y < 54; ++y)
        for (int x = 112; x < 265; ++x) main.Set(x, y, RGB(x & 0xFF, y * 4, 120));
    host::Image text = host::SolidImage(155, 74, RGB(0, 0, 0));
    for (int k = 0; k < 6; ++k) text.Set(55, k, RGB(255, 40 * k, 0));
    host::WriteBmp(skins[0] + "\\main.bmp", main, 24);
    host::WriteBmp(skins[0] + "\\text.bmp", text, 8);
    host::WriteTextFile(skins[0] + "\\pledit.txt", "[Text]\r\nNormal=FFFF00\r\nNormalBG=202020\r\n");
    host::WriteTextFile(skins[0] + "\\scrivane.txt",
                        "[Option]\r\nShadow=2\r\nUseSkinColor=1\r\n[Font]\r\nPE_Scrivane=1\r\n");
    host::WriteBmp(skins[1] + "\\main.bmp", main, 32);
    host::WriteBmp(skins[1] + "\\text.bmp", text, 24);
    host::WriteBmp(skins[1] + "\\fontskin.bmp", host::SolidImage(153, 12, RGB(200, 200, 255)), 4);
    return skins;
}

struct ThreadDialogs {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0) reinterpret_cast<ThreadDialogs*>(context)->found.push_back(window);
    return TRUE;
}

// Opens the configuration dialog and the About dialog from the menu and
// closes them again as a user would.
void OpenAndCloseDialogs(host::EmulatedHost& player) {
    player.OpenMainMenu();
    player.SendCommand(1975);
    player.SendCommand(2521);
    player.PumpMessages();
    ThreadDialogs dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs.found) {
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        if (IsWindow(dialog)) SendMessageA(dialog, WM_COMMAND, 1045, 0);
    }
    player.PumpMessages();
}

void ChangeSize(host::EmulatedHost& player, int step) {
    static const host::MainMode modes[] = {host::MainMode::DoubleSize, host::MainMode::Normal,
                                           host::MainMode::Shaded,     host::MainMode::Normal,
                                           host::MainMode::Minimised,  host::MainMode::Normal,
                                           host::MainMode::DoubleShaded, host::MainMode::Normal};
    player.SetMainMode(modes[step % 8]);
    player.SetPlaylistSize(275 + (step % 3) * 300, (step % 2) ? 14 : 232);
    player.SetEqualizerDoubleSize(step % 4 == 1);
}

bool Fail(SoakFigures& figures, const char* why) {
    figures.ok = false;
    figures.failure = why;
    return false;
}

bool RunTicks(const SoakPlan& plan, const std::vector<std::string>& skins, SoakFigures& figures) {
    host::EmulatedHost player;
    for (int i = 0; i < 12; ++i)
        player.playlist.push_back({"Track " + std::to_string(i + 1) + (i % 3 ? " with a long title that scrolls across the view" : "")});
    player.skinFolder = skins[0];
    if (!player.Load(plan.folder + "\\gen_qlv.dll")) return Fail(figures, "the DLL did not load");
    host::AttachImportCounter(player.Module());
    if (player.Init() != 0) return Fail(figures, "init refused the host");
    player.SwitchSkin(skins[0]);
    player.Tick(plan.ticksPerTrack);
    OpenAndCloseDialogs(player);
    figures.gdiLiveStart = host::CurrentImportCounts().gdiLive;
    figures.memoryStart = PrivateBytes();

    int skinIndex = 0, sizeStep = 0, track = 0;
    for (int tick = 1; tick <= plan.ticks; ++tick) {
        player.Tick();
        if (tick % plan.ticksPerTrack == 0) {
            track = (track + 1) % static_cast<int>(player.playlist.size());
            player.playlistPosition = track;
            player.trackLengthSeconds = 60 + track * 37;
            const auto state = track % 5 == 4 ? host::PlayState::Paused
                               : track % 7 == 6 ? host::PlayState::Stopped : host::PlayState::Playing;
            player.SetSong(player.playlist[track].title, state);
        }
        if (tick % plan.ticksPerSkin == 0) {
            skinIndex = (skinIndex + 1) % static_cast<int>(skins.size());
            player.SwitchSkin(skins[skinIndex]);
        }
        if (tick % plan.ticksPerSizeChange == 0) ChangeSize(player, sizeStep++);
        if (tick % plan.ticksPerDialog == 0) OpenAndCloseDialogs(player);
        if (tick % 64 == 0) player.PumpMessages();
        if (plan.verbose && tick % 20000 == 0)
            std::printf("soak: %d ticks, live GDI objects %ld, private bytes %zu\n", tick,
                        host::CurrentImportCounts().gdiLive, PrivateBytes());
        figures.ticksRun = tick;
    }
    // End where it started: the first skin, normal size, dialogs closed.
    player.SetMainMode(host::MainMode::Normal);
    player.SetPlaylistSize(275, 232);
    player.SetEqualizerDoubleSize(false);
    player.SwitchSkin(skins[0]);
    OpenAndCloseDialogs(player);
    player.Tick(plan.ticksPerTrack);
    figures.gdiLiveEnd = host::CurrentImportCounts().gdiLive;
    figures.memoryAfterTicks = PrivateBytes();
    player.Quit();
    const host::ImportCounts afterQuit = host::CurrentImportCounts();
    figures.gdiLiveAfterQuit = afterQuit.gdiLive;
    figures.gdiDeleteUnknown = afterQuit.deleteUnknown;
    host::DetachImportCounter();
    player.Unload();
    return true;
}

bool RunLoadCycles(const SoakPlan& plan, const std::vector<std::string>& skins, SoakFigures& figures) {
    for (int cycle = 0; cycle < plan.loadCycles; ++cycle) {
        {
            host::EmulatedHost player;
            player.playlist.push_back({"Cycle"});
            player.skinFolder = skins[cycle % skins.size()];
            if (!player.Load(plan.folder + "\\gen_qlv.dll")) return Fail(figures, "the DLL did not load");
            if (player.Init() != 0) return Fail(figures, "init refused the host");
            player.SetSong("Cycle " + std::to_string(cycle));
            player.SwitchSkin(player.skinFolder);
            player.Tick(10);
            player.Quit();
            player.Unload();
        }
        if (cycle == 4) figures.memoryCyclesStart = PrivateBytes();
        figures.cyclesRun = cycle + 1;
    }
    figures.memoryCyclesEnd = PrivateBytes();
    return true;
}

}  // namespace

SoakFigures RunSoak(const SoakPlan& plan) {
    SoakFigures figures;
    // No plugin.ini: the plug-in's defaults, whatever an earlier run left there.
    if (host::PreparePluginFolder(plan.folder).empty()) {
        Fail(figures, "the DLL could not be copied");
        return figures;
    }
    const auto skins = MakeSkins(plan.folder);
    if (!RunTicks(plan, skins, figures)) return figures;
    if (!RunLoadCycles(plan, skins, figures)) return figures;

    // Memory may move by a page or two as the platform's own caches settle;
    // a leak per tick, per skin or per cycle shows as far more than this.
    constexpr size_t memorySlack = 512 * 1024;
    figures.ok = true;
    if (figures.gdiLiveEnd != figures.gdiLiveStart) Fail(figures, "live GDI objects grew over the ticks");
    else if (figures.gdiLiveAfterQuit != 0) Fail(figures, "quit left GDI objects alive");
    else if (figures.gdiDeleteUnknown != 0) Fail(figures, "an object was deleted twice or was never made");
    else if (figures.memoryAfterTicks > figures.memoryStart + memorySlack) Fail(figures, "memory grew over the ticks");
    else if (figures.memoryCyclesEnd > figures.memoryCyclesStart + memorySlack)
        Fail(figures, "memory grew over the load cycles");
    return figures;
}

void PrintFigures(const SoakFigures& f) {
    std::printf("soak: %d ticks, %d load-init-quit-unload cycles\n", f.ticksRun, f.cyclesRun);
    std::printf("soak: live GDI objects  start %ld  end %ld  after quit %ld  (bad deletes %ld)\n",
                f.gdiLiveStart, f.gdiLiveEnd, f.gdiLiveAfterQuit, f.gdiDeleteUnknown);
    std::printf("soak: private bytes     start %zu  after ticks %zu  (%+lld)\n", f.memoryStart,
                f.memoryAfterTicks, static_cast<long long>(f.memoryAfterTicks) - static_cast<long long>(f.memoryStart));
    std::printf("soak: private bytes     cycle 5 %zu  cycle %d %zu  (%+lld)\n", f.memoryCyclesStart, f.cyclesRun,
                f.memoryCyclesEnd,
                static_cast<long long>(f.memoryCyclesEnd) - static_cast<long long>(f.memoryCyclesStart));
    std::printf("soak: %s%s\n", f.ok ? "PASS" : "FAIL: ", f.ok ? "" : f.failure.c_str());
}

}  // namespace soak
