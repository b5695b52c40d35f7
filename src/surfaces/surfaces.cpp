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

Surface* const everySurface[] = {
    &set.textStrip,      &set.viewMask,   &set.invMask,        &set.shadowLayer,    &set.shadowMask,
    &set.shadowInvMask,  &set.frameSurface, &set.textLayer,    &set.playlistLine,   &set.skinBackground,
    &set.skinTextGradient, &set.smoothFrame, &set.smoothColours,
};

void LetGoOf(Surface& surface) {
    surface.font.Undo();
    surface.brush.Undo();
    surface.picture.Undo();
    surface.dc = HeldMemoryDC();
    surface.bitmap = HeldBitmap();
}

// Each surface undoes its selections before any brush or font is deleted.
void LetGoOfEverything() {
    for (Surface* s : everySurface) LetGoOf(*s);
    for (HeldBitmap& swatch : state.colourSwatch) swatch = HeldBitmap();
    for (HeldBrush* brush :
         {&state.bkBrush, &state.textBrush, &state.shadowBrush, &state.skinBackgroundBrush, &state.playlistBgBrush})
        *brush = HeldBrush();
    ReleaseFonts();
    state.smoothFramePixels = nullptr;
    state.smoothColourPixels = nullptr;
    state.stripBitmapWidth = 0;
    state.created = 0;
}

void MakeSurface(Surface& surface, HDC screen, Depth depth, int width, int height) {
    surface.dc = HeldMemoryDC(CreateCompatibleDC(screen));
    surface.bitmap = HeldBitmap(depth == Depth::mono ? CreateBitmap(width, height, 1, 1, nullptr)
                                                     : CreateCompatibleBitmap(screen, width, height));
    surface.picture.Select(surface.dc, surface.bitmap);
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
    surface.dc = HeldMemoryDC(CreateCompatibleDC(screen));
    surface.bitmap = HeldBitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (surface.dc && surface.bitmap) surface.picture.Select(surface.dc, surface.bitmap);
    return surface.dc && surface.bitmap ? static_cast<DWORD*>(bits) : nullptr;
}

void FillSurface(const Surface& surface, int width, int height, HBRUSH brush) {
    const RECT area = {0, 0, width, height};
    FillRect(surface.dc, &area, brush);
}

void SelectBrushInto(Surface& surface, HGDIOBJ brush) {
    surface.brush.Select(surface.dc, brush);
}

void SelectFontInto(Surface& surface, HGDIOBJ font) {
    surface.font.Select(surface.dc, font);
}

// Masks copied onto the strip must read 1 for a glyph, so its colours are
// fixed before anything is rendered into it (the first render runs before
// the brushes exist).
void PrepareStrip() {
    SelectBrushInto(set.textStrip, GetStockObject(BLACK_BRUSH));
    SetTextColor(set.textStrip.dc, RGB(255, 255, 255));
    SetBkColor(set.textStrip.dc, RGB(0, 0, 0));
}

void ReplaceBrush(HeldBrush& brush, COLORREF colour) {
    brush = HeldBrush(CreateSolidBrush(colour));
}

// The dialog's swatches show the stored colours from the start.
void PaintSwatches() {
    PaintSwatch(state.colourSwatch[swatchText], StoredSettings().TextColor);
    PaintSwatch(state.colourSwatch[swatchBk], StoredSettings().BkColor);
    PaintSwatch(state.colourSwatch[swatchShadow], StoredSettings().ShadowColor);
}

// Every surface, the smooth sections among them, and the swatches, made
// like the screen; the swatches painted.
void MakeScreenSurfaces() {
    const HeldWindowDC screen(nullptr);
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
    state.smoothFramePixels = MakePixelSurface(set.smoothFrame, screen);
    state.smoothColourPixels = MakePixelSurface(set.smoothColours, screen);
    for (HeldBitmap& swatch : state.colourSwatch)
        swatch = HeldBitmap(CreateCompatibleBitmap(screen, swatchSize, swatchSize));
    PaintSwatches();
}

void SelectFrameBrush() {
    SelectBrushInto(set.frameSurface, BackgroundBrush());
}

}  // namespace

const SurfaceSet& Surfaces() { return set; }

int SurfacesCreated() { return state.created; }

int StripBitmapWidth() { return state.stripBitmapWidth; }

DWORD* SmoothFramePixels() { return state.smoothFramePixels; }

DWORD* SmoothColourPixels() { return state.smoothColourPixels; }

HBITMAP ColourSwatch(int index) {
    if (index < 0 || index >= swatchCount) return nullptr;
    return state.colourSwatch[index];
}

#ifdef QLV_WHITEBOX
SurfacesState& SurfacesForTest() { return state; }
#endif

// Brushes are deleted only while no surface holds them.
void RebuildBrushes() {
    for (Surface* s : {&set.frameSurface, &set.textLayer, &set.shadowLayer})
        SelectBrushInto(*s, GetStockObject(BLACK_BRUSH));
    ReplaceBrush(state.bkBrush, EffectiveSettings().BkColor);
    ReplaceBrush(state.textBrush, EffectiveSettings().TextColor);
    SelectBrushInto(set.textLayer, state.textBrush);
    ReplaceBrush(state.shadowBrush, EffectiveSettings().ShadowColor);
    SelectBrushInto(set.shadowLayer, state.shadowBrush);
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
    if (state.skinBackgroundBrush) SelectBrushInto(set.frameSurface, GetStockObject(BLACK_BRUSH));
    ReplaceBrush(state.skinBackgroundBrush, colour);
    SelectFrameBrush();
}

void DrawGradientLines(int firstLine, int count, COLORREF colour) {
    HDC dc = set.skinTextGradient.dc;
    const HeldPen pen(CreatePen(PS_SOLID, 1, colour));
    const HeldSelection drawing(dc, pen);
    for (int y = firstLine; y < firstLine + count; ++y) {
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, skinGradientWidth, y);
    }
}

void FrameGradient(COLORREF colour) {
    HDC dc = set.skinTextGradient.dc;
    const HeldBrush fill(CreateSolidBrush(colour));
    const HeldSelection filling(dc, fill);
    const HeldSelection outlining(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, 0, 0, skinGradientWidth, skinGradientHeight);
}

void SetPlaylistLineColours(COLORREF text, COLORREF background) {
    SetTextColor(set.playlistLine.dc, text);
    SetBkColor(set.playlistLine.dc, background);
    ReplaceBrush(state.playlistBgBrush, background);
}

void FillPlaylistLine(const RECT& area) {
    const HBRUSH background = state.playlistBgBrush;
    HBRUSH fill = background ? background : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(set.playlistLine.dc, &area, fill);
}

void SelectStripFont(HFONT font) {
    if (font) SelectFontInto(set.textStrip, font);
}

// No font may be deleted while a surface still holds it.
void RemakeFonts() {
    SelectFontInto(set.textStrip, GetStockObject(SYSTEM_FONT));
    SelectFontInto(set.playlistLine, GetStockObject(SYSTEM_FONT));
    ReleaseFonts();
    CreateFonts();
    SelectFontInto(set.playlistLine, PlaylistFont().font);
}

void PaintSwatch(HBITMAP swatch, COLORREF colour) {
    if (!swatch) return;
    const HeldMemoryDC dc(CreateCompatibleDC(nullptr));
    const HeldBrush brush(CreateSolidBrush(colour));
    const HeldSelection painting(dc, swatch);
    const RECT area = {0, 0, swatchSize, swatchSize};
    FillRect(dc, &area, brush);
}

void CreateSurfaces() {
    if (state.created) return;
    MakeScreenSurfaces();

    ReadScreenResolution(set.textStrip.dc);
    FillUserFontRecords(StoredSettings());
    FillFontRecords(StoredSettings());
    CreateFonts();
    PrepareStrip();
    state.created = 1;

    SelectFontInto(set.playlistLine, PlaylistFont().font);
    ReplaceBrush(state.bkBrush, StoredSettings().BkColor);
    ReplaceBrush(state.textBrush, StoredSettings().TextColor);
    ReplaceBrush(state.shadowBrush, StoredSettings().ShadowColor);
    SelectBrushInto(set.textLayer, state.textBrush);
    SelectBrushInto(set.frameSurface, state.bkBrush);
    SelectBrushInto(set.shadowLayer, state.shadowBrush);

    SelectBrushInto(set.viewMask, GetStockObject(BLACK_BRUSH));
    SelectBrushInto(set.shadowMask, GetStockObject(BLACK_BRUSH));
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const Surface* s :
         {&set.frameSurface, &set.textLayer, &set.viewMask, &set.invMask, &set.shadowMask, &set.shadowInvMask})
        FillSurface(*s, titleSurfaceWidth, titleSurfaceHeight, black);
    FillSurface(set.skinBackground, skinBackgroundWidth, skinBackgroundHeight, black);
    // Until a skin is read the skin colouring is the user's text colour, not
    // whatever a fresh bitmap happens to hold.
    FillSurface(set.skinTextGradient, skinGradientWidth, skinGradientHeight, state.textBrush);
}

int ReplaceStripBitmap(int width, int height) {
    if (HBITMAP fresh = CreateBitmap(width, height, 1, 1, nullptr)) {
        set.textStrip.picture.Select(set.textStrip.dc, fresh);
        set.textStrip.bitmap = HeldBitmap(fresh);
        state.stripBitmapWidth = width;
    }
    return state.stripBitmapWidth;
}

Surface::~Surface() {}

void ReleaseSurfaces() {
    if (state.created) LetGoOfEverything();
}

// Everything let go is the record as at load.
void ResetSurfaces() {
    LetGoOfEverything();
}
