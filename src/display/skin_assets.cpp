// STUB: to be completed.
#include "display/skin_assets.h"
HBRUSH skinBackgroundBrush;
HBRUSH playlistBgBrush;
void LoadSkinAssets() {}
