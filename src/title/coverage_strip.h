// The display text's coverage for smooth edges: 0..255 per pixel, rendered
// once per title beside the one-bit strip, and the window of it each frame
// shows.
#pragma once
#include <windows.h>

#include "surfaces/surfaces.h"

constexpr int viewCoverageStride = titleSurfaceWidth;   // the title surfaces' double-size width

// Renders the coverage of `text` into a strip `width` x `rows`, laid out as
// the one-bit strip in `stripBitmap` (selected into `dc` with the title font)
// was drawn. A face without outlines, or a character the face lacks, takes
// the one-bit strip's pixels as 0 and 255 instead.
void RenderCoverage(HDC dc, HBITMAP stripBitmap, const char* text, int length, int width, int rows);
void RenderCoverage(HDC dc, HBITMAP stripBitmap, const wchar_t* text, int length, int width, int rows);
// No coverage for the strip: its title is drawn one bit deep.
void ForgetCoverage();
// The current strip has its coverage.
bool CoverageReady();

// The first `rows` rows of the view's coverage back at 0.
void ClearViewCoverage(int rows);
// Copies `width` coverage columns from `column` to `destination` of the
// view, `rows` rows, clipped to the coverage strip and to the view.
void CopyCoverageToView(int column, int destination, int width, int rows);
// The view's coverage, viewCoverageStride bytes a row, 60 rows.
const BYTE* ViewCoverage();

// Frees the strip and puts the whole record back as at load.
void ReleaseCoverage();
