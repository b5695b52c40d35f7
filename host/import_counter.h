// Counts what a loaded module asks of GDI and of the heap, and logs the files
// it names and the calls that would leave the test (a browser, the help
// viewer), by patching its import table (Wine's GetGuiResources answers 0,
// so the host counts itself).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace host {

struct ImportCounts {
    long gdiCreated = 0;        // DCs, bitmaps, brushes, pens, fonts made by the module (LoadImageA bitmaps included)
    long gdiDeleted = 0;        // DeleteDC / DeleteObject calls on objects the module made
    long gdiLive = 0;           // created - deleted
    long deleteUnknown = 0;     // deletes of handles the module never made, or deleted twice
    long heapAllocations = 0;   // malloc, calloc, realloc, operator new, HeapAlloc, LocalAlloc, GlobalAlloc
    long windowDCs = 0;         // GetDC / ReleaseDC balance
    long heapFrees = 0;         // free of a non-null pointer
    long gdiTracked = 0;        // objects the module made and still holds, whenever made (survives a reset)
    long blockCopies = 0;       // BitBlt, StretchBlt
    long fills = 0;             // FillRect, Rectangle
    long messagesSent = 0;      // SendMessageA/W, and GetWindowTextA/W, which send WM_GETTEXT
    long copiesOntoWatched = 0;             // block copies onto a DC of the watched window (WatchCopiesOnto)
    long copiesOntoWatchedOutsideTick = 0;  // of those, the ones made while no frame tick was running
};

// One block copy as the module made it, so a measurement can make the same
// copies again on surfaces of its own.
struct BlockCopy {
    int x = 0, y = 0, width = 0, height = 0;   // the destination's part
    int sourceWidth = 0, sourceHeight = 0;      // differs from width x height in a stretch
    int destinationBits = 0;   // bits per pixel of the bitmap selected there (1: a mask); 0: not a memory DC
    int sourceBits = 0;
    DWORD operation = 0;
    bool stretched = false;    // StretchBlt
};

// Patches `module`'s imports from gdi32, user32 (LoadImageA, GetDC, ReleaseDC,
// FillRect, WinHelpA, the message senders), kernel32, msvcrt and shell32; the
// wide calls a module looks up by name (GetProcAddress) are counted too. Call
// after LoadLibrary and before init. One module at a time.
void AttachImportCounter(HMODULE module);
ImportCounts CurrentImportCounts();
void ResetImportCounts();       // zeroes the counters and empties both logs (live objects stay tracked)

// Every file the module named to LoadImageA (from a file), CreateFileA,
// OpenFile and the private-profile functions, one "<call> <path>" per call,
// in order ("<call> (win.ini)" for a profile call without a file).
std::vector<std::string> FilesNamed();
// The calls that would leave the test's control, recorded instead of made:
// "ShellExecuteA <verb> <file>" (answered as a success; "(null)" for no
// verb) and "WinHelpA <command> <file>" (answered TRUE).
std::vector<std::string> OutsideCalls();
// Empties the file and outside-call logs, which grow with every call, and
// leaves the counts alone: a long run forgets them from time to time.
void ForgetImportLogs();
void DetachImportCounter();     // forgets the module (before FreeLibrary)
HMODULE CountedModule();        // the module being counted, or null
// Appends each block copy the counted module makes to `into` until called
// again with null (off by default: a long run would pile them up).
void RecordBlockCopies(std::vector<BlockCopy>* into);
// Counts the module's block copies onto `window`'s DCs (its own, or one
// BeginPaint handed out), and apart those made outside a frame tick; null
// stops watching.
void WatchCopiesOnto(HWND window);
// The host brackets each call of the plug-in's frame timer procedure with
// these, so a copy can be told to come from the tick or from anything else.
void EnterFrameTick();
void LeaveFrameTick();

}  // namespace host
