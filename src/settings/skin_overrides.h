// The skin's scrivane.txt laid over the stored settings.
#pragma once

#include "settings/settings.h"

constexpr char overrideFileName[] = "\\scrivane.txt";

// The skin overrides' record; its one instance is private to skin_overrides.cpp.
struct SkinOverrides {
    SettingsSet effectiveSettings;   // stored settings overlaid by the skin; drawing reads this
};

// What the display draws with. Every frame reads it through this call: one
// call per composed frame costs nothing beside the block copies.
const SettingsSet& EffectiveSettings();
// The record as at load (a fresh start).
void ResetSkinOverrides();
// effectiveSettings := storedSettings, until a skin is read.
void UseStoredSettings();
// effectiveSettings := storedSettings overlaid with the current skin's scrivane.txt.
void ReadSkinOverrides();

#ifdef QLV_WHITEBOX
// The white-box tests' one way into the record.
SkinOverrides& SkinOverridesForTest();
#endif
