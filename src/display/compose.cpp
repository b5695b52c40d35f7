// STUB: to be completed.
#include "display/compose.h"
void ComposeFrame() {}
void AddShadow(int) {}
void PresentFrame() {}
