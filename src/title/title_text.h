// The displayed title: the host's caption without its tail, with the track
// length; the first stage of the title's road, which hands it to the strip.
#pragma once
#include <windows.h>

#include "title/text_chars.h"

constexpr int titleTextSize = 256;      // 255 characters and a terminator
constexpr int timeSuffixSize = 15;
constexpr int captionReadLimit = 255;   // GetWindowText count: at most 254 characters
constexpr char startupTitle[] = "Qelvar Scrivane II 1.0";   // shown until the caption is read

// The main window is a Unicode window: titles are wide text.
int TitleIsWide();
// Puts the built-in start-up title in place, as wide text when `wide`, and shows it.
void StartTitle(int wide);
// Reads the main window's caption and, when the title it gives differs from
// the one shown, shows the new one. Returns 1 when it did.
int ReadCaption();
// The last caption read was a playing track's, and the player had no length
// for it yet: the same caption set again is read once more to ask again.
int TrackLengthPending();
// The title trimmed and completed again, and shown in the strip.
void RefreshTitle();
void BuildTimeSuffix();
// The title shown again in the strip, in the font of the current size (after
// a resize or a change of fonts or scrolling), the scroll restarted, and the
// title area handed to the player to repaint under the next frame.
void RefreshStrip();
// " <m:ss>" of a track length, in `text` of timeSuffixSize bytes, or "" for none.
void FormatTrackLength(int seconds, char* text);
// The title as a fresh start has it: the start-up title, not yet shown.
void ResetTitleText();

// --- The room's record, and its one accessor for white-box tests --------------
// A Unicode player's title is kept as wide text in titleTextWide; an ANSI
// player's as bytes of the ANSI code page. Lengths count code units of the kind in use.
struct TitleTextState {
    int titleIsWide;                        // the main window is a Unicode window
    char titleText[titleTextSize];          // the caption as last read, then trimmed
    wchar_t titleTextWide[titleTextSize];   // the same, for a Unicode player
    int titleLength;                        // characters in the title
    char timeSuffix[timeSuffixSize];        // "" or " <m:ss>"
    int trackLengthPending;                 // the player had no length for the playing track at the last read
};
#ifdef QLV_WHITEBOX
TitleTextState& TitleTextForTest();
#endif
