// Every off-screen surface, font and colour brush: made once at start-up,
// released once at shut-down.
#include "display/surfaces.h"

#include <initializer_list>

#include "display/skin_assets.h"
#include "display/text_strip.h"
#include "settings/settings.h"

Surface textStrip, viewMask, invMask, shadowLayer, shadowMask, shadowInvMask, frameSurface, textLayer,
    playlistLine, skinBackground, skinTextGradient;
HBITMAP colourSwatch[swatchCount];

FontSlot normalFont = {FontRecordAtLoad(-11, FW_NORMAL), nullptr};
FontSlot doubleSizeFont = {FontRecordAtLoad(-20, FW_BOLD), nullptr};
FontSlot playlistFont = {FontRecordAtLoad(-11, FW_NORMAL), nullptr};
HBRUSH textBrush, bkBrush, shadowBrush;
int logPixelsY = 96;
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

// Settings files are not checked when read: a size in the millions gives a
// height at which the platform's text renderer faults inside font creation
// or drawing, so the size is held to a sane range here, where every font
// made from settings gets its height.
void FillFontRecord(LOGFONTA& record, const char* face, int size, int bold, int italic) {
    const int held = size < fontSizeMin ? fontSizeMin : size > fontSizeMax ? fontSizeMax : size;
    CopyFaceName(record.lfFaceName, face ? face : "");
    record.lfHeight = PointsToHeight(held);
    record.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    record.lfItalic = static_cast<BYTE>(italic & 0xFF);
}

// A character set or quality picked in the chooser stays in force for the
// session, whichever settings give the four fields.
void FillFontRecords(const SettingsSet& s) {
    normalFont.record = userNormalFont;
    doubleSizeFont.record = userDoubleSizeFont;
    playlistFont.record = userPlaylistFont;
    FillFontRecord(normalFont.record, s.FontFace, s.FontSize, s.FontBold, s.FontItalic);
    FillFontRecord(doubleSizeFont.record, s.DS_FontFace, s.DS_FontSize, s.DS_FontBold, s.DS_FontItalic);
    FillFontRecord(playlistFont.record, s.PE_FontFace, s.PE_FontSize, s.PE_FontBold, s.PE_FontItalic);
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
    PaintSwatch(colourSwatch[swatchText], storedSettings.TextColor);
    PaintSwatch(colourSwatch[swatchBk], storedSettings.BkColor);
    PaintSwatch(colourSwatch[swatchShadow], storedSettings.ShadowColor);
    ReleaseDC(nullptr, screen);

    logPixelsY = GetDeviceCaps(textStrip.dc, LOGPIXELSY);
    if (logPixelsY <= 0) logPixelsY = 96;   // a refused context must not turn every size into 0
    FillUserFontRecords();
    FillFontRecords(storedSettings);
    normalFont.font = CreateFontIndirectA(&normalFont.record);
    doubleSizeFont.font = CreateFontIndirectA(&doubleSizeFont.record);

    PrepareStrip();
    surfacesCreated = 1;
    RefreshStrip();

    playlistFont.font = CreateFontIndirectA(&playlistFont.record);
    SelectObject(playlistLine.dc, playlistFont.font);
    bkBrush = CreateSolidBrush(storedSettings.BkColor);
    textBrush = CreateSolidBrush(storedSettings.TextColor);
    shadowBrush = CreateSolidBrush(storedSettings.ShadowColor);
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
}

void ReleaseSurfaces() {
    if (!surfacesCreated) return;
    for (Surface* s : releaseOrder) {
        if (s->dc) DeleteDC(s->dc);
        s->dc = nullptr;
    }
    for (Surface* s : releaseOrder) DeleteTyped(s->bitmap);
    for (HBITMAP& swatch : colourSwatch) DeleteTyped(swatch);
    for (FontSlot* slot : {&normalFont, &doubleSizeFont, &playlistFont}) DeleteTyped(slot->font);
    for (HBRUSH* brush : {&bkBrush, &textBrush, &skinBackgroundBrush, &shadowBrush, &playlistBgBrush})
        DeleteTyped(*brush);
    surfacesCreated = 0;
}
