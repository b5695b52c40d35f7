// A skin's settings and pictures taken up: what a new skin, or a change of
// the stored settings under a skin, sets going.
#pragma once

// Reads the current skin's settings and title pictures afresh.
void LoadSkinAssets();
// effectiveSettings from the current skin's scrivane.txt, then the fonts,
// brushes and title strip made again from it.
void ApplySkinOverrides();
