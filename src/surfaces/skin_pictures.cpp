// The current skin's title background and text colours, read afresh from
// the skin folder at every full repaint of the main window.
#include "surfaces/skin_pictures.h"

#include <utility>

#include "player/host_contract.h"
#include "player/title_place.h"
#include "surfaces/bitmap_check.h"
#include "surfaces/surfaces.h"

namespace {

constexpr POINT titleAreaOrigin = titleOrigin;       // main.bmp keeps the title area where the window shows it
constexpr POINT textBackgroundPoint = {142, 0};       // a blank cell of text.bmp's font
constexpr int textSampleColumns[] = {55, 42, 97};     // glyph columns tried in turn for each row
constexpr int textSampleRows = 6;                     // each row fills two lines of the gradient
constexpr COLORREF missingTextColour = RGB(0, 255, 0);
constexpr COLORREF missingBackgroundColour = RGB(0, 0, 0);

static_assert(textSampleRows * 2 == skinGradientHeight, "six text.bmp rows fill the gradient");

// The skin assets' record.
struct SkinAssetsState {
    char skinFolder[skinPathSize];   // asked once per load; every file comes from it
};
SkinAssetsState assets = {};

// A skin bitmap loaded from file and selected into a screen-compatible
// context so it can be read; its size bounds every read. It is given back
// when it goes out of scope: the selection undone, then the context, then
// the bitmap.
struct SkinBitmap {
    HeldBitmap bitmap;
    HeldMemoryDC dc;
    HeldSelection picture;
    int width;
    int height;
};

HeldMemoryDC ScreenMemoryDC() {
    const HeldWindowDC screen(nullptr);
    return HeldMemoryDC(CreateCompatibleDC(screen));
}

// `skin` is an empty one; a refused file leaves it empty.
bool OpenSkinBitmap(const char* fileName, SkinBitmap& skin) {
    char path[skinPathSize];
    if (!JoinSkinPath(path, assets.skinFolder, fileName) || !BitmapFileIsSound(path)) return false;
    HeldBitmap bitmap(static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return false;
    skin.bitmap = std::move(bitmap);
    skin.width = info.bmWidth;
    skin.height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    skin.dc = ScreenMemoryDC();
    skin.picture.Select(skin.dc, skin.bitmap);
    return true;
}

// CLR_INVALID for a point outside the picture, without asking GDI.
COLORREF SamplePixel(const SkinBitmap& skin, int x, int y) {
    if (x < 0 || y < 0 || x >= skin.width || y >= skin.height) return CLR_INVALID;
    return GetPixel(skin.dc, x, y);
}

// Copies the part of a width x height block at `from` that lies inside the
// picture; what the picture lacks is left as the caller painted it.
void CopyClippedBlock(const SkinBitmap& skin, POINT from, HDC target, int width, int height) {
    const int copyWidth = skin.width - from.x < width ? skin.width - from.x : width;
    const int copyHeight = skin.height - from.y < height ? skin.height - from.y : height;
    if (copyWidth <= 0 || copyHeight <= 0) return;
    BitBlt(target, 0, 0, copyWidth, copyHeight, skin.dc, from.x, from.y, SRCCOPY);
}

int BlockFits(const SkinBitmap& skin, POINT from, int width, int height) {
    return from.x + width <= skin.width && from.y + height <= skin.height;
}

void FillBlack(HDC target, int width, int height) {
    const RECT whole = {0, 0, width, height};
    FillRect(target, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void LoadTitleBackground() {
    HDC target = Surfaces().skinBackground.dc;
    SkinBitmap main = {};
    if (!OpenSkinBitmap("\\main.bmp", main)) {
        FillBlack(target, skinBackgroundWidth, skinBackgroundHeight);
        return;
    }
    if (!BlockFits(main, titleAreaOrigin, skinBackgroundWidth, skinBackgroundHeight))
        FillBlack(target, skinBackgroundWidth, skinBackgroundHeight);
    CopyClippedBlock(main, titleAreaOrigin, target, skinBackgroundWidth, skinBackgroundHeight);
}

// The first glyph sample of the row that differs from the background; when
// all match, the last one read. Samples outside the picture are never used:
// a pen of CLR_INVALID would draw an arbitrary colour.
COLORREF TextRowColour(const SkinBitmap& skin, int row, COLORREF background) {
    COLORREF chosen = CLR_INVALID;
    for (int column : textSampleColumns) {
        const COLORREF sample = SamplePixel(skin, column, row);
        if (sample == CLR_INVALID) continue;
        if (sample != background) return sample;
        chosen = sample;
    }
    return chosen == CLR_INVALID ? missingTextColour : chosen;
}

void LoadTextColours() {
    SkinBitmap text = {};
    if (!OpenSkinBitmap("\\text.bmp", text)) {
        FrameGradient(missingTextColour);   // green in a black border: the look of a skin without text.bmp
        return;
    }
    COLORREF background = SamplePixel(text, textBackgroundPoint.x, textBackgroundPoint.y);
    if (background == CLR_INVALID) background = missingBackgroundColour;
    for (int row = 0; row < textSampleRows; ++row)
        DrawGradientLines(row * 2, 2, TextRowColour(text, row, background));
    SetSkinBackground(background);
}

void LoadFontSkin() {
    SkinBitmap font = {};
    if (!OpenSkinBitmap("\\fontskin.bmp", font)) return;
    CopyClippedBlock(font, POINT{0, 0}, Surfaces().skinTextGradient.dc, skinGradientWidth, skinGradientHeight);
}

}  // namespace

// A host may quit inside our request for the skin folder: after that nothing
// is drawn, or the surfaces would be used after the shut-down that released them.
void LoadSkinPictures() {
    if (!SurfacesCreated()) return;
    AskSkinFolder(assets.skinFolder);
    if (!SurfacesCreated()) return;
    LoadTitleBackground();
    LoadTextColours();
    LoadFontSkin();
}

const char* SkinFolder() { return assets.skinFolder; }

void ResetSkinPictures() {
    assets = SkinAssetsState{};
}
