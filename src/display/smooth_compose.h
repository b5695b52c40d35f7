// Frames with smooth edges: background, shadow and text colour blended by
// the coverage of the visible text on 32-bit DIB sections.
#pragma once
#include "display/surfaces.h"

// The two 306 x 60 DIB sections of a smooth frame: compose lays the
// background into `frame` and, for the skin's text colouring, the text
// colours into `colours` (a plain text colour needs no layer).
struct SmoothSurfaces {
    Surface frame;
    Surface colours;
};
const SmoothSurfaces& SmoothLayers();

// Smooth is on and the current strip has its coverage.
bool SmoothFrames();
// Blends the shadow colour and the text colours over the background of the
// view's `w` x `h` pixels by the view's coverage (the scroll has already
// filled it), and copies the frame into frameSurface.
void BlendSmoothFrame(int w, int h);

// Made with the other surfaces and released with them.
void CreateSmoothSurfaces();
void ReleaseSmoothSurfaces();
