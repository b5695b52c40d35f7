// Frames with smooth edges. Compose lays the background and the text colours
// into two 32-bit DIB sections with the same copies and fills as the one-bit
// frames; then one plain loop over the visible pixels blends the shadow
// colour by the shadow's coverage and the text colours by the text's, and
// the frame goes to frameSurface in one copy. Nothing is made or allocated
// per frame.
#include "frame/smooth_compose.h"

#include <windows.h>

#include "settings/skin_overrides.h"
#include "surfaces/surfaces.h"

namespace {

constexpr int stride = titleSurfaceWidth;

DWORD Pixel(COLORREF colour) {
    return (static_cast<DWORD>(GetRValue(colour)) << 16) | (static_cast<DWORD>(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

// `over` laid on `under` at coverage `a` of 255, each channel rounded:
// 0 keeps `under` and 255 gives `over` exactly. Red and blue travel
// together, 16 bits apart, which none of the sums outgrows.
inline DWORD Blend(DWORD under, DWORD over, DWORD a) {
    const DWORD rest = 255 - a;
    DWORD rb = (under & 0xFF00FF) * rest + (over & 0xFF00FF) * a + 0x800080;
    DWORD g = (under & 0x00FF00) * rest + (over & 0x00FF00) * a + 0x008000;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    g = ((g + ((g >> 8) & 0x00FF00)) >> 8) & 0x00FF00;
    return rb | g;
}

// The deepest shift that still leaves rows to smear, as in the one-bit shadow.
int ShadowDepth(int h) {
    const int depth = EffectiveSettings().Shadow;
    if (depth <= 0) return 0;
    return depth < h ? depth : h - 1;
}

void BlendRows(int w, int h, const BYTE* cover) {
    DWORD* const framePixels = SmoothFramePixels();
    const DWORD* const colourPixels = SmoothColourPixels();
    const DWORD shade = Pixel(EffectiveSettings().ShadowColor);
    const DWORD text = Pixel(EffectiveSettings().TextColor);
    const bool gradient = EffectiveSettings().UseSkinColor != 0;
    const int depth = ShadowDepth(h);
    for (int y = 0; y < h; ++y) {
        const BYTE* row = cover + y * stride;
        DWORD* out = framePixels + y * stride;
        const DWORD* colours = gradient ? colourPixels + y * stride : nullptr;
        for (int x = 0; x < w; ++x) {
            // The shadow's coverage: the text's moved 1..depth pixels down
            // and right, the largest at each pixel.
            DWORD shadow = 0;
            for (int i = 1; i <= depth && i <= x && i <= y; ++i) {
                const DWORD c = row[x - i * (stride + 1)];
                if (c > shadow) shadow = c;
            }
            const DWORD a = row[x];
            if (!(a | shadow)) continue;
            DWORD pixel = out[x];
            if (shadow) pixel = Blend(pixel, shade, shadow);
            if (a) pixel = Blend(pixel, colours ? colours[x] & 0xFFFFFF : text, a);
            out[x] = pixel;
        }
    }
}

}  // namespace

bool SmoothFrames() {
    return EffectiveSettings().Smooth && SmoothFramePixels() && SmoothColourPixels();
}

void BlendSmoothFrame(int w, int h, const BYTE* coverage) {
    if (!SmoothFrames() || !coverage) return;
    GdiFlush();   // GDI may still be drawing into the sections' pixels
    BlendRows(w, h, coverage);
    BitBlt(Surfaces().frameSurface.dc, 0, 0, w, h, Surfaces().smoothFrame.dc, 0, 0, SRCCOPY);
}
