// Whether the module runs, and its reference on itself.
#include "plugin/module_life.h"

#include <windows.h>

#include "player/host_contract.h"

namespace {

ModuleLife life;

}  // namespace

int PluginRunning() { return life.running; }

void SetPluginRunning(int running) {
    life.running = running;
}

// Loading our own file again takes a reference that nothing gives back, so
// the host's FreeLibrary leaves the module mapped; this works on every
// system the host runs on, where pinning calls exist only on later ones.
// One reference is enough for good: the module is never unmapped after it,
// so the flag is not cleared by a later start.
void KeepModuleLoaded() {
    if (life.moduleKept) return;
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(PluginModule(), path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    if (LoadLibraryA(path)) life.moduleKept = 1;
}

void ResetModuleLife() {
    life = ModuleLife{life.moduleKept, 0};
}

#ifdef QLV_WHITEBOX
ModuleLife& ModuleLifeForTest() { return life; }
#endif
