// The skin's scrivane.txt laid over the stored settings, and the rebuild of
// fonts and brushes that follows.
#include "settings/skin_overrides.h"

#include "display/skin_assets.h"
#include "display/surfaces.h"
#include "display/text_strip.h"
#include "playlist/playlist_line.h"
#include "plugin/host_contract.h"
#include "plugin/window_modes.h"
#include "settings/settings.h"

namespace {

// Which section of scrivane.txt holds each key, in the order they are read.
struct OverrideKey {
    const char* section;
    const char* key;
};
constexpr OverrideKey overrideKeys[settingsKeyCount] = {
    {"Plugin", "Enabled"},       {"Plugin", "Scroll"},        {"Plugin", "ScrollRate"},
    {"Plugin", "ScrollPixel"},   {"Plugin", "ScrollType"},
    {"Option", "Transparent"},   {"Option", "UseSkinColor"},  {"Option", "AutoAdjust"},
    {"Option", "Shadow"},        {"Option", "TextColor"},     {"Option", "BkColor"},
    {"Option", "ShadowColor"},
    {"Font", "FontSize"},        {"Font", "FontBold"},        {"Font", "FontItalic"},
    {"Font", "FontFace"},        {"Font", "DS_FontSize"},     {"Font", "DS_FontBold"},
    {"Font", "DS_FontItalic"},   {"Font", "DS_FontFace"},     {"Font", "PE_FontSize"},
    {"Font", "PE_FontBold"},     {"Font", "PE_FontItalic"},   {"Font", "PE_FontFace"},
    {"Font", "PE_Scrivane"},
};

// Every field starts as stored, so a key the file lacks (or a file that is
// not there, or a skin path that did not fit) leaves its setting as stored.
void ReadOverrideFile() {
    effectiveSettings = storedSettings;
    char path[skinPathSize];
    if (!SkinFilePath(path, overrideFileName)) return;
    for (const OverrideKey& entry : overrideKeys) {
        const int index = SettingKeyIndex(entry.key);
        if (index >= 0)
            ReadSettingKey(path, entry.section, settingsKeys[index], storedSettings, effectiveSettings);
    }
}

// No font may be deleted while a surface still holds it.
void RebuildFonts() {
    SelectObject(textStrip.dc, GetStockObject(SYSTEM_FONT));
    SelectObject(playlistLine.dc, GetStockObject(SYSTEM_FONT));
    FontSlot* const slots[] = {&normalFont, &doubleSizeFont, &playlistFont};
    for (FontSlot* slot : slots) {
        if (slot->font) DeleteObject(slot->font);
        slot->font = nullptr;
    }
    for (FontSlot* slot : slots) slot->font = CreateFontIndirectA(&slot->record);
    SelectObject(playlistLine.dc, playlistFont.font);
}

void ReplaceBrush(HBRUSH& brush, COLORREF colour) {
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(colour);
}

// No brush may be deleted while a surface still holds it.
void RebuildBrushes() {
    SelectObject(frameSurface.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(textLayer.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(shadowLayer.dc, GetStockObject(BLACK_BRUSH));
    ReplaceBrush(bkBrush, effectiveSettings.BkColor);
    ReplaceBrush(textBrush, effectiveSettings.TextColor);
    SelectObject(textLayer.dc, textBrush);
    ReplaceBrush(shadowBrush, effectiveSettings.ShadowColor);
    SelectObject(shadowLayer.dc, shadowBrush);
}

// A skin that switches the display off gets the host's own title back at once.
void YieldMainWindow() {
    if (effectiveSettings.Enabled == 0 && mainWindow)
        RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void SelectFrameBrush() {
    HBRUSH brush = effectiveSettings.UseSkinColor ? skinBackgroundBrush : bkBrush;
    if (brush) SelectObject(frameSurface.dc, brush);
}

// The line is drawn off-screen whenever it is on, so it is ready the moment
// the editor is shaded; when it is off, a shaded editor gets its own line back.
void RefreshPlaylistLine() {
    if (effectiveSettings.PE_Scrivane)
        DrawPlaylistLine();
    else if (playlistShaded && playlistWindow)
        RedrawWindow(playlistWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

}  // namespace

void ApplySkinOverrides() {
    ReadOverrideFile();
    FillFontRecords(effectiveSettings);
    // Before start-up made the surfaces, or after shut-down released them,
    // there is nothing to rebuild, and objects made now would never be freed.
    if (!surfacesCreated) return;
    RebuildFonts();
    RebuildBrushes();
    YieldMainWindow();
    SelectFrameBrush();
    RefreshPlaylistLine();
    RefreshStrip();
}
