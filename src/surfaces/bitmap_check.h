// The skin bitmap files checked before the platform's loader sees them.
#pragma once

// The file at `path` has a bitmap header the loader knows, sane dimensions
// and depth, and its colour table and pixels inside the file. A header that
// promises more than the file holds hangs or crashes the loader, and
// afterwards every window of the host reads back black: such a file counts
// as missing.
bool BitmapFileIsSound(const char* path);
