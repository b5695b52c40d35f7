// The settings record, its three copies, and the plugin.ini store.
#pragma once
#include <windows.h>

constexpr int faceNameSize = LF_FACESIZE;   // 32: at most 31 characters
constexpr int settingsPathSize = 260;

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
};

constexpr int scrollPixelMin = 1;
constexpr int scrollPixelMax = 50;

// --- State owned by the settings store ---------------------------------------
extern SettingsSet storedSettings;     // what plugin.ini holds
extern SettingsSet pendingSettings;    // what the configuration dialog edits
extern SettingsSet effectiveSettings;  // stored settings overlaid by the skin; drawing reads this

// The full path of plugin.ini beside the module, in settingsPathSize bytes.
void SettingsFilePath(char* path);
void LoadSettings();
void SaveSettings();
void CommitPending();
void RevertPending();

// Point size <-> LOGFONT height with logPixelsY, rounded as MulDiv rounds.
int PointsToHeight(int points);
int HeightToPoints(int height);

// Copies a face name into a LF_FACESIZE field, cut safely.
void CopyFaceName(char* field, const char* face);
