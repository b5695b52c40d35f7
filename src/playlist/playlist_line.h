// The playlist editor's windowshade line: entry number, title and length,
// in the colours of the skin's pledit.txt.
#pragma once
#include <windows.h>

int PlaylistLineWidth();
// Width of the line at its last draw (window width - 32); 0 before the first.
int ShadeLineWidth();
// The editor is shaded and the line is on, on a host that has the line's requests.
int PlaylistLineActive();
// The line as a fresh start has it: never drawn, the colours of a skin without pledit.txt.
void ResetPlaylistLine();
void DrawPlaylistLine();
// The line drawn off-screen when it is on, ready the moment the editor is
// shaded; when it is off, a shaded editor gets its own line back.
void RefreshPlaylistLine();
// The colours of the skin in `skinFolder` (its pledit.txt), and the line
// drawn once in them.
void LoadPlaylistSkin(const char* skinFolder);
// The per-tick copy of the line onto the playlist editor.
void PresentPlaylistLine();

// --- The room's record, and its one accessor for white-box tests --------------
struct PlaylistLineState {
    int shadeLineWidth;   // width of the line at its last draw (window width - 32)
    COLORREF text;        // pledit.txt's Normal
    COLORREF background;  // pledit.txt's NormalBG
};
#ifdef QLV_WHITEBOX
PlaylistLineState& PlaylistLineForTest();
#endif
