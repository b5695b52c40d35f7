// The skin's scrivane.txt laid over the stored settings.
#include "settings/skin_overrides.h"

#include "player/host_contract.h"

namespace {

SkinOverrides overrides;

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
    {"Option", "ShadowColor"},   {"Option", "Smooth"},
    {"Font", "FontSize"},        {"Font", "FontBold"},        {"Font", "FontItalic"},
    {"Font", "FontFace"},        {"Font", "DS_FontSize"},     {"Font", "DS_FontBold"},
    {"Font", "DS_FontItalic"},   {"Font", "DS_FontFace"},     {"Font", "PE_FontSize"},
    {"Font", "PE_FontBold"},     {"Font", "PE_FontItalic"},   {"Font", "PE_FontFace"},
    {"Font", "PE_Scrivane"},
};

}  // namespace

const SettingsSet& EffectiveSettings() { return overrides.effectiveSettings; }

void ResetSkinOverrides() {
    overrides = SkinOverrides{};
}

#ifdef QLV_WHITEBOX
SkinOverrides& SkinOverridesForTest() { return overrides; }
#endif

// Every field starts as stored, so a key the file lacks (or a file that is
// not there, or a skin path that did not fit) leaves its setting as stored.
void ReadSkinOverrides() {
    overrides.effectiveSettings = StoredSettings();
    char path[skinPathSize];
    if (!SkinFilePath(path, overrideFileName)) return;
    for (const OverrideKey& entry : overrideKeys) {
        const int index = SettingKeyIndex(entry.key);
        if (index >= 0)
            ReadSettingKey(path, entry.section, settingsKeys[index], StoredSettings(),
                           overrides.effectiveSettings);
    }
}

void UseStoredSettings() {
    overrides.effectiveSettings = StoredSettings();
}
