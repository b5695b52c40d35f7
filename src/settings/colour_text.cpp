// The RRGGBB text form of colours used by every settings file.
#include "settings/colour_text.h"

namespace {

// The value of a hexadecimal digit in upper case, or 0 for any other byte:
// a stray character still takes its place in the number.
unsigned DigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return 0;
}

}  // namespace

COLORREF ParseColour(char* text) {
    CharUpperA(text);
    // Reading from the right with a place that wraps to 0 after eight digits
    // keeps only the last six as RRGGBB, whatever precedes them ("#00FF00").
    unsigned value = 0;
    unsigned place = 1;
    for (int i = lstrlenA(text) - 1; i >= 0; --i) {
        value += DigitValue(text[i]) * place;
        place *= 16;
    }
    const unsigned red = (value >> 16) & 0xFF;
    const unsigned green = (value >> 8) & 0xFF;
    const unsigned blue = value & 0xFF;
    return RGB(red, green, blue);
}

void FormatColour(COLORREF colour, char* text) {
    const unsigned rrggbb = GetRValue(colour) * 65536u + GetGValue(colour) * 256u + GetBValue(colour);
    wsprintfA(text, "%06x", rrggbb);
}
