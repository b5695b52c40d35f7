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
};

struct SoakFigures {
    long gdiLiveStart = 0, gdiLiveEnd = 0;         // after the first skin load, and at the end of the ticks
    long gdiDeleteUnknown = 0;                     // deletes of handles never made, or made and deleted twice
    long gdiLiveAfterQuit = 0;                     // every object released by quit
    size_t memoryStart = 0, memoryAfterTicks = 0;  // private bytes of the process
    size_t memoryCyclesStart = 0, memoryCyclesEnd = 0;
    int ticksRun = 0, cyclesRun = 0;
    bool ok = false;
    std::string failure;
};

SoakFigures RunSoak(const SoakPlan& plan);
void PrintFigures(const SoakFigures& figures);

}  // namespace soak
