// The skin bitmap files checked before the platform's loader sees them.
#include "surfaces/bitmap_check.h"

#include <windows.h>

namespace {

constexpr DWORD fileHeaderSize = 14;            // BITMAPFILEHEADER
constexpr DWORD coreHeaderSize = 12;            // BITMAPCOREHEADER
constexpr DWORD infoHeaderSize = 40;            // BITMAPINFOHEADER
constexpr DWORD knownHeaderSizes[] = {coreHeaderSize, infoHeaderSize, 108, 124};   // ... V4, V5
constexpr DWORD largestHeaderSize = 124;
constexpr DWORD bitfieldMasksSize = 12;         // three masks after a plain info header
constexpr LONG largestSkinSide = 4096;          // a skin bitmap is a few hundred pixels a side
constexpr WORD coreDepths[] = {1, 4, 8, 24};
constexpr WORD infoDepths[] = {1, 4, 8, 16, 24, 32};

struct BitmapLayout {
    DWORD headerSize;
    LONG width;
    LONG height;        // negative: rows top-down
    WORD planes;
    WORD depth;
    DWORD compression;
    DWORD imageSize;    // bytes of pixel data as the header states them (RLE needs it)
    DWORD coloursUsed;
};

DWORD LittleEndian(const BYTE* bytes, int count) {
    DWORD value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

template <typename T, size_t count>
bool Listed(const T (&list)[count], T value) {
    for (T item : list)
        if (item == value) return true;
    return false;
}

// `header` holds the bytes after the file header, `size` of them.
bool ReadLayout(const BYTE* header, DWORD size, BitmapLayout& layout) {
    if (size < 4) return false;
    layout = BitmapLayout{LittleEndian(header, 4), 0, 0, 0, 0, BI_RGB, 0, 0};
    if (!Listed(knownHeaderSizes, layout.headerSize) || layout.headerSize > size) return false;
    if (layout.headerSize == coreHeaderSize) {
        layout.width = static_cast<LONG>(LittleEndian(header + 4, 2));
        layout.height = static_cast<LONG>(LittleEndian(header + 6, 2));
        layout.planes = static_cast<WORD>(LittleEndian(header + 8, 2));
        layout.depth = static_cast<WORD>(LittleEndian(header + 10, 2));
        return Listed(coreDepths, layout.depth);
    }
    layout.width = static_cast<LONG>(LittleEndian(header + 4, 4));
    layout.height = static_cast<LONG>(LittleEndian(header + 8, 4));
    layout.planes = static_cast<WORD>(LittleEndian(header + 12, 2));
    layout.depth = static_cast<WORD>(LittleEndian(header + 14, 2));
    layout.compression = LittleEndian(header + 16, 4);
    layout.imageSize = LittleEndian(header + 20, 4);
    layout.coloursUsed = LittleEndian(header + 32, 4);
    return Listed(infoDepths, layout.depth);
}

// Run-length data only at its own depth and bottom-up; bit fields only at
// 16 and 32 bits; nothing else (embedded JPEG or PNG) is a skin bitmap.
bool CompressionFits(const BitmapLayout& layout) {
    switch (layout.compression) {
    case BI_RGB: return true;
    case BI_RLE8: return layout.depth == 8 && layout.height > 0;
    case BI_RLE4: return layout.depth == 4 && layout.height > 0;
    case BI_BITFIELDS: return layout.depth == 16 || layout.depth == 32;
    default: return false;
    }
}

// Everything is counted in 64 bits, so no header value can wrap a sum.
bool LayoutFitsFile(const BitmapLayout& layout, DWORD pixelOffset, DWORD fileSize) {
    if (layout.planes != 1 || !CompressionFits(layout)) return false;
    if (layout.width < 1 || layout.width > largestSkinSide) return false;
    if (layout.height < -largestSkinSide || layout.height > largestSkinSide || layout.height == 0) return false;
    const ULONGLONG rows = static_cast<ULONGLONG>(layout.height < 0 ? -layout.height : layout.height);
    const ULONGLONG paletteLimit = layout.depth <= 8 ? 1u << layout.depth : 256;
    if (layout.coloursUsed > paletteLimit) return false;
    const ULONGLONG colours = layout.coloursUsed ? layout.coloursUsed : layout.depth <= 8 ? paletteLimit : 0;
    const ULONGLONG entrySize = layout.headerSize == coreHeaderSize ? 3 : 4;
    const ULONGLONG masks =
        layout.headerSize == infoHeaderSize && layout.compression == BI_BITFIELDS ? bitfieldMasksSize : 0;
    const ULONGLONG tableEnd = fileHeaderSize + layout.headerSize + masks + colours * entrySize;
    // An offset of 0 means the pixels follow the colour table.
    const ULONGLONG pixels = pixelOffset ? pixelOffset : tableEnd;
    if (pixels < tableEnd) return false;
    const ULONGLONG rowBytes = (static_cast<ULONGLONG>(layout.width) * layout.depth + 31) / 32 * 4;
    const bool runLength = layout.compression == BI_RLE8 || layout.compression == BI_RLE4;
    if (runLength && layout.imageSize == 0) return false;
    const ULONGLONG pixelBytes = runLength ? layout.imageSize : rowBytes * rows;
    return pixels + pixelBytes <= fileSize;
}

}  // namespace

bool BitmapFileIsSound(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD sizeHigh = 0;
    const DWORD fileSize = GetFileSize(file, &sizeHigh);
    BYTE head[fileHeaderSize + largestHeaderSize] = {};
    DWORD got = 0;
    const BOOL read = ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    if (!read || fileSize == INVALID_FILE_SIZE || sizeHigh != 0 || got < fileHeaderSize) return false;
    if (head[0] != 'B' || head[1] != 'M') return false;
    BitmapLayout layout;
    if (!ReadLayout(head + fileHeaderSize, got - fileHeaderSize, layout)) return false;
    return LayoutFitsFile(layout, LittleEndian(head + 10, 4), fileSize);
}
