// Writes the files of a skin folder (bitmaps and text files), so tests and
// the demo make their own skins instead of copying any.
#pragma once

#include <string>

#include "image.h"

namespace host {

// Writes `picture` as a Windows bitmap file of 1, 4, 8, 24 or 32 bits per
// pixel (palettes built from the picture's colours, nearest match when more
// colours than the palette holds).
bool WriteBmp(const std::string& path, const Image& picture, int bitsPerPixel = 24);
bool WriteTextFile(const std::string& path, const std::string& content);
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);   // the whole file, "" when it cannot be read
Image SolidImage(int width, int height, COLORREF colour);
bool MakeFolder(const std::string& path);   // creates it and its parents; true when it exists

}  // namespace host
