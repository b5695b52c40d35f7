// The host's own drawing read back from its windows, and the pictures made
// of it: cropping and PNG files checked by an independent decoder.
#include <gtest/gtest.h>
#include <wincodec.h>

#include <string>

#include "emulated_host.h"
#include "scoped_gdi.h"
#include "skin_files.h"

namespace {

// Per process, so runs of this program side by side do not share files.
std::string TempPath(const char* name) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + std::to_string(GetCurrentProcessId()) + "-" + name;
}

// Decodes a PNG with the system's imaging codecs, not with the host's code.
host::Image DecodeWithCodecs(const std::string& path) {
    host::Image picture;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)))) {
        std::wstring wide(path.begin(), path.end());
        IWICBitmapDecoder* decoder = nullptr;
        IWICBitmapFrameDecode* frame = nullptr;
        IWICFormatConverter* converter = nullptr;
        UINT w = 0, h = 0;
        if (SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
            SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                            nullptr, 0, WICBitmapPaletteTypeCustom)) &&
            SUCCEEDED(converter->GetSize(&w, &h))) {
            std::vector<BYTE> bgra(static_cast<size_t>(w) * h * 4);
            if (SUCCEEDED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(bgra.size()), bgra.data()))) {
                picture.width = static_cast<int>(w);
                picture.height = static_cast<int>(h);
                for (size_t i = 0; i < bgra.size(); i += 4)
                    picture.pixels.push_back(RGB(bgra[i + 2], bgra[i + 1], bgra[i]));
            }
        }
        if (converter) converter->Release();
        if (frame) frame->Release();
        if (decoder) decoder->Release();
        factory->Release();
    }
    CoUninitialize();
    return picture;
}

host::Image Gradient(int w, int h) {
    host::Image p = host::SolidImage(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.Set(x, y, RGB(x * 7 & 0xFF, y * 13 & 0xFF, (x ^ y) & 0xFF));
    return p;
}

}  // namespace

TEST(HostPictures, HostDrawsItsFaceTitleAreaAndShadeLine) {
    host::EmulatedHost h;
    h.RepaintWhole();
    const struct {
        host::MainMode mode;
        RECT title;
    } modes[] = {{host::MainMode::Normal, {112, 24, 265, 53}}, {host::MainMode::DoubleSize, {224, 48, 530, 106}}};
    for (const auto& m : modes) {
        h.SetMainMode(m.mode);
        h.PumpMessages();
        const host::Image main = h.CaptureMain();
        const RECT t = m.title;
        // Corners of the title area and the pixels just outside them.
        const struct { int x, y; COLORREF colour; } probes[] = {
            {t.left, t.top, host::hostTitleColour},          {t.right - 1, t.bottom - 1, host::hostTitleColour},
            {t.left - 1, t.top, host::hostFaceColour},       {t.right, t.bottom - 1, host::hostFaceColour},
            {t.left, t.top - 1, host::hostFaceColour},       {t.left, t.bottom, host::hostFaceColour},
            {0, 0, host::hostFaceColour},                    {main.width - 1, main.height - 1, host::hostFaceColour},
        };
        for (const auto& p : probes) EXPECT_EQ(main.At(p.x, p.y), p.colour) << p.x << "," << p.y;
        const RECT area = h.HostTitleArea();
        EXPECT_TRUE(EqualRect(&area, &t));
    }
    h.SetPlaylistSize(300, 14);
    h.PumpMessages();
    const host::Image line = h.CapturePlaylist();
    ASSERT_EQ(line.width, 300);
    EXPECT_EQ(line.At(2, 2), host::hostPlaylistColour);
    EXPECT_EQ(line.At(269, 11), host::hostPlaylistColour);
    EXPECT_EQ(line.At(270, 11), host::hostFaceColour);
    EXPECT_EQ(line.At(1, 2), host::hostFaceColour);
    EXPECT_EQ(line.At(2, 12), host::hostFaceColour);
}

TEST(HostPictures, PaintsRecordTheirUpdateRectangles) {
    host::EmulatedHost h;
    h.hostPaints.clear();
    const RECT part = {112, 24, 265, 53};
    h.RepaintRect(part);
    h.RepaintWhole();
    h.SetMainMode(host::MainMode::Shaded);
    h.PumpMessages();
    const RECT expected[] = {part, {0, 0, 275, 116}, {0, 0, 275, 14}};
    ASSERT_EQ(h.hostPaints.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_TRUE(EqualRect(&h.hostPaints[i], &expected[i])) << "paint " << i;
}

TEST(HostPictures, TitleTimerRepaintsTheHostsTitle) {
    host::EmulatedHost h;
    h.RepaintWhole();
    const RECT title = h.HostTitleArea();
    FillRect(host::ScopedWindowDC(h.Main()), &title, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(h.CaptureMain().At(150, 30), RGB(0, 0, 0));
    EXPECT_EQ(h.SendHostTimer(), 0);
    EXPECT_EQ(h.hostTimerCount, 1);
    EXPECT_EQ(h.CaptureMain().At(150, 30), host::hostTitleColour);
}

TEST(HostPictures, CropClipsToThePicture) {
    const host::Image p = Gradient(10, 8);
    const struct {
        int left, top, w, h;
        int expectW, expectH, firstX, firstY;
    } cases[] = {
        {2, 3, 4, 2, 4, 2, 2, 3}, {-3, -2, 5, 5, 2, 3, 0, 0}, {8, 6, 10, 10, 2, 2, 8, 6},
        {10, 0, 3, 3, 0, 0, 0, 0}, {0, 0, -1, 4, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const host::Image part = p.Crop(c.left, c.top, c.w, c.h);
        EXPECT_EQ(part.width, c.expectW);
        EXPECT_EQ(part.height, c.expectH);
        ASSERT_EQ(part.pixels.size(), static_cast<size_t>(c.expectW) * c.expectH);
        if (!part.pixels.empty()) {
            EXPECT_EQ(part.At(0, 0), p.At(c.firstX, c.firstY));
        }
    }
}

// Wider than one stored deflate block (65535 bytes), so the block chain is exercised.
TEST(HostPictures, PngFilesDecodeToTheSamePixels) {
    for (const auto& size : {std::pair<int, int>{1, 1}, {153, 12}, {300, 100}}) {
        const host::Image p = Gradient(size.first, size.second);
        const std::string path = TempPath("qlv-host-test.png");
        ASSERT_TRUE(p.SavePng(path));
        const host::Image back = DecodeWithCodecs(path);
        ASSERT_EQ(back.width, p.width);
        ASSERT_EQ(back.height, p.height);
        EXPECT_TRUE(back.pixels == p.pixels) << size.first << " x " << size.second;
        DeleteFileA(path.c_str());
    }
    EXPECT_FALSE(host::Image{}.SavePng(TempPath("qlv-empty.png")));
}

// Bitmaps of every depth load back, through the system's own reader, to the
// colours they were written from (the palette depths hold the few colours used).
TEST(HostPictures, BitmapsOfEveryDepthLoadBack) {
    host::Image p = host::SolidImage(13, 5, RGB(255, 255, 255));
    for (int x = 0; x < 13; ++x) p.Set(x, 2, RGB(0, 0, 0));
    p.Set(0, 0, RGB(0, 0, 0));
    p.Set(12, 4, RGB(0, 0, 0));
    for (int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        const std::string path = TempPath("qlv-host-test.bmp");
        ASSERT_TRUE(host::WriteBmp(path, p, bits));
        const host::ScopedBitmap bitmap(
            static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        ASSERT_NE(static_cast<HBITMAP>(bitmap), nullptr);
        {
            const host::ScopedMemoryDC dc;
            const host::ScopedSelect selected(dc, bitmap);
            for (int y = 0; y < p.height; ++y)
                for (int x = 0; x < p.width; ++x) ASSERT_EQ(GetPixel(dc, x, y), p.At(x, y)) << x << "," << y;
        }
        DeleteFileA(path.c_str());
    }
    EXPECT_FALSE(host::WriteBmp(TempPath("qlv-bad.bmp"), p, 16));
}
