// Frames with smooth edges. The background and the skin's text colouring
// are laid with the same GDI copies and fills as the one-bit frames; then one
// plain loop over the visible pixels blends the shadow colour by the shadow's
// coverage and the text colour by the text's, and the frame goes to
// frameSurface in one copy. Nothing is made or allocated per frame.
#include "display/smooth_compose.h"

#include <windows.h>

#include "display/coverage_strip.h"
#include "display/skin_assets.h"
#include "display/surfaces.h"
#include "player/window_modes.h"
#include "settings/skin_overrides.h"

namespace {

// A 32-bit top-down DIB section: its pixels are 0x00RRGGBB, stride 306.
struct PixelSurface {
    HDC dc;
    HBITMAP bitmap;
    DWORD* pixels;
};

struct SmoothSurfaces {
    PixelSurface frame;     // the frame being composed
    PixelSurface colours;   // the skin's text colouring stretched over the line
};
SmoothSurfaces smooth;

constexpr int stride = viewCoverageStride;

void MakePixelSurface(PixelSurface& surface, HDC screen) {
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
    surface.pixels = static_cast<DWORD*>(bits);
    if (surface.dc && surface.bitmap) SelectObject(surface.dc, surface.bitmap);
}

void ReleasePixelSurface(PixelSurface& surface) {
    if (surface.dc) DeleteDC(surface.dc);
    if (surface.bitmap) DeleteObject(surface.bitmap);
    surface = PixelSurface{nullptr, nullptr, nullptr};
}

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

// The same backgrounds as the one-bit frames, by the same copies and fills.
void PaintBackground(int w, int h) {
    const SettingsSet& s = EffectiveSettings();
    if (s.Transparent) {
        if (IsDoubleSize())
            StretchBlt(smooth.frame.dc, 0, 0, titleSurfaceWidth, titleSurfaceHeight, skinBackground.dc, 0, 0,
                       skinBackgroundWidth, skinBackgroundHeight, SRCCOPY);
        else
            BitBlt(smooth.frame.dc, 0, 0, skinBackgroundWidth, skinBackgroundHeight, skinBackground.dc, 0, 0, SRCCOPY);
        return;
    }
    const RECT view = {0, 0, w, h};
    FillRect(smooth.frame.dc, &view, s.UseSkinColor && skinBackgroundBrush ? skinBackgroundBrush : bkBrush);
}

// The deepest shift that still leaves rows to smear, as in the one-bit shadow.
int ShadowDepth(int h) {
    const int depth = EffectiveSettings().Shadow;
    if (depth <= 0) return 0;
    return depth < h ? depth : h - 1;
}

void BlendRows(int w, int h, const DWORD* textColours) {
    const BYTE* cover = ViewCoverage();
    const DWORD text = Pixel(EffectiveSettings().TextColor);
    const DWORD shade = Pixel(EffectiveSettings().ShadowColor);
    const int depth = ShadowDepth(h);
    for (int y = 0; y < h; ++y) {
        const BYTE* row = cover + y * stride;
        DWORD* out = smooth.frame.pixels + y * stride;
        const DWORD* colours = textColours ? textColours + y * stride : nullptr;
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
    return EffectiveSettings().Smooth && smooth.frame.pixels && smooth.colours.pixels && CoverageReady();
}

void ComposeSmoothFrame(int w, int h) {
    if (!SmoothFrames()) return;
    PaintBackground(w, h);
    const DWORD* colours = nullptr;
    if (EffectiveSettings().UseSkinColor) {
        StretchBlt(smooth.colours.dc, 0, 0, w, h, skinTextGradient.dc, 0, 0, skinGradientWidth, skinGradientHeight,
                   SRCCOPY);
        colours = smooth.colours.pixels;
    }
    GdiFlush();   // GDI may still be drawing into the sections' pixels
    BlendRows(w, h, colours);
    BitBlt(frameSurface.dc, 0, 0, w, h, smooth.frame.dc, 0, 0, SRCCOPY);
}

void CreateSmoothSurfaces() {
    HDC screen = GetDC(nullptr);
    MakePixelSurface(smooth.frame, screen);
    MakePixelSurface(smooth.colours, screen);
    ReleaseDC(nullptr, screen);
}

void ReleaseSmoothSurfaces() {
    ReleasePixelSurface(smooth.frame);
    ReleasePixelSurface(smooth.colours);
    ReleaseCoverage();
}
