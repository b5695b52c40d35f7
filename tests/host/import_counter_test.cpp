// The import counter, first on this test program's own imports (where the
// calls are known), then on the real plug-in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <vector>

#include "emulated_host.h"
#include "import_counter.h"
#include "scoped_gdi.h"
#include "scratch_plugin.h"

namespace {

// Keeps the compiler from folding the heap calls away.
void* volatile keep;

struct CountingThisProgram {
    CountingThisProgram() { host::AttachImportCounter(GetModuleHandleA(nullptr)); }
    ~CountingThisProgram() { host::DetachImportCounter(); }
};

}  // namespace

TEST(HostImportCounter, CountsObjectsDeletesAndWindowDcs) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CountingThisProgram counting;
    EXPECT_EQ(host::CountedModule(), GetModuleHandleA(nullptr));
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 8, 8);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    LOGFONTA lf = {};
    lf.lfHeight = -11;
    HFONT font = CreateFontIndirectA(&lf);
    host::ImportCounts made = host::CurrentImportCounts();
    EXPECT_EQ(made.gdiCreated, 6);
    EXPECT_EQ(made.gdiLive, 6);
    EXPECT_EQ(made.windowDCs, 1);

    DeleteObject(font);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(brush);                          // twice
    DeleteObject(GetStockObject(BLACK_BRUSH));    // never made here
    DeleteObject(colour);
    DeleteObject(mono);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    const host::ImportCounts done = host::CurrentImportCounts();
    EXPECT_EQ(done.gdiDeleted, 6);
    EXPECT_EQ(done.gdiLive, 0);
    EXPECT_EQ(done.gdiTracked, 0);
    EXPECT_EQ(done.deleteUnknown, 2);
    EXPECT_EQ(done.windowDCs, 0);
    DestroyWindow(window);
}

TEST(HostImportCounter, CountsHeapCallsAndResetsKeepLiveObjects) {
    CountingThisProgram counting;
    HBRUSH early = CreateSolidBrush(RGB(9, 9, 9));
    host::ResetImportCounts();
    keep = std::malloc(16);
    std::free(keep);
    keep = HeapAlloc(GetProcessHeap(), 0, 16);
    HeapFree(GetProcessHeap(), 0, keep);
    keep = LocalAlloc(LMEM_FIXED, 16);
    LocalFree(keep);
    const host::ImportCounts heap = host::CurrentImportCounts();
    EXPECT_GE(heap.heapAllocations, 3);
    EXPECT_GE(heap.heapFrees, 1);
    EXPECT_EQ(heap.gdiCreated, 0);
    EXPECT_EQ(heap.gdiTracked, 1) << "the brush made before the reset is still tracked";
    DeleteObject(early);
    EXPECT_EQ(host::CurrentImportCounts().deleteUnknown, 0);
    EXPECT_EQ(host::CurrentImportCounts().gdiDeleted, 1);
}

TEST(HostImportCounter, DetachRestoresTheImports) {
    {
        CountingThisProgram counting;
    }
    EXPECT_EQ(host::CountedModule(), nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    DeleteObject(brush);
    EXPECT_EQ(host::CurrentImportCounts().gdiCreated, 0);
}

// The benchmark makes a composition's copies again from this record, so
// each copy's depths, sizes and kind must be the ones made.
TEST(HostImportCounter, CountsCopiesAndFillsAndRecordsEachCopy) {
    const host::ScopedBitmap mask(CreateBitmap(40, 20, 1, 1, nullptr));
    const host::ScopedBitmap colour(CreateCompatibleBitmap(host::ScopedWindowDC(), 40, 20));
    const host::ScopedMemoryDC maskDc, colourDc;
    const host::ScopedSelect maskSelected(maskDc, mask), colourSelected(colourDc, colour);
    const int colourBits = GetDeviceCaps(colourDc, BITSPIXEL);
    CountingThisProgram counting;
    std::vector<host::BlockCopy> copies;
    host::RecordBlockCopies(&copies);
    BitBlt(maskDc, 0, 0, 30, 12, maskDc, 2, 0, SRCCOPY);
    BitBlt(colourDc, 3, 3, 27, 9, maskDc, 0, 0, SRCAND);
    StretchBlt(colourDc, 0, 0, 40, 20, colourDc, 0, 0, 10, 5, SRCCOPY);
    host::RecordBlockCopies(nullptr);
    BitBlt(maskDc, 0, 0, 1, 1, maskDc, 0, 0, SRCCOPY);   // counted, not recorded
    const RECT area = {0, 0, 5, 5};
    FillRect(colourDc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    Rectangle(maskDc, 0, 0, 5, 5);

    EXPECT_EQ(host::CurrentImportCounts().blockCopies, 4);
    EXPECT_EQ(host::CurrentImportCounts().fills, 2);
    struct Expected {
        int x, y, width, height, sourceWidth, sourceHeight, destinationBits, sourceBits;
        DWORD operation;
        bool stretched;
    };
    const Expected expected[] = {
        {0, 0, 30, 12, 30, 12, 1, 1, SRCCOPY, false},
        {3, 3, 27, 9, 27, 9, colourBits, 1, SRCAND, false},
        {0, 0, 40, 20, 10, 5, colourBits, colourBits, SRCCOPY, true},
    };
    ASSERT_EQ(copies.size(), std::size(expected));
    for (size_t i = 0; i < copies.size(); ++i) {
        const host::BlockCopy& c = copies[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ((std::vector<int>{c.x, c.y, c.width, c.height, c.sourceWidth, c.sourceHeight, c.destinationBits,
                                    c.sourceBits}),
                  (std::vector<int>{e.x, e.y, e.width, e.height, e.sourceWidth, e.sourceHeight, e.destinationBits,
                                    e.sourceBits}));
        EXPECT_EQ(c.operation, e.operation);
        EXPECT_EQ(c.stretched, e.stretched);
    }
}

// The real plug-in's own imports are reached: it makes its surfaces at init.
TEST(HostImportCounter, SeesThePluginsObjects) {
    testing_support::PluginRun run;
    host::AttachImportCounter(run.host->Module());
    ASSERT_EQ(run.Start(), 0);
    const host::ImportCounts started = host::CurrentImportCounts();
    EXPECT_GT(started.gdiCreated, 0);
    EXPECT_EQ(started.deleteUnknown, 0);
    run.host->Quit();
    run.host->Unload();
    EXPECT_EQ(host::CountedModule(), nullptr) << "unloading detaches the counter";
}

// The benchmark tells the copies onto the player made by the plug-in's frame
// tick from those made at any other time; a memory surface is neither.
TEST(HostImportCounter, TellsCopiesOntoTheWatchedWindowInAndOutsideTicks) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const host::ScopedMemoryDC memory;
    {
        const host::ScopedWindowDC onWindow(window);
        CountingThisProgram counting;
        host::WatchCopiesOnto(window);
        BitBlt(onWindow, 0, 0, 5, 5, memory, 0, 0, SRCCOPY);
        host::EnterFrameTick();
        BitBlt(onWindow, 0, 0, 5, 5, memory, 0, 0, SRCCOPY);
        host::LeaveFrameTick();
        BitBlt(memory, 0, 0, 5, 5, onWindow, 0, 0, SRCCOPY);
        EXPECT_EQ(host::CurrentImportCounts().copiesOntoWatched, 2);
        EXPECT_EQ(host::CurrentImportCounts().copiesOntoWatchedOutsideTick, 1);
    }
    DestroyWindow(window);

    testing_support::PluginRun run;   // the host's ticks are the frame ticks
    host::AttachImportCounter(run.host->Module());
    ASSERT_EQ(run.Start(), 0);
    host::WatchCopiesOnto(run.host->Main());
    run.host->Tick(4);
    EXPECT_GE(host::CurrentImportCounts().copiesOntoWatched, 4) << "each tick presents its frame";
    EXPECT_EQ(host::CurrentImportCounts().copiesOntoWatchedOutsideTick, 0);
}
