// A shorter soak: the same run and the same verdicts as the soak program, in
// the test suite. Memory is judged by its slope over the ticks, so a leak of
// a few bytes a tick fails here as it would over the full run.
#include <gtest/gtest.h>

#include "scratch_plugin.h"
#include "soak_run.h"

TEST(Soak, GdiObjectsAndMemoryStayFlatAcrossTicksSkinsAndLoadCycles) {
    testing_support::ScratchPlugin scratch;
    soak::SoakPlan plan;
    plan.ticks = 6000;
    plan.loadCycles = 15;
    plan.folder = scratch.Folder() + "\\run";
    plan.verbose = false;
    const soak::SoakFigures figures = soak::RunSoak(plan);
    soak::PrintFigures(figures);
    EXPECT_TRUE(figures.ok) << figures.failure;
    EXPECT_EQ(figures.ticksRun, plan.ticks);
    EXPECT_EQ(figures.cyclesRun, plan.loadCycles);
}
