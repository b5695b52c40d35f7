// The RRGGBB text form of colours used by every settings file.
#pragma once
#include <windows.h>

constexpr int colourTextSize = 10;   // a colour value is read into this many bytes

// Upper-cases `text` in place and reads its last six characters as RRGGBB.
COLORREF ParseColour(char* text);
// Writes six lower-case hexadecimal digits RRGGBB and a NUL (7 bytes).
void FormatColour(COLORREF colour, char* text);
