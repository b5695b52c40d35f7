#include "title_pixels.h"

#include "scoped_gdi.h"
#include "text_of_width.h"

namespace display_test {

namespace {

constexpr int stripRows = 60;

using host::ScopedBitmap;
using host::ScopedFont;
using host::ScopedMemoryDC;
using host::ScopedSelect;

ScopedFont MakeFont(const TitleLook& look) {
    const int pixelsPerInch = GetDeviceCaps(host::ScopedWindowDC(), LOGPIXELSY);
    LOGFONTA record = {};
    record.lfHeight = -MulDiv(look.fontSize, pixelsPerInch, 72);
    record.lfWeight = look.bold ? FW_BOLD : FW_NORMAL;
    record.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(record.lfFaceName, look.face.c_str(), LF_FACESIZE);
    return ScopedFont(CreateFontIndirectA(&record));
}

// The text drawn once, white on black, one bit deep: true for a glyph pixel.
struct Strip {
    int width = 0;
    std::vector<bool> bits;   // width x stripRows
    bool At(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < stripRows && bits[y * width + x]; }
};

Strip RenderStrip(const TitleLook& look) {
    Strip strip;
    const ScopedFont font = MakeFont(look);
    const ScopedMemoryDC memory;
    const ScopedSelect fontSelected(memory, font);
    const bool wide = !look.wideText.empty();
    SIZE extent = {};
    if (wide)
        GetTextExtentPoint32W(memory, look.wideText.c_str(), static_cast<int>(look.wideText.size()), &extent);
    else
        GetTextExtentPoint32A(memory, look.text.c_str(), static_cast<int>(look.text.size()), &extent);
    strip.width = extent.cx;
    const ScopedBitmap bitmap(CreateBitmap(extent.cx > 0 ? extent.cx : 1, stripRows, 1, 1, nullptr));
    const ScopedSelect bitmapSelected(memory, bitmap);
    const RECT whole = {0, 0, extent.cx > 0 ? extent.cx : 1, stripRows};
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
    strip.bits.assign(static_cast<size_t>(strip.width) * stripRows, false);
    for (int y = 0; y < stripRows; ++y)
        for (int x = 0; x < strip.width; ++x) strip.bits[y * strip.width + x] = GetPixel(memory, x, y) != 0;
    return strip;
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
    auto glyph = [&](int x, int y) {
        if (x < 0 || y < 0) return false;
        int column = look.offset + x;
        if (look.wrap && strip.width > 0) column %= strip.width;
        return strip.At(column, y);
    };
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

void WriteSettings(const testing_support::PluginRun& run,
                   const std::vector<std::pair<std::string, std::string>>& keys) {
    std::string ini = "[Qelvar Scrivane II]\r\n";
    for (const auto& key : keys) ini += key.first + "=" + key.second + "\r\n";
    run.scratch.WriteIni(ini);
}

}  // namespace display_test
