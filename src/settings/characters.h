// Characters of the two kinds of text the plug-in handles: bytes of the ANSI
// code page (the 2.x player, settings files), where a character may take two
// bytes, and wide text (a Unicode player), where a character may take a
// surrogate pair. Every cut of either kind goes by these.
#pragma once
#include <windows.h>

// The code units the character at `at` takes within `limit`: 1 or 2, or 0
// when its second unit lies at or past the limit (or is missing), so a cut
// there would split it.
inline int CharacterUnits(const char* text, int at, int limit) {
    if (!IsDBCSLeadByte(static_cast<BYTE>(text[at]))) return 1;
    return at + 1 >= limit || !text[at + 1] ? 0 : 2;
}

inline int CharacterUnits(const wchar_t* text, int at, int limit) {
    const auto IsHigh = [](wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    const auto IsLow = [](wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    if (!IsHigh(text[at])) return 1;
    if (at + 1 >= limit || !text[at + 1]) return 0;
    return IsLow(text[at + 1]) ? 2 : 1;   // an unpaired high surrogate stands alone
}

// The length of the longest prefix of `text` of at most `limit` code units
// that does not end inside a character.
template <typename Char>
int CharacterBoundary(const Char* text, int limit) {
    if (!text) return 0;
    int at = 0;
    while (at < limit && text[at]) {
        const int units = CharacterUnits(text, at, limit);
        if (!units) break;
        at += units;
    }
    return at;
}

// The ANSI form is also the one a null pointer finds.
inline int CharacterBoundary(const char* text, int limit) {
    return CharacterBoundary<char>(text, limit);
}

template <typename Char>
int TextLength(const Char* text) {
    int length = 0;
    while (text[length]) ++length;
    return length;
}

// Copies an ASCII text into either kind of text, terminator included.
template <typename Char>
void CopyAscii(Char* target, const char* ascii) {
    int at = 0;
    do target[at] = static_cast<Char>(static_cast<unsigned char>(ascii[at]));
    while (ascii[at++]);
}

