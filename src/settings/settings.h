// The settings record, its three copies, and the plugin.ini store.
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
extern const SettingKey settingsKeys[settingsKeyCount];
// The position in settingsKeys of a key name, or -1.
int SettingKeyIndex(const char* name);

// --- State owned by the settings store ---------------------------------------
extern SettingsSet storedSettings;     // what plugin.ini holds

// The full path of plugin.ini, in settingsPathSize bytes: in the "Plugins"
// folder of the player's settings folder when the player names one, else
// beside the module (ModuleSettingsPath); empty when the path does not fit.
// Returns 1 when the path is in the player's settings folder.
int SettingsFilePath(char* path);
// plugin.ini beside the module; empty when the module's folder leaves no
// room for the name.
void ModuleSettingsPath(char* path);
void LoadSettings();
void SaveSettings();
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
