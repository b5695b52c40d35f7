// The playlist editor's windowshade line: laid out on the events that change
// it, copied onto the editor on every tick.
#include "playlist/playlist_line.h"

#include <windows.h>

#include "display/skin_assets.h"
#include "display/surfaces.h"
#include "display/text_chars.h"
#include "display/title_text.h"
#include "player/host_contract.h"
#include "player/window_modes.h"
#include "settings/settings.h"
#include "settings/skin_overrides.h"

int shadeLineWidth;

namespace {

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

template <typename Char>
int TextWidth(const Char* text, int length) {
    return length > 0 ? MeasureText(playlistLine.dc, text, length).cx : 0;
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

void FillLine(const RECT& line) {
    HBRUSH fill = playlistBgBrush ? playlistBgBrush : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(playlistLine.dc, &line, fill);
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
        DrawTextA(playlistLine.dc, timeText, -1, &textLine, lineFormat | DT_RIGHT);
    DrawLine(playlistLine.dc, shownText, TextLength(shownText), &textLine, lineFormat);
}

}  // namespace

int PlaylistLineWidth() {
    return WindowWidth(PlaylistWindow()) - editorChromeWidth;
}

int PlaylistLineActive() {
    return IsPlaylistShaded() && EffectiveSettings().PE_Scrivane && HostIs205();
}

void ResetPlaylistLine() {
    shadeLineWidth = 0;
}

void DrawPlaylistLine() {
    if (!surfacesCreated) return;
    const int position = static_cast<int>(HostRequest(0, IPC_GETLISTPOS));
    wchar_t wideTitle[entryTextSize];
    const bool wide = titleIsWide && AskWideTitle(position, wideTitle);
    const auto* title = wide ? nullptr : reinterpret_cast<const char*>(HostRequest(position, IPC_GETPLAYLISTTITLE));
    const int seconds = static_cast<int>(HostRequest(1, IPC_GETOUTPUTTIME));

    shadeLineWidth = ClampedLineWidth(PlaylistLineWidth());
    const RECT line = {0, 0, shadeLineWidth, playlistLineHeight};
    FillLine(line);
    if (wide)
        LayOutLine(position, wideTitle, seconds, line);
    else
        LayOutLine(position, title, seconds, line);
}

void PresentPlaylistLine() {
    if (!surfacesCreated || !PlaylistWindow() || shadeLineWidth <= 0) return;
    HDC editor = GetDC(PlaylistWindow());
    BitBlt(editor, lineOrigin.x, lineOrigin.y, ClampedLineWidth(shadeLineWidth), playlistLineHeight,
           playlistLine.dc, 0, 0, SRCCOPY);
    ReleaseDC(PlaylistWindow(), editor);
}
