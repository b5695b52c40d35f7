// Runs the real gen_qlv.dll in the emulated host and prints what the title
// display costs: per composing and per presenting tick, against the floor of
// the very copies a composition makes; per caption change; the host's CPU
// time while ticking in real time; and what the ticks allocate. Prints
// figures and, at the end, a verdict per target; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "emulated_host.h"
#include "import_counter.h"
#include "plugin_folder.h"
#include "scoped_gdi.h"

namespace {

using Keys = std::vector<std::pair<std::string, std::string>>;

const char longSong[] = "A song title far too long for the title area of the player";

// --- verdicts -------------------------------------------------------------------

// Each target is judged where its figure is measured and said again at the
// end, one line each: the target, the figure, met or not.
struct Verdict {
    std::string target, figure;
    bool met;
};
std::vector<Verdict> verdicts;

void Judge(const std::string& target, const char* format, double figure, bool met) {
    char text[64];
    std::snprintf(text, sizeof text, format, figure);
    verdicts.push_back({target, text, met});
}

void PrintVerdicts() {
    std::printf("\nVerdicts:\n");
    for (const Verdict& v : verdicts)
        std::printf("  %-66s %-12s %s\n", v.target.c_str(), v.figure.c_str(), v.met ? "met" : "NOT MET");
}

// --- time ---------------------------------------------------------------------

double Microseconds(LONGLONG ticks) {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return static_cast<double>(ticks) * 1e6 / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

struct Spread {
    double median = 0, p99 = 0;
    double p10 = 0;   // what a run costs when nothing else on the machine gets in its way
};

Spread SpreadOf(std::vector<double> samples) {
    Spread s;
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    s.median = samples[samples.size() / 2];
    s.p10 = samples[samples.size() / 10];
    s.p99 = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    return s;
}

ULONGLONG FileTimeUnits(const FILETIME& f) {
    return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

// In 100 ns units, as GetProcessTimes counts.
ULONGLONG ProcessCpuUnits() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return FileTimeUnits(kernel) + FileTimeUnits(user);
}

// Under Wine the process's main thread is a Linux thread whose time on the
// processor the kernel keeps in nanoseconds; GetProcessTimes only moves in
// steps of tens of milliseconds. -1 where there is no such file.
double MainThreadCpuSeconds() {
    HANDLE file = CreateFileA("Z:\\proc\\self\\schedstat", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    char text[128] = "";
    DWORD got = 0;
    ReadFile(file, text, sizeof text - 1, &got, nullptr);
    CloseHandle(file);
    unsigned long long nanoseconds = 0;
    return std::sscanf(text, "%llu", &nanoseconds) == 1 ? static_cast<double>(nanoseconds) / 1e9 : -1;
}

// --- a private copy of the plug-in per run --------------------------------------

std::string ScratchPlugin(const std::string& name, const Keys& keys) {
    std::string ini = "[Qelvar Scrivane II]\r\n";
    for (const auto& key : keys) ini += key.first + "=" + key.second + "\r\n";
    return host::PreparePluginFolder(host::ProgramFolder() + "\\bench_scratch\\" + name, ini);
}

// --- the floor -------------------------------------------------------------------

// A memory surface of the plug-in's size and depth: a mask (1 bit) or a
// colour surface like the screen.
class Surface {
public:
    Surface(bool mask, int width, int height)
        : bitmap_(mask ? CreateBitmap(width, height, 1, 1, nullptr)
                       : CreateCompatibleBitmap(host::ScopedWindowDC(), width, height)),
          selected_(dc_, bitmap_) {}
    operator HDC() const { return dc_; }

private:
    host::ScopedBitmap bitmap_;
    host::ScopedMemoryDC dc_;
    host::ScopedSelect selected_;
};

// Copies between memory surfaces: what a composition is made of. The copy
// onto the window is the presenting tick's, taken off separately.
std::vector<host::BlockCopy> MemoryCopies(const std::vector<host::BlockCopy>& copies) {
    std::vector<host::BlockCopy> kept;
    for (const host::BlockCopy& c : copies)
        if (c.destinationBits && c.sourceBits) kept.push_back(c);
    return kept;
}

// The same copies, at the same sizes, between surfaces of the same depths:
// the least a composing tick can cost.
double CopiesFloor(const std::vector<host::BlockCopy>& copies) {
    if (copies.empty()) return 0;
    int width = 306, height = 60;
    for (const host::BlockCopy& c : copies) {
        width = std::max({width, c.x + c.width, c.sourceWidth});
        height = std::max({height, c.y + c.height, c.sourceHeight});
    }
    const Surface maskTo(true, width, height), maskFrom(true, width, height);
    const Surface colourTo(false, width, height), colourFrom(false, width, height);
    std::vector<double> samples;
    constexpr int batch = 10;
    for (int s = 0; s < 200; ++s) {
        const LONGLONG start = Now();
        for (int i = 0; i < batch; ++i)
            for (const host::BlockCopy& c : copies) {
                const HDC to = c.destinationBits == 1 ? maskTo : colourTo;
                const HDC from = c.sourceBits == 1 ? maskFrom : colourFrom;
                if (c.stretched)
                    StretchBlt(to, c.x, c.y, c.width, c.height, from, 0, 0, c.sourceWidth, c.sourceHeight, c.operation);
                else
                    BitBlt(to, c.x, c.y, c.width, c.height, from, 0, 0, c.operation);
            }
        samples.push_back(Microseconds(Now() - start) / batch);
    }
    return SpreadOf(samples).median;
}

// "3 x 153x12 mask>colour, ..." in the order the kinds first appear.
std::string DescribeCopies(const std::vector<host::BlockCopy>& copies) {
    std::vector<std::pair<std::string, int>> kinds;
    for (const host::BlockCopy& c : copies) {
        char kind[64];
        std::snprintf(kind, sizeof kind, "%dx%d %s>%s%s", c.width, c.height, c.sourceBits == 1 ? "mask" : "colour",
                      c.destinationBits == 1 ? "mask" : "colour", c.stretched ? " stretched" : "");
        auto same = std::find_if(kinds.begin(), kinds.end(), [&](const auto& k) { return k.first == kind; });
        if (same == kinds.end())
            kinds.push_back({kind, 1});
        else
            ++same->second;
    }
    std::string text;
    for (const auto& k : kinds) text += (text.empty() ? "" : ", ") + std::to_string(k.second) + " x " + k.first;
    return text;
}

// --- the measurements ------------------------------------------------------------

// One 306 x 60 copy between two colour memory surfaces, for reference.
double OneColourCopy() {
    const Surface a(false, 306, 60), b(false, 306, 60);
    std::vector<double> samples;
    constexpr int batch = 50;
    for (int s = 0; s < 200; ++s) {
        const LONGLONG start = Now();
        for (int i = 0; i < batch; ++i) BitBlt(a, 0, 0, 306, 60, b, 0, 0, SRCCOPY);
        samples.push_back(Microseconds(Now() - start) / batch);
    }
    return SpreadOf(samples).median;
}

struct TickFigures {
    Spread compose, present;
    double copiesPerCompose = 0, fillsPerCompose = 0;
    std::vector<host::BlockCopy> composeCopies;   // the memory copies of one composing tick
};

// ScrollRate 2: after an odd number of ticks, every even tick composes.
TickFigures MeasureTicks(const std::string& name, bool doubled, int shadow, bool modern, const Keys& more = {}) {
    Keys keys = {{"ScrollRate", "2"}, {"Shadow", std::to_string(shadow)}};
    keys.insert(keys.end(), more.begin(), more.end());
    const std::string dll = ScratchPlugin(name, keys);
    host::EmulatedHost player(modern ? host::ModernPlayer() : host::HostOptions{});
    TickFigures figures;
    if (!player.Load(dll) || player.Init() != 0) {
        std::printf("  %s: the plug-in did not start\n", name.c_str());
        return figures;
    }
    player.SetSong(longSong);
    if (doubled) player.SetMainMode(host::MainMode::DoubleSize);
    player.PumpMessages();
    player.Tick(45);
    std::vector<double> compose, present;
    for (int tick = 46; tick < 46 + 4000; ++tick) {
        const LONGLONG start = Now();
        player.Tick(1);
        (tick % 2 == 0 ? compose : present).push_back(Microseconds(Now() - start));
    }
    figures.compose = SpreadOf(compose);
    figures.present = SpreadOf(present);

    host::AttachImportCounter(player.Module());
    std::vector<host::BlockCopy> copies;
    host::RecordBlockCopies(&copies);
    host::ResetImportCounts();
    player.Tick(1);   // composes
    host::RecordBlockCopies(nullptr);
    const host::ImportCounts composing = host::CurrentImportCounts();
    host::ResetImportCounts();
    player.Tick(1);   // presents only
    const host::ImportCounts presenting = host::CurrentImportCounts();
    host::DetachImportCounter();
    figures.copiesPerCompose = static_cast<double>(composing.blockCopies - presenting.blockCopies);
    figures.fillsPerCompose = static_cast<double>(composing.fills - presenting.fills);
    figures.composeCopies = MemoryCopies(copies);
    return figures;
}

struct CaptionFigures {
    Spread changed, unchanged, again;   // again: the same caption set a second time in a row
    double changedObjects = 0, unchangedObjects = 0;   // GDI objects the plug-in made per caption (a new strip)
    double changedMessages = 0, unchangedMessages = 0; // messages the plug-in sent per caption (reads, requests)
};

// A new title against the same caption set again, as the player does after
// each status text it shows; without the plug-in, what the host's own caption
// setting costs, to take off both.
// The least any procedure in front of the player's adds to a message: it
// only hands the message on, with the call that matches the window's kind.
WNDPROC passedOnTo = nullptr;
LRESULT CALLBACK PassOnOnly(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsWindowUnicode(window)) return CallWindowProcW(passedOnTo, window, message, wParam, lParam);
    return CallWindowProcA(passedOnTo, window, message, wParam, lParam);
}

enum class InFront { nothing, passOnOnly, plugin };

CaptionFigures MeasureCaptionChanges(bool modern, InFront inFront) {
    host::EmulatedHost player(modern ? host::ModernPlayer() : host::HostOptions{});
    const bool withPlugin = inFront == InFront::plugin;
    if (inFront == InFront::passOnOnly) {
        const LONG_PTR procedure = reinterpret_cast<LONG_PTR>(PassOnOnly);
        passedOnTo = reinterpret_cast<WNDPROC>(modern ? SetWindowLongPtrW(player.Main(), GWLP_WNDPROC, procedure)
                                                      : SetWindowLongPtrA(player.Main(), GWLP_WNDPROC, procedure));
    }
    if (withPlugin) {
        const std::string dll = ScratchPlugin(modern ? "captions-modern" : "captions", {{"ScrollRate", "2"}});
        if (!player.Load(dll)) return {};
        host::AttachImportCounter(player.Module());
        if (player.Init() != 0) return {};
        player.Tick(41);
    }
    long changedObjects = 0, unchangedObjects = 0, changedMessages = 0, unchangedMessages = 0;
    const char* songs[] = {"Short one", longSong, "Another title, of middle length"};
    std::vector<double> changed, unchanged, again;
    for (int i = 0; i < 600; ++i) {
        host::ResetImportCounts();
        LONGLONG start = Now();
        player.SetSong(songs[i % 3]);
        changed.push_back(Microseconds(Now() - start));
        changedObjects += host::CurrentImportCounts().gdiCreated;
        changedMessages += host::CurrentImportCounts().messagesSent;
        // The player sets its caption again a second after a status text,
        // its messages handled in between: what a new title left to paint is
        // not the cost of the caption set again.
        player.PumpMessages();
        host::ResetImportCounts();
        start = Now();
        player.RepeatCaption();
        unchanged.push_back(Microseconds(Now() - start));
        unchangedObjects += host::CurrentImportCounts().gdiCreated;
        unchangedMessages += host::CurrentImportCounts().messagesSent;
        start = Now();
        player.RepeatCaption();
        again.push_back(Microseconds(Now() - start));
    }
    if (withPlugin) host::DetachImportCounter();
    return {SpreadOf(changed),         SpreadOf(unchanged),         SpreadOf(again), changedObjects / 600.0,
            unchangedObjects / 600.0, changedMessages / 600.0, unchangedMessages / 600.0};
}

// The smallest step GetProcessTimes reports, found by spinning until it moves.
double CpuClockStep() {
    const ULONGLONG first = ProcessCpuUnits();
    ULONGLONG second = first, third = first;
    while ((second = ProcessCpuUnits()) == first) {
    }
    while ((third = ProcessCpuUnits()) == second) {
    }
    return static_cast<double>(third - second) / 1e7;
}

struct CpuShare {
    double process = 0;      // GetProcessTimes, per wall second
    double mainThread = -1;  // the user-interface thread's own time, per wall second, where known
};

// CPU seconds spent per wall second of real 25 ms ticking.
CpuShare CpuPerSecond(bool withPlugin, int seconds) {
    host::HostOptions options;
    options.liveTimers = true;
    host::EmulatedHost player(options);
    if (withPlugin) {
        const std::string dll = ScratchPlugin("cpu", {{"ScrollRate", "2"}});
        if (!player.Load(dll) || player.Init() != 0) return {};
        player.SetSong(longSong);
    }
    player.PumpFor(300);
    const ULONGLONG processStart = ProcessCpuUnits();
    const double threadStart = MainThreadCpuSeconds();
    const LONGLONG start = Now();
    player.PumpFor(seconds * 1000);
    const double wall = Microseconds(Now() - start) / 1e6;
    CpuShare share;
    share.process = static_cast<double>(ProcessCpuUnits() - processStart) / 1e7 / wall;
    const double threadEnd = MainThreadCpuSeconds();
    if (threadStart >= 0 && threadEnd >= 0) share.mainThread = (threadEnd - threadStart) / wall;
    return share;
}

struct TickCost {
    double allocations = 0, gdiObjects = 0, windowDCs = 0;
};

TickCost CountTickCosts(const Keys& keys, bool doubled) {
    const std::string dll = ScratchPlugin("counted", keys);
    host::EmulatedHost player;
    TickCost cost;
    if (!player.Load(dll)) return cost;
    host::AttachImportCounter(player.Module());
    if (player.Init() != 0) return cost;
    player.SetSong(longSong);
    if (doubled) player.SetMainMode(host::MainMode::DoubleSize);
    player.Tick(41);
    host::ResetImportCounts();
    constexpr int ticks = 2000;
    player.Tick(ticks);
    const host::ImportCounts counts = host::CurrentImportCounts();
    cost.allocations = static_cast<double>(counts.heapAllocations) / ticks;
    cost.gdiObjects = static_cast<double>(counts.gdiCreated) / ticks;
    cost.windowDCs = static_cast<double>(counts.windowDCs);
    return cost;
}

void PrintCaptionFigures() {
    // Each caption costs tens of microseconds: on a shared machine most
    // samples are interrupted by other work, so each run is judged by its
    // 10th percentile.
    std::printf("Captions: what the plug-in adds to the host's own caption setting, 10th percentiles (target: a"
                " caption set again unchanged under a tenth of a changed one):\n");
    for (bool modern : {false, true}) {
        const CaptionFigures with = MeasureCaptionChanges(modern, InFront::plugin);
        const CaptionFigures without = MeasureCaptionChanges(modern, InFront::nothing);
        const CaptionFigures passOn = MeasureCaptionChanges(modern, InFront::passOnOnly);
        const double changed = with.changed.p10 - without.changed.p10;
        const double unchanged = with.unchanged.p10 - without.unchanged.p10;
        const double floor = passOn.unchanged.p10 - without.unchanged.p10;
        std::printf("  %-10s changed (read, trim, measure, render) %7.1f us; set again unchanged (compare)"
                    " %6.1f us; ratio %.3f\n",
                    modern ? "5.x player" : "2.x player", changed, unchanged, changed > 0 ? unchanged / changed : 0);
        std::printf("  %-10s messages the plug-in sent per caption (counted at its imports): changed %.2f, set again"
                    " unchanged %.2f   (host alone: %.1f us and %.1f us)\n",
                    "", with.changedMessages, with.unchangedMessages, without.changed.p10, without.unchanged.p10);
        std::printf("  %-10s strips rendered (GDI objects made) per caption: changed %.2f, set again unchanged %.2f\n",
                    "", with.changedObjects, with.unchangedObjects);
        std::printf("  %-10s floor: a procedure that only passes the caption on adds %.1f us to it; the plug-in adds"
                    " %.1f us to the same caption set a second time in a row\n",
                    "", floor, with.again.p10 - without.again.p10);
        const double ratio = changed > 0 ? unchanged / changed : 0;
        Judge(std::string(modern ? "5.x" : "2.x") + " player: caption set again unchanged / changed < 0.1", "%.3f",
              ratio, changed > 0 && ratio < 0.1);
    }
}

}  // namespace

// "captions" as the only argument measures the captions alone.
int main(int argc, char** argv) {
    std::printf("Title display benchmark (gen_qlv.dll in the emulated host)\n\n");
    if (argc > 1 && std::string(argv[1]) == "captions") {
        PrintCaptionFigures();
        PrintVerdicts();
        return 0;
    }
    std::printf("Floor: per configuration, the memory copies one composing tick makes, made again at their"
                " sizes between the benchmark's own masks and colour surfaces\n"
                "(for reference, one 306 x 60 colour copy: %.2f us)\n\n", OneColourCopy());

    struct Config {
        const char* name;
        bool doubled;
        int shadow;
        bool modern;   // the 5.x player: Unicode windows, wide title
    };
    const Config configs[] = {
        {"normal-shadow0", false, 0, false}, {"normal-shadow3", false, 3, false},
        {"double-shadow0", true, 0, false},  {"double-shadow3", true, 3, false},
        {"5.x-normal", false, 0, true},      {"5.x-double", true, 3, true},
    };
    std::printf("%-16s %21s %21s %7s %6s %14s %11s %8s\n", "", "composing tick (us)", "presenting tick (us)",
                "copies", "fills", "compose (us)", "floor (us)", "ratio");
    std::printf("%-16s %10s %10s %10s %10s\n", "", "median", "p99", "median", "p99");
    double worstRatio = 0;
    double normalCompose = 0, normalPresent = 0;
    std::vector<std::string> kinds;
    for (const Config& c : configs) {
        const TickFigures f = MeasureTicks(c.name, c.doubled, c.shadow, c.modern);
        if (!c.doubled && c.shadow == 0) {
            normalCompose = f.compose.median;
            normalPresent = f.present.median;
        }
        const double composeOnly = f.compose.median - f.present.median;
        const double floor = CopiesFloor(f.composeCopies);
        const double ratio = floor > 0 ? composeOnly / floor : 0;
        worstRatio = std::max(worstRatio, ratio);
        std::printf("%-16s %10.1f %10.1f %10.1f %10.1f %7.0f %6.0f %14.1f %11.1f %8.2f\n", c.name, f.compose.median,
                    f.compose.p99, f.present.median, f.present.p99, f.copiesPerCompose, f.fillsPerCompose,
                    composeOnly, floor, ratio);
        kinds.push_back(std::string(c.name) + ": " + DescribeCopies(f.composeCopies));
    }
    std::printf("(compose = composing tick minus presenting tick, medians; floor = the same tick's copies between"
                " memory surfaces, made again here; ratio = compose / floor; fills are not counted as copies;"
                " target ratio <= 1.5, worst %.2f)\n", worstRatio);
    Judge("composing tick / floor of its copies <= 1.5 (worst configuration)", "%.2f", worstRatio, worstRatio <= 1.5);
    std::printf("The copies of one composing tick:\n");
    for (const std::string& k : kinds) std::printf("  %s\n", k.c_str());
    std::printf("\n");

    // The same title in the same TrueType face, one bit deep and with smooth
    // edges: what the per-pixel blend costs a composing tick.
    std::printf("Smooth edges against one-bit edges, DejaVu Sans, composing tick minus presenting tick, medians"
                " (target: smooth/plain <= 1.5):\n");
    std::printf("%-16s %12s %12s %8s\n", "", "plain (us)", "smooth (us)", "ratio");
    double worstSmooth = 0;
    for (const Config& c : configs) {
        if (c.modern) continue;
        const Keys face = {{"FontFace", "DejaVu Sans"}, {"DS_FontFace", "DejaVu Sans"}};
        Keys smoothKeys = face;
        smoothKeys.push_back({"Smooth", "1"});
        const TickFigures plain = MeasureTicks(std::string(c.name) + "-plain", c.doubled, c.shadow, false, face);
        const TickFigures smooth = MeasureTicks(std::string(c.name) + "-smooth", c.doubled, c.shadow, false, smoothKeys);
        const double plainCompose = plain.compose.median - plain.present.median;
        const double smoothCompose = smooth.compose.median - smooth.present.median;
        const double ratio = plainCompose > 0 ? smoothCompose / plainCompose : 0;
        worstSmooth = std::max(worstSmooth, ratio);
        std::printf("%-16s %12.1f %12.1f %8.2f\n", c.name, plainCompose, smoothCompose, ratio);
    }
    std::printf("smooth/plain worst ratio %.2f\n\n", worstSmooth);

    PrintCaptionFigures();
    std::printf("\n");

    constexpr int seconds = 8;
    const double step = CpuClockStep();
    const CpuShare without = CpuPerSecond(false, seconds);
    const CpuShare with = CpuPerSecond(true, seconds);
    std::printf("Host CPU per second of real 25 ms ticking, ScrollRate 2, %d s each (target overhead < 0.5 %%):\n",
                seconds);
    std::printf("  GetProcessTimes: without the plug-in %.3f %% of one core, with it %.3f %%: overhead %.3f %%\n",
                without.process * 100, with.process * 100, (with.process - without.process) * 100);
    std::printf("    (its clock moves in steps of %.1f ms: each figure is good to about %.3f %%)\n", step * 1000,
                step / seconds * 100);
    if (without.mainThread >= 0 && with.mainThread >= 0)
        std::printf("  user-interface thread (kernel's count): without %.3f %%, with %.3f %%: overhead %.3f %%\n",
                    without.mainThread * 100, with.mainThread * 100, (with.mainThread - without.mainThread) * 100);
    std::printf("  from the tick medians above (20 composing + 20 presenting ticks a second, normal size,"
                " Shadow 0): %.3f %%\n\n", (20 * normalCompose + 20 * normalPresent) / 1e6 * 100);
    // The thread's own count is finer than the process clock's steps where there is one.
    const bool threadKnown = without.mainThread >= 0 && with.mainThread >= 0;
    const double overhead = threadKnown ? (with.mainThread - without.mainThread) * 100
                                        : (with.process - without.process) * 100;
    Judge(std::string("CPU overhead of ticking < 0.5 % of one core (") + (threadKnown ? "thread" : "process") + ")",
          "%.3f %%", overhead, overhead < 0.5);

    std::printf("Per tick, counted at the plug-in's imports over 2000 ticks:\n");
    const struct {
        const char* name;
        Keys keys;
        bool doubled;
    } costed[] = {
        {"wrap, Shadow 3", {{"ScrollRate", "1"}, {"Shadow", "3"}}, false},
        {"bounce, double size, skin colours", {{"ScrollRate", "1"}, {"ScrollType", "1"}, {"UseSkinColor", "1"}}, true},
        {"transparent, Shadow 2", {{"ScrollRate", "2"}, {"Transparent", "1"}, {"Shadow", "2"}}, false},
        {"smooth, double size, skin colours",
         {{"ScrollRate", "1"}, {"Smooth", "1"}, {"Shadow", "3"}, {"UseSkinColor", "1"}, {"DS_FontFace", "DejaVu Sans"}},
         true},
    };
    for (const auto& c : costed) {
        const TickCost cost = CountTickCosts(c.keys, c.doubled);
        std::printf("  %-36s heap allocations %.3f, GDI objects created %.3f, window DCs left %.0f (target 0)\n",
                    c.name, cost.allocations, cost.gdiObjects, cost.windowDCs);
        const std::string name = c.name;
        Judge(name + ": heap allocations per tick = 0", "%.3f", cost.allocations, cost.allocations == 0);
        Judge(name + ": GDI objects made per tick = 0", "%.3f", cost.gdiObjects, cost.gdiObjects == 0);
        Judge(name + ": window DCs left = 0", "%.0f", cost.windowDCs, cost.windowDCs == 0);
    }
    PrintVerdicts();
    return 0;
}
