// Counts a module's GDI objects, window DCs and heap calls by swapping the
// entries of its import address table for counting wrappers.
#include "import_counter.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace host {

namespace {

ImportCounts counts;
std::set<HANDLE> liveObjects;   // what the module made and has not deleted yet
HMODULE countedModule = nullptr;
std::vector<BlockCopy>* copyRecord = nullptr;
HWND watchedWindow = nullptr;
int frameTickDepth = 0;
std::vector<std::string> filesNamed;
std::vector<std::string> outsideCalls;

void NamedFile(const char* call, const char* path) {
    filesNamed.push_back(std::string(call) + " " + (path ? path : "(win.ini)"));
}

struct PatchedSlot {
    void** slot;
    void* original;
};
std::vector<PatchedSlot> patchedSlots;

void Created(HANDLE h) {
    if (!h) return;
    ++counts.gdiCreated;
    ++counts.gdiLive;
    liveObjects.insert(h);
}

// A delete of something the module never made, or made and already
// deleted, counts as unknown; the real call still runs (a stock object's
// delete is harmless).
void Deleted(HANDLE h) {
    if (liveObjects.erase(h)) {
        ++counts.gdiDeleted;
        --counts.gdiLive;
    } else {
        ++counts.deleteUnknown;
    }
}

// The originals, filled when a slot is patched.
HDC(WINAPI* realCreateCompatibleDC)(HDC);
HDC(WINAPI* realCreateDCA)(LPCSTR, LPCSTR, LPCSTR, const DEVMODEA*);
HBITMAP(WINAPI* realCreateBitmap)(int, int, UINT, UINT, const void*);
HBITMAP(WINAPI* realCreateCompatibleBitmap)(HDC, int, int);
HBITMAP(WINAPI* realCreateDIBSection)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD);
HBITMAP(WINAPI* realCreateDIBitmap)(HDC, const BITMAPINFOHEADER*, DWORD, const void*, const BITMAPINFO*, UINT);
HBRUSH(WINAPI* realCreateSolidBrush)(COLORREF);
HBRUSH(WINAPI* realCreateBrushIndirect)(const LOGBRUSH*);
HBRUSH(WINAPI* realCreatePatternBrush)(HBITMAP);
HBRUSH(WINAPI* realCreateHatchBrush)(int, COLORREF);
HPEN(WINAPI* realCreatePen)(int, int, COLORREF);
HPEN(WINAPI* realCreatePenIndirect)(const LOGPEN*);
HFONT(WINAPI* realCreateFontIndirectA)(const LOGFONTA*);
HFONT(WINAPI* realCreateFontA)(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR);
HRGN(WINAPI* realCreateRectRgn)(int, int, int, int);
BOOL(WINAPI* realDeleteDC)(HDC);
BOOL(WINAPI* realDeleteObject)(HGDIOBJ);
HANDLE(WINAPI* realLoadImageA)(HINSTANCE, LPCSTR, UINT, int, int, UINT);
HDC(WINAPI* realGetDC)(HWND);
HDC(WINAPI* realGetWindowDC)(HWND);
int(WINAPI* realReleaseDC)(HWND, HDC);
LPVOID(WINAPI* realHeapAlloc)(HANDLE, DWORD, SIZE_T);
LPVOID(WINAPI* realHeapReAlloc)(HANDLE, DWORD, LPVOID, SIZE_T);
HLOCAL(WINAPI* realLocalAlloc)(UINT, SIZE_T);
HGLOBAL(WINAPI* realGlobalAlloc)(UINT, SIZE_T);
void*(__cdecl* realMalloc)(size_t);
void*(__cdecl* realCalloc)(size_t, size_t);
void*(__cdecl* realRealloc)(void*, size_t);
void(__cdecl* realFree)(void*);
BOOL(WINAPI* realBitBlt)(HDC, int, int, int, int, HDC, int, int, DWORD);
BOOL(WINAPI* realStretchBlt)(HDC, int, int, int, int, HDC, int, int, int, int, DWORD);
int(WINAPI* realFillRect)(HDC, const RECT*, HBRUSH);
BOOL(WINAPI* realRectangle)(HDC, int, int, int, int);
HANDLE(WINAPI* realCreateFileA)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
HFILE(WINAPI* realOpenFile)(LPCSTR, LPOFSTRUCT, UINT);
DWORD(WINAPI* realGetPrivateProfileStringA)(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR);
UINT(WINAPI* realGetPrivateProfileIntA)(LPCSTR, LPCSTR, INT, LPCSTR);
DWORD(WINAPI* realGetPrivateProfileSectionA)(LPCSTR, LPSTR, DWORD, LPCSTR);
BOOL(WINAPI* realWritePrivateProfileStringA)(LPCSTR, LPCSTR, LPCSTR, LPCSTR);
BOOL(WINAPI* realWinHelpA)(HWND, LPCSTR, UINT, ULONG_PTR);
HINSTANCE(WINAPI* realShellExecuteA)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
LRESULT(WINAPI* realSendMessageA)(HWND, UINT, WPARAM, LPARAM);
LRESULT(WINAPI* realSendMessageW)(HWND, UINT, WPARAM, LPARAM);
int(WINAPI* realGetWindowTextA)(HWND, LPSTR, int);
int(WINAPI* realGetWindowTextW)(HWND, LPWSTR, int);
FARPROC(WINAPI* realGetProcAddress)(HMODULE, LPCSTR);

template <typename H>
H Made(H h) {
    Created(h);
    return h;
}

HDC WINAPI CountCreateCompatibleDC(HDC dc) { return Made(realCreateCompatibleDC(dc)); }
HDC WINAPI CountCreateDCA(LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d) { return Made(realCreateDCA(a, b, c, d)); }
HBITMAP WINAPI CountCreateBitmap(int w, int h, UINT planes, UINT bits, const void* data) {
    return Made(realCreateBitmap(w, h, planes, bits, data));
}
HBITMAP WINAPI CountCreateCompatibleBitmap(HDC dc, int w, int h) { return Made(realCreateCompatibleBitmap(dc, w, h)); }
HBITMAP WINAPI CountCreateDIBSection(HDC dc, const BITMAPINFO* i, UINT u, void** b, HANDLE s, DWORD o) {
    return Made(realCreateDIBSection(dc, i, u, b, s, o));
}
HBITMAP WINAPI CountCreateDIBitmap(HDC dc, const BITMAPINFOHEADER* h, DWORD f, const void* b, const BITMAPINFO* i, UINT u) {
    return Made(realCreateDIBitmap(dc, h, f, b, i, u));
}
HBRUSH WINAPI CountCreateSolidBrush(COLORREF c) { return Made(realCreateSolidBrush(c)); }
HBRUSH WINAPI CountCreateBrushIndirect(const LOGBRUSH* b) { return Made(realCreateBrushIndirect(b)); }
HBRUSH WINAPI CountCreatePatternBrush(HBITMAP b) { return Made(realCreatePatternBrush(b)); }
HBRUSH WINAPI CountCreateHatchBrush(int s, COLORREF c) { return Made(realCreateHatchBrush(s, c)); }
HPEN WINAPI CountCreatePen(int s, int w, COLORREF c) { return Made(realCreatePen(s, w, c)); }
HPEN WINAPI CountCreatePenIndirect(const LOGPEN* p) { return Made(realCreatePenIndirect(p)); }
HFONT WINAPI CountCreateFontIndirectA(const LOGFONTA* f) { return Made(realCreateFontIndirectA(f)); }
HFONT WINAPI CountCreateFontA(int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j,
                              DWORD k, DWORD l, DWORD m, LPCSTR n) {
    return Made(realCreateFontA(a, b, c, d, e, f, g, h, i, j, k, l, m, n));
}
HRGN WINAPI CountCreateRectRgn(int a, int b, int c, int d) { return Made(realCreateRectRgn(a, b, c, d)); }
BOOL WINAPI CountDeleteDC(HDC dc) {
    Deleted(dc);
    return realDeleteDC(dc);
}
BOOL WINAPI CountDeleteObject(HGDIOBJ object) {
    Deleted(object);
    return realDeleteObject(object);
}
HANDLE WINAPI CountLoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    if (flags & LR_LOADFROMFILE) NamedFile("LoadImageA", name);
    HANDLE image = realLoadImageA(instance, name, type, cx, cy, flags);
    if (type == IMAGE_BITMAP) Created(image);
    return image;
}
HDC WINAPI CountGetDC(HWND window) {
    HDC dc = realGetDC(window);
    if (dc) ++counts.windowDCs;
    return dc;
}
HDC WINAPI CountGetWindowDC(HWND window) {
    HDC dc = realGetWindowDC(window);
    if (dc) ++counts.windowDCs;
    return dc;
}
int WINAPI CountReleaseDC(HWND window, HDC dc) {
    const int released = realReleaseDC(window, dc);
    if (released) --counts.windowDCs;
    return released;
}
LPVOID WINAPI CountHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
    ++counts.heapAllocations;
    return realHeapAlloc(heap, flags, size);
}
LPVOID WINAPI CountHeapReAlloc(HANDLE heap, DWORD flags, LPVOID memory, SIZE_T size) {
    ++counts.heapAllocations;
    return realHeapReAlloc(heap, flags, memory, size);
}
HLOCAL WINAPI CountLocalAlloc(UINT flags, SIZE_T size) {
    ++counts.heapAllocations;
    return realLocalAlloc(flags, size);
}
HGLOBAL WINAPI CountGlobalAlloc(UINT flags, SIZE_T size) {
    ++counts.heapAllocations;
    return realGlobalAlloc(flags, size);
}
void* __cdecl CountMalloc(size_t size) {
    ++counts.heapAllocations;
    return realMalloc(size);
}
void* __cdecl CountCalloc(size_t n, size_t size) {
    ++counts.heapAllocations;
    return realCalloc(n, size);
}
void* __cdecl CountRealloc(void* memory, size_t size) {
    ++counts.heapAllocations;
    return realRealloc(memory, size);
}
void __cdecl CountFree(void* memory) {
    if (memory) ++counts.heapFrees;
    realFree(memory);
}

// A memory DC's depth is its selected bitmap's, not the device's.
int BitsOf(HDC dc) {
    if (!dc || GetObjectType(dc) != OBJ_MEMDC) return 0;
    BITMAP info = {};
    if (!GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof info, &info)) return 0;
    return info.bmBitsPixel;
}

void Copied(HDC destination, int x, int y, int w, int h, HDC source, int sw, int sh, DWORD operation, bool stretched) {
    ++counts.blockCopies;
    if (watchedWindow && WindowFromDC(destination) == watchedWindow) {
        ++counts.copiesOntoWatched;
        if (frameTickDepth == 0) ++counts.copiesOntoWatchedOutsideTick;
    }
    if (copyRecord)
        copyRecord->push_back({x, y, w, h, sw, sh, BitsOf(destination), BitsOf(source), operation, stretched});
}

BOOL WINAPI CountBitBlt(HDC d, int x, int y, int w, int h, HDC s, int sx, int sy, DWORD operation) {
    Copied(d, x, y, w, h, s, w, h, operation, false);
    return realBitBlt(d, x, y, w, h, s, sx, sy, operation);
}
BOOL WINAPI CountStretchBlt(HDC d, int x, int y, int w, int h, HDC s, int sx, int sy, int sw, int sh, DWORD operation) {
    Copied(d, x, y, w, h, s, sw, sh, operation, true);
    return realStretchBlt(d, x, y, w, h, s, sx, sy, sw, sh, operation);
}
int WINAPI CountFillRect(HDC dc, const RECT* area, HBRUSH brush) {
    ++counts.fills;
    return realFillRect(dc, area, brush);
}
BOOL WINAPI CountRectangle(HDC dc, int left, int top, int right, int bottom) {
    ++counts.fills;
    return realRectangle(dc, left, top, right, bottom);
}
HANDLE WINAPI CountCreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE pattern) {
    NamedFile("CreateFileA", name);
    return realCreateFileA(name, access, share, security, disposition, flags, pattern);
}
HFILE WINAPI CountOpenFile(LPCSTR name, LPOFSTRUCT info, UINT style) {
    NamedFile("OpenFile", name);
    return realOpenFile(name, info, style);
}
DWORD WINAPI CountGetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR text, DWORD size,
                                           LPCSTR file) {
    NamedFile("GetPrivateProfileStringA", file);
    return realGetPrivateProfileStringA(section, key, fallback, text, size, file);
}
UINT WINAPI CountGetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT fallback, LPCSTR file) {
    NamedFile("GetPrivateProfileIntA", file);
    return realGetPrivateProfileIntA(section, key, fallback, file);
}
DWORD WINAPI CountGetPrivateProfileSectionA(LPCSTR section, LPSTR text, DWORD size, LPCSTR file) {
    NamedFile("GetPrivateProfileSectionA", file);
    return realGetPrivateProfileSectionA(section, text, size, file);
}
BOOL WINAPI CountWritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR text, LPCSTR file) {
    NamedFile("WritePrivateProfileStringA", file);
    return realWritePrivateProfileStringA(section, key, text, file);
}
// A help viewer or a browser would outlive the test, or wait for a person.
BOOL WINAPI CountWinHelpA(HWND, LPCSTR file, UINT command, ULONG_PTR) {
    outsideCalls.push_back("WinHelpA " + std::to_string(command) + " " + (file ? file : "(null)"));
    return TRUE;
}
HINSTANCE WINAPI CountShellExecuteA(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT) {
    outsideCalls.push_back(std::string("ShellExecuteA ") + (verb ? verb : "(null)") + " " + (file ? file : "(null)"));
    return reinterpret_cast<HINSTANCE>(42);   // above 32: done
}

LRESULT WINAPI CountSendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++counts.messagesSent;
    return realSendMessageA(window, message, wParam, lParam);
}
LRESULT WINAPI CountSendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++counts.messagesSent;
    return realSendMessageW(window, message, wParam, lParam);
}
int WINAPI CountGetWindowTextA(HWND window, LPSTR text, int size) {
    ++counts.messagesSent;
    return realGetWindowTextA(window, text, size);
}
int WINAPI CountGetWindowTextW(HWND window, LPWSTR text, int size) {
    ++counts.messagesSent;
    return realGetWindowTextW(window, text, size);
}

// A module that finds its wide calls by name gets the counting ones.
struct NamedCall {
    const char* name;
    void* replacement;
    void** original;
};
const NamedCall namedCalls[] = {
    {"SendMessageW", reinterpret_cast<void*>(CountSendMessageW), reinterpret_cast<void**>(&realSendMessageW)},
    {"GetWindowTextW", reinterpret_cast<void*>(CountGetWindowTextW), reinterpret_cast<void**>(&realGetWindowTextW)},
};

FARPROC WINAPI CountGetProcAddress(HMODULE module, LPCSTR name) {
    const FARPROC found = realGetProcAddress(module, name);
    if (!found || !HIWORD(reinterpret_cast<ULONG_PTR>(name))) return found;   // by ordinal
    for (const NamedCall& call : namedCalls) {
        if (lstrcmpA(name, call.name) != 0) continue;
        *call.original = reinterpret_cast<void*>(found);
        return reinterpret_cast<FARPROC>(call.replacement);
    }
    return found;
}

struct Wrapper {
    const char* dll;   // lower case, without ".dll"
    const char* name;
    void* replacement;
    void** original;
};

#define QLV_WRAP(dll, fn) {dll, #fn, reinterpret_cast<void*>(Count##fn), reinterpret_cast<void**>(&real##fn)}
const Wrapper wrappers[] = {
    QLV_WRAP("gdi32", CreateCompatibleDC),  QLV_WRAP("gdi32", CreateDCA),
    QLV_WRAP("gdi32", CreateBitmap),        QLV_WRAP("gdi32", CreateCompatibleBitmap),
    QLV_WRAP("gdi32", CreateDIBSection),    QLV_WRAP("gdi32", CreateDIBitmap),
    QLV_WRAP("gdi32", CreateSolidBrush),    QLV_WRAP("gdi32", CreateBrushIndirect),
    QLV_WRAP("gdi32", CreatePatternBrush),  QLV_WRAP("gdi32", CreateHatchBrush),
    QLV_WRAP("gdi32", CreatePen),           QLV_WRAP("gdi32", CreatePenIndirect),
    QLV_WRAP("gdi32", CreateFontIndirectA), QLV_WRAP("gdi32", CreateFontA),
    QLV_WRAP("gdi32", CreateRectRgn),       QLV_WRAP("gdi32", DeleteDC),
    QLV_WRAP("gdi32", DeleteObject),        QLV_WRAP("user32", LoadImageA),
    QLV_WRAP("user32", GetDC),              QLV_WRAP("user32", GetWindowDC),
    QLV_WRAP("user32", ReleaseDC),          QLV_WRAP("kernel32", HeapAlloc),
    QLV_WRAP("kernel32", HeapReAlloc),      QLV_WRAP("kernel32", LocalAlloc),
    QLV_WRAP("kernel32", GlobalAlloc),      QLV_WRAP("msvcrt", Malloc),
    QLV_WRAP("msvcrt", Calloc),             QLV_WRAP("msvcrt", Realloc),
    QLV_WRAP("msvcrt", Free),               QLV_WRAP("gdi32", BitBlt),
    QLV_WRAP("gdi32", StretchBlt),          QLV_WRAP("gdi32", Rectangle),
    QLV_WRAP("user32", FillRect),
    QLV_WRAP("kernel32", CreateFileA),      QLV_WRAP("kernel32", OpenFile),
    QLV_WRAP("kernel32", GetPrivateProfileStringA), QLV_WRAP("kernel32", GetPrivateProfileIntA),
    QLV_WRAP("kernel32", GetPrivateProfileSectionA), QLV_WRAP("kernel32", WritePrivateProfileStringA),
    QLV_WRAP("user32", WinHelpA),           QLV_WRAP("shell32", ShellExecuteA),
    QLV_WRAP("user32", SendMessageA),       QLV_WRAP("user32", SendMessageW),
    QLV_WRAP("user32", GetWindowTextA),     QLV_WRAP("user32", GetWindowTextW),
    QLV_WRAP("kernel32", GetProcAddress),
};
#undef QLV_WRAP

// The C runtime's exports are lower case; the table's names follow the
// wrappers' names.
bool SameName(const char* imported, const char* wanted) {
    return lstrcmpiA(imported, wanted) == 0;
}

bool SameDll(const char* imported, const char* wanted) {
    char base[64] = "";
    lstrcpynA(base, imported, sizeof base);
    char* dot = std::strrchr(base, '.');
    if (dot) *dot = '\0';
    return lstrcmpiA(base, wanted) == 0;
}

void Patch(void** slot, void* value) {
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return;
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

}  // namespace

void AttachImportCounter(HMODULE module) {
    DetachImportCounter();
    if (!module) return;
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress) return;
    countedModule = module;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); d->Name; ++d) {
        const char* dll = reinterpret_cast<const char*>(base + d->Name);
        // Names come from the lookup table; the address table holds the resolved pointers.
        const DWORD lookup = d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + lookup);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            const char* name = reinterpret_cast<const char*>(byName->Name);
            for (const Wrapper& w : wrappers) {
                if (!SameDll(dll, w.dll) || !SameName(name, w.name)) continue;
                void** slot = reinterpret_cast<void**>(&slots->u1.Function);
                *w.original = *slot;
                patchedSlots.push_back({slot, *slot});
                Patch(slot, w.replacement);
            }
        }
    }
}

ImportCounts CurrentImportCounts() {
    ImportCounts now = counts;
    now.gdiTracked = static_cast<long>(liveObjects.size());
    return now;
}

void ResetImportCounts() {
    counts = ImportCounts{};
    ForgetImportLogs();
}

void ForgetImportLogs() {
    filesNamed.clear();
    outsideCalls.clear();
}

std::vector<std::string> FilesNamed() {
    return filesNamed;
}

std::vector<std::string> OutsideCalls() {
    return outsideCalls;
}

void DetachImportCounter() {
    for (const PatchedSlot& p : patchedSlots) Patch(p.slot, p.original);
    patchedSlots.clear();
    countedModule = nullptr;
    copyRecord = nullptr;
    watchedWindow = nullptr;
    liveObjects.clear();
    counts = ImportCounts{};
    filesNamed.clear();
    outsideCalls.clear();
}

HMODULE CountedModule() {
    return countedModule;
}

void RecordBlockCopies(std::vector<BlockCopy>* into) {
    copyRecord = into;
}

void WatchCopiesOnto(HWND window) {
    watchedWindow = window;
}

void EnterFrameTick() {
    ++frameTickDepth;
}

void LeaveFrameTick() {
    if (frameTickDepth > 0) --frameTickDepth;
}

}  // namespace host
