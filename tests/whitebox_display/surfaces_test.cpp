// Surfaces, fonts and brushes: made once, released once, and harmless when absent.
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "frame/compose.h"
#include "player/title_place.h"
#include "title/text_strip.h"
#include "title/title_text.h"
#include "display_fixture.h"
#include "scoped_gdi.h"

using namespace display_test;

namespace {

struct Extent {
    const Surface* surface;
    const char* name;
    int width, height, bitsPerPixel;   // 0 bits: the screen's depth
};

std::vector<HGDIOBJ> AllObjects() {
    const SurfaceSet& made = Surfaces();
    const SurfacesState& r = SurfacesForTest();
    std::vector<HGDIOBJ> all;
    for (const Surface* s : {&made.textStrip, &made.viewMask, &made.invMask, &made.shadowLayer, &made.shadowMask,
                             &made.shadowInvMask, &made.frameSurface, &made.textLayer, &made.playlistLine,
                             &made.skinBackground, &made.skinTextGradient}) {
        all.push_back(s->dc);
        all.push_back(s->bitmap);
    }
    for (int i = 0; i < swatchCount; ++i) all.push_back(ColourSwatch(i));
    for (const FontSlot* f : {&NormalFont(), &DoubleSizeFont(), &PlaylistFont()}) all.push_back(f->font);
    for (const HeldBrush* b : {&r.textBrush, &r.bkBrush, &r.shadowBrush, &r.skinBackgroundBrush, &r.playlistBgBrush})
        all.push_back(*b);
    return all;
}

// The holder moved onto gives back what it held, the one moved from leaves
// the object alone, and the object goes at scope end.
template <typename Held, typename Make>
void ExpectGivenBack(const char* name, Make make) {
    const auto object = make(), other = make();
    {
        Held held(other);
        held = Held(object);
        EXPECT_EQ(GetObjectType(other), 0u) << name << " moved over is not given back";
        EXPECT_NE(GetObjectType(object), 0u) << name << " went with the holder it moved from";
    }
    EXPECT_EQ(GetObjectType(object), 0u) << name << " left behind at scope end";
}

}  // namespace

TEST_F(DisplayTest, EachHolderGivesItsObjectBackOnce) {
    ExpectGivenBack<HeldBitmap>("bitmap", [] { return CreateBitmap(4, 4, 1, 1, nullptr); });
    ExpectGivenBack<HeldBrush>("brush", [] { return CreateSolidBrush(RGB(1, 2, 3)); });
    ExpectGivenBack<HeldFont>("font", [] { return CreateFontIndirectA(&NormalFont().record); });
    ExpectGivenBack<HeldMemoryDC>("memory DC", [] { return CreateCompatibleDC(nullptr); });

    HDC window = nullptr;
    {
        const HeldWindowDC held(window_);
        window = held;
    }
    EXPECT_EQ(ReleaseDC(window_, window), 0) << "the window DC was left for a second release";

    // A selection puts back the DC's own object, however often it selected since.
    const host::ScopedMemoryDC dc;
    const HGDIOBJ original = GetCurrentObject(dc, OBJ_BRUSH);
    {
        HeldSelection held;
        held = HeldSelection(dc, GetStockObject(BLACK_BRUSH));
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(BLACK_BRUSH)) << "undone by the one moved from";
        held.Select(dc, GetStockObject(GRAY_BRUSH));
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), original);
}

TEST_F(DisplayTest, StartUpMakesEverySurfaceAtItsSizeAndClearsTheMasks) {
    const SurfaceSet& made = Surfaces();
    const Extent extents[] = {
        {&made.viewMask, "viewMask", 306, 60, 1},        {&made.invMask, "invMask", 306, 60, 1},
        {&made.shadowMask, "shadowMask", 306, 60, 1},    {&made.shadowInvMask, "shadowInvMask", 306, 60, 1},
        {&made.shadowLayer, "shadowLayer", 306, 60, 0},  {&made.frameSurface, "frameSurface", 306, 60, 0},
        {&made.textLayer, "textLayer", 306, 60, 0},      {&made.playlistLine, "playlistLine", 800, 10, 0},
        {&made.skinBackground, "skinBackground", 153, 30, 0},
        {&made.skinTextGradient, "skinTextGradient", 153, 12, 0},
    };
    for (const Extent& e : extents) {
        BITMAP info = {};
        ASSERT_NE(GetObjectA(e.surface->bitmap, sizeof info, &info), 0) << e.name;
        EXPECT_EQ(info.bmWidth, e.width) << e.name;
        EXPECT_EQ(info.bmHeight, e.height) << e.name;
        if (e.bitsPerPixel) EXPECT_EQ(info.bmBitsPixel, e.bitsPerPixel) << e.name;
        else EXPECT_GT(info.bmBitsPixel, 1) << e.name;
    }
    for (const Extent& e : extents) {
        if (e.surface == &made.playlistLine || e.surface == &made.skinTextGradient || e.surface == &made.shadowLayer)
            continue;
        int lit = 0;
        for (int y = 0; y < e.height; y += 3)
            for (int x = 0; x < e.width; x += 3) lit += PixelAt(*e.surface, x, y) != 0;
        EXPECT_EQ(lit, 0) << e.name << " not black after start-up";
    }
    for (int i = 0; i < swatchCount; ++i) EXPECT_NE(ColourSwatch(i), nullptr);
    EXPECT_GT(LogPixelsY(), 0);
}

TEST_F(DisplayTest, FontRecordsTakeFaceHeightWeightAndItalicOnly) {
    struct Case {
        int pixelsPerInch;
        const char* face;
        int size, bold, italic;
        LONG height, weight;
        BYTE italicByte;
        const char* storedFace;
    };
    const Case cases[] = {
        {96, "Arial", 8, 0, 0, -11, 400, 0, "Arial"},
        {96, "Arial", 14, 1, 1, -19, 700, 1, "Arial"},
        {120, "Arial", 8, 5, 256, -13, 700, 0, "Arial"},
        {120, "Arial", 14, 0, 0x1FF, -23, 400, 255, "Arial"},
        {96, "A face name far longer than thirty-one characters", 8, 0, 0, -11, 400, 0,
         "A face name far longer than thi"},
        // Sizes are held to 1..1000 points; at 144 pixels per inch the
        // largest, bold and italic, is still a font the renderer draws.
        {96, "Arial", 0, 0, 0, -1, 400, 0, "Arial"},
        {144, "Arial", -7, 0, 0, -2, 400, 0, "Arial"},
        {144, "Arial", 1000, 1, 1, -2000, 700, 1, "Arial"},
        {144, "Tahoma", 1494545347, 1, 255, -2000, 700, 255, "Tahoma"},
        {144, "MS Sans Serif", INT_MAX, 1, 1, -2000, 700, 1, "MS Sans Serif"},
    };
    int& pixelsPerInch = FontsForTest().logPixelsY;
    const int saved = pixelsPerInch;
    for (const Case& c : cases) {
        pixelsPerInch = c.pixelsPerInch;
        LOGFONTA record = DoubleSizeFont().record;
        record.lfCharSet = CHINESEBIG5_CHARSET;
        record.lfQuality = NONANTIALIASED_QUALITY;
        FillFontRecord(record, c.face, c.size, c.bold, c.italic);
        EXPECT_EQ(record.lfHeight, c.height) << c.size << " pt at " << c.pixelsPerInch;
        EXPECT_EQ(record.lfWeight, c.weight);
        EXPECT_EQ(record.lfItalic, c.italicByte);
        EXPECT_STREQ(record.lfFaceName, c.storedFace);
        EXPECT_EQ(record.lfCharSet, CHINESEBIG5_CHARSET) << "other fields are the dialog's";
        EXPECT_EQ(record.lfQuality, NONANTIALIASED_QUALITY);
        HDC dc = CreateCompatibleDC(nullptr);
        HFONT font = CreateFontIndirectA(&record);
        ASSERT_NE(font, nullptr);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE extent = {};
        EXPECT_TRUE(GetTextExtentPoint32A(dc, "Hg Wy", 5, &extent));
        RECT line = {0, 0, 306, 60};
        DrawTextA(dc, "Hg Wy", 5, &line, DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, previous);
        EXPECT_TRUE(DeleteObject(font));
        EXPECT_TRUE(DeleteDC(dc)) << "the renderer's state survives " << c.size << " pt";
    }
    pixelsPerInch = saved;
}

TEST_F(DisplayTest, SwatchesShowTheirColour) {
    for (COLORREF colour : {RGB(1, 2, 3), RGB(255, 0, 128), RGB(0, 255, 0)}) {
        PaintSwatch(ColourSwatch(swatchBk), colour);
        const host::ScopedMemoryDC dc;
        const host::ScopedSelect selected(dc, ColourSwatch(swatchBk));
        for (POINT p : {POINT{0, 0}, POINT{19, 0}, POINT{0, 19}, POINT{19, 19}, POINT{10, 10}})
            EXPECT_EQ(GetPixel(dc, p.x, p.y), colour);
    }
    PaintSwatch(nullptr, RGB(1, 2, 3));   // no swatch, nothing to paint
}

TEST_F(DisplayTest, ReleaseDeletesEveryObjectOnceSkinBrushesIncluded) {
    SetSkinBackground(RGB(1, 2, 3));
    SetPlaylistLineColours(RGB(0, 255, 0), RGB(4, 5, 6));
    ShowCaption("Released");
    const std::vector<HGDIOBJ> objects = AllObjects();
    for (HGDIOBJ object : objects) ASSERT_NE(object, nullptr);
    ReleaseSurfaces();
    for (HGDIOBJ object : objects) EXPECT_EQ(GetObjectType(object), 0u) << object << " still exists";
    for (HGDIOBJ object : AllObjects()) EXPECT_EQ(object, nullptr);
    EXPECT_EQ(SurfacesCreated(), 0);
    ReleaseSurfaces();   // a second release finds nothing to delete
}

TEST_F(DisplayTest, WithoutSurfacesEveryOperationDoesNothing) {
    ReleaseSurfaces();
    ASSERT_EQ(SurfacesCreated(), 0);
    char* titleText = TitleTextForTest().titleText;
    lstrcpyA(titleText, "Song - Winamp");
    RefreshTitle();
    EXPECT_STREQ(titleText, "Song - Winamp") << "nothing trimmed while there is nothing to render into";
    const StripState before = StripForTest();
    RefreshStrip();
    ShowStripText("A title far wider than the view, were it measured", 49);
    AdvanceScroll();
    BounceScroll(normalViewWidth);
    WrapScroll(doubleViewWidth);
    CopyStripToView(0, 0, 306);
    ComposeTitleFrame();
    AddShadow(3, LineHeight());
    PresentFrame(LineHeight());
    EXPECT_EQ(std::memcmp(&before, &StripForTest(), sizeof before), 0) << "the strip measured or moved";
    for (HGDIOBJ object : AllObjects()) EXPECT_EQ(object, nullptr);
}
