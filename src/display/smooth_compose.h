// Frames with smooth edges: background, shadow and text colour blended by
// the coverage of the visible text on 32-bit DIB sections.
#pragma once

// Smooth is on and the current strip has its coverage.
bool SmoothFrames();
// Composes the view's `w` x `h` pixels into frameSurface from the view's
// coverage (the scroll has already filled it).
void ComposeSmoothFrame(int w, int h);

// The two 306 x 60 DIB sections, made with the other surfaces and released with them.
void CreateSmoothSurfaces();
void ReleaseSmoothSurfaces();
