// Reading back pixels and cutting pictures.
#include "image.h"

#include <algorithm>
#include <cstdint>

#include "scoped_gdi.h"

namespace host {

Image Image::Crop(int left, int top, int cropWidth, int cropHeight) const {
    // Clipped to the picture, so a request past an edge gives the part that exists.
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(left + std::max(cropWidth, 0), width);
    const int y1 = std::min(top + std::max(cropHeight, 0), height);
    Image part;
    if (x1 <= x0 || y1 <= y0) return part;
    part.width = x1 - x0;
    part.height = y1 - y0;
    part.pixels.reserve(static_cast<size_t>(part.width) * part.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) part.pixels.push_back(At(x, y));
    return part;
}

Image CaptureDC(HDC dc, int left, int top, int width, int height) {
    Image picture;
    if (!dc || width <= 0 || height <= 0) return picture;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const ScopedBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return picture;
    const ScopedMemoryDC memory(dc);
    const ScopedSelect selected(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, left, top, SRCCOPY);
    GdiFlush();
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    const auto* source = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const uint32_t p = source[i];   // 0x00RRGGBB in a DIB
        picture.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    return picture;
}

}  // namespace host
