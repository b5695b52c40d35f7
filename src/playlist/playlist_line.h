// The playlist editor's windowshade line: entry number, title and length.
#pragma once

// --- State owned by the playlist line -------------------------------------------
extern int shadeLineWidth;   // width of the line at its last draw (window width - 32)

int PlaylistLineWidth();
// The editor is shaded and the line is on, on a host that has the line's requests.
int PlaylistLineActive();
// The line as a fresh start has it: never drawn.
void ResetPlaylistLine();
void DrawPlaylistLine();
// The per-tick copy of the line onto the playlist editor.
void PresentPlaylistLine();
