// Draws the demo's skin files with GDI into memory surfaces and writes them
// with skin_files. The face follows the player's layout, so every control the
// plug-in knows by position (title area, clutter bar, sliders, position bar)
// is where the plug-in expects it.
#include "demo_skin.h"

#include <algorithm>
#include <vector>

#include "image.h"
#include "scoped_gdi.h"
#include "skin_files.h"
#include "window_paint.h"

namespace host {

const SkinPalette duskPalette = {
    "SCRIVANE II - DUSK",
    RGB(0x34, 0x36, 0x5C), RGB(0x14, 0x15, 0x2A), RGB(0x9A, 0x8C, 0xFF),
    RGB(0x2A, 0x2E, 0x5C), RGB(0x05, 0x06, 0x12), RGB(0x8E, 0x92, 0xC8),
    {RGB(0xFF, 0xF3, 0xC4), RGB(0xFF, 0xD8, 0x8A), RGB(0xFF, 0xB3, 0x5C), RGB(0xFF, 0x8F, 0x5A),
     RGB(0xE8, 0x68, 0x7A), RGB(0xC0, 0x5A, 0xA8)},
    RGB(0x24, 0x10, 0x30), "c9c4ff", "141428",
};

const SkinPalette jadePalette = {
    "SCRIVANE II - JADE",
    RGB(0x24, 0x4A, 0x44), RGB(0x0B, 0x1E, 0x1B), RGB(0x6F, 0xE8, 0xC0),
    RGB(0x16, 0x3A, 0x32), RGB(0x02, 0x0A, 0x08), RGB(0x86, 0xC4, 0xB0),
    {RGB(0xF0, 0xFF, 0xF8), RGB(0xC0, 0xF8, 0xE0), RGB(0x8C, 0xEE, 0xC8), RGB(0x5C, 0xDE, 0xB0),
     RGB(0x38, 0xC4, 0x9C), RGB(0x22, 0x9C, 0x84)},
    RGB(0x04, 0x10, 0x0D), "a0f2d2", "0b1a17",
};

namespace {

COLORREF Mix(COLORREF a, COLORREF b, int part, int whole) {
    auto channel = [&](int ca, int cb) { return ca + (cb - ca) * part / std::max(whole, 1); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

// A 32-bit memory surface to draw a skin bitmap on.
class Canvas {
public:
    Canvas(int width, int height)
        : width_(width), height_(height), bitmap_(MakeBitmap(width, height)), selected_(dc_, bitmap_) {
        SetBkMode(dc_, TRANSPARENT);
    }

    HDC Dc() const { return dc_; }
    Image Picture() const { return CaptureDC(dc_, 0, 0, width_, height_); }

    void Fill(int l, int t, int r, int b, COLORREF c) { FillArea(dc_, {l, t, r, b}, c); }
    void Gradient(int l, int t, int r, int b, COLORREF top, COLORREF bottom) {
        for (int y = t; y < b; ++y) Fill(l, y, r, y + 1, Mix(top, bottom, y - t, b - t - 1));
    }
    void Frame(int l, int t, int r, int b, COLORREF light, COLORREF dark) {
        Fill(l, t, r, t + 1, light);
        Fill(l, t, l + 1, b, light);
        Fill(l, b - 1, r, b, dark);
        Fill(r - 1, t, r, b, dark);
    }
    // A sunken panel: dark gradient, scan lines, a bevelled edge.
    void Panel(int l, int t, int r, int b, const SkinPalette& p) {
        Gradient(l, t, r, b, p.panelTop, p.panelBottom);
        for (int y = t + 2; y < b - 1; y += 2) Fill(l + 1, y, r - 1, y + 1, Mix(p.panelBottom, p.panelTop, 1, 3));
        Frame(l, t, r, b, Mix(p.bodyBottom, RGB(0, 0, 0), 1, 2), Mix(p.bodyTop, RGB(255, 255, 255), 1, 4));
    }
    void Polygon(std::vector<POINT> points, COLORREF c) {
        const ScopedBrush brush(CreateSolidBrush(c));
        const ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, c));
        const ScopedSelect brushSelected(dc_, brush), penSelected(dc_, pen);
        ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
    }
    void Text(int l, int t, int r, int b, const char* text, const char* face, int height, int weight, COLORREF c,
              UINT format = DT_LEFT, bool smooth = false) {
        const ScopedFont font(CreateFontA(-height, 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, 0, 0,
                                          smooth ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY, 0, face));
        const ScopedSelect selected(dc_, font);
        SetTextColor(dc_, c);
        RECT area = {l, t, r, b};
        DrawTextA(dc_, text, -1, &area, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    // A raised button face; the glyph is drawn over it.
    void Button(int l, int t, int r, int b, const SkinPalette& p) {
        Gradient(l, t, r, b, Mix(p.bodyTop, RGB(255, 255, 255), 1, 5), Mix(p.bodyBottom, p.bodyTop, 1, 2));
        Frame(l, t, r, b, Mix(p.bodyTop, RGB(255, 255, 255), 2, 5), Mix(p.bodyBottom, RGB(0, 0, 0), 1, 2));
    }

private:
    static ScopedBitmap MakeBitmap(int width, int height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        return ScopedBitmap(CreateDIBSection(ScopedWindowDC(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    }

    int width_, height_;
    ScopedBitmap bitmap_;
    ScopedMemoryDC dc_;
    ScopedSelect selected_;
};

void DrawTitleBar(Canvas& c, const SkinPalette& p) {
    c.Gradient(0, 0, 275, 14, Mix(p.bodyTop, RGB(255, 255, 255), 1, 6), p.bodyTop);
    // Grooves either side of the name, as on the player's own title bar.
    for (int y = 4; y <= 9; y += 2) {
        c.Fill(6, y, 80, y + 1, Mix(p.accent, p.bodyTop, 2, 3));
        c.Fill(196, y, 238, y + 1, Mix(p.accent, p.bodyTop, 2, 3));
    }
    c.Text(80, 0, 196, 14, p.name, "Small Fonts", 9, FW_BOLD, p.label, DT_CENTER);
    for (int i = 0; i < 3; ++i) {
        const int l = 244 + 10 * i;
        c.Button(l, 3, l + 9, 12, p);
    }
    c.Fill(246, 9, 251, 10, p.accent);                                    // minimise
    c.Frame(256, 5, 261, 10, p.accent, p.accent);                         // shade
    c.Text(264, 2, 273, 13, "x", "Small Fonts", 8, FW_BOLD, p.accent, DT_CENTER);  // close
    c.Frame(0, 0, 275, 116, Mix(p.bodyTop, RGB(255, 255, 255), 1, 3), Mix(p.bodyBottom, RGB(0, 0, 0), 1, 2));
}

void DrawClock(Canvas& c, const SkinPalette& p) {
    c.Panel(9, 22, 106, 64, p);
    // Clutter bar: the player's five small option letters at (11,24)-(20,63).
    c.Fill(11, 24, 20, 63, Mix(p.panelTop, p.bodyTop, 1, 2));
    const char* letters[] = {"O", "A", "I", "D", "V"};
    for (int i = 0; i < 5; ++i)
        c.Text(11, 25 + 7 * i, 20, 32 + 7 * i, letters[i], "Small Fonts", 7, FW_NORMAL, p.label, DT_CENTER);
    c.Polygon({{25, 28}, {25, 36}, {30, 32}}, p.gradient[1]);   // playing
    c.Text(32, 23, 104, 44, "01:24", "Tahoma", 20, FW_BOLD, p.gradient[0], DT_RIGHT, true);
    // A still spectrum, brightest at the top of each bar.
    const int heights[] = {9, 13, 15, 12, 10, 14, 11, 8, 6, 9, 12, 7, 5, 8, 6, 4, 5, 3, 4, 2};
    for (int i = 0; i < 20; ++i) {
        const int x = 25 + 4 * i;
        for (int y = 0; y < heights[i]; ++y) {
            const int row = 61 - y;
            c.Fill(x, row, x + 3, row + 1, p.gradient[5 - std::min(5, y * 6 / 16)]);
        }
    }
}

void DrawTitlePanel(Canvas& c, const SkinPalette& p) {
    // The title area the plug-in paints over is (112,24)-(265,53); its line
    // is the top 12 to 30 rows, so the small print lies below it.
    c.Panel(111, 23, 266, 54, p);
    c.Text(114, 42, 150, 52, "128", "Small Fonts", 7, FW_BOLD, p.gradient[2]);
    c.Text(130, 42, 160, 52, "kbps", "Small Fonts", 7, FW_NORMAL, p.label);
    c.Text(160, 42, 180, 52, "44", "Small Fonts", 7, FW_BOLD, p.gradient[2]);
    c.Text(172, 42, 200, 52, "kHz", "Small Fonts", 7, FW_NORMAL, p.label);
    c.Text(200, 42, 264, 52, "mono", "Small Fonts", 7, FW_NORMAL, Mix(p.label, p.panelBottom, 1, 2));
    c.Text(200, 42, 264, 52, "stereo", "Small Fonts", 7, FW_BOLD, p.gradient[1], DT_RIGHT);
}

void DrawSlider(Canvas& c, const SkinPalette& p, int l, int t, int r, int b, int knobAt) {
    const int mid = (t + b) / 2;
    c.Gradient(l, mid - 2, r, mid + 2, p.panelBottom, p.panelTop);
    c.Gradient(l + 1, mid - 1, knobAt, mid + 1, p.gradient[4], p.gradient[1]);
    c.Button(knobAt - 5, t, knobAt + 5, b, p);
    c.Fill(knobAt - 1, t + 3, knobAt + 1, b - 3, p.accent);
}

void DrawControls(Canvas& c, const SkinPalette& p) {
    DrawSlider(c, p, 107, 57, 174, 68, 156);   // volume
    DrawSlider(c, p, 177, 57, 214, 69, 196);   // balance, centred
    c.Button(219, 58, 242, 70, p);
    c.Text(219, 58, 242, 70, "EQ", "Small Fonts", 7, FW_BOLD, p.accent, DT_CENTER);
    c.Button(242, 58, 265, 70, p);
    c.Text(242, 58, 265, 70, "PL", "Small Fonts", 7, FW_BOLD, p.gradient[1], DT_CENTER);
    DrawSlider(c, p, 16, 72, 263, 81, 110);    // position
    // Transport: previous, play, pause, stop, next, eject.
    const int top = 88, bottom = 106;
    for (int i = 0; i < 5; ++i) c.Button(16 + 23 * i, top, 38 + 23 * i, bottom, p);
    c.Button(136, 89, 158, 105, p);
    const COLORREF g = p.accent;
    c.Fill(22, 92, 24, 102, g);
    c.Polygon({{32, 92}, {32, 101}, {25, 97}}, g);
    c.Polygon({{46, 92}, {46, 102}, {54, 97}}, p.gradient[1]);
    c.Fill(67, 92, 70, 102, g);
    c.Fill(73, 92, 76, 102, g);
    c.Fill(91, 92, 100, 101, g);
    c.Polygon({{114, 92}, {114, 101}, {121, 97}}, g);
    c.Fill(122, 92, 124, 102, g);
    c.Polygon({{141, 99}, {153, 99}, {147, 93}}, g);
    c.Fill(141, 100, 154, 102, g);
    // Maker's mark.
    c.Text(170, 86, 266, 108, "scrivane", "Tahoma", 15, FW_BOLD, Mix(p.accent, p.bodyBottom, 1, 4), DT_RIGHT, true);
}

Image DrawFace(const SkinPalette& p) {
    Canvas c(275, 116);
    c.Gradient(0, 0, 275, 116, p.bodyTop, p.bodyBottom);
    DrawTitleBar(c, p);
    DrawClock(c, p);
    DrawTitlePanel(c, p);
    DrawControls(c, p);
    return c.Picture();
}

// The equalizer: the sliders stand where the plug-in watches for presses
// (preamp at x 21, the ten bands at 78 + 18k, rows 39 to 98).
Image DrawEqualizer(const SkinPalette& p) {
    Canvas c(275, 116);
    c.Gradient(0, 0, 275, 116, p.bodyTop, p.bodyBottom);
    c.Gradient(0, 0, 275, 14, Mix(p.bodyTop, RGB(255, 255, 255), 1, 6), p.bodyTop);
    c.Text(0, 0, 275, 14, "EQUALIZER", "Small Fonts", 9, FW_BOLD, p.label, DT_CENTER);
    c.Frame(0, 0, 275, 116, Mix(p.bodyTop, RGB(255, 255, 255), 1, 3), Mix(p.bodyBottom, RGB(0, 0, 0), 1, 2));
    c.Button(14, 18, 40, 30, p);
    c.Text(14, 18, 40, 30, "ON", "Small Fonts", 7, FW_BOLD, p.gradient[1], DT_CENTER);
    c.Button(40, 18, 72, 30, p);
    c.Text(40, 18, 72, 30, "AUTO", "Small Fonts", 7, FW_BOLD, p.accent, DT_CENTER);
    c.Panel(86, 17, 199, 36, p);
    c.Button(212, 18, 264, 30, p);
    c.Text(212, 18, 264, 30, "PRESETS", "Small Fonts", 7, FW_BOLD, p.accent, DT_CENTER);
    const int levels[] = {50, 62, 70, 64, 52, 44, 40, 46, 58, 66, 60};   // percent, preamp first
    for (int i = 0; i < 11; ++i) {
        const int left = i == 0 ? 21 : 78 + 18 * (i - 1);
        const int knob = 93 - levels[i] * 50 / 100;
        c.Fill(left + 4, 39, left + 8, 98, p.panelBottom);
        c.Gradient(left + 5, knob, left + 7, 98, p.gradient[1], p.gradient[5]);
        c.Button(left, knob - 3, left + 12, knob + 4, p);
        // The curve in the little graph above the sliders.
        if (i > 0) c.Fill(90 + 10 * (i - 1), 34 - levels[i] * 15 / 100, 98 + 10 * (i - 1), 35 - levels[i] * 15 / 100,
                          p.gradient[2]);
    }
    c.Text(14, 100, 60, 112, "PREAMP", "Small Fonts", 7, FW_NORMAL, p.label);
    c.Text(78, 100, 262, 112, "60  170  310  600  1K  3K  6K  12K  14K  16K", "Small Fonts", 6, FW_NORMAL, p.label,
           DT_CENTER);
    return c.Picture();
}

// The player's text bitmap is a 155 x 18 bitmap font. The plug-in takes the
// background at (142,0) and one colour per row 0 to 5 at x = 55 (or 42, or
// 97), so rows 0 to 5 are drawn as bands of the gradient with the letters
// below them.
Image DrawTextBitmap(const SkinPalette& p) {
    Canvas c(155, 18);
    c.Fill(0, 0, 155, 18, p.textBackground);
    for (int k = 0; k < 6; ++k) c.Fill(0, k, 140, k + 1, p.gradient[k]);
    c.Text(0, 6, 155, 12, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "Small Fonts", 6, FW_NORMAL, p.gradient[1]);
    c.Text(0, 12, 155, 18, "0123456789 .:()-'!_+\\/[]^&%", "Small Fonts", 6, FW_NORMAL, p.gradient[3]);
    return c.Picture();
}

}  // namespace

namespace {

int DrawLine(HDC dc, const std::string& text, RECT* area, UINT format) {
    return DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), area, format);
}
int DrawLine(HDC dc, const std::wstring& text, RECT* area, UINT format) {
    return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), area, format);
}

// The band grows past `width` to hold the whole caption: the caption is
// what the plug-in was given, the player's tail included.
template <typename Text>
Image BandWithCaption(const Text& caption, int width, HFONT captionFont) {
    const ScopedFont font(captionFont);
    {
        const ScopedMemoryDC measure;
        const ScopedSelect measuring(measure, font);
        RECT needed = {0, 0, 0, 16};
        DrawLine(measure, caption, &needed, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        width = std::max(width, 52 + static_cast<int>(needed.right) + 4);
    }
    Canvas c(width, 16);
    c.Fill(0, 0, width, 16, captionBandColour);
    c.Text(4, 0, 52, 16, "caption", "Tahoma", 11, FW_NORMAL, RGB(0x90, 0x90, 0xA0));
    const ScopedSelect selected(c.Dc(), font);
    SetTextColor(c.Dc(), RGB(0xF0, 0xF0, 0xF0));
    RECT line = {52, 0, width - 4, 16};
    DrawLine(c.Dc(), caption, &line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    return c.Picture();
}

}  // namespace

Image CaptionBand(const std::string& caption, int width) {
    // Big5 bytes need a face with the characters; the caption is ANSI text of the code page in force.
    const bool ascii = std::all_of(caption.begin(), caption.end(), [](char ch) { return (ch & 0x80) == 0; });
    return BandWithCaption(caption, width,
                           CreateFontA(ascii ? -11 : -12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                       ANTIALIASED_QUALITY, 0, ascii ? "Tahoma" : "AR PL UMing TW"));
}

Image CaptionBand(const std::wstring& caption, int width) {
    // A Unicode caption in any script: DejaVu Sans has Latin, Greek and
    // Cyrillic, and the prefix links it to the Chinese fonts for the rest.
    return BandWithCaption(caption, width,
                           CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0,
                                       "DejaVu Sans"));
}

bool WriteDemoSkin(const std::string& folder, const SkinPalette& palette, const std::string& overrides) {
    if (!MakeFolder(folder)) return false;
    bool ok = WriteBmp(folder + "\\main.bmp", DrawFace(palette), 24);
    ok = WriteBmp(folder + "\\text.bmp", DrawTextBitmap(palette), 24) && ok;
    ok = WriteBmp(folder + "\\eqmain.bmp", DrawEqualizer(palette), 24) && ok;
    const std::string pledit = std::string("[Text]\r\nNormal=#") + palette.playlistText + "\r\nCurrent=#ffffff\r\n" +
                               "NormalBG=#" + palette.playlistBack + "\r\nSelectedBG=#303060\r\nFont=Arial\r\n";
    ok = WriteTextFile(folder + "\\pledit.txt", pledit) && ok;
    const std::string overrideFile = folder + "\\scrivane.txt";
    if (!overrides.empty()) ok = WriteTextFile(overrideFile, overrides) && ok;
    else DeleteFileA(overrideFile.c_str());
    return ok;
}

}  // namespace host
