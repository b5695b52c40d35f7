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

// Bytes handed out and not yet freed, summed block by block over every heap
// of the process: it moves by the byte where committed pages move by 64 KiB.
size_t HeapBytesInUse() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    size_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

struct Sample {
    double tick, privateBytes, heapBytes;
};

// The least-squares slope of `value` over the ticks: growth per tick that a
// single early or late reading cannot fake.
double Slope(const std::vector<Sample>& samples, double Sample::*value) {
    const double n = static_cast<double>(samples.size());
    if (n < 2) return 0;
    double meanTick = 0, meanValue = 0;
    for (const Sample& s : samples) {
        meanTick += s.tick / n;
        meanValue += s.*value / n;
    }
    double covariance = 0, variance = 0;
    for (const Sample& s : samples) {
        covariance += (s.tick - meanTick) * (s.*value - meanValue);
        variance += (s.tick - meanTick) * (s.tick - meanTick);
    }
    return variance > 0 ? covariance / variance : 0;
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
    std::vector<Sample> samples;
    const int sampleEvery = plan.ticks / (plan.samples > 1 ? plan.samples : 1) + 1;
    auto takeSample = [&](int tick) {
        if (!plan.keepHostLogs) {
            player.ForgetLogs();
            host::ForgetImportLogs();
        }
        samples.push_back({static_cast<double>(tick), static_cast<double>(PrivateBytes()),
                           static_cast<double>(HeapBytesInUse())});
    };
    samples.reserve(static_cast<size_t>(plan.ticks / sampleEvery + 2));
    takeSample(0);
    figures.memoryStart = static_cast<size_t>(samples[0].privateBytes);
    figures.heapStart = static_cast<size_t>(samples[0].heapBytes);

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
        if (tick % sampleEvery == 0) takeSample(tick);
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
    takeSample(plan.ticks);
    figures.memoryAfterTicks = static_cast<size_t>(samples.back().privateBytes);
    figures.heapAfterTicks = static_cast<size_t>(samples.back().heapBytes);
    figures.samples = static_cast<int>(samples.size());
    figures.privateBytesPerTick = Slope(samples, &Sample::privateBytes);
    figures.heapBytesPerTick = Slope(samples, &Sample::heapBytes);
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

struct Verdict {
    std::string target, figure;
    bool met;
};

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// One line per target, in the order a reader checks them.
std::vector<Verdict> Verdicts(const SoakFigures& f) {
    const double ticks = f.ticksRun > 0 ? f.ticksRun : 1;
    const double privateLimit = privateSlopeLimit + 1.5 * commitStep / ticks;
    const long long cycleGrowth =
        static_cast<long long>(f.memoryCyclesEnd) - static_cast<long long>(f.memoryCyclesStart);
    return {
        {"live GDI objects flat over the ticks (end = start)", Format("%+.0f", f.gdiLiveEnd - f.gdiLiveStart),
         f.gdiLiveEnd == f.gdiLiveStart},
        {"no GDI object alive after quit", Format("%.0f", f.gdiLiveAfterQuit), f.gdiLiveAfterQuit == 0},
        {"no delete of an object never made or gone", Format("%.0f", f.gdiDeleteUnknown), f.gdiDeleteUnknown == 0},
        {Format("heap bytes in use, slope <= %.1f byte/tick", heapSlopeLimit),
         Format("%+.3f bytes/tick", f.heapBytesPerTick), f.heapBytesPerTick <= heapSlopeLimit},
        {Format("private bytes, slope <= %.2f bytes/tick", privateLimit),
         Format("%+.3f bytes/tick", f.privateBytesPerTick), f.privateBytesPerTick <= privateLimit},
        {"private bytes over the load cycles <= +512 KiB", Format("%+.0f bytes", static_cast<double>(cycleGrowth)),
         cycleGrowth <= static_cast<long long>(cycleMemorySlack)},
    };
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
    figures.ok = true;
    for (const Verdict& v : Verdicts(figures)) {
        if (v.met) continue;
        Fail(figures, v.target.c_str());
        break;
    }
    return figures;
}

void PrintFigures(const SoakFigures& f) {
    std::printf("soak: %d ticks, %d load-init-quit-unload cycles\n", f.ticksRun, f.cyclesRun);
    std::printf("soak: live GDI objects  start %ld  end %ld  after quit %ld  (bad deletes %ld)\n",
                f.gdiLiveStart, f.gdiLiveEnd, f.gdiLiveAfterQuit, f.gdiDeleteUnknown);
    std::printf("soak: private bytes     start %zu  after ticks %zu  (%+lld)  slope %+.3f bytes/tick\n",
                f.memoryStart, f.memoryAfterTicks,
                static_cast<long long>(f.memoryAfterTicks) - static_cast<long long>(f.memoryStart),
                f.privateBytesPerTick);
    std::printf("soak: heap bytes in use start %zu  after ticks %zu  (%+lld)  slope %+.3f bytes/tick"
                "  (%d samples)\n", f.heapStart, f.heapAfterTicks,
                static_cast<long long>(f.heapAfterTicks) - static_cast<long long>(f.heapStart),
                f.heapBytesPerTick, f.samples);
    std::printf("soak: private bytes     cycle 5 %zu  cycle %d %zu  (%+lld)\n", f.memoryCyclesStart, f.cyclesRun,
                f.memoryCyclesEnd,
                static_cast<long long>(f.memoryCyclesEnd) - static_cast<long long>(f.memoryCyclesStart));
    if (f.ticksRun > 0) {
        for (const Verdict& v : Verdicts(f))
            std::printf("soak: verdict: %-52s %-24s %s\n", v.target.c_str(), v.figure.c_str(),
                        v.met ? "met" : "NOT MET");
    }
    std::printf("soak: %s%s\n", f.ok ? "PASS" : "FAIL: ", f.ok ? "" : f.failure.c_str());
}

}  // namespace soak
