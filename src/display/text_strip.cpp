// The display text rendered once into a one-bit strip, and the scrolling
// window of it that each frame shows.
#include "display/text_strip.h"

#include <climits>

#include "display/coverage_strip.h"
#include "display/surfaces.h"
#include "display/text_chars.h"
#include "player/host_contract.h"
#include "player/window_modes.h"
#include "settings/skin_overrides.h"

int stripWidth, textHeight, lineHeight = 12, scrollOffset, scrollDirection = 1, holdCount;

namespace {

constexpr int stripHeight = titleSurfaceHeight;
// Beyond this a title in an absurd font is cut off rather than asking GDI
// for a bitmap it may refuse.
constexpr int maxStripWidth = 32767;
constexpr int normalLineHeight = 12;
constexpr int doubleLineHeight = 24;
constexpr int maxNormalLineHeight = 30;
constexpr int maxDoubleLineHeight = 60;

int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

int stripBitmapWidth = 12;   // width of the bitmap now in textStrip; stripWidth never exceeds it

// The strip gets a bitmap as wide as the text; a refused one leaves the old,
// and the text is cut to fit it.
void FitStripBitmap(int width) {
    const int made = ReplaceStripBitmap(width > 0 ? width : 1, stripHeight);
    if (made > 0) stripBitmapWidth = made;
    stripWidth = width < stripBitmapWidth ? width : stripBitmapWidth;
}

template <typename Char>
void DrawStripText(const Char* text, int length) {
    if (!surfacesCreated) return;
    const SIZE extent = MeasureText(textStrip.dc, text, length);
    textHeight = extent.cy;
    FitStripBitmap(Clamp(extent.cx, 0, maxStripWidth));
    lineHeight = LineHeight();

    Rectangle(textStrip.dc, 0, 0, stripBitmapWidth, stripHeight);
    RECT line = {0, 0, stripWidth, lineHeight};
    // Titles are text, not labels: an ampersand is shown, not taken as a
    // mnemonic prefix that would also make the measured width wrong.
    DrawLine(textStrip.dc, text, length, &line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (EffectiveSettings().Smooth)
        RenderCoverage(textStrip.dc, textStrip.bitmap, text, length, stripWidth, lineHeight);
    else
        ForgetCoverage();
}

// ScrollPixel comes unchecked from plugin.ini and skin files: the scroll
// moves by its magnitude, a wrap-around step is taken modulo the strip and a
// back-and-forth step is capped at the strip, so no offset can leave it.
int ScrollStep() {
    const int pixel = EffectiveSettings().ScrollPixel;
    return pixel == INT_MIN ? INT_MAX : pixel < 0 ? -pixel : pixel;
}

}  // namespace

int ViewWidth() { return IsDoubleSize() ? doubleViewWidth : normalViewWidth; }

POINT TitleOrigin(int doubled) {
    return doubled ? POINT{titleOrigin.x * 2, titleOrigin.y * 2} : titleOrigin;
}

RECT TitleRepaintRect(int doubled) {
    const POINT origin = TitleOrigin(doubled);
    const int scale = doubled ? 2 : 1;
    return RECT{origin.x, origin.y, origin.x + normalViewWidth * scale, origin.y + titleAreaHeight * scale};
}

void RepaintTitleArea(int doubled) {
    if (!MainWindow()) return;
    const RECT area = TitleRepaintRect(doubled);
    RedrawWindow(MainWindow(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void CopyStripToView(int column, int destination, int width) {
    if (!surfacesCreated) return;
    if (column < 0) {
        destination -= column;
        width += column;
        column = 0;
    }
    const int readable = stripWidth < stripBitmapWidth ? stripWidth : stripBitmapWidth;
    if (column + width > readable) width = readable - column;
    if (destination + width > titleSurfaceWidth) width = titleSurfaceWidth - destination;
    if (width <= 0 || destination < 0) return;
    BitBlt(viewMask.dc, destination, 0, width, Clamp(lineHeight, 0, stripHeight), textStrip.dc, column, 0, SRCCOPY);
    CopyCoverageToView(column, destination, width, Clamp(lineHeight, 0, stripHeight));
}

void DrawStrip(const char* text, int length) {
    DrawStripText(text, length);
}

void DrawStrip(const wchar_t* text, int length) {
    DrawStripText(text, length);
}

void RestartScroll() {
    scrollOffset = 0;
    scrollDirection = 1;
    holdCount = 0;
}

int LineHeight() {
    const int fixed = IsDoubleSize() ? doubleLineHeight : normalLineHeight;
    if (!EffectiveSettings().AutoAdjust) return fixed;
    const int highest = IsDoubleSize() ? maxDoubleLineHeight : maxNormalLineHeight;
    // A negative shadow draws nothing, so it takes no room either.
    const int shadow = Clamp(EffectiveSettings().Shadow, 0, highest);
    const int height = Clamp(textHeight, fixed, highest) + shadow;
    return height < highest ? height : highest;
}

void AdvanceScroll() {
    if (!surfacesCreated) return;
    if (EffectiveSettings().ScrollType == 1)
        BounceScroll(ViewWidth());
    else
        WrapScroll(ViewWidth());
}

// Each frame shows the offset the previous one left, then moves. The offset
// is held within [0, stripWidth - width] after every move, which shows the
// same frames as letting it overshoot and pulling it back at the end.
void BounceScroll(int width) {
    if (!surfacesCreated) return;
    const int last = stripWidth > width ? stripWidth - width : 0;
    scrollOffset = Clamp(scrollOffset, 0, last);
    const int step = ScrollStep() < stripWidth ? ScrollStep() : stripWidth;
    if (scrollDirection >= 0) {
        if (scrollOffset + width < stripWidth) {
            CopyStripToView(scrollOffset, 0, width);
            scrollOffset = Clamp(scrollOffset + step, 0, last);
        } else {
            ++holdCount;
            scrollOffset = last;
            CopyStripToView(scrollOffset, 0, width);
            if (holdCount >= 3) {
                scrollDirection = -1;
                holdCount = 0;
            }
        }
    } else {
        if (scrollOffset > 0) {
            CopyStripToView(scrollOffset, 0, width);
            scrollOffset = Clamp(scrollOffset - step, 0, last);
        } else {
            ++holdCount;
            scrollOffset = 0;
            CopyStripToView(scrollOffset, 0, width);
            if (holdCount >= 3) {
                scrollDirection = 1;
                holdCount = 0;
            }
        }
    }
}

// The view joins the strip's end to its beginning; with the separator at the
// end of the text the seam reads "end   ---   beginning".
void WrapScroll(int width) {
    if (!surfacesCreated) return;
    if (stripWidth <= 0) {
        scrollOffset = 0;
        return;
    }
    scrollOffset %= stripWidth;
    if (scrollOffset < 0) scrollOffset += stripWidth;
    if (scrollOffset + width > stripWidth) {
        const int firstPiece = stripWidth - scrollOffset;
        CopyStripToView(scrollOffset, 0, firstPiece);
        CopyStripToView(0, firstPiece, scrollOffset + width - stripWidth);
    } else {
        CopyStripToView(scrollOffset, 0, width);
    }
    scrollOffset = (scrollOffset + ScrollStep() % stripWidth) % stripWidth;
}
