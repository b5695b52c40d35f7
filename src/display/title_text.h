// The displayed title: the host's caption without its tail, with the track
// length, and the separator of the wrap-around scroll.
#pragma once
#include <windows.h>

#include "display/text_chars.h"

constexpr int titleTextSize = 256;      // 255 characters and a terminator
constexpr int timeSuffixSize = 15;
constexpr int displayTextSize = 256;
constexpr int captionReadLimit = 255;   // GetWindowText count: at most 254 characters
constexpr char scrollSeparator[] = "   ---   ";
constexpr char startupTitle[] = "Qelvar Scrivane II 1.0";   // shown until the caption is read

// --- State owned by the title text -------------------------------------------
// A Unicode player's title is kept as wide text in the *Wide buffers; an ANSI
// player's as bytes of the ANSI code page. Lengths count code units of the kind in use.
extern int titleIsWide;                          // the main window is a Unicode window
extern char titleText[titleTextSize];            // the caption as last read, then trimmed
extern wchar_t titleTextWide[titleTextSize];     // the same, for a Unicode player
extern int titleLength;                          // characters in the title
extern char timeSuffix[timeSuffixSize];          // "" or " <m:ss>"
extern char displayText[displayTextSize];        // the title, maybe with the separator
extern wchar_t displayTextWide[displayTextSize]; // the same, for a Unicode player
extern int displayLength;                        // characters in the display text
extern int overflow;                             // the title is at least viewWidth wide

// Puts the built-in start-up title in place, as wide text when `wide`, and shows it.
void StartTitle(int wide);
// Reads the main window's caption and, when the title it gives differs from
// the one shown, shows the new one. Returns 1 when it did.
int ReadCaption();
// The last caption read was a playing track's, and the player had no length
// for it yet: the same caption set again is read once more to ask again.
int TrackLengthPending();
void RefreshTitle();
void BuildTimeSuffix();
void BuildDisplayText();
int TextOverflows();
// Renders the display text into the strip.
void RenderStrip();
// The display text again in the font of the current size (after a resize or
// a change of fonts or scrolling), the scroll restarted, and the title area
// handed to the player to repaint under the next frame.
void RefreshStrip();
// " <m:ss>" of a track length, in `text` of timeSuffixSize bytes, or "" for none.
void FormatTrackLength(int seconds, char* text);
