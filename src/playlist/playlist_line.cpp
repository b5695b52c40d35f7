// STUB: to be completed.
#include "playlist/playlist_line.h"
int shadeLineWidth;
int PlaylistLineWidth() { return 0; }
void DrawPlaylistLine() {}
void PresentPlaylistLine() {}
