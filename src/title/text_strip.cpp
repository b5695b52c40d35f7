// The display text rendered once into a one-bit strip, and the scrolling
// window of it that each frame shows.
#include "title/text_strip.h"

#include <climits>
#include <cstring>

#include "frame/compose.h"
#include "frame/smooth_compose.h"
#include "player/title_place.h"
#include "player/window_modes.h"
#include "settings/skin_overrides.h"
#include "surfaces/surfaces.h"
#include "title/coverage_strip.h"
#include "title/text_chars.h"

namespace {

constexpr int stripHeight = titleSurfaceHeight;
// Beyond this a title in an absurd font is cut off rather than asking GDI
// for a bitmap it may refuse.
constexpr int maxStripWidth = 32767;
constexpr int normalLineHeight = 12;
constexpr int doubleLineHeight = 24;
constexpr int maxNormalLineHeight = 30;
constexpr int maxDoubleLineHeight = 60;
constexpr int separatorLength = sizeof scrollSeparator - 1;

constexpr StripState stripAtLoad = {{}, {}, 0, 0, 0, 0, normalLineHeight, 0, 1, 0};
StripState strip = stripAtLoad;

int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

template <typename Char> Char* DisplayBuffer();
template <> char* DisplayBuffer<char>() { return strip.displayText; }
template <> wchar_t* DisplayBuffer<wchar_t>() { return strip.displayTextWide; }

// The strip gets a bitmap as wide as the text; a refused one leaves the old,
// and the text is cut to fit it.
void FitStripBitmap(int width) {
    const int made = ReplaceStripBitmap(width > 0 ? width : 1, stripHeight);
    strip.stripWidth = width < made ? width : made;
}

// Draws the display text, measured at `extent`, once into the one-bit strip.
template <typename Char>
void DrawStripText(const Char* text, int length, SIZE extent) {
    HDC dc = Surfaces().textStrip.dc;
    strip.textHeight = extent.cy;
    FitStripBitmap(Clamp(extent.cx, 0, maxStripWidth));
    strip.lineHeight = LineHeightFor(strip.textHeight);

    Rectangle(dc, 0, 0, StripBitmapWidth(), stripHeight);
    RECT line = {0, 0, strip.stripWidth, strip.lineHeight};
    // Titles are text, not labels: an ampersand is shown, not taken as a
    // mnemonic prefix that would also make the measured width wrong.
    DrawLine(dc, text, length, &line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (EffectiveSettings().Smooth)
        RenderCoverage(dc, Surfaces().textStrip.bitmap, text, length, strip.stripWidth, strip.lineHeight);
    else
        ForgetCoverage();
}

// The title is measured once; only the wrap-around scroll's separator, which
// changes the text, makes the strip measure it again.
template <typename Char>
void ShowText(const Char* title, int length) {
    if (!SurfacesCreated()) return;
    HDC dc = Surfaces().textStrip.dc;
    SelectStripFont(TitleFont(IsDoubleSize()));
    Char* display = DisplayBuffer<Char>();
    strip.displayLength = Clamp(length, 0, displayTextSize - 1);
    std::memcpy(display, title, strip.displayLength * sizeof(Char));
    display[strip.displayLength] = 0;
    SIZE extent = MeasureText(dc, display, strip.displayLength);
    strip.overflow = extent.cx >= ViewWidth() ? 1 : 0;

    const SettingsSet& s = EffectiveSettings();
    if (strip.overflow && s.Scroll && s.ScrollType == 2) {
        // The separator marks the seam, so it goes in whole; a title too long
        // for both loses its end instead.
        if (strip.displayLength + separatorLength > displayTextSize - 1)
            strip.displayLength = CharacterBoundary(display, displayTextSize - 1 - separatorLength);
        CopyAscii(display + strip.displayLength, scrollSeparator);
        strip.displayLength += separatorLength;
        extent = MeasureText(dc, display, strip.displayLength);
    }
    RestartScroll();
    DrawStripText(display, strip.displayLength, extent);
}

// ScrollPixel comes unchecked from plugin.ini and skin files: the scroll
// moves by its magnitude, a wrap-around step is taken modulo the strip and a
// back-and-forth step is capped at the strip, so no offset can leave it.
int ScrollStep() {
    const int pixel = EffectiveSettings().ScrollPixel;
    return pixel == INT_MIN ? INT_MAX : pixel < 0 ? -pixel : pixel;
}

void FillVisibleText() {
    if (strip.overflow && EffectiveSettings().Scroll)
        AdvanceScroll();
    else
        CopyStripToView(0, 0, strip.stripWidth);   // the mask's own edge cuts what lies past the view
}

}  // namespace

int StripOverflows() { return strip.overflow; }

int StripWidth() { return strip.stripWidth; }

int LineHeight() { return strip.lineHeight; }

int ScrollOffset() { return strip.scrollOffset; }

#ifdef QLV_WHITEBOX
StripState& StripForTest() { return strip; }
#endif

void ResetStrip() {
    strip = stripAtLoad;
}

void CopyStripToView(int column, int destination, int width) {
    if (!SurfacesCreated()) return;
    if (column < 0) {
        destination -= column;
        width += column;
        column = 0;
    }
    const int readable = strip.stripWidth < StripBitmapWidth() ? strip.stripWidth : StripBitmapWidth();
    if (column + width > readable) width = readable - column;
    if (destination + width > titleSurfaceWidth) width = titleSurfaceWidth - destination;
    if (width <= 0 || destination < 0) return;
    const SurfaceSet& surfaces = Surfaces();
    BitBlt(surfaces.viewMask.dc, destination, 0, width, Clamp(strip.lineHeight, 0, stripHeight),
           surfaces.textStrip.dc, column, 0, SRCCOPY);
    CopyCoverageToView(column, destination, width, Clamp(strip.lineHeight, 0, stripHeight));
}

void ShowStripText(const char* title, int length) {
    ShowText(title, length);
}

void ShowStripText(const wchar_t* title, int length) {
    ShowText(title, length);
}

void RestartScroll() {
    strip.scrollOffset = 0;
    strip.scrollDirection = 1;
    strip.holdCount = 0;
}

int LineHeightFor(int textHeight) {
    const int fixed = IsDoubleSize() ? doubleLineHeight : normalLineHeight;
    if (!EffectiveSettings().AutoAdjust) return fixed;
    const int highest = IsDoubleSize() ? maxDoubleLineHeight : maxNormalLineHeight;
    // A negative shadow draws nothing, so it takes no room either.
    const int shadow = Clamp(EffectiveSettings().Shadow, 0, highest);
    const int height = Clamp(textHeight, fixed, highest) + shadow;
    return height < highest ? height : highest;
}

void ComposeTitleFrame() {
    if (!SurfacesCreated()) return;
    Rectangle(Surfaces().viewMask.dc, 0, 0, titleSurfaceWidth, titleSurfaceHeight);
    const bool smooth = SmoothFrames() && CoverageReady();
    if (smooth) ClearViewCoverage(FrameRows(strip.lineHeight));
    FillVisibleText();
    ComposeFrame(strip.lineHeight, smooth ? ViewCoverage() : nullptr);
}

void AdvanceScroll() {
    if (!SurfacesCreated()) return;
    if (EffectiveSettings().ScrollType == 1)
        BounceScroll(ViewWidth());
    else
        WrapScroll(ViewWidth());
}

// Each frame shows the offset the previous one left, then moves. The offset
// is held within [0, stripWidth - width] after every move, which shows the
// same frames as letting it overshoot and pulling it back at the end.
void BounceScroll(int width) {
    if (!SurfacesCreated()) return;
    const int last = strip.stripWidth > width ? strip.stripWidth - width : 0;
    strip.scrollOffset = Clamp(strip.scrollOffset, 0, last);
    const int step = ScrollStep() < strip.stripWidth ? ScrollStep() : strip.stripWidth;
    if (strip.scrollDirection >= 0) {
        if (strip.scrollOffset + width < strip.stripWidth) {
            CopyStripToView(strip.scrollOffset, 0, width);
            strip.scrollOffset = Clamp(strip.scrollOffset + step, 0, last);
        } else {
            ++strip.holdCount;
            strip.scrollOffset = last;
            CopyStripToView(strip.scrollOffset, 0, width);
            if (strip.holdCount >= 3) {
                strip.scrollDirection = -1;
                strip.holdCount = 0;
            }
        }
    } else {
        if (strip.scrollOffset > 0) {
            CopyStripToView(strip.scrollOffset, 0, width);
            strip.scrollOffset = Clamp(strip.scrollOffset - step, 0, last);
        } else {
            ++strip.holdCount;
            strip.scrollOffset = 0;
            CopyStripToView(strip.scrollOffset, 0, width);
            if (strip.holdCount >= 3) {
                strip.scrollDirection = 1;
                strip.holdCount = 0;
            }
        }
    }
}

// The view joins the strip's end to its beginning; with the separator at the
// end of the text the seam reads "end   ---   beginning".
void WrapScroll(int width) {
    if (!SurfacesCreated()) return;
    if (strip.stripWidth <= 0) {
        strip.scrollOffset = 0;
        return;
    }
    strip.scrollOffset %= strip.stripWidth;
    if (strip.scrollOffset < 0) strip.scrollOffset += strip.stripWidth;
    if (strip.scrollOffset + width > strip.stripWidth) {
        const int firstPiece = strip.stripWidth - strip.scrollOffset;
        CopyStripToView(strip.scrollOffset, 0, firstPiece);
        CopyStripToView(0, firstPiece, strip.scrollOffset + width - strip.stripWidth);
    } else {
        CopyStripToView(strip.scrollOffset, 0, width);
    }
    strip.scrollOffset = (strip.scrollOffset + ScrollStep() % strip.stripWidth) % strip.stripWidth;
}
