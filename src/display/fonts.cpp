// The three fonts, their records, and sizes in points against the screen.
#include "display/fonts.h"

#include "settings/settings.h"

FontSlot normalFont = {FontRecordAtLoad(-11, FW_NORMAL), nullptr};
FontSlot doubleSizeFont = {FontRecordAtLoad(-20, FW_BOLD), nullptr};
FontSlot playlistFont = {FontRecordAtLoad(-11, FW_NORMAL), nullptr};
LOGFONTA userNormalFont = FontRecordAtLoad(-11, FW_NORMAL);
LOGFONTA userDoubleSizeFont = FontRecordAtLoad(-20, FW_BOLD);
LOGFONTA userPlaylistFont = FontRecordAtLoad(-11, FW_NORMAL);
int logPixelsY = 96;

namespace {

// Each slot's user record, drawing slot and settings fields, in slot order.
struct FontFields {
    LOGFONTA* user;
    FontSlot* slot;
    char (SettingsSet::*face)[faceNameSize];
    int SettingsSet::*size;
    int SettingsSet::*bold;
    int SettingsSet::*italic;
};

const FontFields fontFields[] = {
    {&userNormalFont, &normalFont, &SettingsSet::FontFace, &SettingsSet::FontSize, &SettingsSet::FontBold,
     &SettingsSet::FontItalic},
    {&userDoubleSizeFont, &doubleSizeFont, &SettingsSet::DS_FontFace, &SettingsSet::DS_FontSize,
     &SettingsSet::DS_FontBold, &SettingsSet::DS_FontItalic},
    {&userPlaylistFont, &playlistFont, &SettingsSet::PE_FontFace, &SettingsSet::PE_FontSize,
     &SettingsSet::PE_FontBold, &SettingsSet::PE_FontItalic},
};

void Fill(LOGFONTA& record, const FontFields& f, const SettingsSet& s) {
    FillFontRecord(record, s.*f.face, s.*f.size, s.*f.bold, s.*f.italic);
}

}  // namespace

int PointsToHeight(int points) {
    return -MulDiv(points, logPixelsY, 72);
}

int HeightToPoints(int height) {
    return -MulDiv(height, 72, logPixelsY);
}

void ReadScreenResolution(HDC dc) {
    logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
    if (logPixelsY <= 0) logPixelsY = 96;   // a refused context must not turn every size into 0
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
    if (settings.Smooth) playlistFont.record.lfQuality = ANTIALIASED_QUALITY;
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

void ResetUserFontRecords() {
    userNormalFont = FontRecordAtLoad(-11, FW_NORMAL);
    userDoubleSizeFont = FontRecordAtLoad(-20, FW_BOLD);
    userPlaylistFont = FontRecordAtLoad(-11, FW_NORMAL);
}

void CreateFonts() {
    for (const FontFields& f : fontFields) f.slot->font = CreateFontIndirectA(&f.slot->record);
}

// No font may be deleted while a surface still holds it.
void RebuildFonts(HDC strip, HDC line) {
    SelectObject(strip, GetStockObject(SYSTEM_FONT));
    SelectObject(line, GetStockObject(SYSTEM_FONT));
    ReleaseFonts();
    CreateFonts();
    SelectObject(line, playlistFont.font);
}

void ReleaseFonts() {
    for (const FontFields& f : fontFields) {
        if (f.slot->font) DeleteObject(f.slot->font);
        f.slot->font = nullptr;
    }
}
