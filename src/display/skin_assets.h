// The current skin's title background and text colours.
#pragma once

// Reads the current skin's settings and title pictures afresh.
void LoadSkinAssets();
// effectiveSettings from the current skin's scrivane.txt, then the fonts,
// brushes and title strip made again from it.
void ApplySkinOverrides();
// The skin folder the last load asked the player for ("" before the first).
const char* SkinFolder();
// The skin assets as a fresh start has them: no skin read yet.
void ResetSkinAssets();
