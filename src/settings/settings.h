// The settings record, the stored copy, and the plugin.ini store.
#pragma once
#include <windows.h>

#include <cstddef>

constexpr char displayName[] = "Qelvar Scrivane II";   // also plugin.ini's section
constexpr int faceNameSize = LF_FACESIZE;   // 32: at most 31 characters
constexpr int settingsPathSize = 260;
constexpr int valueTextSize = 256;          // values are formatted for writing in this many bytes
constexpr int faceReadSize = 512;           // a face is read here first, so a long value cannot overrun

struct SettingsSet {
    int Enabled;
    int Scroll;
    int ScrollRate;
    int ScrollPixel;
    int ScrollType;
    int Transparent;
    int UseSkinColor;
    int AutoAdjust;
    int Shadow;
    int FontSize;
    int FontBold;
    int FontItalic;
    char FontFace[faceNameSize];
    int DS_FontSize;
    int DS_FontBold;
    int DS_FontItalic;
    char DS_FontFace[faceNameSize];
    int PE_FontSize;
    int PE_FontBold;
    int PE_FontItalic;
    char PE_FontFace[faceNameSize];
    int PE_Scrivane;
    COLORREF TextColor;
    COLORREF BkColor;
    COLORREF ShadowColor;
    int Smooth;   // glyph edges blended by coverage instead of one-bit masks
};

constexpr int scrollPixelMin = 1;
constexpr int scrollPixelMax = 50;
// Font sizes from either settings file are held to this range before a font
// is made: far beyond what a title line can show, far below the heights at
// which the platform's text renderer faults or loses its state.
constexpr int fontSizeMin = 1;
constexpr int fontSizeMax = 1000;

// What a first start without plugin.ini runs with.
constexpr SettingsSet defaultSettings = {
    1, 1, 8, 4, 2, 0, 0, 0, 0,
    8, 0, 0, "MS Sans Serif",
    14, 1, 0, "MS Sans Serif",
    8, 0, 0, "MS Sans Serif",
    0, RGB(0, 255, 0), RGB(0, 0, 0), RGB(0, 0, 0),
    0,
};

// One key of the settings files: its name, its value form and its field.
enum class SettingForm { Integer, Face, Colour };
struct SettingKey {
    const char* name;
    SettingForm form;
    size_t field;   // offset of the field in SettingsSet
};

constexpr int settingsKeyCount = 26;
// The 26 keys in the order plugin.ini is read.
#define QLV_KEY(name, form) {#name, SettingForm::form, offsetof(SettingsSet, name)}
inline constexpr SettingKey settingsKeys[settingsKeyCount] = {
    QLV_KEY(Enabled, Integer),      QLV_KEY(Scroll, Integer),        QLV_KEY(ScrollRate, Integer),
    QLV_KEY(ScrollPixel, Integer),  QLV_KEY(ScrollType, Integer),    QLV_KEY(Transparent, Integer),
    QLV_KEY(UseSkinColor, Integer), QLV_KEY(AutoAdjust, Integer),    QLV_KEY(Shadow, Integer),
    QLV_KEY(FontSize, Integer),     QLV_KEY(FontBold, Integer),      QLV_KEY(FontItalic, Integer),
    QLV_KEY(FontFace, Face),        QLV_KEY(DS_FontSize, Integer),   QLV_KEY(DS_FontBold, Integer),
    QLV_KEY(DS_FontItalic, Integer), QLV_KEY(DS_FontFace, Face),     QLV_KEY(PE_FontSize, Integer),
    QLV_KEY(PE_FontBold, Integer),  QLV_KEY(PE_FontItalic, Integer), QLV_KEY(PE_FontFace, Face),
    QLV_KEY(PE_Scrivane, Integer),  QLV_KEY(TextColor, Colour),      QLV_KEY(BkColor, Colour),
    QLV_KEY(ShadowColor, Colour),   QLV_KEY(Smooth, Integer),
};
#undef QLV_KEY
// The position in settingsKeys of a key name, or -1.
int SettingKeyIndex(const char* name);

// The settings store's record; its one instance is private to settings.cpp.
struct SettingsStore {
    SettingsSet storedSettings;       // what plugin.ini holds
    char filePath[settingsPathSize];  // plugin.ini as chosen at load; "" where none can be named
};

const SettingsSet& StoredSettings();
// The store as at load, before plugin.ini is read (a fresh start).
void ResetStoredSettings();

// The full path of plugin.ini, in settingsPathSize bytes: in the "Plugins"
// folder of the player's settings folder when the player names one that can
// hold the file (a full path that leaves room for the file, a folder whose
// "Plugins" folder is there or can be made, and whose file can be written),
// else beside the module (ModuleSettingsPath). Returns 1 when the path is in
// the player's folder. May make that "Plugins" folder.
int SettingsFilePath(char* path);
// plugin.ini beside the module; empty when the module's folder leaves no
// room for the name.
void ModuleSettingsPath(char* path);
// Chooses the file once (SettingsFilePath) and reads it.
void LoadSettings();
// Writes every key to the file chosen at load; false when any key did not
// reach it (a read-only file, a refused write, no file to name).
bool SaveSettings();
// The dialog's settings become the stored ones, the scroll step held to
// scrollPixelMin..scrollPixelMax.
void CommitPending(const SettingsSet& pending);

// Reads one key of `section` in the INI file `file` into `target`, with the
// same field of `fallback` as the default (a missing file, section or key).
void ReadSettingKey(const char* file, const char* section, const SettingKey& key,
                    const SettingsSet& fallback, SettingsSet& target);

// Copies a face name into a LF_FACESIZE field, cut at 31 bytes without
// splitting a double-byte character of the ANSI code page. Reads at most
// faceNameSize bytes of `face`.
void CopyFaceName(char* field, const char* face);

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
SettingsStore& SettingsStoreForTest();
#endif
