// The current skin's title background, text colours and playlist colours.
#pragma once
#include <windows.h>

// --- State owned by the skin assets -------------------------------------------
extern HBRUSH skinBackgroundBrush;   // text.bmp's background colour; null before the first text.bmp
extern HBRUSH playlistBgBrush;       // pledit.txt's NormalBG; null before the first load

void LoadSkinAssets();
// effectiveSettings from the current skin's scrivane.txt, then the fonts,
// brushes, playlist line and title strip made again from it.
void ApplySkinOverrides();
void ReleaseSkinBrushes();
