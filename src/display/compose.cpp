// Each frame put together off-screen from the visible glyphs, a background,
// a text colour and a shadow, and copied onto the host's title area.
#include "display/compose.h"

#include "display/coverage_strip.h"
#include "display/skin_assets.h"
#include "display/smooth_compose.h"
#include "display/surfaces.h"
#include "display/text_strip.h"
#include "display/title_text.h"
#include "player/host_contract.h"
#include "player/window_modes.h"
#include "settings/skin_overrides.h"

int composedWidth;
int composedRows;

namespace {

// lineHeight is 1..60 by construction; the clamp keeps every copy inside the
// 306 x 60 surfaces whatever state it meets.
int LineRows() { return lineHeight < 1 ? 1 : lineHeight > titleSurfaceHeight ? titleSurfaceHeight : lineHeight; }

HBRUSH StockBlack() { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }

void FillWhole(const Surface& surface, HBRUSH brush) {
    const RECT area = {0, 0, titleSurfaceWidth, titleSurfaceHeight};
    FillRect(surface.dc, &area, brush);
}

// Every per-frame copy is the view's top-left w x h.
void Blend(const Surface& destination, const Surface& source, int w, int h, DWORD operation) {
    BitBlt(destination.dc, 0, 0, w, h, source.dc, 0, 0, operation);
}

void FillVisibleText() {
    if (overflow && EffectiveSettings().Scroll)
        AdvanceScroll();
    else
        CopyStripToView(0, 0, stripWidth);   // the mask's own edge cuts what lies past the view
}

void PaintBackground() {
    const SettingsSet& s = EffectiveSettings();
    if (s.Transparent) {
        if (IsDoubleSize())
            StretchBlt(frameSurface.dc, 0, 0, titleSurfaceWidth, titleSurfaceHeight, skinBackground.dc, 0, 0,
                       skinBackgroundWidth, skinBackgroundHeight, SRCCOPY);
        else
            BitBlt(frameSurface.dc, 0, 0, skinBackgroundWidth, skinBackgroundHeight, skinBackground.dc, 0, 0,
                   SRCCOPY);
        return;
    }
    // Before any skin is read there is no skin colour; the user's own
    // background colour stands in for it.
    FillWhole(frameSurface, s.UseSkinColor && skinBackgroundBrush ? skinBackgroundBrush : bkBrush);
}

void PaintTextColour(int w, int h) {
    if (EffectiveSettings().UseSkinColor)
        StretchBlt(textLayer.dc, 0, 0, w, h, skinTextGradient.dc, 0, 0, skinGradientWidth, skinGradientHeight,
                   SRCCOPY);
    else
        FillWhole(textLayer, textBrush);
}

}  // namespace

// A mask copied onto a colour surface gives white for 1 and black for 0,
// because those surfaces keep the default black text and white background
// colours; the AND and OR steps rely on exactly that.
void ComposeFrame() {
    if (!surfacesCreated) return;
    const int w = ViewWidth();
    const int h = LineRows();
    Rectangle(viewMask.dc, 0, 0, titleSurfaceWidth, titleSurfaceHeight);
    const bool smooth = SmoothFrames();
    if (smooth) ClearViewCoverage(h);
    FillVisibleText();
    if (smooth) {
        ComposeSmoothFrame(w, h);
        composedWidth = w;
        composedRows = h;
        return;
    }
    PaintBackground();
    PaintTextColour(w, h);

    Blend(invMask, viewMask, w, h, NOTSRCCOPY);
    Blend(textLayer, viewMask, w, h, SRCAND);
    Blend(frameSurface, invMask, w, h, SRCAND);
    Blend(frameSurface, textLayer, w, h, SRCPAINT);

    if (EffectiveSettings().Shadow) AddShadow(EffectiveSettings().Shadow);
    composedWidth = w;
    composedRows = h;
}

bool FrameSizeChanged() {
    return composedWidth != 0 && (composedWidth != ViewWidth() || composedRows != LineRows());
}

// Shifts of lineHeight or more leave no rows to copy, so the smear loop is
// bounded by the line however deep a settings file asks the shadow to be.
void AddShadow(int depth) {
    if (!surfacesCreated || depth <= 0) return;
    const int w = ViewWidth();
    const int h = LineRows();
    const int deepest = depth < h ? depth : h - 1;

    FillWhole(shadowMask, StockBlack());
    FillWhole(shadowLayer, shadowBrush);
    for (int i = 1; i <= deepest; ++i)
        BitBlt(shadowMask.dc, i, i, w - i, h - i, viewMask.dc, 0, 0, SRCPAINT);
    Blend(shadowMask, invMask, w, h, SRCAND);
    Blend(shadowInvMask, shadowMask, w, h, NOTSRCCOPY);
    Blend(shadowLayer, shadowMask, w, h, SRCAND);
    Blend(frameSurface, shadowInvMask, w, h, SRCAND);
    Blend(frameSurface, shadowLayer, w, h, SRCPAINT);
}

void PresentFrame() {
    if (!surfacesCreated || !MainWindow()) return;
    const POINT origin = TitleOrigin(IsDoubleSize());
    HDC window = GetDC(MainWindow());
    if (!window) return;
    BitBlt(window, origin.x, origin.y, ViewWidth(), LineRows(), frameSurface.dc, 0, 0, SRCCOPY);
    ReleaseDC(MainWindow(), window);
}

void ForgetComposedFrame() {
    composedWidth = 0;
    composedRows = 0;
}
