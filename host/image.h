// A captured picture: 0x00BBGGRR pixels, row by row from the top.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace host {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void Set(int x, int y, COLORREF c) { pixels[static_cast<size_t>(y) * width + x] = c; }
    Image Crop(int left, int top, int cropWidth, int cropHeight) const;
    bool SavePng(const std::string& path) const;   // writes a PNG file (no external library)
};

// Reads back the pixels of a device context area.
Image CaptureDC(HDC dc, int left, int top, int width, int height);

}  // namespace host
