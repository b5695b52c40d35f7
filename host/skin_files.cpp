// Generated skin files: Windows bitmaps of any common depth and plain files.
#include "skin_files.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace host {

namespace {

void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

long Distance(COLORREF a, COLORREF b) {
    const long dr = GetRValue(a) - GetRValue(b);
    const long dg = GetGValue(a) - GetGValue(b);
    const long db = GetBValue(a) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}

// The picture's colours in order of first appearance, up to `size`; the
// rest are drawn with the nearest of those.
std::vector<COLORREF> BuildPalette(const Image& picture, size_t size) {
    std::vector<COLORREF> palette;
    for (COLORREF c : picture.pixels) {
        bool known = false;
        for (COLORREF p : palette) known = known || p == c;
        if (!known) palette.push_back(c);
        if (palette.size() == size) break;
    }
    if (palette.empty()) palette.push_back(RGB(0, 0, 0));
    return palette;
}

unsigned NearestIndex(const std::vector<COLORREF>& palette, COLORREF c) {
    unsigned best = 0;
    for (unsigned i = 1; i < palette.size(); ++i)
        if (Distance(palette[i], c) < Distance(palette[best], c)) best = i;
    return best;
}

}  // namespace

bool WriteBmp(const std::string& path, const Image& picture, int bitsPerPixel) {
    const int bpp = bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() < static_cast<size_t>(picture.width) * picture.height)
        return false;
    std::vector<COLORREF> palette;
    if (bpp <= 8) {
        palette = BuildPalette(picture, size_t{1} << bpp);
        palette.resize(size_t{1} << bpp, RGB(0, 0, 0));
    }
    const uint32_t rowBytes = ((static_cast<uint32_t>(picture.width) * bpp + 31) / 32) * 4;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);
    const uint32_t paletteBytes = static_cast<uint32_t>(palette.size()) * 4;
    const uint32_t offset = 14 + 40 + paletteBytes;

    std::string file;
    file += "BM";
    Put32(file, offset + imageBytes);
    Put32(file, 0);
    Put32(file, offset);
    Put32(file, 40);
    Put32(file, static_cast<uint32_t>(picture.width));
    Put32(file, static_cast<uint32_t>(picture.height));   // positive: rows bottom-up
    Put16(file, 1);
    Put16(file, static_cast<uint32_t>(bpp));
    Put32(file, BI_RGB);
    Put32(file, imageBytes);
    Put32(file, 2835);
    Put32(file, 2835);
    Put32(file, static_cast<uint32_t>(palette.size()));
    Put32(file, 0);
    for (COLORREF c : palette) {
        file += static_cast<char>(GetBValue(c));
        file += static_cast<char>(GetGValue(c));
        file += static_cast<char>(GetRValue(c));
        file += '\0';
    }
    std::string row;
    for (int y = picture.height - 1; y >= 0; --y) {
        row.assign(rowBytes, '\0');
        for (int x = 0; x < picture.width; ++x) {
            const COLORREF c = picture.At(x, y);
            if (bpp == 24 || bpp == 32) {
                const size_t at = static_cast<size_t>(x) * (bpp / 8);
                row[at] = static_cast<char>(GetBValue(c));
                row[at + 1] = static_cast<char>(GetGValue(c));
                row[at + 2] = static_cast<char>(GetRValue(c));
                continue;
            }
            const unsigned index = NearestIndex(palette, c);
            const size_t bit = static_cast<size_t>(x) * bpp;
            const int shift = 8 - bpp - static_cast<int>(bit % 8);   // leftmost pixel in the high bits
            row[bit / 8] = static_cast<char>(static_cast<unsigned char>(row[bit / 8]) | (index << shift));
        }
        file += row;
    }
    return WriteBytes(path, file);
}

bool WriteTextFile(const std::string& path, const std::string& content) {
    return WriteBytes(path, content);
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return bytes;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, n);
    std::fclose(in);
    return bytes;
}

Image SolidImage(int width, int height, COLORREF colour) {
    Image picture;
    picture.width = std::max(width, 0);
    picture.height = std::max(height, 0);
    picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, colour);
    return picture;
}

bool MakeFolder(const std::string& path) {
    for (size_t i = 0; i < path.size(); ++i) {
        // Skip the drive ("C:\") and walk each parent in turn.
        if ((path[i] == '\\' || path[i] == '/') && i > 0 && path[i - 1] != ':')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace host
