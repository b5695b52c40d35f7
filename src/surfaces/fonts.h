// The three fonts: each slot's drawing record and font, the user's own
// record of each slot, the screen's pixels per inch, and the conversions
// between a record and the four settings fields of a font.
#pragma once
#include <windows.h>

#include "surfaces/gdi_hold.h"

struct SettingsSet;

// A LOGFONT record and the font made from it.
struct FontSlot {
    LOGFONTA record;
    HeldFont font;
};

// A font record as the module holds it at load: the settings fill four of
// its fields, the font chooser may change the rest.
constexpr LOGFONTA FontRecordAtLoad(LONG height, LONG weight) {
    return LOGFONTA{height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif"};
}

// The drawing fonts: made from effectiveSettings, so they hold a skin's
// fonts while that skin is in use.
const FontSlot& NormalFont();        // title at normal size
const FontSlot& DoubleSizeFont();    // title in double size
const FontSlot& PlaylistFont();      // playlist windowshade line
// The title's font at normal size, or in double size when `doubled`.
HFONT TitleFont(int doubled);
// Screen pixels per inch, read once at start-up.
int LogPixelsY();

// Point size <-> LOGFONT height with logPixelsY, rounded as MulDiv rounds.
int PointsToHeight(int points);
int HeightToPoints(int height);
// Reads the screen's pixels per inch from a screen-compatible context.
void ReadScreenResolution(HDC dc);

// Fills a font record's face, height, weight and italic from settings fields,
// the size held to fontSizeMin..fontSizeMax points.
void FillFontRecord(LOGFONTA& record, const char* face, int size, int bold, int italic);
// The four settings fields of a record: weights from 700 on are bold.
void ReadFontRecord(const LOGFONTA& record, char* face, int& size, int& bold, int& italic);
// Fills the three drawing records: those four fields from `settings`, every
// other field from the user's own record of the slot.
void FillFontRecords(const SettingsSet& settings);
// The user's three records from `settings` (face, height, weight and
// italic; the other fields stay as the chooser left them).
void FillUserFontRecords(const SettingsSet& settings);
// The user's three records into the font fields of `target`.
void CopyUserFontsInto(SettingsSet& target);
// The user's records by slot: the title at normal size, in double size, the playlist line.
enum UserFontSlot { userNormalSlot, userDoubleSizeSlot, userPlaylistSlot };
// A copy of the user's own record of a slot.
LOGFONTA UserFontRecord(UserFontSlot slot);
// `record` becomes the user's own record of a slot (what the chooser left,
// say), its face name always terminated.
void SetUserFontRecord(UserFontSlot slot, const LOGFONTA& record);

// The drawing fonts made from the drawing records; the surfaces deselect
// them before they are released.
void CreateFonts();
void ReleaseFonts();
// Every record and the screen's resolution as a fresh start has them.
void ResetFonts();

// --- The room's record, and its one accessor for white-box tests --------------
struct FontsState {
    FontSlot normal;             // title at normal size
    FontSlot doubleSize;         // title in double size
    FontSlot playlist;           // playlist windowshade line
    // The user's own record of each slot: what the dialog's font chooser
    // edits and what OK and Apply commit. The drawing records are made from
    // effectiveSettings and hold a skin's fonts while that skin is in use.
    LOGFONTA userNormal;
    LOGFONTA userDoubleSize;
    LOGFONTA userPlaylist;
    int logPixelsY;              // screen pixels per inch, read once at start-up
};
#ifdef QLV_WHITEBOX
FontsState& FontsForTest();
#endif
