// The module's life between the player's init and quit: whether it runs, and
// whether it keeps itself mapped. The entry starts and stops it; the clock,
// the hook and the subclass procedures ask it.
#pragma once

// The module life's record; its one instance is private to module_life.cpp.
struct ModuleLife {
    int moduleKept;   // the module holds a reference on itself until the process ends (outlives every start)
    int running;      // init succeeded and quit has not run yet
};

int PluginRunning();
void SetPluginRunning(int running);
// Keeps the module mapped until the process ends, for when some of its code
// can still be reached after quit (the host frees the module then). Takes
// one reference, once.
void KeepModuleLoaded();
// Not running (a fresh start); the reference, once taken, stays.
void ResetModuleLife();

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
ModuleLife& ModuleLifeForTest();
#endif
