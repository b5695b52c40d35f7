// Each frame put together off-screen from the visible glyphs, a background,
// a text colour and a shadow, and copied onto the host's title area.
#include "frame/compose.h"

#include "frame/smooth_compose.h"
#include "player/host_contract.h"
#include "player/title_place.h"
#include "player/window_modes.h"
#include "surfaces/gdi_hold.h"
#include "surfaces/surfaces.h"
#include "settings/skin_overrides.h"

namespace {

ComposeState composed = {0, 0};

HBRUSH StockBlack() { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }

void FillWhole(const Surface& surface, HBRUSH brush) {
    const RECT area = {0, 0, titleSurfaceWidth, titleSurfaceHeight};
    FillRect(surface.dc, &area, brush);
}

// Every per-frame copy is the view's top-left w x h.
void Blend(const Surface& destination, const Surface& source, int w, int h, DWORD operation) {
    BitBlt(destination.dc, 0, 0, w, h, source.dc, 0, 0, operation);
}

void PaintBackground(const SurfaceSet& surfaces, const Surface& frame) {
    const Surface& skin = surfaces.skinBackground;
    if (EffectiveSettings().Transparent) {
        if (IsDoubleSize())
            StretchBlt(frame.dc, 0, 0, titleSurfaceWidth, titleSurfaceHeight, skin.dc, 0, 0, skinBackgroundWidth,
                       skinBackgroundHeight, SRCCOPY);
        else
            BitBlt(frame.dc, 0, 0, skinBackgroundWidth, skinBackgroundHeight, skin.dc, 0, 0, SRCCOPY);
        return;
    }
    FillWhole(frame, BackgroundBrush());
}

// The 5.x player's TrueType title reaches one pixel past our frame on every
// side (twice that in double size). That ring gets the frame's background,
// or no sliver of the player's glyphs would show around ours.
constexpr RECT trueTypeTitleArea = {111, 23, 266, 37};

void CoverTrueTypeTitle(HDC window, POINT origin, int w, int h) {
    const int scale = IsDoubleSize() ? 2 : 1;
    const RECT cover = {trueTypeTitleArea.left * scale, trueTypeTitleArea.top * scale,
                        trueTypeTitleArea.right * scale, trueTypeTitleArea.bottom * scale};
    ExcludeClipRect(window, origin.x, origin.y, origin.x + w, origin.y + h);
    if (EffectiveSettings().Transparent)
        StretchBlt(window, cover.left, cover.top, cover.right - cover.left, cover.bottom - cover.top,
                   Surfaces().skinBackground.dc, 0, 0, skinBackgroundWidth, (cover.bottom - cover.top) / scale,
                   SRCCOPY);
    else
        FillRect(window, &cover, BackgroundBrush());
    SelectClipRgn(window, nullptr);
}

void PaintTextColour(const SurfaceSet& surfaces, const Surface& layer, int w, int h) {
    if (EffectiveSettings().UseSkinColor)
        StretchBlt(layer.dc, 0, 0, w, h, surfaces.skinTextGradient.dc, 0, 0, skinGradientWidth, skinGradientHeight,
                   SRCCOPY);
    else
        FillWhole(layer, TextBrush());
}

}  // namespace

// The line height is 1..60 by construction; the clamp keeps every copy
// inside the 306 x 60 surfaces whatever state it meets.
int FrameRows(int lineHeight) {
    return lineHeight < 1 ? 1 : lineHeight > titleSurfaceHeight ? titleSurfaceHeight : lineHeight;
}

// A mask copied onto a colour surface gives white for 1 and black for 0,
// because those surfaces keep the default black text and white background
// colours; the AND and OR steps rely on exactly that.
void ComposeFrame(int lineHeight, const BYTE* coverage) {
    if (!SurfacesCreated()) return;
    const SurfaceSet& s = Surfaces();
    const int w = ViewWidth();
    const int h = FrameRows(lineHeight);
    if (coverage && SmoothFrames()) {
        // The same background and text colours, laid into the smooth
        // frame's 32-bit sections and blended there by coverage.
        PaintBackground(s, s.smoothFrame);
        if (EffectiveSettings().UseSkinColor) PaintTextColour(s, s.smoothColours, w, h);
        BlendSmoothFrame(w, h, coverage);
        composed.composedWidth = w;
        composed.composedRows = h;
        return;
    }
    PaintBackground(s, s.frameSurface);
    PaintTextColour(s, s.textLayer, w, h);

    Blend(s.invMask, s.viewMask, w, h, NOTSRCCOPY);
    Blend(s.textLayer, s.viewMask, w, h, SRCAND);
    Blend(s.frameSurface, s.invMask, w, h, SRCAND);
    Blend(s.frameSurface, s.textLayer, w, h, SRCPAINT);

    if (EffectiveSettings().Shadow) AddShadow(EffectiveSettings().Shadow, h);
    composed.composedWidth = w;
    composed.composedRows = h;
}

bool FrameSizeChanged(int lineHeight) {
    return composed.composedWidth != 0 &&
           (composed.composedWidth != ViewWidth() || composed.composedRows != FrameRows(lineHeight));
}

// Shifts of lineHeight or more leave no rows to copy, so the smear loop is
// bounded by the line however deep a settings file asks the shadow to be.
void AddShadow(int depth, int lineHeight) {
    if (!SurfacesCreated() || depth <= 0) return;
    const SurfaceSet& s = Surfaces();
    const int w = ViewWidth();
    const int h = FrameRows(lineHeight);
    const int deepest = depth < h ? depth : h - 1;

    FillWhole(s.shadowMask, StockBlack());
    FillWhole(s.shadowLayer, ShadowBrush());
    for (int i = 1; i <= deepest; ++i)
        BitBlt(s.shadowMask.dc, i, i, w - i, h - i, s.viewMask.dc, 0, 0, SRCPAINT);
    Blend(s.shadowMask, s.invMask, w, h, SRCAND);
    Blend(s.shadowInvMask, s.shadowMask, w, h, NOTSRCCOPY);
    Blend(s.shadowLayer, s.shadowMask, w, h, SRCAND);
    Blend(s.frameSurface, s.shadowInvMask, w, h, SRCAND);
    Blend(s.frameSurface, s.shadowLayer, w, h, SRCPAINT);
}

void PresentFrame(int lineHeight) {
    if (!SurfacesCreated() || !MainWindow()) return;
    const POINT origin = TitleOrigin(IsDoubleSize());
    const int rows = FrameRows(lineHeight);
    const HeldWindowDC window(MainWindow());
    if (!window) return;
    if (HostIs5x()) CoverTrueTypeTitle(window, origin, ViewWidth(), rows);
    BitBlt(window, origin.x, origin.y, ViewWidth(), rows, Surfaces().frameSurface.dc, 0, 0, SRCCOPY);
}

void ResetCompose() {
    composed = ComposeState{0, 0};
}

#ifdef QLV_WHITEBOX
ComposeState& ComposeForTest() { return composed; }
#endif
