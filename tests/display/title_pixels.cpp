#include "title_pixels.h"

#include <algorithm>

#include "scoped_gdi.h"
#include "text_of_width.h"

namespace display_test {

namespace {

constexpr int stripRows = 60;

using host::ScopedBitmap;
using host::ScopedFont;
using host::ScopedMemoryDC;
using host::ScopedSelect;

ScopedFont MakeFont(const TitleLook& look, BYTE quality = DEFAULT_QUALITY) {
    const int pixelsPerInch = GetDeviceCaps(host::ScopedWindowDC(), LOGPIXELSY);
    LOGFONTA record = {};
    record.lfHeight = -MulDiv(look.fontSize, pixelsPerInch, 72);
    record.lfWeight = look.bold ? FW_BOLD : FW_NORMAL;
    record.lfCharSet = DEFAULT_CHARSET;
    record.lfQuality = quality;
    lstrcpynA(record.lfFaceName, look.face.c_str(), LF_FACESIZE);
    return ScopedFont(CreateFontIndirectA(&record));
}

// The text drawn once, white on black: one bit deep as the one-bit strip
// is, or `smooth`, with the platform's anti-aliased glyphs on 32 bits. Each
// pixel's level is 0..255; a one-bit glyph pixel is 255.
struct Strip {
    int width = 0;
    std::vector<int> levels;   // width x stripRows
    int Level(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < stripRows ? levels[y * width + x] : 0; }
    bool At(int x, int y) const { return Level(x, y) != 0; }
};

Strip RenderStrip(const TitleLook& look, bool smooth = false) {
    Strip strip;
    const ScopedFont font = MakeFont(look, smooth ? ANTIALIASED_QUALITY : DEFAULT_QUALITY);
    const ScopedMemoryDC memory;
    const ScopedSelect fontSelected(memory, font);
    const bool wide = !look.wideText.empty();
    SIZE extent = {};
    if (wide)
        GetTextExtentPoint32W(memory, look.wideText.c_str(), static_cast<int>(look.wideText.size()), &extent);
    else
        GetTextExtentPoint32A(memory, look.text.c_str(), static_cast<int>(look.text.size()), &extent);
    strip.width = extent.cx;
    const int bitmapWidth = extent.cx > 0 ? extent.cx : 1;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, bitmapWidth, -stripRows, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const ScopedBitmap bitmap(smooth ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                                     : CreateBitmap(bitmapWidth, stripRows, 1, 1, nullptr));
    const ScopedSelect bitmapSelected(memory, bitmap);
    const RECT whole = {0, 0, bitmapWidth, stripRows};
    FillRect(memory, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(memory, RGB(255, 255, 255));
    SetBkColor(memory, RGB(0, 0, 0));
    RECT line = {0, 0, extent.cx, look.lineHeight};
    if (wide)
        DrawTextW(memory, look.wideText.c_str(), static_cast<int>(look.wideText.size()), &line,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    else
        DrawTextA(memory, look.text.c_str(), static_cast<int>(look.text.size()), &line,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    GdiFlush();
    strip.levels.assign(static_cast<size_t>(strip.width) * stripRows, 0);
    for (int y = 0; y < stripRows; ++y)
        for (int x = 0; x < strip.width; ++x)
            strip.levels[y * strip.width + x] = smooth ? (static_cast<const DWORD*>(bits)[y * bitmapWidth + x] >> 8) & 0xFF
                                                       : GetPixel(memory, x, y) != 0 ? 255 : 0;
    return strip;
}

// The strip's level at view pixel (x,y) of the look.
int ViewLevel(const Strip& strip, const TitleLook& look, int x, int y) {
    if (x < 0 || y < 0) return 0;
    int column = look.offset + x;
    if (look.wrap && strip.width > 0) column %= strip.width;
    return strip.Level(column, y);
}

int ViewWidth(const TitleLook& look) { return look.doubled ? 306 : 153; }
POINT Origin(const TitleLook& look) { return look.doubled ? POINT{224, 48} : POINT{112, 24}; }

}  // namespace

TitleLook DoubleSizeLook(const std::string& text) {
    TitleLook look;
    look.text = text;
    look.fontSize = 14;
    look.bold = 1;
    look.doubled = true;
    look.lineHeight = 24;
    return look;
}

namespace {

void Extent(HDC dc, const std::string& text, SIZE* extent) {
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), extent);
}
void Extent(HDC dc, const std::wstring& text, SIZE* extent) {
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), extent);
}

template <typename Text>
int WidthIn(const TitleLook& look, const Text& text) {
    const ScopedFont font = MakeFont(look);
    const ScopedMemoryDC memory;
    const ScopedSelect selected(memory, font);
    SIZE extent = {};
    Extent(memory, text, &extent);
    return extent.cx;
}

}  // namespace

int TextWidth(const TitleLook& look, const std::wstring& text) { return WidthIn(look, text); }
int TextWidth(const TitleLook& look, const std::string& text) { return WidthIn(look, text); }

std::string TextOfWidth(const TitleLook& look, int width) {
    return testing_support::TextOfWidth(
        width, [&](const std::string& text) { return TextWidth(look, text); }, 'a', 'z');
}

host::Image ExpectedTitle(const TitleLook& look) {
    const Strip strip = RenderStrip(look);
    const int w = ViewWidth(look);
    const int h = look.lineHeight;
    auto glyph = [&](int x, int y) { return ViewLevel(strip, look, x, y) != 0; };
    host::Image picture;
    picture.width = w;
    picture.height = h;
    picture.pixels.assign(static_cast<size_t>(w) * h, look.background);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (glyph(x, y)) {
                picture.Set(x, y, look.textColour);
                continue;
            }
            for (int i = 1; i <= look.shadow; ++i)
                if (glyph(x - i, y - i)) {
                    picture.Set(x, y, look.shadowColour);
                    break;
                }
        }
    return picture;
}

host::Image TitleArea(const host::Image& capture, const TitleLook& look) {
    const POINT at = Origin(look);
    return capture.Crop(at.x, at.y, ViewWidth(look), look.lineHeight);
}

bool FaceHasGlyphs(const TitleLook& look, const std::wstring& text) {
    const ScopedFont font = MakeFont(look);
    const ScopedMemoryDC memory;
    const ScopedSelect selected(memory, font);
    std::vector<WORD> glyphs(text.size() + 1, 0);
    const DWORD found = GetGlyphIndicesW(memory, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                         GGI_MARK_NONEXISTING_GLYPHS);
    if (found == GDI_ERROR) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (glyphs[i] == 0xFFFF) return false;
    return true;
}

bool SameImage(const host::Image& a, const host::Image& b) {
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

::testing::AssertionResult ShowsTitle(const testing_support::PluginRun& run, const TitleLook& look,
                                      const std::string& tag) {
    const host::Image actual = TitleArea(run.host->CaptureMain(), look);
    const host::Image expected = ExpectedTitle(look);
    int wrong = 0;
    std::string first;
    if (actual.width != expected.width || actual.height != expected.height) {
        wrong = -1;
    } else {
        for (int y = 0; y < expected.height; ++y)
            for (int x = 0; x < expected.width; ++x)
                if (actual.At(x, y) != expected.At(x, y) && wrong++ == 0) {
                    char where[96];
                    wsprintfA(where, "first at (%d,%d): %06lx instead of %06lx", x, y,
                              static_cast<unsigned long>(actual.At(x, y)),
                              static_cast<unsigned long>(expected.At(x, y)));
                    first = where;
                }
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    const std::string base = run.scratch.Folder() + "." + tag;
    expected.SavePng(base + ".expected.png");
    actual.SavePng(base + ".actual.png");
    return ::testing::AssertionFailure() << "\"" << look.text << "\" at offset " << look.offset << ": "
                                         << (wrong < 0 ? std::string("capture has the wrong size")
                                                       : std::to_string(wrong) + " pixels differ, " + first)
                                         << "; pictures in " << base << ".*.png";
}

::testing::AssertionResult ShowsSmoothTitle(const testing_support::PluginRun& run, const TitleLook& look,
                                            const host::Image& background, const host::Image& textColours,
                                            bool middles, const std::string& tag) {
    const host::Image actual = TitleArea(run.host->CaptureMain(), look);
    const Strip smooth = RenderStrip(look, true);
    auto glyph = [&](int x, int y) { return ViewLevel(smooth, look, x, y) == 255; };
    int between = 0, middle = 0;
    std::string fault;
    for (int y = 0; y < actual.height && fault.empty(); ++y)
        for (int x = 0; x < actual.width && fault.empty(); ++x) {
            std::vector<COLORREF> under = {background.At(x, y), textColours.At(x, y)};
            if (look.shadow > 0) under.push_back(look.shadowColour);
            const COLORREF got = actual.At(x, y);
            between += std::find(under.begin(), under.end(), got) == under.end();
            for (int shift : {0, 8, 16}) {
                int low = 255, high = 0;
                for (COLORREF c : under) {
                    low = std::min(low, static_cast<int>((c >> shift) & 0xFF));
                    high = std::max(high, static_cast<int>((c >> shift) & 0xFF));
                }
                const int channel = (got >> shift) & 0xFF;
                if (channel < low - 2 || channel > high + 2) fault = "a channel outside its colours";
            }
            bool inside = x > 0 && y > 0 && x + 1 < actual.width && y + 1 < actual.height;
            for (int dy = -1; inside && dy <= 1; ++dy)
                for (int dx = -1; inside && dx <= 1; ++dx) inside = glyph(x + dx, y + dy);
            if (inside && got != textColours.At(x, y)) fault = "a stroke's middle not the text colour";
            middle += inside;
            if (!fault.empty()) fault += " at (" + std::to_string(x) + "," + std::to_string(y) + ")";
        }
    if (fault.empty() && between == 0) fault = "no pixel between the colours: the edges are not smooth";
    if (fault.empty() && middles && middle == 0) fault = "no stroke middles to check";
    if (fault.empty()) return ::testing::AssertionSuccess();
    const std::string base = run.scratch.Folder() + "." + tag;
    actual.SavePng(base + ".actual.png");
    return ::testing::AssertionFailure() << tag << ": " << fault << "; pictures in " << base << ".*.png";
}

void WriteSettings(const testing_support::PluginRun& run,
                   const std::vector<std::pair<std::string, std::string>>& keys) {
    std::string ini = "[Qelvar Scrivane II]\r\n";
    for (const auto& key : keys) ini += key.first + "=" + key.second + "\r\n";
    run.scratch.WriteIni(ini);
}

}  // namespace display_test
