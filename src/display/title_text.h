// The displayed title: the host's caption without its tail, with the track
// length, and the separator of the wrap-around scroll.
#pragma once

constexpr int titleTextSize = 256;      // 255 characters and a terminator
constexpr int timeSuffixSize = 15;
constexpr int displayTextSize = 256;
constexpr int captionReadLimit = 255;   // GetWindowTextA count: at most 254 characters
constexpr char scrollSeparator[] = "   ---   ";

// --- State owned by the title text -------------------------------------------
extern char titleText[titleTextSize];     // the caption as last read, then trimmed
extern int titleLength;                   // characters in titleText
extern char timeSuffix[timeSuffixSize];   // "" or " <m:ss>"
extern char displayText[displayTextSize]; // titleText, maybe with the separator
extern int displayLength;                 // characters in displayText
extern int overflow;                      // titleText is at least viewWidth wide

void RefreshTitle();
void BuildTimeSuffix();
void BuildDisplayText();
int TextOverflows();

// The length of the longest prefix of `text` of at most `limit` bytes that
// does not end inside a double-byte character of the ANSI code page.
int CharacterBoundary(const char* text, int limit);
