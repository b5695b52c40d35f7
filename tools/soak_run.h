// A long run of the real DLL in the emulated host: tracks, skins, sizes,
// shading and dialogs, then repeated load-init-quit-unload cycles. It reports
// the plug-in's live GDI objects and the process's memory before and after.
#pragma once

#include <string>

namespace soak {

struct SoakPlan {
    int ticks = 100000;
    int ticksPerTrack = 50;
    int ticksPerSkin = 1000;
    int ticksPerSizeChange = 700;
    int ticksPerDialog = 2500;
    int loadCycles = 100;
    std::string folder;      // scratch folder for the copy of the built DLL, plugin.ini and skins
    bool verbose = true;
    int samples = 50;        // memory samples through the ticks, for the slopes
    // The emulated host logs every request, paint and file it sees, for tests
    // to read; a long run forgets them at each sample. Keeping them shows
    // what they cost (--keep-host-logs).
    bool keepHostLogs = false;
};

struct SoakFigures {
    long gdiLiveStart = 0, gdiLiveEnd = 0;         // after the first skin load, and at the end of the ticks
    long gdiDeleteUnknown = 0;                     // deletes of handles never made, or made and deleted twice
    long gdiLiveAfterQuit = 0;                     // every object released by quit
    size_t memoryStart = 0, memoryAfterTicks = 0;  // private bytes of the process
    size_t heapStart = 0, heapAfterTicks = 0;      // bytes in use in the process's heaps
    // Least-squares slopes over samples taken through the ticks, in bytes per tick.
    double heapBytesPerTick = 0, privateBytesPerTick = 0;
    int samples = 0;
    size_t memoryCyclesStart = 0, memoryCyclesEnd = 0;
    int ticksRun = 0, cyclesRun = 0;
    bool ok = false;
    std::string failure;
};

// What the figures are held to. The heap is read block by block, so its
// slope sees a leak of a byte a tick over a short run. Private bytes are
// committed in steps of 64 KiB: one step anywhere in a run of n ticks tilts
// their slope by up to 1.5 x 64 KiB / n, which their limit allows on top.
constexpr double heapSlopeLimit = 1.0;         // bytes per tick
constexpr double privateSlopeLimit = 1.0;      // bytes per tick, plus one commit step
constexpr size_t commitStep = 64 * 1024;
constexpr size_t cycleMemorySlack = 512 * 1024;   // over the load cycles, after the fifth

SoakFigures RunSoak(const SoakPlan& plan);
// The figures, then one verdict line per target: target, figure, met or not.
void PrintFigures(const SoakFigures& figures);

}  // namespace soak
