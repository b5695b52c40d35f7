// The playlist editor's windowshade line: laid out on the events that change
// it, copied onto the editor on every tick.
#include "playlist/playlist_line.h"

#include <windows.h>

#include "surfaces/gdi_hold.h"
#include "surfaces/surfaces.h"
#include "title/text_chars.h"
#include "title/title_text.h"
#include "player/host_contract.h"
#include "player/window_modes.h"
#include "settings/colour_text.h"
#include "settings/settings.h"
#include "settings/skin_overrides.h"

namespace {

// What a skin without pledit.txt, or without these keys, gives.
constexpr char defaultTextColour[] = "00FF00";
constexpr char defaultBackgroundColour[] = "000000";

constexpr PlaylistLineState lineAtLoad = {0, RGB(0, 255, 0), RGB(0, 0, 0)};
PlaylistLineState playlist = lineAtLoad;
// The record's width under the name the layout code reads best with.
int& shadeLineWidth = playlist.shadeLineWidth;

constexpr int entryTextSize = 256;   // 255 characters and a terminator
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

HDC LineDC() { return Surfaces().playlistLine.dc; }

template <typename Char>
int TextWidth(const Char* text, int length) {
    return length > 0 ? MeasureText(LineDC(), text, length).cx : 0;
}

// The next character boundary after `at`, or `at` itself where the
// character there is cut off by the end of the text.
template <typename Char>
int NextCharacter(const Char* text, int at) {
    return at + CharacterUnits(text, at, at + 2);
}

// "<position + 1>.<title>", the title cut between characters to fit.
template <typename Char>
void BuildEntryText(int position, const Char* title, Char* entryText) {
    // The host's position is taken as it comes; the last one must not overflow.
    const int number = static_cast<int>(static_cast<unsigned>(position) + 1u);
    char prefix[16];
    const int prefixLength = wsprintfA(prefix, "%d.", number);
    CopyAscii(entryText, prefix);
    const int titleLength = title ? CharacterBoundary(title, entryTextSize - 1 - prefixLength) : 0;
    for (int i = 0; i < titleLength; ++i) entryText[prefixLength + i] = title[i];
    entryText[prefixLength + titleLength] = 0;
}

// The entry as it fits beside the time: whole, or the longest run of whole
// characters that leaves room for "...", or "..." alone.
template <typename Char>
void CutEntryText(const Char* entryText, int available, Char* shownText) {
    const int entryLength = TextLength(entryText);
    if (TextWidth(entryText, entryLength) <= available) {
        for (int i = 0; i <= entryLength; ++i) shownText[i] = entryText[i];
        return;
    }
    Char dots[ellipsisLength + 1];
    CopyAscii(dots, ellipsis);
    const int ellipsisWidth = TextWidth(dots, ellipsisLength);
    int kept = 0;
    while (entryText[kept]) {
        const int next = NextCharacter(entryText, kept);
        if (next == kept || next > longestCut || TextWidth(entryText, next) + ellipsisWidth > available) break;
        kept = next;
    }
    for (int i = 0; i < kept; ++i) shownText[i] = entryText[i];
    CopyAscii(shownText + kept, ellipsis);
}

// A skin folder too long for the path reads as a pledit.txt without keys.
// The buffer starts cleared, so a character the reader cannot fit leaves no
// stale byte behind.
COLORREF ReadPlaylistColour(const char* path, const char* key, const char* fallback) {
    char text[colourTextSize] = {};
    lstrcpynA(text, fallback, colourTextSize);
    if (path[0]) GetPrivateProfileStringA("Text", key, fallback, text, colourTextSize, path);
    return ParseColour(text);
}

// A Unicode player's wide title (213), copied at once: the next request of
// either kind overwrites the player's buffer.
bool AskWideTitle(int position, wchar_t* title) {
    const LRESULT answer = HostRequest(position, IPC_GETPLAYLISTTITLEW);
    if (!HostAnswered(answer)) return false;
    const auto* text = reinterpret_cast<const wchar_t*>(answer);
    const int length = CharacterBoundary(text, entryTextSize - 1);
    for (int i = 0; i < length; ++i) title[i] = text[i];
    title[length] = 0;
    return true;
}

template <typename Char>
void LayOutLine(int position, const Char* title, int seconds, const RECT& line) {
    char timeText[timeSuffixSize];
    FormatTrackLength(seconds, timeText);
    Char entryText[entryTextSize];
    BuildEntryText(position, title, entryText);
    Char shownText[shownTextSize];
    CutEntryText(entryText, shadeLineWidth - TextWidth(timeText, lstrlenA(timeText)), shownText);

    RECT textLine = line;
    if (HostRequest(0, IPC_GETLISTLENGTH) <= 0)
        CopyAscii(shownText, emptyListText);
    else if (seconds > 0)
        DrawTextA(LineDC(), timeText, -1, &textLine, lineFormat | DT_RIGHT);
    DrawLine(LineDC(), shownText, TextLength(shownText), &textLine, lineFormat);
}

}  // namespace

int PlaylistLineWidth() {
    return WindowWidth(PlaylistWindow()) - editorChromeWidth;
}

int PlaylistLineActive() {
    return IsPlaylistShaded() && EffectiveSettings().PE_Scrivane && HostIs205();
}

int ShadeLineWidth() { return playlist.shadeLineWidth; }

#ifdef QLV_WHITEBOX
PlaylistLineState& PlaylistLineForTest() { return playlist; }
#endif

void ResetPlaylistLine() {
    playlist = lineAtLoad;
}

void DrawPlaylistLine() {
    if (!SurfacesCreated()) return;
    const int position = static_cast<int>(HostRequest(0, IPC_GETLISTPOS));
    wchar_t wideTitle[entryTextSize];
    const bool wide = TitleIsWide() && AskWideTitle(position, wideTitle);
    const auto* title = wide ? nullptr : reinterpret_cast<const char*>(HostRequest(position, IPC_GETPLAYLISTTITLE));
    const int seconds = static_cast<int>(HostRequest(1, IPC_GETOUTPUTTIME));

    shadeLineWidth = ClampedLineWidth(PlaylistLineWidth());
    const RECT area = {0, 0, shadeLineWidth, playlistLineHeight};
    FillPlaylistLine(area);
    if (wide)
        LayOutLine(position, wideTitle, seconds, area);
    else
        LayOutLine(position, title, seconds, area);
}

void RefreshPlaylistLine() {
    if (!SurfacesCreated()) return;
    if (EffectiveSettings().PE_Scrivane)
        DrawPlaylistLine();
    else if (IsPlaylistShaded() && PlaylistWindow())
        RedrawWindow(PlaylistWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

// The colours come before the one draw, so a new skin's line is never drawn
// in the old skin's colours.
void LoadPlaylistSkin(const char* skinFolder) {
    if (!SurfacesCreated()) return;
    char path[skinPathSize];
    JoinSkinPath(path, skinFolder, "\\pledit.txt");
    playlist.text = ReadPlaylistColour(path, "Normal", defaultTextColour);
    playlist.background = ReadPlaylistColour(path, "NormalBG", defaultBackgroundColour);
    SetPlaylistLineColours(playlist.text, playlist.background);
    RefreshPlaylistLine();
}

void PresentPlaylistLine() {
    if (!SurfacesCreated() || !PlaylistWindow() || shadeLineWidth <= 0) return;
    const HeldWindowDC editor(PlaylistWindow());
    BitBlt(editor, lineOrigin.x, lineOrigin.y, ClampedLineWidth(shadeLineWidth), playlistLineHeight, LineDC(), 0, 0,
           SRCCOPY);
}
