// Frames with smooth edges: background, shadow and text colour blended by
// the coverage of the visible text on 32-bit DIB sections.
#pragma once
#include <windows.h>

// Smooth is on and the surfaces have the smooth frame's sections.
bool SmoothFrames();
// Blends the shadow colour and the text colours over the background of the
// view's `w` x `h` pixels by the view's `coverage` (viewCoverageStride bytes
// a row, already filled by the scroll), and copies the frame into
// frameSurface. Compose has laid the background into the smooth frame's
// section and, for the skin's text colouring, the text colours into the
// colours section (a plain text colour needs no layer).
void BlendSmoothFrame(int w, int h, const BYTE* coverage);
