// A skin taken up: its scrivane.txt laid over the stored settings, the
// fonts, brushes and strip made again from them, then its pictures read.
#include "title/skin_change.h"

#include "player/host_contract.h"
#include "settings/skin_overrides.h"
#include "surfaces/fonts.h"
#include "surfaces/skin_pictures.h"
#include "surfaces/surfaces.h"
#include "title/title_text.h"

namespace {

// A skin that switches the display off gets the host's own title back at once.
void YieldMainWindow() {
    if (EffectiveSettings().Enabled == 0 && MainWindow())
        RedrawWindow(MainWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

}  // namespace

// The override file comes first so the new skin's settings are in force
// before its pictures are read.
void LoadSkinAssets() {
    if (!SurfacesCreated()) return;
    ApplySkinOverrides();
    LoadSkinPictures();
}

void ApplySkinOverrides() {
    ReadSkinOverrides();
    FillFontRecords(EffectiveSettings());
    // Before start-up made the surfaces, or after shut-down released them,
    // there is nothing to rebuild, and objects made now would never be freed.
    if (!SurfacesCreated()) return;
    RemakeFonts();
    RebuildBrushes();
    YieldMainWindow();
    RefreshStrip();
}
