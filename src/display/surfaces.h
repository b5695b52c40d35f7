// Every off-screen surface, font and colour brush of the plug-in.
#pragma once
#include <windows.h>

#include "display/fonts.h"

// A memory device context with one bitmap selected into it.
struct Surface {
    HDC dc;
    HBITMAP bitmap;
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

// --- State owned by the surfaces ---------------------------------------------
extern Surface textStrip;        // monochrome, stripWidth x 60: the display text rendered once
extern Surface viewMask;         // monochrome 306 x 60: the visible window of the strip
extern Surface invMask;          // monochrome 306 x 60: inverse of viewMask
extern Surface shadowLayer;      // colour 306 x 60: shadow colour on shadow pixels
extern Surface shadowMask;       // monochrome 306 x 60: glyphs smeared diagonally, minus glyphs
extern Surface shadowInvMask;    // monochrome 306 x 60: inverse of shadowMask
extern Surface frameSurface;     // colour 306 x 60: the finished frame
extern Surface textLayer;        // colour 306 x 60: text colour on glyph pixels
extern Surface playlistLine;     // colour 800 x 10: the playlist windowshade line
extern Surface skinBackground;   // colour 153 x 30: the skin's title-area picture
extern Surface skinTextGradient; // colour 153 x 12: the skin's text colouring
extern HBITMAP colourSwatch[swatchCount];  // 20 x 20 swatches of the dialog
extern HBRUSH textBrush;         // effective TextColor
extern HBRUSH bkBrush;           // effective BkColor
extern HBRUSH shadowBrush;       // effective ShadowColor
extern int surfacesCreated;      // CreateSurfaces has run and ReleaseSurfaces has not

void CreateSurfaces();
void ReleaseSurfaces();
// Gives textStrip a new one-bit bitmap of `width` x `height`; a refused one
// leaves the old. Returns the width of the bitmap now in the strip.
int ReplaceStripBitmap(int width, int height);

// The three colour brushes made again from effectiveSettings, each surface
// holding a stock brush while its old one is deleted.
void RebuildBrushes();
// The frame's background brush: the skin's colour or the user's.
void SelectFrameBrush();
// Paints a swatch bitmap in one colour.
void PaintSwatch(HBITMAP swatch, COLORREF colour);
