// STUB: to be completed.
#include "display/surfaces.h"
Surface textStrip, viewMask, invMask, shadowLayer, shadowMask, shadowInvMask, frameSurface, textLayer,
    playlistLine, skinBackground, skinTextGradient;
HBITMAP colourSwatch[swatchCount];
FontSlot normalFont, doubleSizeFont, playlistFont;
HBRUSH textBrush, bkBrush, shadowBrush;
int logPixelsY = 96;
int surfacesCreated;
void CreateSurfaces() {}
void ReleaseSurfaces() {}
void FillFontRecord(FontSlot&, const char*, int, int, int) {}
void PaintSwatch(HBITMAP, COLORREF) {}
