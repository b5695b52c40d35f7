// Every off-screen surface and colour brush of the plug-in, and every GDI
// selection into their drawing contexts.
#pragma once
#include <windows.h>

#include "surfaces/fonts.h"
#include "surfaces/gdi_hold.h"

// A memory device context with one bitmap selected into it, and the brush
// and font selected to draw into it.
struct Surface {
    HeldBitmap bitmap;
    HeldMemoryDC dc;
    HeldSelection picture;   // the bitmap
    HeldSelection brush;
    HeldSelection font;
    // The holders let go in reverse order: the selections are undone, then
    // the context goes, then its bitmap. Out of line, so the record's
    // thirteen surfaces call it rather than each carrying a copy.
    __attribute__((noinline)) ~Surface();
};


constexpr int titleSurfaceWidth = 306;   // double-size extent of the title masks and layers
constexpr int titleSurfaceHeight = 60;
constexpr int playlistLineWidth = 800;
constexpr int playlistLineHeight = 10;
constexpr int skinBackgroundWidth = 153;
constexpr int skinBackgroundHeight = 30;
constexpr int skinGradientWidth = 153;
constexpr int skinGradientHeight = 12;
constexpr int swatchSize = 20;

enum SwatchIndex { swatchText, swatchBk, swatchShadow, swatchCount };

// The surfaces. Other rooms draw into them and copy out of them; only this
// room selects objects into their contexts.
struct SurfaceSet {
    Surface textStrip;        // monochrome, stripWidth x 60: the display text rendered once
    Surface viewMask;         // monochrome 306 x 60: the visible window of the strip
    Surface invMask;          // monochrome 306 x 60: inverse of viewMask
    Surface shadowLayer;      // colour 306 x 60: shadow colour on shadow pixels
    Surface shadowMask;       // monochrome 306 x 60: glyphs smeared diagonally, minus glyphs
    Surface shadowInvMask;    // monochrome 306 x 60: inverse of shadowMask
    Surface frameSurface;     // colour 306 x 60: the finished frame
    Surface textLayer;        // colour 306 x 60: text colour on glyph pixels
    Surface playlistLine;     // colour 800 x 10: the playlist windowshade line
    Surface skinBackground;   // colour 153 x 30: the skin's title-area picture
    Surface skinTextGradient; // colour 153 x 12: the skin's text colouring
    Surface smoothFrame;      // 32-bit DIB section 306 x 60: a smooth frame's background, then the frame
    Surface smoothColours;    // 32-bit DIB section 306 x 60: the skin's text colours for a smooth frame
};

const SurfaceSet& Surfaces();
// CreateSurfaces has run and ReleaseSurfaces has not.
int SurfacesCreated();
// Width of the bitmap now in the strip; the strip's text never reaches past it.
int StripBitmapWidth();
// The pixels of the smooth sections, 0x00RRGGBB, top-down,
// titleSurfaceWidth a row; null where a section was refused.
DWORD* SmoothFramePixels();
DWORD* SmoothColourPixels();
// A 20 x 20 swatch of the dialog.
HBITMAP ColourSwatch(int index);

void CreateSurfaces();
// Deletes every surface, font and brush; the fonts last, once no surface
// holds them.
void ReleaseSurfaces();
// The surfaces as a fresh start has them: none, and no brush.
void ResetSurfaces();
// Gives the strip a new one-bit bitmap of `width` x `height`; a refused one
// leaves the old. Returns the width of the bitmap now in the strip.
int ReplaceStripBitmap(int width, int height);
// The title font the strip measures and renders in.
void SelectStripFont(HFONT font);
// The three fonts made again from their records; the strip holds a stock
// font until it selects a title font again.
void RemakeFonts();

// The three title brushes made again from effectiveSettings.
void RebuildBrushes();
// The brush that fills the frame's background where no picture does: the
// skin's colour when UseSkinColor asks for it and a skin gave one, else the
// user's. The frame's context holds this brush.
HBRUSH BackgroundBrush();
HBRUSH TextBrush();
HBRUSH ShadowBrush();
// The skin's background colour (text.bmp's), made into its brush.
void SetSkinBackground(COLORREF colour);
// Draws lines firstLine..firstLine+count-1 of the skin text gradient in one colour.
void DrawGradientLines(int firstLine, int count, COLORREF colour);
// The whole skin text gradient in one colour inside a one-pixel black border.
void FrameGradient(COLORREF colour);
// The playlist line's text and background colours, and its background brush.
void SetPlaylistLineColours(COLORREF text, COLORREF background);
// Fills part of the playlist line with its background (black before any colours).
void FillPlaylistLine(const RECT& area);
// Paints a swatch bitmap in one colour.
void PaintSwatch(HBITMAP swatch, COLORREF colour);

// --- The room's record, and its one accessor for white-box tests --------------
// The brushes come before the surfaces, so when the record goes out of
// scope every surface has undone its selections before a brush is deleted.
struct SurfacesState {
    HeldBitmap colourSwatch[swatchCount];
    HeldBrush textBrush;            // effective TextColor
    HeldBrush bkBrush;              // effective BkColor
    HeldBrush shadowBrush;          // effective ShadowColor
    HeldBrush skinBackgroundBrush;  // text.bmp's background colour; null before the first text.bmp
    HeldBrush playlistBgBrush;      // the playlist's background colour; null before the first colours
    SurfaceSet surfaces;
    DWORD* smoothFramePixels;
    DWORD* smoothColourPixels;
    int stripBitmapWidth;
    int created;
};
#ifdef QLV_WHITEBOX
SurfacesState& SurfacesForTest();
#endif
