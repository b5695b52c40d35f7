// The host's caption turned into the displayed title: tail trimmed, track
// length appended, handed to the strip.
#include "title/title_text.h"

#include <cstring>

#include "surfaces/surfaces.h"
#include "player/title_place.h"
#include "title/text_strip.h"
#include "player/host_contract.h"
#include "player/window_modes.h"

namespace {

static_assert(sizeof startupTitle <= titleTextSize, "start-up title fits");
constexpr TitleTextState titleAtLoad = {0, "Qelvar Scrivane II 1.0", {}, 0, {}, 0};
TitleTextState title = titleAtLoad;
// The record's buffers under the names the trimming code reads best with.
char (&titleText)[titleTextSize] = title.titleText;
wchar_t (&titleTextWide)[titleTextSize] = title.titleTextWide;
char (&timeSuffix)[timeSuffixSize] = title.timeSuffix;

// The title goes to the strip, which measures, cuts and draws it.
void ShowTitle() {
    if (title.titleIsWide)
        ShowStripText(titleTextWide, title.titleLength);
    else
        ShowStripText(titleText, title.titleLength);
}

enum class SuffixAction { rebuild, keep };

struct HostTail {
    char text[7];
    int removed;   // the tail's whole length, counted from the caption's end
    SuffixAction suffix;
};

// " - Winamp", " - Winamp [Paused]", " - Winamp [Stopped]", told apart by
// their last six characters.
constexpr HostTail hostTail[] = {
    {"Winamp", 9, SuffixAction::rebuild},
    {"aused]", 18, SuffixAction::keep},
    {"opped]", 19, SuffixAction::keep},
};
constexpr int tailCompared = 6;
// A translated player ends " - Winamp [" + its own word + "]".
constexpr char stateTailOpening[] = " - Winamp [";
constexpr int stateTailOpeningLength = sizeof stateTailOpening - 1;


template <typename Char> Char* TitleBuffer();
template <> char* TitleBuffer<char>() { return titleText; }
template <> wchar_t* TitleBuffer<wchar_t>() { return titleTextWide; }

template <typename Char>
bool MatchesAscii(const Char* text, const char* ascii, int count) {
    for (int i = 0; i < count; ++i)
        if (text[i] != static_cast<Char>(static_cast<unsigned char>(ascii[i]))) return false;
    return true;
}

template <typename Char>
const HostTail* MatchingTail(const Char* text, int length) {
    if (length < tailCompared) return nullptr;
    for (const HostTail& tail : hostTail)
        if (MatchesAscii(text + length - tailCompared, tail.text, tailCompared)) return &tail;
    return nullptr;
}

// Where " - Winamp [word]" starts at the caption's end, or -1. The opening is
// looked for only where a character starts, and the word must run, whole
// characters without brackets, up to the closing bracket, so a double-byte
// character whose second byte looks like a bracket is never taken for one.
template <typename Char>
int StateTailStart(const Char* text, int length) {
    if (length < stateTailOpeningLength + 2 || text[length - 1] != ']') return -1;
    int opening = -1;
    for (int at = 0; at + stateTailOpeningLength < length;) {
        if (MatchesAscii(text + at, stateTailOpening, stateTailOpeningLength)) opening = at;
        const int units = CharacterUnits(text, at, length);
        if (!units) break;
        at += units;
    }
    if (opening < 0) return -1;
    const int wordStart = opening + stateTailOpeningLength;
    const int closing = length - 1;
    int at = wordStart;
    while (at < closing) {
        if (text[at] == '[' || text[at] == ']') return -1;
        const int units = CharacterUnits(text, at, closing);
        if (!units) return -1;
        at += units;
    }
    return at == closing && closing > wordStart ? opening : -1;
}

// Trims the host's tail off `text` in place and appends the track length;
// returns the title's length.
template <typename Char>
int ComposeTitle(Char* text) {
    text[titleTextSize - 1] = 0;
    // GetWindowText may have cut the caption inside a character.
    int length = CharacterBoundary(text, titleTextSize - 1);

    int stateTail = -1;
    title.trackLengthPending = 0;
    if (const HostTail* tail = MatchingTail(text, length)) {
        // A caption that is nothing but (part of) the host's tail leaves no title.
        length = CharacterBoundary(text, length > tail->removed ? length - tail->removed : 0);
        if (tail->suffix == SuffixAction::rebuild) {
            BuildTimeSuffix();
            title.trackLengthPending = timeSuffix[0] ? 0 : 1;
        }
    } else if ((stateTail = StateTailStart(text, length)) >= 0) {
        length = stateTail;   // a state word: the track and its length are as they were
    } else {
        timeSuffix[0] = '\0';
    }

    // The length is what the user came for: a title too long for both gives
    // up its own end, at a character boundary, rather than the suffix.
    const int suffixLength = lstrlenA(timeSuffix);
    if (length + suffixLength > titleTextSize - 1)
        length = CharacterBoundary(text, titleTextSize - 1 - suffixLength);
    CopyAscii(text + length, timeSuffix);
    return length + suffixLength;
}

int ReadCaptionText(char* caption) {
    return GetWindowTextA(MainWindow(), caption, captionReadLimit);
}

int ReadCaptionText(wchar_t* caption) {
    const auto read = FoundWideCalls().GetWindowTextW;
    return read ? read(MainWindow(), caption, captionReadLimit) : 0;
}

// The player sets an unchanged caption again and again (after every volume
// or seek message it shows): the title then keeps its place in the scroll.
template <typename Char>
int ReadCaptionAs() {
    Char caption[titleTextSize] = {};
    ReadCaptionText(caption);
    caption[captionReadLimit - 1] = 0;
    const int length = ComposeTitle(caption);
    if (length == title.titleLength && std::memcmp(caption, TitleBuffer<Char>(), length * sizeof(Char)) == 0)
        return 0;
    std::memcpy(TitleBuffer<Char>(), caption, (length + 1) * sizeof(Char));
    title.titleLength = length;
    ShowTitle();
    return 1;
}

}  // namespace

void FormatTrackLength(int seconds, char* text) {
    text[0] = '\0';
    if (seconds > 0) wsprintfA(text, "%d:%02d", seconds / 60, seconds % 60);
}

void BuildTimeSuffix() {
    char length[timeSuffixSize];
    FormatTrackLength(static_cast<int>(HostRequest(1, IPC_GETOUTPUTTIME)), length);
    timeSuffix[0] = '\0';
    if (length[0]) wsprintfA(timeSuffix, " <%s>", length);
}

int TitleIsWide() { return title.titleIsWide; }

#ifdef QLV_WHITEBOX
TitleTextState& TitleTextForTest() { return title; }
#endif

void ResetTitleText() {
    title = titleAtLoad;
}

void StartTitle(int wide) {
    title.titleIsWide = wide ? 1 : 0;
    if (title.titleIsWide)
        CopyAscii(titleTextWide, startupTitle);
    else
        lstrcpyA(titleText, startupTitle);
    RefreshTitle();
}

int ReadCaption() {
    if (!SurfacesCreated()) return 0;
    return title.titleIsWide ? ReadCaptionAs<wchar_t>() : ReadCaptionAs<char>();
}

int TrackLengthPending() {
    return title.trackLengthPending;
}

void RefreshTitle() {
    if (!SurfacesCreated()) return;
    title.titleLength = title.titleIsWide ? ComposeTitle(titleTextWide) : ComposeTitle(titleText);
    ShowTitle();
}

void RefreshStrip() {
    if (!SurfacesCreated()) return;
    ShowTitle();
    RepaintTitleArea(IsDoubleSize());
}
