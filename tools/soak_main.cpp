// The soak program: soak.exe [--ticks N] [--cycles N] [--keep-host-logs].
// Exits 1 when a target is not met.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin_folder.h"
#include "soak_run.h"

int main(int argc, char** argv) {
    soak::SoakPlan plan;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--keep-host-logs")) plan.keepHostLogs = true;
        if (i + 1 < argc && !std::strcmp(argv[i], "--ticks")) plan.ticks = std::atoi(argv[++i]);
        if (i + 1 < argc && !std::strcmp(argv[i], "--cycles")) plan.loadCycles = std::atoi(argv[++i]);
    }
    plan.folder = host::ProgramFolder() + "\\scratch\\soak";
    const soak::SoakFigures figures = soak::RunSoak(plan);
    soak::PrintFigures(figures);
    return figures.ok ? 0 : 1;
}
