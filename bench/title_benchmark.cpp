// Runs the real gen_qlv.dll in the emulated host and prints what the title
// display costs: per composing and per presenting tick, against the floor of
// the very copies a composition makes; per caption change; the host's CPU
// time while ticking in real time; the copies onto the player made outside
// the frame ticks while the mouse moves over it; and what the ticks
// allocate. With --baseline PATH\gen_qlv.dll it measures a second build of
// the plug-in the same way, in turns with this one, and prints the two side
// by side. Prints figures and, at the end, a verdict per target; asserts
// nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "emulated_host.h"
#include "import_counter.h"
#include "plugin_folder.h"
#include "round_figures.h"
#include "scoped_gdi.h"
#include "skin_files.h"

namespace {

using bench::Median;
using bench::Quantile;
using Keys = std::vector<std::pair<std::string, std::string>>;

const char longSong[] = "A song title far too long for the title area of the player";

// Rounds: each loads one build, measures it and unloads it, this build and
// the baseline in turns, so both see the same machine; an odd count, so a
// median is one round's own figure.
constexpr int rounds = 11;

// --- verdicts -------------------------------------------------------------------

// Each target is judged where its figure is measured and said again at the
// end, one line each: the target, the figure, met or not.
struct Verdict {
    std::string target, figure;
    bool met;
};
std::vector<Verdict> verdicts;

void JudgeText(const std::string& target, const std::string& figure, bool met) {
    verdicts.push_back({target, figure, met});
}

void Judge(const std::string& target, const char* format, double figure, bool met) {
    char text[64];
    std::snprintf(text, sizeof text, format, figure);
    JudgeText(target, text, met);
}

void PrintVerdicts() {
    std::printf("\nVerdicts:\n");
    for (const Verdict& v : verdicts)
        std::printf("  %-72s %-16s %s\n", v.target.c_str(), v.figure.c_str(), v.met ? "met" : "NOT MET");
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

// --- the builds measured -----------------------------------------------------------

// This build (the DLL beside the program) or the baseline given on the
// command line; each run gets a private copy of it, since the plug-in keeps
// plugin.ini beside itself.
struct Build {
    std::string name;   // as the tables say it
    std::string tag;    // its scratch folders' parent
    std::string dll;    // the file copied
};

std::string ScratchPlugin(const Build& build, const std::string& name, const Keys& keys) {
    std::string ini = "[Qelvar Scrivane II]\r\n";
    for (const auto& key : keys) ini += key.first + "=" + key.second + "\r\n";
    const std::string folder = host::ProgramFolder() + "\\bench_scratch\\" + build.tag + "\\" + name;
    const std::string dll = folder + "\\gen_qlv.dll";
    if (!host::MakeFolder(folder) || !CopyFileA(build.dll.c_str(), dll.c_str(), FALSE) ||
        !host::WriteTextFile(folder + "\\plugin.ini", ini))
        return "";
    return dll;
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

SIZE ExtentOf(const std::vector<host::BlockCopy>& copies) {
    SIZE extent = {306, 60};
    for (const host::BlockCopy& c : copies) {
        extent.cx = std::max({extent.cx, static_cast<LONG>(c.x + c.width), static_cast<LONG>(c.sourceWidth)});
        extent.cy = std::max({extent.cy, static_cast<LONG>(c.y + c.height), static_cast<LONG>(c.sourceHeight)});
    }
    return extent;
}

// The same copies, at the same sizes, between surfaces of the same depths:
// the least a composing tick can cost.
class CopiesFloor {
public:
    explicit CopiesFloor(const std::vector<host::BlockCopy>& copies)
        : copies_(copies), extent_(ExtentOf(copies)), maskTo_(true, extent_.cx, extent_.cy),
          maskFrom_(true, extent_.cx, extent_.cy), colourTo_(false, extent_.cx, extent_.cy),
          colourFrom_(false, extent_.cx, extent_.cy) {}

    // Microseconds for the copies made once, over a batch of ten.
    double Sample() const {
        constexpr int batch = 10;
        const LONGLONG start = Now();
        for (int i = 0; i < batch; ++i)
            for (const host::BlockCopy& c : copies_) {
                const HDC to = c.destinationBits == 1 ? maskTo_ : colourTo_;
                const HDC from = c.sourceBits == 1 ? maskFrom_ : colourFrom_;
                if (c.stretched)
                    StretchBlt(to, c.x, c.y, c.width, c.height, from, 0, 0, c.sourceWidth, c.sourceHeight, c.operation);
                else
                    BitBlt(to, c.x, c.y, c.width, c.height, from, 0, 0, c.operation);
            }
        return Microseconds(Now() - start) / batch;
    }

private:
    std::vector<host::BlockCopy> copies_;
    SIZE extent_;
    Surface maskTo_, maskFrom_, colourTo_, colourFrom_;
};

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

// The yardstick a round's ticks are measured against, so rounds taken while
// the machine runs slower or faster as a whole (other work on the other
// core, the clock) compare: the kinds of copies a one-bit frame is made of,
// at the title's size, fixed whatever the build measured makes.
class Yardstick {
public:
    Yardstick(int width, int height)
        : width_(width), height_(height), maskFrom_(true, width, height), maskTo_(true, width, height),
          colourFrom_(false, width, height), colourTo_(false, width, height) {}
    // Microseconds for the four copies, over a batch of ten.
    double Sample() const {
        constexpr int batch = 10;
        const LONGLONG start = Now();
        for (int i = 0; i < batch; ++i) {
            BitBlt(maskTo_, 0, 0, width_, height_, maskFrom_, 0, 0, SRCCOPY);
            BitBlt(colourTo_, 0, 0, width_, height_, maskFrom_, 0, 0, SRCAND);
            BitBlt(colourTo_, 0, 0, width_, height_, maskTo_, 0, 0, SRCPAINT);
            BitBlt(colourTo_, 0, 0, width_, height_, colourFrom_, 0, 0, SRCCOPY);
        }
        return Microseconds(Now() - start) / batch;
    }

private:
    int width_, height_;
    Surface maskFrom_, maskTo_, colourFrom_, colourTo_;
};

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
    return Median(samples);
}

// --- the ticks ---------------------------------------------------------------------

struct Config {
    std::string name;
    bool doubled;
    int shadow;
    bool modern;   // the 5.x player: Unicode windows, wide title
};

// One round of one build in one configuration.
struct RoundTicks {
    bool ok = false;
    std::vector<double> composing, presenting;   // each tick's time (us)
    std::vector<double> floor;                   // the floor's samples, taken between blocks of ticks (us)
    std::vector<double> blockRatios;             // per block of ticks, its compose over the floor made right after it
    std::vector<double> blockScaled;             // per block, its compose over the yardstick made right after it
    std::vector<double> yardstick;               // the yardstick's samples (us)
    double copies = 0, fills = 0;                // per composing tick, counted at the imports
    std::vector<host::BlockCopy> composeCopies;  // the memory copies of one composing tick
    double Compose() const { return Median(composing) - Median(presenting); }
    double Floor() const { return Median(floor); }
    // A block's ticks and its floor see the machine within a thousandth of
    // a second of each other: what else runs slows both alike.
    double FloorRatio() const { return Median(blockRatios); }
    // Compose in yardsticks: what two rounds, or two builds, compare by.
    double Scaled() const { return Median(blockScaled); }
};

constexpr int ticksPerRound = 4000;
constexpr int ticksPerBlock = 20;   // then two samples of the floor, so both see the same moment of the machine

// Loads `dll`, starts it, measures its ticks with the floor of its own
// copies made in between, and unloads it. ScrollRate 2: after an odd number
// of ticks, every even tick composes.
RoundTicks MeasureRound(const std::string& dll, const Config& c) {
    RoundTicks round;
    host::EmulatedHost player(c.modern ? host::ModernPlayer() : host::HostOptions{});
    if (dll.empty() || !player.Load(dll) || player.Init() != 0) return round;
    player.SetSong(longSong);
    if (c.doubled) player.SetMainMode(host::MainMode::DoubleSize);
    player.PumpMessages();
    player.Tick(45);

    // One composing and one presenting tick counted at the imports, the first
    // one's copies recorded: what the floor makes again.
    host::AttachImportCounter(player.Module());
    std::vector<host::BlockCopy> copies;
    host::RecordBlockCopies(&copies);
    host::ResetImportCounts();
    player.Tick(1);
    host::RecordBlockCopies(nullptr);
    const host::ImportCounts composing = host::CurrentImportCounts();
    host::ResetImportCounts();
    player.Tick(1);
    const host::ImportCounts presenting = host::CurrentImportCounts();
    host::DetachImportCounter();
    round.copies = static_cast<double>(composing.blockCopies - presenting.blockCopies);
    round.fills = static_cast<double>(composing.fills - presenting.fills);
    round.composeCopies = MemoryCopies(copies);

    const CopiesFloor floor(round.composeCopies);
    const Yardstick yardstick(c.doubled ? 306 : 153, c.doubled ? 24 : 12);
    round.composing.reserve(ticksPerRound / 2);
    round.presenting.reserve(ticksPerRound / 2);
    std::vector<double> blockComposing, blockPresenting;
    for (int tick = 0; tick < ticksPerRound; ++tick) {
        const LONGLONG start = Now();
        player.Tick(1);
        (tick % 2 == 0 ? blockComposing : blockPresenting).push_back(Microseconds(Now() - start));
        if (tick % ticksPerBlock != ticksPerBlock - 1) continue;
        round.composing.insert(round.composing.end(), blockComposing.begin(), blockComposing.end());
        round.presenting.insert(round.presenting.end(), blockPresenting.begin(), blockPresenting.end());
        const double compose = Median(blockComposing) - Median(blockPresenting);
        if (!round.composeCopies.empty()) {
            const double floorNow = (floor.Sample() + floor.Sample()) / 2;
            round.floor.push_back(floorNow);
            if (floorNow > 0) round.blockRatios.push_back(compose / floorNow);
        }
        const double yardstickNow = yardstick.Sample();
        round.yardstick.push_back(yardstickNow);
        if (yardstickNow > 0) round.blockScaled.push_back(compose / yardstickNow);
        blockComposing.clear();
        blockPresenting.clear();
    }
    round.ok = true;
    return round;
}

// A configuration's rounds for each build measured.
struct ConfigRounds {
    Config config;
    std::string dll[2];                 // this build's and the baseline's scratch copies
    std::vector<RoundTicks> measured[2];
    bool ok[2] = {true, true};

    std::vector<double> Composes(int build) const {
        std::vector<double> all;
        for (const RoundTicks& r : measured[build]) all.push_back(r.Compose());
        return all;
    }
    // A build's compose in yardsticks, median of its rounds, times the
    // yardstick's median over both builds' rounds: microseconds at the
    // machine's usual speed during the run, comparable across rounds.
    double ScaledCompose(int build) const {
        std::vector<double> scaled, yardstick;
        for (const auto& m : measured)
            for (const RoundTicks& r : m) yardstick.insert(yardstick.end(), r.yardstick.begin(), r.yardstick.end());
        for (const RoundTicks& r : measured[build]) scaled.push_back(r.Scaled());
        return Median(scaled) * Median(yardstick);
    }
    std::vector<double> Pooled(int build, std::vector<double> RoundTicks::*samples) const {
        std::vector<double> all;
        for (const RoundTicks& r : measured[build]) all.insert(all.end(), (r.*samples).begin(), (r.*samples).end());
        return all;
    }
    // Per round, compose / floor of this build.
    std::vector<double> FloorRatios() const {
        std::vector<double> ratios;
        for (const RoundTicks& r : measured[0])
            if (!r.blockRatios.empty()) ratios.push_back(r.FloorRatio());
        return ratios;
    }
    // Per round, this build's compose / the baseline's, of the same round,
    // each in yardsticks made between its own ticks.
    std::vector<double> BaselineRatios() const {
        std::vector<double> ratios;
        for (size_t i = 0; i < measured[0].size() && i < measured[1].size(); ++i)
            if (measured[1][i].Scaled() > 0) ratios.push_back(measured[0][i].Scaled() / measured[1][i].Scaled());
        return ratios;
    }
};

// Every configuration's rounds; round after round, each configuration once
// per round, this build and the baseline in turns (the one measured first
// alternating from round to round).
void MeasureRounds(std::vector<ConfigRounds>& all, int builds) {
    for (ConfigRounds& c : all)   // once untimed: the first load of each file
        for (int b = 0; b < builds; ++b) MeasureRound(c.dll[b], c.config);
    for (int r = 0; r < rounds; ++r)
        for (ConfigRounds& c : all)
            for (int turn = 0; turn < builds; ++turn) {
                const int b = (turn + r) % builds;
                if (!c.ok[b]) continue;
                RoundTicks measured = MeasureRound(c.dll[b], c.config);
                if (!measured.ok) {
                    c.ok[b] = false;
                    std::printf("  %s: %s did not start\n", c.config.name.c_str(), b == 0 ? "this build" : "the baseline");
                    continue;
                }
                c.measured[b].push_back(std::move(measured));
            }
}

double Upper99(const std::vector<double>& samples) {
    return Quantile(samples, 0.99);
}

// --- captions ------------------------------------------------------------------------

// The least any procedure in front of the player's adds to a message: it
// only hands the message on, with the call that matches the window's kind.
WNDPROC passedOnTo = nullptr;
LRESULT CALLBACK PassOnOnly(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsWindowUnicode(window)) return CallWindowProcW(passedOnTo, window, message, wParam, lParam);
    return CallWindowProcA(passedOnTo, window, message, wParam, lParam);
}

constexpr int captionPairs = 2000;

// Paired differences: each caption set with a procedure in front of the
// host's, less the mean of the same caption set by the host alone just
// before and just after it. The host alone against itself (after less
// before) is the spread a difference must rise above to be told apart.
struct CaptionFigures {
    bool ok = false;
    std::vector<double> changed, unchanged, passOn;
    std::vector<double> hostChanged, hostUnchanged;
    double changedMessages = 0, unchangedMessages = 0;   // the plug-in's, per caption (reads, requests)
    double changedStrips = 0, unchangedStrips = 0;       // GDI objects it made per caption (a new strip)
};

// The plug-in loaded and started once; its procedure then taken out of the
// main window's chain and put back for each set, so the sets with and
// without it take turns on the same window, a thousandth of a second apart.
// A new title, the player's messages handled, then the same caption set again,
// as the player does a second after a status text.
CaptionFigures MeasureCaptions(bool modern, const std::string& dll) {
    CaptionFigures f;
    host::EmulatedHost player(modern ? host::ModernPlayer() : host::HostOptions{});
    const HWND main = player.Main();
    auto front = [&] { return modern ? GetWindowLongPtrW(main, GWLP_WNDPROC) : GetWindowLongPtrA(main, GWLP_WNDPROC); };
    auto putInFront = [&](LONG_PTR procedure) {
        if (modern)
            SetWindowLongPtrW(main, GWLP_WNDPROC, procedure);
        else
            SetWindowLongPtrA(main, GWLP_WNDPROC, procedure);
    };
    const LONG_PTR hostAlone = front();
    if (dll.empty() || !player.Load(dll)) return f;
    host::AttachImportCounter(player.Module());
    if (player.Init() != 0) return f;
    player.Tick(41);
    const LONG_PTR plugin = front();
    passedOnTo = reinterpret_cast<WNDPROC>(hostAlone);
    const LONG_PTR passOn = reinterpret_cast<LONG_PTR>(PassOnOnly);
    auto timed = [&](LONG_PTR procedure, auto set) {
        putInFront(procedure);
        const LONGLONG start = Now();
        set();
        const double took = Microseconds(Now() - start);
        putInFront(plugin);
        return took;
    };
    long changedMessages = 0, unchangedMessages = 0, changedStrips = 0, unchangedStrips = 0;
    const char* songs[] = {"Short one", longSong, "Another title, of middle length"};
    for (int i = 0; i < captionPairs; ++i) {
        const auto setSong = [&] { player.SetSong(songs[i % 3]); };
        const auto setAgain = [&] { player.RepeatCaption(); };

        double before = timed(hostAlone, setSong);
        host::ResetImportCounts();
        double with = timed(plugin, setSong);
        changedMessages += host::CurrentImportCounts().messagesSent;
        changedStrips += host::CurrentImportCounts().gdiCreated;
        double after = timed(hostAlone, setSong);
        f.changed.push_back(with - (before + after) / 2);
        f.hostChanged.push_back(after - before);

        player.PumpMessages();

        before = timed(hostAlone, setAgain);
        host::ResetImportCounts();
        with = timed(plugin, setAgain);
        unchangedMessages += host::CurrentImportCounts().messagesSent;
        unchangedStrips += host::CurrentImportCounts().gdiCreated;
        const double passedOn = timed(passOn, setAgain);
        after = timed(hostAlone, setAgain);
        f.unchanged.push_back(with - (before + after) / 2);
        f.passOn.push_back(passedOn - (before + after) / 2);
        f.hostUnchanged.push_back(after - before);
    }
    host::DetachImportCounter();
    f.changedMessages = changedMessages / static_cast<double>(captionPairs);
    f.unchangedMessages = unchangedMessages / static_cast<double>(captionPairs);
    f.changedStrips = changedStrips / static_cast<double>(captionPairs);
    f.unchangedStrips = unchangedStrips / static_cast<double>(captionPairs);
    f.ok = true;
    return f;
}

// The middle half of the differences: how wide it is.
double MiddleHalf(const std::vector<double>& samples) {
    return Quantile(samples, 0.75) - Quantile(samples, 0.25);
}

// "41.2 us (± 3.1)", or "below 1.9 us" inside the host alone's own spread.
std::string CaptionCost(const std::vector<double>& differences, double resolution) {
    const double cost = Median(differences);
    if (cost <= resolution) return bench::CostText(cost, resolution);
    char text[64];
    std::snprintf(text, sizeof text, "%.1f us (+/- %.1f)", cost, MiddleHalf(differences) / 2);
    return text;
}

void PrintCaptionFigures(const Build& build) {
    std::printf("Captions: what the plug-in adds to the host's own caption setting, median of %d paired differences\n"
                "(each caption set with the plug-in's procedure in the main window's chain, less the same caption set\n"
                "by the host alone just before and after; +/- half the middle half of the differences; a cost inside\n"
                "the middle half of the host alone's own differences is said as \"below\" it). Target: a caption set\n"
                "again unchanged under a tenth of a changed one, judged on the counts when the first is not resolved:\n",
                captionPairs);
    for (bool modern : {false, true}) {
        const char* player = modern ? "5.x player" : "2.x player";
        const CaptionFigures f = MeasureCaptions(modern, ScratchPlugin(build, modern ? "captions-modern" : "captions",
                                                                       {{"ScrollRate", "2"}}));
        if (!f.ok) {
            std::printf("  %s: the plug-in did not start\n", player);
            JudgeText(std::string(modern ? "5.x" : "2.x") + " player: caption set again unchanged / changed < 0.1",
                      "not measured", false);
            continue;
        }
        const double changedSpread = MiddleHalf(f.hostChanged), unchangedSpread = MiddleHalf(f.hostUnchanged);
        const double changed = Median(f.changed), unchanged = Median(f.unchanged);
        std::printf("  %-10s changed (read, trim, measure, render) %s; set again unchanged (compare) %s\n", player,
                    CaptionCost(f.changed, changedSpread).c_str(), CaptionCost(f.unchanged, unchangedSpread).c_str());
        std::printf("  %-10s host alone against itself, middle half of its differences: %.1f us (new title),"
                    " %.1f us (set again)\n", "", changedSpread, unchangedSpread);
        std::printf("  %-10s messages the plug-in sent per caption (counted at its imports): changed %.2f, set again"
                    " unchanged %.2f\n", "", f.changedMessages, f.unchangedMessages);
        std::printf("  %-10s strips rendered (GDI objects made) per caption: changed %.2f, set again unchanged %.2f\n",
                    "", f.changedStrips, f.unchangedStrips);
        std::printf("  %-10s floor: a procedure that only passes the caption on adds %s\n", "",
                    CaptionCost(f.passOn, unchangedSpread).c_str());
        const std::string target = std::string(modern ? "5.x" : "2.x") + " player: caption set again unchanged / changed < 0.1";
        if (changed > changedSpread && unchanged > unchangedSpread) {
            const double ratio = unchanged / changed;
            std::printf("  %-10s ratio %.3f\n", "", ratio);
            Judge(target, "%.3f", ratio, ratio < 0.1);
        } else {
            // The counts are exact: a set again that sends and renders next to
            // nothing next to a change is cheap whatever the clock could resolve.
            const bool met = f.changedStrips > 0 && f.unchangedStrips <= 0.1 * f.changedStrips &&
                             f.unchangedMessages <= 0.1 * f.changedMessages;
            char figure[64];
            std::snprintf(figure, sizeof figure, "counts %.1f/%.1f, %.1f/%.1f", f.unchangedMessages, f.changedMessages,
                          f.unchangedStrips, f.changedStrips);
            std::printf("  %-10s judged on the counts: set again sends %.2f messages of a change's %.2f and renders"
                        " %.2f strips of its %.2f\n", "", f.unchangedMessages, f.changedMessages, f.unchangedStrips,
                        f.changedStrips);
            JudgeText(target + " (on the counts)", figure, met);
        }
    }
}

// --- CPU while ticking in real time ----------------------------------------------------

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

constexpr int cpuRounds = 4;
constexpr int cpuMilliseconds = 2000;

// CPU seconds spent per wall second of real 25 ms ticking, with `dll` loaded
// ("" for the host alone).
CpuShare CpuPerSecond(const std::string& dll) {
    host::HostOptions options;
    options.liveTimers = true;
    host::EmulatedHost player(options);
    if (!dll.empty()) {
        if (!player.Load(dll) || player.Init() != 0) return {};
        player.SetSong(longSong);
    }
    player.PumpFor(300);
    const ULONGLONG processStart = ProcessCpuUnits();
    const double threadStart = MainThreadCpuSeconds();
    const LONGLONG start = Now();
    player.PumpFor(cpuMilliseconds);
    const double wall = Microseconds(Now() - start) / 1e6;
    CpuShare share;
    share.process = static_cast<double>(ProcessCpuUnits() - processStart) / 1e7 / wall;
    const double threadEnd = MainThreadCpuSeconds();
    if (threadStart >= 0 && threadEnd >= 0) share.mainThread = (threadEnd - threadStart) / wall;
    return share;
}

// Rounds of the host alone, this build and the baseline in turns; each
// build's overhead is the median of its rounds' differences from the host
// alone of the same round, and the host alone's own spread over the rounds
// (highest less lowest) is what an overhead must rise above.
void PrintCpuFigures(const std::vector<Build>& builds, const std::vector<std::string>& dlls, double normalTicks) {
    const double step = CpuClockStep();
    const int kinds = static_cast<int>(dlls.size()) + 1;   // the host alone first
    std::vector<std::vector<CpuShare>> shares(kinds);
    for (int r = 0; r < cpuRounds; ++r)
        for (int turn = 0; turn < kinds; ++turn) {
            const int k = (turn + r) % kinds;
            shares[k].push_back(CpuPerSecond(k == 0 ? "" : dlls[k - 1]));
        }
    bool threadKnown = true;
    for (const auto& kind : shares)
        for (const CpuShare& s : kind) threadKnown = threadKnown && s.mainThread >= 0;
    std::printf("Host CPU per second of real 25 ms ticking, ScrollRate 2, %d rounds of %.0f s each of the host alone%s"
                " in turns (target overhead < 0.5 %%):\n", cpuRounds, cpuMilliseconds / 1000.0,
                builds.size() > 1 ? ", this build and the baseline" : " and this build");
    double verdictOverhead = 0, verdictResolution = 0;
    for (bool thread : {true, false}) {
        if (thread && !threadKnown) continue;
        auto figure = [&](const CpuShare& s) { return (thread ? s.mainThread : s.process) * 100; };
        std::vector<double> alone;
        for (const CpuShare& s : shares[0]) alone.push_back(figure(s));
        double resolution = *std::max_element(alone.begin(), alone.end()) - *std::min_element(alone.begin(), alone.end());
        if (!thread) resolution += step / (cpuMilliseconds / 1000.0) * 100;   // the clock's own step
        std::printf("  %s: host alone %.3f %% of one core (its rounds %.3f %% apart)",
                    thread ? "user-interface thread (kernel's count)" : "GetProcessTimes", Median(alone), resolution);
        for (size_t b = 0; b < dlls.size(); ++b) {
            std::vector<double> overheads;
            for (int r = 0; r < cpuRounds; ++r) overheads.push_back(figure(shares[b + 1][r]) - alone[r]);
            const double overhead = Median(overheads);
            std::printf("; %s adds %s", builds[b].name.c_str(),
                        bench::CostText(overhead, resolution, "%.3f %%", "below %.3f %%").c_str());
            if (b == 0 && (thread || !threadKnown)) {
                verdictOverhead = overhead;
                verdictResolution = resolution;
            }
        }
        std::printf("\n");
        if (!thread) std::printf("    (its clock moves in steps of %.1f ms)\n", step * 1000);
    }
    std::printf("  from the tick medians above (20 composing + 20 presenting ticks a second, normal size,"
                " Shadow 0): %.3f %%\n\n", normalTicks);
    // Met when the overhead, or the spread it hides in, is under the target.
    const std::string target = std::string("CPU overhead of ticking < 0.5 % of one core (") +
                               (threadKnown ? "thread" : "process") + ")";
    JudgeText(target, bench::CostText(verdictOverhead, verdictResolution, "%.3f %%", "below %.3f %%"),
              std::max(verdictOverhead, verdictResolution) < 0.5);
}

// --- copies onto the player outside the ticks --------------------------------------------

constexpr int mouseMoveSeconds = 10;   // of host time: 400 ticks of 25 ms
constexpr int movesPerTick = 4;        // one WM_MOUSEMOVE every 6.25 ms, 160 a second

struct MouseMoveCopies {
    bool ok = false;
    double outsideTicks = 0, inTicks = 0;   // copies onto the main window per second
};

// The plug-in's block copies onto the main window's DCs while the host sends
// a steady stream of mouse moves over it, sweeping the whole window (title
// area included) with no button held, the queue pumped after each; counted
// apart when made outside the frame timer procedure, whatever message made
// them.
MouseMoveCopies CopiesDuringMouseMoves(const std::string& dll) {
    MouseMoveCopies m;
    host::EmulatedHost player;
    if (dll.empty() || !player.Load(dll)) return m;
    host::AttachImportCounter(player.Module());
    if (player.Init() != 0) return m;
    player.SetSong(longSong);
    player.PumpMessages();
    player.Tick(41);
    host::WatchCopiesOnto(player.Main());
    host::ResetImportCounts();
    int move = 0;
    for (int tick = 0; tick < mouseMoveSeconds * 40; ++tick) {
        for (int k = 0; k < movesPerTick; ++k, ++move) {
            player.MoveMain((move * 7) % 275, (move * 3) % 116, false);
            player.PumpMessages();
        }
        player.Tick(1);
    }
    const host::ImportCounts counts = host::CurrentImportCounts();
    host::DetachImportCounter();
    m.outsideTicks = counts.copiesOntoWatchedOutsideTick / static_cast<double>(mouseMoveSeconds);
    m.inTicks = (counts.copiesOntoWatched - counts.copiesOntoWatchedOutsideTick) / static_cast<double>(mouseMoveSeconds);
    m.ok = true;
    return m;
}

void PrintMouseMoveCopies(const std::vector<Build>& builds) {
    std::printf("Copies made outside ticks per second during %d s of mouse moves over the main window (%d WM_MOUSEMOVE"
                " per 25 ms tick, %d a second,\nsweeping the window, queue pumped after each; block copies onto the main"
                " window's DCs counted at the plug-in's imports):\n", mouseMoveSeconds, movesPerTick, movesPerTick * 40);
    for (const Build& b : builds) {
        const MouseMoveCopies m = CopiesDuringMouseMoves(ScratchPlugin(b, "mouse-moves", {{"ScrollRate", "2"}}));
        if (!m.ok)
            std::printf("  %-11s the plug-in did not start\n", b.name.c_str());
        else
            std::printf("  %-11s %.1f outside ticks (in the ticks: %.1f)\n", b.name.c_str(), m.outsideTicks,
                        m.inTicks);
    }
    std::printf("\n");
}

// --- what a tick asks for ------------------------------------------------------------

struct TickCost {
    double allocations = 0, gdiObjects = 0, windowDCs = 0;
};

TickCost CountTickCosts(const std::string& dll, bool doubled) {
    host::EmulatedHost player;
    TickCost cost;
    if (dll.empty() || !player.Load(dll)) return cost;
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

void PrintTickCosts(const Build& build) {
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
        const TickCost cost = CountTickCosts(ScratchPlugin(build, "counted", c.keys), c.doubled);
        std::printf("  %-36s heap allocations %.3f, GDI objects created %.3f, window DCs left %.0f (target 0)\n",
                    c.name, cost.allocations, cost.gdiObjects, cost.windowDCs);
        const std::string name = c.name;
        Judge(name + ": heap allocations per tick = 0", "%.3f", cost.allocations, cost.allocations == 0);
        Judge(name + ": GDI objects made per tick = 0", "%.3f", cost.gdiObjects, cost.gdiObjects == 0);
        Judge(name + ": window DCs left = 0", "%.0f", cost.windowDCs, cost.windowDCs == 0);
    }
}

// --- the tables ----------------------------------------------------------------------

void PrintTickTable(const std::vector<ConfigRounds>& all, double& normalTicks) {
    std::printf("%-16s %21s %21s %7s %6s %9s %8s %24s\n", "", "composing tick (us)", "presenting tick (us)",
                "copies", "fills", "compose", "floor", "compose / floor");
    std::printf("%-16s %10s %10s %10s %10s %7s %6s %9s %8s %6s %6s %6s %5s\n", "", "median", "p99", "median", "p99",
                "", "", "(us)", "(us)", "median", "lowest", "highest", "p75");
    double worst = 0;
    std::vector<std::string> kinds;
    for (const ConfigRounds& c : all) {
        if (c.measured[0].empty()) {
            std::printf("%-16s the plug-in did not start\n", c.config.name.c_str());
            worst = 1e9;
            continue;
        }
        const std::vector<double> composing = c.Pooled(0, &RoundTicks::composing);
        const std::vector<double> presenting = c.Pooled(0, &RoundTicks::presenting);
        std::vector<double> floors;
        for (const RoundTicks& r : c.measured[0]) floors.push_back(r.Floor());
        const bench::RoundRatios ratio = bench::OfRounds(c.FloorRatios());
        worst = std::max(worst, ratio.upperQuartile);
        const RoundTicks& first = c.measured[0].front();
        std::printf("%-16s %10.1f %10.1f %10.1f %10.1f %7.0f %6.0f %9.1f %8.1f %6.2f %6.2f %6.2f %5.2f\n",
                    c.config.name.c_str(), Median(composing), Upper99(composing), Median(presenting),
                    Upper99(presenting), first.copies, first.fills, Median(c.Composes(0)), Median(floors),
                    ratio.median, ratio.lowest, ratio.highest, ratio.upperQuartile);
        if (!c.config.doubled && c.config.shadow == 0 && !c.config.modern)
            normalTicks = (20 * Median(composing) + 20 * Median(presenting)) / 1e6 * 100;
        kinds.push_back(c.config.name + ": " + DescribeCopies(first.composeCopies));
    }
    std::printf("(over %d rounds of %d ticks, each round loading the plug-in afresh; compose = composing tick minus"
                " presenting tick, medians,\nof the rounds' own; floor = the same tick's copies between memory"
                " surfaces, made again after every %d ticks of the same round;\ncompose / floor per round (the median"
                " of its blocks' own, each block of ticks over the floor made right after it),\nits median, lowest,"
                " highest and upper quartile over the rounds; fills are not counted as copies;\ntarget: the upper"
                " quartile <= 1.5 in the worst configuration, here %.2f)\n",
                rounds, ticksPerRound, ticksPerBlock, worst);
    Judge("composing tick / floor of its copies <= 1.5 (worst configuration, upper quartile of the rounds)", "%.2f",
          worst, worst <= 1.5);
    std::printf("The copies of one composing tick:\n");
    for (const std::string& k : kinds) std::printf("  %s\n", k.c_str());
    std::printf("\n");
}

// The same title in the same TrueType face, one bit deep and with smooth
// edges, in turns round after round: what the per-pixel blend costs a
// composing tick.
void PrintSmoothFigures(const Build& build, const std::vector<Config>& configs) {
    std::printf("Smooth edges against one-bit edges, DejaVu Sans, composing tick minus presenting tick, medians of %d"
                " rounds,\nplain and smooth in turns, each measured in yardsticks made between its ticks (said in us"
                " at the yardstick's\nmedian over the run); the ratio per round (target: smooth/plain upper quartile of the"
                " rounds <= 1.5):\n", rounds);
    std::printf("%-16s %12s %12s %8s %8s %8s %6s\n", "", "plain (us)", "smooth (us)", "ratio", "lowest", "highest",
                "p75");
    std::vector<ConfigRounds> all;
    for (const Config& c : configs) {
        if (c.modern) continue;
        ConfigRounds plainAndSmooth;   // [0] smooth, [1] plain
        plainAndSmooth.config = c;
        plainAndSmooth.dll[0] = ScratchPlugin(build, c.name + "-smooth",
                                              {{"ScrollRate", "2"}, {"Shadow", std::to_string(c.shadow)},
                                               {"FontFace", "DejaVu Sans"}, {"DS_FontFace", "DejaVu Sans"}, {"Smooth", "1"}});
        plainAndSmooth.dll[1] = ScratchPlugin(build, c.name + "-plain",
                                              {{"ScrollRate", "2"}, {"Shadow", std::to_string(c.shadow)},
                                               {"FontFace", "DejaVu Sans"}, {"DS_FontFace", "DejaVu Sans"}});
        all.push_back(plainAndSmooth);
    }
    MeasureRounds(all, 2);
    double worst = 0;
    for (const ConfigRounds& c : all) {
        if (c.measured[0].empty() || c.measured[1].empty()) {
            std::printf("%-16s the plug-in did not start\n", c.config.name.c_str());
            worst = 1e9;
            continue;
        }
        const bench::RoundRatios ratio = bench::OfRounds(c.BaselineRatios());
        worst = std::max(worst, ratio.upperQuartile);
        std::printf("%-16s %12.1f %12.1f %8.2f %8.2f %8.2f %6.2f\n", c.config.name.c_str(), c.ScaledCompose(1),
                    c.ScaledCompose(0), ratio.median, ratio.lowest, ratio.highest, ratio.upperQuartile);
    }
    std::printf("smooth/plain worst upper quartile %.2f\n\n", worst);
    Judge("smooth/plain composing tick <= 1.5 (worst configuration, upper quartile of the rounds)", "%.2f", worst,
          worst <= 1.5);
}

// This build against the baseline, per configuration, with a verdict each.
void PrintAgainstBaseline(const std::vector<ConfigRounds>& all, const std::string& baseline) {
    std::printf("\nThis build against the baseline (%s):\ncompose (composing tick minus presenting tick), median of %d"
                " rounds each, measured in yardsticks\n(four copies at the title's size: mask to mask, mask onto colour"
                " twice, colour to colour) made between its own ticks,\nsaid in us at the yardstick's median over the"
                " run; ratio = this build / baseline per round, with the"
                " rounds' lowest and highest\n",
                baseline.c_str(), rounds);
    std::printf("%-16s %10s %14s %7s %7s %8s   %s\n", "", "this (us)", "baseline (us)", "ratio", "lowest", "highest",
                "verdict");
    for (const ConfigRounds& c : all) {
        if (c.measured[0].empty() || c.measured[1].empty()) {
            std::printf("%-16s %s did not start\n", c.config.name.c_str(),
                        c.measured[0].empty() ? "this build" : "the baseline");
            continue;
        }
        const bench::RoundRatios ratio = bench::OfRounds(c.BaselineRatios());
        std::printf("%-16s %10.1f %14.1f %7.2f %7.2f %8.2f   %s\n", c.config.name.c_str(), c.ScaledCompose(0),
                    c.ScaledCompose(1), ratio.median, ratio.lowest, ratio.highest, bench::Comparison(ratio));
    }
}

}  // namespace

// title_benchmark.exe [--baseline PATH\gen_qlv.dll] [captions]
// "captions" measures the captions alone.
int main(int argc, char** argv) {
    std::vector<Build> builds = {{"this build", "this", host::BuiltDllPath()}};
    bool captionsOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "captions") {
            captionsOnly = true;
        } else if (argument == "--baseline" && i + 1 < argc) {
            builds.push_back({"baseline", "baseline", argv[++i]});
        } else {
            std::fprintf(stderr, "usage: title_benchmark.exe [--baseline PATH\\gen_qlv.dll] [captions]\n");
            return 2;
        }
    }
    if (builds.size() > 1 && GetFileAttributesA(builds[1].dll.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "title_benchmark: no baseline at %s\n", builds[1].dll.c_str());
        return 2;
    }
    std::printf("Title display benchmark (gen_qlv.dll in the emulated host)%s\n\n",
                builds.size() > 1 ? ", this build against a baseline" : "");
    if (captionsOnly) {
        PrintCaptionFigures(builds[0]);
        PrintVerdicts();
        return 0;
    }
    std::printf("Floor: per configuration, the memory copies one composing tick makes, made again at their"
                " sizes between the benchmark's own masks and colour surfaces\n"
                "(for reference, one 306 x 60 colour copy: %.2f us)\n\n", OneColourCopy());

    const std::vector<Config> configs = {
        {"normal-shadow0", false, 0, false}, {"normal-shadow3", false, 3, false},
        {"double-shadow0", true, 0, false},  {"double-shadow3", true, 3, false},
        {"5.x-normal", false, 0, true},      {"5.x-double", true, 3, true},
    };
    std::vector<ConfigRounds> ticks;
    for (const Config& c : configs) {
        ConfigRounds rounds;
        rounds.config = c;
        for (size_t b = 0; b < builds.size(); ++b)
            rounds.dll[b] = ScratchPlugin(builds[b], c.name, {{"ScrollRate", "2"}, {"Shadow", std::to_string(c.shadow)}});
        ticks.push_back(rounds);
    }
    MeasureRounds(ticks, static_cast<int>(builds.size()));
    double normalTicks = 0;
    PrintTickTable(ticks, normalTicks);

    PrintSmoothFigures(builds[0], configs);

    PrintCaptionFigures(builds[0]);
    std::printf("\n");

    std::vector<std::string> cpuDlls;
    for (const Build& b : builds) cpuDlls.push_back(ScratchPlugin(b, "cpu", {{"ScrollRate", "2"}}));
    PrintCpuFigures(builds, cpuDlls, normalTicks);

    PrintMouseMoveCopies(builds);

    PrintTickCosts(builds[0]);
    PrintVerdicts();
    if (builds.size() > 1) PrintAgainstBaseline(ticks, builds[1].dll);
    return 0;
}
