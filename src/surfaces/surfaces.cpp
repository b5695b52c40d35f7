// Every off-screen surface and colour brush: made once at start-up,
// released once at shut-down; every selection into their contexts.
#include "surfaces/surfaces.h"

#include <initializer_list>

#include "player/window_modes.h"
#include "settings/settings.h"
#include "settings/skin_overrides.h"

namespace {

SurfacesState state = {};
SurfaceSet& set = state.surfaces;

constexpr int firstStripWidth = 12;

enum class Depth { mono, colour };

// The surfaces in the order they are released: device contexts first, so no
// bitmap, font or brush is still selected anywhere when it is deleted.
Surface* const releaseOrder[] = {
    &set.frameSurface,   &set.textLayer,        &set.playlistLine, &set.viewMask,   &set.invMask,
    &set.textStrip,      &set.skinBackground,   &set.skinTextGradient, &set.shadowLayer, &set.shadowMask,
    &set.shadowInvMask, &set.smoothFrame,  &set.smoothColours,
};

void MakeSurface(Surface& surface, HDC screen, Depth depth, int width, int height) {
    surface.dc = CreateCompatibleDC(screen);
    surface.bitmap = depth == Depth::mono ? CreateBitmap(width, height, 1, 1, nullptr)
                                          : CreateCompatibleBitmap(screen, width, height);
    SelectObject(surface.dc, surface.bitmap);
}

DWORD* MakePixelSurface(Surface& surface, HDC screen) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = titleSurfaceWidth;
    info.bmiHeader.biHeight = -titleSurfaceHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    surface.dc = CreateCompatibleDC(screen);
    surface.bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (surface.dc && surface.bitmap) SelectObject(surface.dc, surface.bitmap);
    return surface.dc && surface.bitmap ? static_cast<DWORD*>(bits) : nullptr;
}

void FillSurface(const Surface& surface, int width, int height, HBRUSH brush) {
    const RECT area = {0, 0, width, height};
    FillRect(surface.dc, &area, brush);
}

// Masks copied onto the strip must read 1 for a glyph, so its colours are
// fixed before anything is rendered into it (the first render runs before
// the brushes exist).
void PrepareStrip() {
    SelectObject(set.textStrip.dc, GetStockObject(BLACK_BRUSH));
    SetTextColor(set.textStrip.dc, RGB(255, 255, 255));
    SetBkColor(set.textStrip.dc, RGB(0, 0, 0));
}

template <typename Handle>
void DeleteTyped(Handle& handle) {
    if (handle) DeleteObject(handle);
    handle = nullptr;
}

void ReplaceBrush(HBRUSH& brush, COLORREF colour) {
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(colour);
}

// The dialog's swatches show the stored colours from the start.
void PaintSwatches() {
    PaintSwatch(state.colourSwatch[swatchText], StoredSettings().TextColor);
    PaintSwatch(state.colourSwatch[swatchBk], StoredSettings().BkColor);
    PaintSwatch(state.colourSwatch[swatchShadow], StoredSettings().ShadowColor);
}

void SelectFrameBrush() {
    SelectObject(set.frameSurface.dc, BackgroundBrush());
}

}  // namespace

const SurfaceSet& Surfaces() { return set; }

int SurfacesCreated() { return state.created; }

int StripBitmapWidth() { return state.stripBitmapWidth; }

DWORD* SmoothFramePixels() { return state.smoothFramePixels; }

DWORD* SmoothColourPixels() { return state.smoothColourPixels; }

HBITMAP ColourSwatch(int index) {
    return index >= 0 && index < swatchCount ? state.colourSwatch[index] : nullptr;
}

#ifdef QLV_WHITEBOX
SurfacesState& SurfacesForTest() { return state; }
#endif

// Brushes are deleted only while no surface holds them.
void RebuildBrushes() {
    SelectObject(set.frameSurface.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(set.textLayer.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(set.shadowLayer.dc, GetStockObject(BLACK_BRUSH));
    ReplaceBrush(state.bkBrush, EffectiveSettings().BkColor);
    ReplaceBrush(state.textBrush, EffectiveSettings().TextColor);
    SelectObject(set.textLayer.dc, state.textBrush);
    ReplaceBrush(state.shadowBrush, EffectiveSettings().ShadowColor);
    SelectObject(set.shadowLayer.dc, state.shadowBrush);
    SelectFrameBrush();
}

// Before any skin is read there is no skin colour; the user's own
// background colour stands in for it.
HBRUSH BackgroundBrush() {
    return EffectiveSettings().UseSkinColor && state.skinBackgroundBrush ? state.skinBackgroundBrush : state.bkBrush;
}

HBRUSH TextBrush() { return state.textBrush; }

HBRUSH ShadowBrush() { return state.shadowBrush; }

void SetSkinBackground(COLORREF colour) {
    if (state.skinBackgroundBrush) {
        SelectObject(set.frameSurface.dc, GetStockObject(BLACK_BRUSH));
        DeleteObject(state.skinBackgroundBrush);
    }
    state.skinBackgroundBrush = CreateSolidBrush(colour);
    SelectFrameBrush();
}

void DrawGradientLines(int firstLine, int count, COLORREF colour) {
    HDC dc = set.skinTextGradient.dc;
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    for (int y = firstLine; y < firstLine + count; ++y) {
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, skinGradientWidth, y);
    }
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void FrameGradient(COLORREF colour) {
    HDC dc = set.skinTextGradient.dc;
    HBRUSH fill = CreateSolidBrush(colour);
    HGDIOBJ previousBrush = SelectObject(dc, fill);
    HGDIOBJ previousPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, 0, 0, skinGradientWidth, skinGradientHeight);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(fill);
}

void SetPlaylistLineColours(COLORREF text, COLORREF background) {
    SetTextColor(set.playlistLine.dc, text);
    SetBkColor(set.playlistLine.dc, background);
    if (state.playlistBgBrush) DeleteObject(state.playlistBgBrush);
    state.playlistBgBrush = CreateSolidBrush(background);
}

void FillPlaylistLine(const RECT& area) {
    HBRUSH fill = state.playlistBgBrush ? state.playlistBgBrush : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(set.playlistLine.dc, &area, fill);
}

void SelectStripFont(HFONT font) {
    if (font) SelectObject(set.textStrip.dc, font);
}

// No font may be deleted while a surface still holds it.
void RemakeFonts() {
    SelectObject(set.textStrip.dc, GetStockObject(SYSTEM_FONT));
    SelectObject(set.playlistLine.dc, GetStockObject(SYSTEM_FONT));
    ReleaseFonts();
    CreateFonts();
    SelectObject(set.playlistLine.dc, PlaylistFont().font);
}

void PaintSwatch(HBITMAP swatch, COLORREF colour) {
    if (!swatch) return;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, swatch);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT area = {0, 0, swatchSize, swatchSize};
    FillRect(dc, &area, brush);
    SelectObject(dc, previous);
    DeleteObject(brush);
    DeleteDC(dc);
}

void CreateSurfaces() {
    if (state.created) return;
    HDC screen = GetDC(nullptr);
    MakeSurface(set.textStrip, screen, Depth::mono, firstStripWidth, firstStripWidth);
    state.stripBitmapWidth = set.textStrip.bitmap ? firstStripWidth : 0;
    for (Surface* s : {&set.viewMask, &set.invMask})
        MakeSurface(*s, screen, Depth::mono, titleSurfaceWidth, titleSurfaceHeight);
    MakeSurface(set.shadowLayer, screen, Depth::colour, titleSurfaceWidth, titleSurfaceHeight);
    for (Surface* s : {&set.shadowMask, &set.shadowInvMask})
        MakeSurface(*s, screen, Depth::mono, titleSurfaceWidth, titleSurfaceHeight);
    for (Surface* s : {&set.frameSurface, &set.textLayer})
        MakeSurface(*s, screen, Depth::colour, titleSurfaceWidth, titleSurfaceHeight);
    MakeSurface(set.playlistLine, screen, Depth::colour, playlistLineWidth, playlistLineHeight);
    MakeSurface(set.skinBackground, screen, Depth::colour, skinBackgroundWidth, skinBackgroundHeight);
    MakeSurface(set.skinTextGradient, screen, Depth::colour, skinGradientWidth, skinGradientHeight);
    for (HBITMAP& swatch : state.colourSwatch) swatch = CreateCompatibleBitmap(screen, swatchSize, swatchSize);
    PaintSwatches();
    ReleaseDC(nullptr, screen);

    ReadScreenResolution(set.textStrip.dc);
    FillUserFontRecords(StoredSettings());
    FillFontRecords(StoredSettings());
    CreateFonts();
    PrepareStrip();
    state.created = 1;

    SelectObject(set.playlistLine.dc, PlaylistFont().font);
    state.bkBrush = CreateSolidBrush(StoredSettings().BkColor);
    state.textBrush = CreateSolidBrush(StoredSettings().TextColor);
    state.shadowBrush = CreateSolidBrush(StoredSettings().ShadowColor);
    SelectObject(set.textLayer.dc, state.textBrush);
    SelectObject(set.frameSurface.dc, state.bkBrush);
    SelectObject(set.shadowLayer.dc, state.shadowBrush);

    SelectObject(set.viewMask.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(set.shadowMask.dc, GetStockObject(BLACK_BRUSH));
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const Surface* s :
         {&set.frameSurface, &set.textLayer, &set.viewMask, &set.invMask, &set.shadowMask, &set.shadowInvMask})
        FillSurface(*s, titleSurfaceWidth, titleSurfaceHeight, black);
    FillSurface(set.skinBackground, skinBackgroundWidth, skinBackgroundHeight, black);
    // Until a skin is read the skin colouring is the user's text colour, not
    // whatever a fresh bitmap happens to hold.
    FillSurface(set.skinTextGradient, skinGradientWidth, skinGradientHeight, state.textBrush);
    HDC pixelScreen = GetDC(nullptr);
    state.smoothFramePixels = MakePixelSurface(set.smoothFrame, pixelScreen);
    state.smoothColourPixels = MakePixelSurface(set.smoothColours, pixelScreen);
    ReleaseDC(nullptr, pixelScreen);
}

int ReplaceStripBitmap(int width, int height) {
    if (HBITMAP fresh = CreateBitmap(width, height, 1, 1, nullptr)) {
        SelectObject(set.textStrip.dc, fresh);
        if (set.textStrip.bitmap) DeleteObject(set.textStrip.bitmap);
        set.textStrip.bitmap = fresh;
        state.stripBitmapWidth = width;
    }
    return state.stripBitmapWidth;
}

void ReleaseSurfaces() {
    if (!state.created) return;
    for (Surface* s : releaseOrder) {
        if (s->dc) DeleteDC(s->dc);
        s->dc = nullptr;
    }
    for (Surface* s : releaseOrder) DeleteTyped(s->bitmap);
    for (HBITMAP& swatch : state.colourSwatch) DeleteTyped(swatch);
    ReleaseFonts();
    for (HBRUSH* brush :
         {&state.bkBrush, &state.textBrush, &state.shadowBrush, &state.skinBackgroundBrush, &state.playlistBgBrush})
        DeleteTyped(*brush);
    state.smoothFramePixels = nullptr;
    state.smoothColourPixels = nullptr;
    state.stripBitmapWidth = 0;
    state.created = 0;
}

void ResetSurfaces() {
    ReleaseSurfaces();
    state = SurfacesState{};
}
