// The playlist editor's windowshade line: laid out on the events that change
// it, copied onto the editor on every tick.
#include "playlist/playlist_line.h"

#include <windows.h>

#include "display/skin_assets.h"
#include "display/surfaces.h"
#include "plugin/host_contract.h"

int shadeLineWidth;

namespace {

constexpr int timeTextSize = 12;
constexpr int entryTextSize = 256;   // 255 bytes and a terminator
constexpr int shownTextSize = 256;
constexpr char ellipsis[] = "...";
constexpr int ellipsisLength = sizeof ellipsis - 1;
constexpr char emptyListText[] = "NO FILE";
constexpr int editorChromeWidth = 32;   // the editor's edges and buttons beside the line
constexpr POINT lineOrigin = {2, 2};
// The longest cut that still leaves room for "..." and the terminator.
constexpr int longestCut = shownTextSize - ellipsisLength - 1;
// '&' is part of a title, not a mnemonic marker.
constexpr UINT lineFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

// The window may be wider than the surface, or too narrow to leave any room:
// the line is drawn and copied only where the surface has pixels.
int ClampedLineWidth(int width) {
    if (width < 0) return 0;
    return width > playlistLineWidth ? playlistLineWidth : width;
}

int TextWidth(const char* text, int length) {
    SIZE size = {0, 0};
    if (length > 0) GetTextExtentPoint32A(playlistLine.dc, text, length, &size);
    return size.cx;
}

// The length of the longest prefix of `text` of at most `limit` bytes that
// ends on a character boundary of the ANSI code page.
int FitByCharacters(const char* text, int limit) {
    int fitted = 0;
    while (text[fitted]) {
        const int next = static_cast<int>(CharNextA(text + fitted) - text);
        if (next > limit) break;
        fitted = next;
    }
    return fitted;
}

void BuildTimeText(int seconds, char* timeText) {
    timeText[0] = '\0';
    if (seconds > 0) wsprintfA(timeText, "%d:%02d", seconds / 60, seconds % 60);
}

// "<position + 1>.<title>", the title cut between characters to fit.
void BuildEntryText(int position, const char* title, char* entryText) {
    // The host's position is taken as it comes; the last one must not overflow.
    const int number = static_cast<int>(static_cast<unsigned>(position) + 1u);
    const int prefixLength = wsprintfA(entryText, "%d.", number);
    if (!title) title = "";
    const int titleLength = FitByCharacters(title, entryTextSize - 1 - prefixLength);
    CopyMemory(entryText + prefixLength, title, titleLength);
    entryText[prefixLength + titleLength] = '\0';
}

// The entry as it fits beside the time: whole, or the longest run of whole
// characters that leaves room for "...", or "..." alone.
void CutEntryText(const char* entryText, int available, char* shownText) {
    const int entryLength = lstrlenA(entryText);
    if (TextWidth(entryText, entryLength) <= available) {
        lstrcpyA(shownText, entryText);
        return;
    }
    const int ellipsisWidth = TextWidth(ellipsis, ellipsisLength);
    int kept = 0;
    while (entryText[kept]) {
        const int next = static_cast<int>(CharNextA(entryText + kept) - entryText);
        if (next > longestCut || TextWidth(entryText, next) + ellipsisWidth > available) break;
        kept = next;
    }
    CopyMemory(shownText, entryText, kept);
    lstrcpyA(shownText + kept, ellipsis);
}

void FillLine(const RECT& line) {
    HBRUSH fill = playlistBgBrush ? playlistBgBrush : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(playlistLine.dc, &line, fill);
}

}  // namespace

int PlaylistLineWidth() {
    RECT bounds = {0, 0, 0, 0};
    if (playlistWindow) GetWindowRect(playlistWindow, &bounds);
    return bounds.right - bounds.left - editorChromeWidth;
}

void DrawPlaylistLine() {
    if (!surfacesCreated) return;
    const int position = static_cast<int>(HostRequest(0, IPC_GETLISTPOS));
    const auto* title = reinterpret_cast<const char*>(HostRequest(position, IPC_GETPLAYLISTTITLE));
    const int seconds = static_cast<int>(HostRequest(1, IPC_GETOUTPUTTIME));

    char timeText[timeTextSize];
    BuildTimeText(seconds, timeText);
    shadeLineWidth = ClampedLineWidth(PlaylistLineWidth());
    RECT line = {0, 0, shadeLineWidth, playlistLineHeight};
    FillLine(line);

    char entryText[entryTextSize];
    BuildEntryText(position, title, entryText);
    char shownText[shownTextSize];
    CutEntryText(entryText, shadeLineWidth - TextWidth(timeText, lstrlenA(timeText)), shownText);

    if (HostRequest(0, IPC_GETLISTLENGTH) <= 0)
        lstrcpyA(shownText, emptyListText);
    else if (seconds > 0)
        DrawTextA(playlistLine.dc, timeText, -1, &line, lineFormat | DT_RIGHT);
    DrawTextA(playlistLine.dc, shownText, -1, &line, lineFormat);
}

void PresentPlaylistLine() {
    if (!surfacesCreated || !playlistWindow || shadeLineWidth <= 0) return;
    HDC editor = GetDC(playlistWindow);
    BitBlt(editor, lineOrigin.x, lineOrigin.y, ClampedLineWidth(shadeLineWidth), playlistLineHeight,
           playlistLine.dc, 0, 0, SRCCOPY);
    ReleaseDC(playlistWindow, editor);
}
