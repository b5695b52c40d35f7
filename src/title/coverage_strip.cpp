// The display text's coverage for smooth edges, taken from the glyph
// outlines' grey levels (GetGlyphOutline with GGO_GRAY8_BITMAP). Drawing the
// text with ANTIALIASED_QUALITY would be simpler, but it gives no grey levels
// where a face carries embedded bitmaps (WenQuanYi Zen Hei from about 9 to
// 16 pixels loses whole strokes there) or where the face's own table asks for
// none at small sizes; the outlines give them on every Windows from 95 on
// and under Wine.
#include "title/coverage_strip.h"

#include <cstdlib>

#include "settings/characters.h"

namespace {

constexpr int viewRows = 60;
constexpr int grayLevels = 64;          // GGO_GRAY8_BITMAP gives 0..64
constexpr int glyphScratchSize = 65536; // a glyph bigger than this is drawn one bit deep
constexpr WORD missingGlyph = 0xFFFF;

// The record of the coverage strip and its view.
struct Coverage {
    BYTE* strip;        // width x rows, one byte a pixel
    int capacity;       // bytes allocated at strip
    int width;
    int rows;
    bool ready;         // strip holds the current title's coverage
    BYTE view[viewCoverageStride * viewRows];
    BYTE glyph[glyphScratchSize];
};
Coverage coverage;

// The wide glyph calls and the missing-glyph check, looked up at run time:
// 95, 98 and ME export the wide ones as stubs or not at all, and the glyph
// index calls came with 2000.
struct OutlineCalls {
    bool searched;
    DWORD(WINAPI* GetGlyphOutlineW)(HDC, UINT, UINT, LPGLYPHMETRICS, DWORD, LPVOID, const MAT2*);
    DWORD(WINAPI* GetGlyphIndicesA)(HDC, LPCSTR, int, LPWORD, DWORD);
    DWORD(WINAPI* GetGlyphIndicesW)(HDC, LPCWSTR, int, LPWORD, DWORD);
};
// Found once for the module's life: a second start finds the same calls.
OutlineCalls outlineCalls;

template <typename Call>
void Find(HMODULE gdi, const char* name, Call& call) {
    call = reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(gdi, name)));
}

const OutlineCalls& Calls() {
    if (!outlineCalls.searched) {
        outlineCalls.searched = true;
        if (HMODULE gdi = GetModuleHandleA("gdi32.dll")) {
            Find(gdi, "GetGlyphOutlineW", outlineCalls.GetGlyphOutlineW);
            Find(gdi, "GetGlyphIndicesA", outlineCalls.GetGlyphIndicesA);
            Find(gdi, "GetGlyphIndicesW", outlineCalls.GetGlyphIndicesW);
        }
    }
    return outlineCalls;
}

bool MakeRoom(int width, int rows) {
    const int bytes = width * rows;
    if (bytes > coverage.capacity) {
        void* grown = std::realloc(coverage.strip, static_cast<size_t>(bytes));
        if (!grown) return false;
        coverage.strip = static_cast<BYTE*>(grown);
        coverage.capacity = bytes;
    }
    coverage.width = width;
    coverage.rows = rows;
    for (int i = 0; i < bytes; ++i) coverage.strip[i] = 0;
    return true;
}

// A face drawn from bitmaps has nothing between on and off: its coverage is
// the one-bit strip itself, so its picture stays exactly as the one-bit
// path draws it. The bits are read as the strip's bitmap holds them, rows
// padded to 16 bits, 1 for a glyph pixel.
bool CoverageFromStrip(HBITMAP stripBitmap) {
    BITMAP info = {};
    if (!GetObjectA(stripBitmap, sizeof info, &info) || info.bmBitsPixel != 1 || info.bmWidthBytes <= 0) return false;
    const int rows = coverage.rows < info.bmHeight ? coverage.rows : info.bmHeight;
    const int width = coverage.width < info.bmWidth ? coverage.width : info.bmWidth;
    const LONG bytes = info.bmWidthBytes * rows;
    auto* bits = static_cast<BYTE*>(std::malloc(static_cast<size_t>(bytes > 0 ? bytes : 1)));
    if (!bits) return false;
    const bool read = GetBitmapBits(stripBitmap, bytes, bits) == bytes;
    for (int y = 0; read && y < rows; ++y) {
        const BYTE* row = bits + y * info.bmWidthBytes;
        for (int x = 0; x < width; ++x)
            if (row[x >> 3] & (0x80 >> (x & 7))) coverage.strip[y * coverage.width + x] = 255;
    }
    std::free(bits);
    return read;
}

DWORD GlyphOutline(HDC dc, UINT code, bool wide, UINT format, GLYPHMETRICS* metrics, DWORD size, void* buffer) {
    static const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (wide)
        return Calls().GetGlyphOutlineW ? Calls().GetGlyphOutlineW(dc, code, format, metrics, size, buffer, &identity)
                                        : GDI_ERROR;
    return GetGlyphOutlineA(dc, code, format, metrics, size, buffer, &identity);
}

// Lays one glyph's grey levels over the strip at the pen, its baseline at
// `baseline`; overlapping glyphs (italics) keep the larger coverage. Returns
// false where the glyph has no outline to give.
bool PlaceGlyph(HDC dc, UINT code, bool wide, int& pen, int baseline) {
    GLYPHMETRICS metrics = {};
    const DWORD size = GlyphOutline(dc, code, wide, GGO_GRAY8_BITMAP, &metrics, sizeof coverage.glyph, coverage.glyph);
    if (size == GDI_ERROR || size == 0) {
        // A glyph too big for the scratch has no place here; a blank (a
        // space) has no black box, and only its advance counts.
        const DWORD needed = GlyphOutline(dc, code, wide, GGO_GRAY8_BITMAP, &metrics, 0, nullptr);
        if ((needed != GDI_ERROR && needed > sizeof coverage.glyph) ||
            GlyphOutline(dc, code, wide, GGO_METRICS, &metrics, 0, nullptr) == GDI_ERROR)
            return false;
        pen += metrics.gmCellIncX;
        return true;
    }
    const int pitch = (static_cast<int>(metrics.gmBlackBoxX) + 3) & ~3;
    const int left = pen + metrics.gmptGlyphOrigin.x;
    const int top = baseline - metrics.gmptGlyphOrigin.y;
    for (int y = 0; y < static_cast<int>(metrics.gmBlackBoxY); ++y) {
        const int row = top + y;
        if (row < 0 || row >= coverage.rows || (y + 1) * pitch > static_cast<int>(size)) continue;
        for (int x = 0; x < static_cast<int>(metrics.gmBlackBoxX); ++x) {
            const int column = left + x;
            if (column < 0 || column >= coverage.width) continue;
            int level = coverage.glyph[y * pitch + x];
            if (level > grayLevels) level = grayLevels;
            const BYTE value = static_cast<BYTE>((level * 255 + grayLevels / 2) / grayLevels);
            BYTE& at = coverage.strip[row * coverage.width + column];
            if (value > at) at = value;
        }
    }
    pen += metrics.gmCellIncX;
    return true;
}

UINT CharacterCode(const char* text, int at, int units) {
    const auto lead = static_cast<BYTE>(text[at]);
    return units == 2 ? (static_cast<UINT>(lead) << 8) | static_cast<BYTE>(text[at + 1]) : lead;
}

// A surrogate pair has no code a glyph call takes.
UINT CharacterCode(const wchar_t* text, int at, int units) {
    return units == 2 ? 0 : static_cast<UINT>(text[at]);
}

DWORD GlyphIndices(HDC dc, const char* text, int length, WORD* indices) {
    return Calls().GetGlyphIndicesA ? Calls().GetGlyphIndicesA(dc, text, length, indices, GGI_MARK_NONEXISTING_GLYPHS)
                                    : GDI_ERROR;
}

DWORD GlyphIndices(HDC dc, const wchar_t* text, int length, WORD* indices) {
    return Calls().GetGlyphIndicesW ? Calls().GetGlyphIndicesW(dc, text, length, indices, GGI_MARK_NONEXISTING_GLYPHS)
                                    : GDI_ERROR;
}

// Text drawing borrows a character the face lacks from another face (font
// linking); the face's own outlines would give its empty box instead.
template <typename Char>
bool FaceLacksCharacters(HDC dc, const Char* text, int length) {
    WORD indices[256];
    if (length > static_cast<int>(sizeof indices / sizeof indices[0])) length = sizeof indices / sizeof indices[0];
    const DWORD found = GlyphIndices(dc, text, length, indices);
    if (found == GDI_ERROR) return false;
    for (DWORD i = 0; i < found && i < static_cast<DWORD>(length); ++i)
        if (indices[i] == missingGlyph) return true;
    return false;
}

// The glyphs at the places text drawing gives them: from the left edge,
// each advancing the pen by its cell, the line centred vertically in the
// rows as a single line of DrawText is.
template <typename Char>
bool CoverageFromOutlines(HDC dc, const Char* text, int length, bool wide) {
    TEXTMETRICA metrics = {};
    if (!GetTextMetricsA(dc, &metrics) || !(metrics.tmPitchAndFamily & TMPF_VECTOR)) return false;
    if (FaceLacksCharacters(dc, text, length)) return false;
    const int baseline = coverage.rows / 2 - metrics.tmHeight / 2 + metrics.tmAscent;
    int pen = 0;
    for (int at = 0; at < length && pen < coverage.width;) {
        const int units = CharacterUnits(text, at, length);
        if (units == 0) break;
        const UINT code = CharacterCode(text, at, units);
        if (code == 0 || !PlaceGlyph(dc, code, wide, pen, baseline)) return false;
        at += units;
    }
    return true;
}

template <typename Char>
void Render(HDC dc, HBITMAP stripBitmap, const Char* text, int length, int width, int rows, bool wide) {
    coverage.ready = false;
    if (width <= 0 || rows <= 0 || !MakeRoom(width, rows)) return;
    if (CoverageFromOutlines(dc, text, length, wide)) {
        coverage.ready = true;
        return;
    }
    for (int i = 0; i < width * rows; ++i) coverage.strip[i] = 0;
    coverage.ready = CoverageFromStrip(stripBitmap);
}

}  // namespace

void RenderCoverage(HDC dc, HBITMAP stripBitmap, const char* text, int length, int width, int rows) {
    Render(dc, stripBitmap, text, length, width, rows, false);
}

void RenderCoverage(HDC dc, HBITMAP stripBitmap, const wchar_t* text, int length, int width, int rows) {
    Render(dc, stripBitmap, text, length, width, rows, true);
}

void ForgetCoverage() {
    coverage.ready = false;
}

bool CoverageReady() {
    return coverage.ready;
}

void ClearViewCoverage(int rows) {
    if (rows > viewRows) rows = viewRows;
    for (int i = 0; i < rows * viewCoverageStride; ++i) coverage.view[i] = 0;
}

void CopyCoverageToView(int column, int destination, int width, int rows) {
    if (!coverage.ready) return;
    if (column < 0) {
        destination -= column;
        width += column;
        column = 0;
    }
    if (column + width > coverage.width) width = coverage.width - column;
    if (destination + width > viewCoverageStride) width = viewCoverageStride - destination;
    if (rows > coverage.rows) rows = coverage.rows;
    if (rows > viewRows) rows = viewRows;
    if (width <= 0 || destination < 0) return;
    for (int y = 0; y < rows; ++y) {
        const BYTE* from = coverage.strip + y * coverage.width + column;
        BYTE* to = coverage.view + y * viewCoverageStride + destination;
        for (int x = 0; x < width; ++x) to[x] = from[x];
    }
}

const BYTE* ViewCoverage() {
    return coverage.view;
}

void ReleaseCoverage() {
    std::free(coverage.strip);
    coverage = Coverage{};
}
