// The soak program: soak.exe [--ticks N] [--cycles N]. Exits 1 on a failure.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin_folder.h"
#include "soak_run.h"

int main(int argc, char** argv) {
    soak::SoakPlan plan;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--ticks")) plan.ticks = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--cycles")) plan.loadCycles = std::atoi(argv[i + 1]);
    }
    plan.folder = host::ProgramFolder() + "\\scratch\\soak";
    const soak::SoakFigures figures = soak::RunSoak(plan);
    soak::PrintFigures(figures);
    return figures.ok ? 0 : 1;
}
