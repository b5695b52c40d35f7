// The three fonts, their records, and sizes in points against the screen.
#include "surfaces/fonts.h"

#include "settings/settings.h"

namespace {

constexpr int defaultPixelsPerInch = 96;

constexpr LOGFONTA titleAtLoad = FontRecordAtLoad(-11, FW_NORMAL);
constexpr LOGFONTA doubleSizeAtLoad = FontRecordAtLoad(-20, FW_BOLD);
constexpr LOGFONTA playlistAtLoad = FontRecordAtLoad(-11, FW_NORMAL);

// The record as the module holds it at load: no font made yet.
FontsState fonts = {
    {titleAtLoad, {}}, {doubleSizeAtLoad, {}}, {playlistAtLoad, {}},
    titleAtLoad,       doubleSizeAtLoad,       playlistAtLoad,
    defaultPixelsPerInch,
};

// Each slot's user record, drawing slot, record at load and settings
// fields, in slot order.
struct FontFields {
    LOGFONTA* user;
    FontSlot* slot;
    const LOGFONTA* atLoad;
    char (SettingsSet::*face)[faceNameSize];
    int SettingsSet::*size;
    int SettingsSet::*bold;
    int SettingsSet::*italic;
};

const FontFields fontFields[] = {
    {&fonts.userNormal, &fonts.normal, &titleAtLoad, &SettingsSet::FontFace, &SettingsSet::FontSize, &SettingsSet::FontBold,
     &SettingsSet::FontItalic},
    {&fonts.userDoubleSize, &fonts.doubleSize, &doubleSizeAtLoad, &SettingsSet::DS_FontFace, &SettingsSet::DS_FontSize,
     &SettingsSet::DS_FontBold, &SettingsSet::DS_FontItalic},
    {&fonts.userPlaylist, &fonts.playlist, &playlistAtLoad, &SettingsSet::PE_FontFace, &SettingsSet::PE_FontSize,
     &SettingsSet::PE_FontBold, &SettingsSet::PE_FontItalic},
};

void Fill(LOGFONTA& record, const FontFields& f, const SettingsSet& s) {
    FillFontRecord(record, s.*f.face, s.*f.size, s.*f.bold, s.*f.italic);
}

}  // namespace

const FontSlot& NormalFont() { return fonts.normal; }

const FontSlot& DoubleSizeFont() { return fonts.doubleSize; }

const FontSlot& PlaylistFont() { return fonts.playlist; }

HFONT TitleFont(int doubled) { return doubled ? fonts.doubleSize.font : fonts.normal.font; }

int LogPixelsY() { return fonts.logPixelsY; }

#ifdef QLV_WHITEBOX
FontsState& FontsForTest() { return fonts; }
#endif

int PointsToHeight(int points) {
    return -MulDiv(points, fonts.logPixelsY, 72);
}

int HeightToPoints(int height) {
    return -MulDiv(height, 72, fonts.logPixelsY);
}

void ReadScreenResolution(HDC dc) {
    fonts.logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
    // A refused context must not turn every size into 0.
    if (fonts.logPixelsY <= 0) fonts.logPixelsY = defaultPixelsPerInch;
}

// Settings files are not checked when read: a size in the millions gives a
// height at which the platform's text renderer faults inside font creation
// or drawing, so the size is held to a sane range here, where every font
// made from settings gets its height.
void FillFontRecord(LOGFONTA& record, const char* face, int size, int bold, int italic) {
    const int held = size < fontSizeMin ? fontSizeMin : size > fontSizeMax ? fontSizeMax : size;
    CopyFaceName(record.lfFaceName, face ? face : "");
    record.lfHeight = PointsToHeight(held);
    record.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    record.lfItalic = static_cast<BYTE>(italic & 0xFF);
}

// A record's weight counts as bold from 700 on: 600 (semi-bold) is not bold.
void ReadFontRecord(const LOGFONTA& record, char* face, int& size, int& bold, int& italic) {
    CopyFaceName(face, record.lfFaceName);
    size = HeightToPoints(record.lfHeight);
    bold = record.lfWeight >= FW_BOLD ? 1 : 0;
    italic = record.lfItalic;
}

// A character set or quality picked in the chooser stays in force for the
// session, whichever settings give the four fields.
void FillFontRecords(const SettingsSet& settings) {
    for (const FontFields& f : fontFields) {
        f.slot->record = *f.user;
        Fill(f.slot->record, f, settings);
    }
    // The playlist line is drawn straight onto its colours: smooth edges ask
    // for grey levels whatever the system's font smoothing says.
    if (settings.Smooth) fonts.playlist.record.lfQuality = ANTIALIASED_QUALITY;
}

void FillUserFontRecords(const SettingsSet& settings) {
    for (const FontFields& f : fontFields) Fill(*f.user, f, settings);
}

void CopyUserFontsInto(SettingsSet& target) {
    for (const FontFields& f : fontFields)
        ReadFontRecord(*f.user, target.*f.face, target.*f.size, target.*f.bold, target.*f.italic);
}

LOGFONTA UserFontRecord(UserFontSlot slot) {
    return *fontFields[slot].user;
}

void SetUserFontRecord(UserFontSlot slot, const LOGFONTA& record) {
    LOGFONTA& user = *fontFields[slot].user;
    user = record;
    user.lfFaceName[LF_FACESIZE - 1] = '\0';
}

void CreateFonts() {
    for (const FontFields& f : fontFields) f.slot->font = HeldFont(CreateFontIndirectA(&f.slot->record));
}

void ReleaseFonts() {
    for (const FontFields& f : fontFields) f.slot->font = HeldFont();
}

// The fonts themselves were released with the surfaces; this lets go of
// any left and puts every record and the resolution back as at load.
void ResetFonts() {
    for (const FontFields& f : fontFields) {
        f.slot->font = HeldFont();
        f.slot->record = *f.atLoad;
        *f.user = *f.atLoad;
    }
    fonts.logPixelsY = defaultPixelsPerInch;
}
