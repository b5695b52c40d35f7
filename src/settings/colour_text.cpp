// STUB: to be completed.
#include "settings/colour_text.h"
COLORREF ParseColour(char*) { return 0; }
void FormatColour(COLORREF, char* text) { lstrcpyA(text, "000000"); }
