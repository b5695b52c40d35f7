// Every off-screen surface, font and colour brush: made once at start-up,
// released once at shut-down.
#include "display/surfaces.h"

#include <initializer_list>

#include "display/skin_assets.h"
#include "display/smooth_compose.h"
#include "player/window_modes.h"
#include "settings/settings.h"
#include "settings/skin_overrides.h"

Surface textStrip, viewMask, invMask, shadowLayer, shadowMask, shadowInvMask, frameSurface, textLayer,
    playlistLine, skinBackground, skinTextGradient;
HBITMAP colourSwatch[swatchCount];

HBRUSH textBrush, bkBrush, shadowBrush;
int surfacesCreated;

namespace {

enum class Depth { mono, colour };

// The surfaces in the order they are released: device contexts first, so no
// bitmap, font or brush is still selected anywhere when it is deleted.
Surface* const releaseOrder[] = {
    &frameSurface, &textLayer,      &playlistLine, &viewMask,    &invMask,       &textStrip,
    &skinBackground, &skinTextGradient, &shadowLayer, &shadowMask, &shadowInvMask,
};

void MakeSurface(Surface& surface, HDC screen, Depth depth, int width, int height) {
    surface.dc = CreateCompatibleDC(screen);
    surface.bitmap = depth == Depth::mono ? CreateBitmap(width, height, 1, 1, nullptr)
                                          : CreateCompatibleBitmap(screen, width, height);
    SelectObject(surface.dc, surface.bitmap);
}

void FillSurface(const Surface& surface, int width, int height, HBRUSH brush) {
    const RECT area = {0, 0, width, height};
    FillRect(surface.dc, &area, brush);
}

// Masks copied onto the strip must read 1 for a glyph, so its colours are
// fixed before anything is rendered into it (the first render runs before
// the brushes exist).
void PrepareStrip() {
    SelectObject(textStrip.dc, GetStockObject(BLACK_BRUSH));
    SetTextColor(textStrip.dc, RGB(255, 255, 255));
    SetBkColor(textStrip.dc, RGB(0, 0, 0));
}

template <typename Handle>
void DeleteTyped(Handle& handle) {
    if (handle) DeleteObject(handle);
    handle = nullptr;
}

}  // namespace

namespace {

void ReplaceBrush(HBRUSH& brush, COLORREF colour) {
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(colour);
}

// The dialog's swatches show the stored colours from the start.
void PaintSwatches() {
    PaintSwatch(colourSwatch[swatchText], StoredSettings().TextColor);
    PaintSwatch(colourSwatch[swatchBk], StoredSettings().BkColor);
    PaintSwatch(colourSwatch[swatchShadow], StoredSettings().ShadowColor);
}

}  // namespace

void RebuildBrushes() {
    SelectObject(frameSurface.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(textLayer.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(shadowLayer.dc, GetStockObject(BLACK_BRUSH));
    ReplaceBrush(bkBrush, EffectiveSettings().BkColor);
    ReplaceBrush(textBrush, EffectiveSettings().TextColor);
    SelectObject(textLayer.dc, textBrush);
    ReplaceBrush(shadowBrush, EffectiveSettings().ShadowColor);
    SelectObject(shadowLayer.dc, shadowBrush);
}

void SelectFrameBrush() {
    HBRUSH brush = EffectiveSettings().UseSkinColor ? skinBackgroundBrush : bkBrush;
    if (brush) SelectObject(frameSurface.dc, brush);
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
    if (surfacesCreated) return;
    HDC screen = GetDC(nullptr);
    MakeSurface(textStrip, screen, Depth::mono, 12, 12);
    MakeSurface(viewMask, screen, Depth::mono, titleSurfaceWidth, titleSurfaceHeight);
    MakeSurface(invMask, screen, Depth::mono, titleSurfaceWidth, titleSurfaceHeight);
    MakeSurface(shadowLayer, screen, Depth::colour, titleSurfaceWidth, titleSurfaceHeight);
    MakeSurface(shadowMask, screen, Depth::mono, titleSurfaceWidth, titleSurfaceHeight);
    MakeSurface(shadowInvMask, screen, Depth::mono, titleSurfaceWidth, titleSurfaceHeight);
    MakeSurface(frameSurface, screen, Depth::colour, titleSurfaceWidth, titleSurfaceHeight);
    MakeSurface(textLayer, screen, Depth::colour, titleSurfaceWidth, titleSurfaceHeight);
    MakeSurface(playlistLine, screen, Depth::colour, playlistLineWidth, playlistLineHeight);
    MakeSurface(skinBackground, screen, Depth::colour, skinBackgroundWidth, skinBackgroundHeight);
    MakeSurface(skinTextGradient, screen, Depth::colour, skinGradientWidth, skinGradientHeight);
    for (HBITMAP& swatch : colourSwatch) swatch = CreateCompatibleBitmap(screen, swatchSize, swatchSize);
    PaintSwatches();
    ReleaseDC(nullptr, screen);

    ReadScreenResolution(textStrip.dc);
    FillUserFontRecords(StoredSettings());
    FillFontRecords(StoredSettings());
    CreateFonts();
    // The strip renders in the title font of the current size from the start.
    SelectObject(textStrip.dc, IsDoubleSize() ? doubleSizeFont.font : normalFont.font);
    PrepareStrip();
    surfacesCreated = 1;

    SelectObject(playlistLine.dc, playlistFont.font);
    bkBrush = CreateSolidBrush(StoredSettings().BkColor);
    textBrush = CreateSolidBrush(StoredSettings().TextColor);
    shadowBrush = CreateSolidBrush(StoredSettings().ShadowColor);
    SelectObject(textLayer.dc, textBrush);
    SelectObject(frameSurface.dc, bkBrush);
    SelectObject(shadowLayer.dc, shadowBrush);

    SelectObject(viewMask.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(shadowMask.dc, GetStockObject(BLACK_BRUSH));
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const Surface* s : {&frameSurface, &textLayer, &viewMask, &invMask, &shadowMask, &shadowInvMask})
        FillSurface(*s, titleSurfaceWidth, titleSurfaceHeight, black);
    FillSurface(skinBackground, skinBackgroundWidth, skinBackgroundHeight, black);
    // Until a skin is read the skin colouring is the user's text colour, not
    // whatever a fresh bitmap happens to hold.
    FillSurface(skinTextGradient, skinGradientWidth, skinGradientHeight, textBrush);
    CreateSmoothSurfaces();
}

int ReplaceStripBitmap(int width, int height) {
    if (HBITMAP fresh = CreateBitmap(width, height, 1, 1, nullptr)) {
        SelectObject(textStrip.dc, fresh);
        if (textStrip.bitmap) DeleteObject(textStrip.bitmap);
        textStrip.bitmap = fresh;
        return width;
    }
    BITMAP kept = {};
    return GetObjectA(textStrip.bitmap, sizeof kept, &kept) ? kept.bmWidth : 0;
}

void ReleaseSurfaces() {
    if (!surfacesCreated) return;
    for (Surface* s : releaseOrder) {
        if (s->dc) DeleteDC(s->dc);
        s->dc = nullptr;
    }
    for (Surface* s : releaseOrder) DeleteTyped(s->bitmap);
    for (HBITMAP& swatch : colourSwatch) DeleteTyped(swatch);
    ReleaseFonts();
    for (HBRUSH* brush : {&bkBrush, &textBrush, &shadowBrush}) DeleteTyped(*brush);
    ReleaseSkinBrushes();
    ReleaseSmoothSurfaces();
    surfacesCreated = 0;
}
